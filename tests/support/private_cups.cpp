// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/private_cups.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <csignal>
#include <sys/prctl.h>

namespace testing_support {
namespace {

bool writeText(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

}  // namespace

PrivateCups::PrivateCups() : previousServer_(qgetenv("CUPS_SERVER")) {
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary directory");
        return;
    }
    const QString root = dir_.path();
    for (const char* sub : {"conf", "spool", "spool/tmp", "cache", "state", "log"}) QDir(root).mkpath(QString::fromLatin1(sub));
    // cupsd runs filters as lp: the spool must be reachable for that group.
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    const QString conf = root + QStringLiteral("/conf/cupsd.conf");
    const QString files = root + QStringLiteral("/conf/cups-files.conf");
    const QString logs = QStringLiteral("ErrorLog %1/log/error_log\nAccessLog %1/log/access_log\nPageLog %1/log/page_log\n").arg(root);
    const bool written =
        writeText(conf, QStringLiteral("Listen %1\nLogLevel warn\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                                       "PreserveJobFiles Yes\nPreserveJobHistory Yes\nMaxJobs 0\n"
                                       "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                       "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n  </Limit>\n</Policy>\n")
                            .arg(socket()) +
                            logs) &&
        writeText(files, QStringLiteral("ServerRoot %1/conf\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                                        "StateDir %1/state\nFileDevice Yes\n")
                                 .arg(root) +
                             logs);
    if (!written) {
        error_ = QStringLiteral("cannot write the configuration");
        return;
    }
    cupsd_.setProgram(QStringLiteral("/usr/sbin/cupsd"));
    cupsd_.setArguments({QStringLiteral("-f"), QStringLiteral("-c"), conf, QStringLiteral("-s"), files});
    cupsd_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Killed with us even if the test crashes before the destructor runs.
    cupsd_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    cupsd_.start();
    if (!cupsd_.waitForStarted(5000)) {
        error_ = QStringLiteral("cupsd did not start: ") + cupsd_.errorString();
        return;
    }
    qputenv("CUPS_SERVER", socket().toLocal8Bit());
    QElapsedTimer waited;
    waited.start();
    while (!(QFile::exists(socket()) && run(QStringLiteral("lpstat"), {QStringLiteral("-r")}))) {
        if (waited.elapsed() > 10000 || cupsd_.state() != QProcess::Running) {
            error_ = QStringLiteral("cupsd does not answer");
            return;
        }
        QThread::msleep(20);
    }
}

PrivateCups::~PrivateCups() {
    if (cupsd_.state() != QProcess::NotRunning) {
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(5000)) {
            cupsd_.kill();
            cupsd_.waitForFinished(2000);
        }
    }
    if (previousServer_.isNull())
        qunsetenv("CUPS_SERVER");
    else
        qputenv("CUPS_SERVER", previousServer_);
}

bool PrivateCups::run(const QString& program, const QStringList& arguments, QString* output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, QStringList{QStringLiteral("-h"), socket()} + arguments);
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    const QString said = QString::fromLocal8Bit(process.readAll());
    if (output != nullptr) *output = said;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PrivateCups::addQueue(const QString& name, bool makeDefault) {
    if (!run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                          QStringLiteral("file:///dev/null")}))
        return false;
    return !makeDefault || run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name});
}

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

QStringList pdfPageSizes(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                              QStringLiteral("9999"), pdf});
    process.waitForFinished(30000);
    QStringList sizes;
    static const QRegularExpression pageLine(QStringLiteral("^Page +\\d+ size: +(.*)$"), QRegularExpression::MultilineOption);
    for (auto it = pageLine.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); it.hasNext();) {
        const QString size = it.next().captured(1).trimmed();
        const qsizetype open = size.indexOf(QLatin1Char('('));
        sizes << (open >= 0 ? size.mid(open + 1, size.indexOf(QLatin1Char(')')) - open - 1) : size);
    }
    return sizes;
}

bool holdsText(const QString& printed, const QString& letter) {
    const auto squeeze = [](const QString& text) {
        std::u32string out;
        for (char32_t c : text.normalized(QString::NormalizationForm_KC).toUcs4()) {
            if (!QChar::isSpace(c)) out += c;
        }
        return out;
    };
    const std::u32string hay = squeeze(printed), needle = squeeze(letter);
    const auto radical = [](char32_t c) { return c >= 0x2E80 && c <= 0x2FDF; };
    // One glyph of the serif CJK font stands for both 户 and 戶, and
    // pdftotext may name it by either.
    const auto sameGlyph = [](char32_t got, char32_t want) { return got == U'戶' && want == U'户'; };
    const auto matches = [&](char32_t got, char32_t want) {
        return got == want || (radical(got) && want >= 0x3400) || sameGlyph(got, want);
    };
    if (needle.empty()) return true;
    for (std::size_t start = 0; start + needle.size() <= hay.size(); ++start) {
        std::size_t i = 0;
        while (i < needle.size() && matches(hay[start + i], needle[i])) ++i;
        if (i == needle.size()) return true;
    }
    return false;
}

bool PrivateCups::removeQueue(const QString& name) { return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name}); }

QStringList PrivateCups::jobDocuments() const {
    const QDir spool(dir_.filePath(QStringLiteral("spool")));
    QStringList documents;
    for (const QString& name : spool.entryList({QStringLiteral("d*")}, QDir::Files, QDir::Name))
        documents << spool.filePath(name);
    return documents;
}

QStringList PrivateCups::jobTitles() const {
    // The scheduler keeps each job's attributes in the spool as IPP: the
    // attribute's name, then the value's two-byte length and the value.
    // It writes them a moment after taking the job.
    const QDir spool(dir_.filePath(QStringLiteral("spool")));
    const auto controlFiles = [&] { return spool.entryList({QStringLiteral("c*")}, QDir::Files, QDir::Name); };
    QElapsedTimer waited;
    waited.start();
    while (controlFiles().size() < jobDocuments().size() && waited.elapsed() < 10000) QThread::msleep(50);
    QStringList titles;
    for (const QString& name : controlFiles()) {
        QFile control(spool.filePath(name));
        if (!control.open(QIODevice::ReadOnly)) continue;
        const QByteArray ipp = control.readAll();
        const qsizetype at = ipp.indexOf("job-name");
        if (at < 0 || at + 10 > ipp.size()) continue;
        const int length = (static_cast<unsigned char>(ipp[at + 8]) << 8) | static_cast<unsigned char>(ipp[at + 9]);
        titles << QString::fromUtf8(ipp.mid(at + 10, length));
    }
    return titles;
}

}  // namespace testing_support
