// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "output/print.h"
#include "runtime/automation_recording.h"
#include "runtime/registry.h"
#include "tests/support/file_faults.h"
#include "tests/support/fixtures.h"

namespace {

using namespace testing_support;
using rt::InvokeKind;
using rt::RecordedCall;
using rt::Variant;
using rt::VariantType;

const char kWordPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.exe\\Path";
const ShownMessage kNotInstalled = {"  电 脑 没 有 安 装 WORD 办 公 软 件. ", "无 法 打 印："};
const ShownMessage kNoLetter = {" 没有生成入党申请书范文，无法打印！ ", "提示："};

Variant v(VariantType type, std::int32_t value) { return Variant::make(type, value); }
Variant s(const std::u16string& value) {
    Variant out = v(VariantType::String, 0);
    out.string = value;
    return out;
}
Variant none() { return v(VariantType::Error, static_cast<std::int32_t>(0x80020004u)); }
std::vector<Variant> nones(std::size_t n) { return std::vector<Variant>(n, none()); }

// Every request one print makes, in order, as the word processor receives
// them; `n` numbers the objects of the n-th started application.
std::vector<RecordedCall> onePrint(int n, const std::u16string& file) {
    const std::string app = "Application#" + std::to_string(n), docs = "Documents#" + std::to_string(n);
    const auto nth = [](const char* kind, int i) { return std::string(kind) + "#" + std::to_string(i); };
    Variant size = v(VariantType::R4, 0);
    size.real = 14.0f;
    std::vector<Variant> open = nones(12);
    open[0] = s(file);
    using VT = VariantType;
    return {
        {"", "CreateObject", 0, InvokeKind::Method, {s(u"Word.Application")}},
        {app, "ConnectEvents", 0, InvokeKind::Method, {}},
        {app, "Documents", 6, InvokeKind::PropertyGet, {}},
        {docs, "Parent", 0x3ea, InvokeKind::PropertyGet, {}},
        {app, "Selection", 5, InvokeKind::PropertyGet, {}},
        {nth("Selection", 2 * n - 1), "Font", 5, InvokeKind::PropertyGet, {}},
        {nth("Font", n), "Size", 0x8d, InvokeKind::PropertyPut, {size}},
        {docs, "Open", 15, InvokeKind::Method, open},
        {docs, "Parent", 0x3ea, InvokeKind::PropertyGet, {}},
        {app, "Selection", 5, InvokeKind::PropertyGet, {}},
        {app, "Visible", 0x17, InvokeKind::PropertyPut, {v(VT::Bool, 0)}},
        {nth("Document", n), "PrintOut", 0x1bc, InvokeKind::Method,
         {v(VT::I2, 1), v(VT::I2, 0), v(VT::I4, 0), s(u""), s(u"1"), s(u"1"), v(VT::I4, 0), v(VT::I4, 1), s(u""),
          v(VT::I4, 0), v(VT::I2, 0), v(VT::I2, 0), none(), none(), v(VT::I4, 1), v(VT::I4, 1), v(VT::I4, 11907),
          v(VT::I4, 16839)}},
        {nth("Document", n), "Close", 0x451, InvokeKind::Method, nones(3)},
        {app, "Quit", 0x451, InvokeKind::Method, nones(3)},
    };
}

std::string describe(const std::vector<RecordedCall>& calls) {
    std::string out;
    for (const RecordedCall& c : calls) {
        out += c.object + "." + c.member + "(" + std::to_string(c.dispid) + ", " + std::to_string(c.args.size()) + " args)\n";
    }
    return out;
}

// The file name each Documents.Open was given.
std::vector<QString> openedPaths(const std::vector<RecordedCall>& calls) {
    std::vector<QString> paths;
    for (const RecordedCall& c : calls) {
        if (c.member == "Open") paths.push_back(QString::fromStdU16String(c.args.at(0).string));
    }
    return paths;
}

// Every file and folder below `dir`, as paths relative to it.
QStringList everythingIn(const QString& dir) {
    QStringList found;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) found << QDir(dir).relativeFilePath(it.next());
    return found;
}

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtimeDir.isValid());
        ASSERT_TRUE(tmpDir.isValid());
        saveEnv("XDG_RUNTIME_DIR", runtimeDir.path());
        saveEnv("TMPDIR", tmpDir.path());
        rt::setAutomationServer(recorder);
        main->window.widget()->show();
    }
    void TearDown() override {
        rt::setAutomationServer(nullptr);
        rt::setRegistryValue(rt::LocalMachine, kWordPath, true);
        for (const auto& [name, value] : savedEnv) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    void saveEnv(const std::string& name, const QString& value) {
        const char* old = std::getenv(name.c_str());
        savedEnv.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name.c_str(), value.toLocal8Bit().constData(), 1);
    }
    void generate(const char* name = "张三") { generateIn(*main, name); }
    void generateIn(app::MainWindow& window, const char* name) {
        window.nameBox.setText(rt::Text::fromUtf8(name));
        QTest::mouseClick(window.generateButton.widget(), Qt::LeftButton);
        messages.shown.clear();
    }
    void clickPrint() { QTest::mouseClick(main->printButton.widget(), Qt::LeftButton); }
    std::string letter() const { return main->letterBox.text().bytes(); }
    QString privateDir() const { return runtimeDir.filePath(QStringLiteral("qintara")); }
    // Nothing of any print is left in either place a print file can live.
    void expectNothingLeft() const {
        EXPECT_TRUE(everythingIn(privateDir()).isEmpty()) << everythingIn(privateDir()).join(' ').toStdString();
        EXPECT_TRUE(leftInTemporaryFolder().isEmpty()) << leftInTemporaryFolder().join(' ').toStdString();
    }
    // The test's own temporary folders live there too.
    QStringList leftInTemporaryFolder() const { return QDir(tmpDir.path()).entryList({QStringLiteral("qintara-*")}, QDir::AllEntries | QDir::Hidden); }
    void useRecorder(rt::RecordingAutomation::Faults faults) {
        recorder = std::make_shared<rt::RecordingAutomation>(faults);
        rt::setAutomationServer(recorder);
    }

    QTemporaryDir runtimeDir, tmpDir;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnv;
    FixedClock clock{777};
    std::unique_ptr<app::MainWindow> main = makeMainWindow();
    MessageRecorder messages;
    std::shared_ptr<rt::RecordingAutomation> recorder = std::make_shared<rt::RecordingAutomation>();
};

TEST_F(PrintTest, IssuesTheWholeSequenceOnAPrivateFileOfItsOwnAndRemovesItAfterwards) {
    generate();
    struct stat folder {};
    recorder->onCall = [&](const RecordedCall& c) {
        if (c.member == "Open") lstat(QFile::encodeName(QFileInfo(QString::fromStdU16String(c.args[0].string)).absolutePath()), &folder);
    };
    clickPrint();
    const std::vector<QString> opened = openedPaths(recorder->calls());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(recorder->calls(), onePrint(1, opened[0].toStdU16String())) << describe(recorder->calls());
    EXPECT_EQ(recorder->openedFiles(), std::vector<std::string>{letter()});
    EXPECT_TRUE(messages.shown.empty());
    // Named for the document, alone in a folder of its own in the private folder.
    EXPECT_EQ(QFileInfo(opened[0]).fileName(), QStringLiteral("入党申请书.txt"));
    EXPECT_EQ(QFileInfo(QFileInfo(opened[0]).absolutePath()).absolutePath(), privateDir());
    EXPECT_TRUE(S_ISDIR(folder.st_mode));
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(privateDir()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    expectNothingLeft();
}

TEST_F(PrintTest, TwoPrintsRunTheSequenceTwiceEachOnItsOwnFile) {
    generate();
    // A longer letter first, then a shorter one.
    main->letterBox.setText(main->letterBox.text() + main->letterBox.text());
    const std::string first = letter();
    clickPrint();
    generate("李四");
    clickPrint();
    const std::vector<QString> opened = openedPaths(recorder->calls());
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_NE(opened[0], opened[1]);
    std::vector<RecordedCall> want = onePrint(1, opened[0].toStdU16String());
    const std::vector<RecordedCall> second = onePrint(2, opened[1].toStdU16String());
    want.insert(want.end(), second.begin(), second.end());
    EXPECT_EQ(recorder->calls(), want) << describe(recorder->calls());
    EXPECT_EQ(recorder->openedFiles(), (std::vector<std::string>{first, letter()}));
    EXPECT_TRUE(messages.shown.empty());
    expectNothingLeft();
}

TEST_F(PrintTest, TheTwoChecksShowOnlyTheirMessageAndTouchNothing) {
    struct Case {
        const char* name;
        bool installed;
        bool withLetter;
        ShownMessage message;
    } cases[] = {
        {"NotInstalledWithALetter", false, true, kNotInstalled},
        {"NotInstalledWithoutALetter", false, false, kNotInstalled},
        {"NoLetter", true, false, kNoLetter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main = makeMainWindow();
        useRecorder({});
        rt::setRegistryValue(rt::LocalMachine, kWordPath, c.installed);
        if (c.withLetter) generate();
        messages.shown.clear();
        clickPrint();
        EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{c.message}));
        EXPECT_TRUE(recorder->calls().empty()) << describe(recorder->calls());
        expectNothingLeft();
    }
}

TEST_F(PrintTest, WhateverTheWordProcessorAnswersNothingIsShownAndTheFileIsRemoved) {
    struct Case {
        const char* name;
        rt::RecordingAutomation::Faults faults;
        std::vector<std::string> members;
    } cases[] = {
        {"CannotStart", {.startFails = true}, {"CreateObject"}},
        // No document: nothing is printed or closed, but the application quits.
        {"CannotOpen",
         {.openFails = true},
         {"CreateObject", "ConnectEvents", "Documents", "Parent", "Selection", "Font", "Size", "Open", "Visible", "Quit"}},
    };
    generate();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useRecorder(c.faults);
        clickPrint();
        std::vector<std::string> members;
        for (const RecordedCall& call : recorder->calls()) members.push_back(call.member);
        EXPECT_EQ(members, c.members);
        EXPECT_TRUE(messages.shown.empty());
        expectNothingLeft();
    }
}

// Another print, of this window or another instance, that runs while this one
// is between writing its letter and opening it (a slow disk), or someone who
// swaps the file meanwhile.
TEST_F(PrintTest, TheDocumentOpenedIsTheLetterJustWritten) {
    auto other = makeMainWindow();
    generateIn(*other, "李四");
    generate();
    const std::string mine = letter();
    ASSERT_NE(other->letterBox.text().bytes(), mine);

    bool interleaved = false;
    recorder->onCall = [&](const RecordedCall& c) {
        if (c.member != "Size" || interleaved) return;
        interleaved = true;
        QTest::mouseClick(other->printButton.widget(), Qt::LeftButton);
    };
    clickPrint();
    ASSERT_TRUE(interleaved);
    ASSERT_EQ(recorder->openedFiles().size(), 2u);
    EXPECT_EQ(recorder->openedFiles()[0], other->letterBox.text().bytes()) << "the print in between";
    EXPECT_EQ(recorder->openedFiles()[1], mine) << "this print still prints its own letter";
    EXPECT_TRUE(messages.shown.empty());
    expectNothingLeft();

    // A file put in its place is not opened; the user is told.
    useRecorder({});
    recorder->onCall = [&](const RecordedCall& c) {
        if (c.member != "Size") return;
        const QString file = QDir(privateDir()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot).front().filePath() +
                             QStringLiteral("/入党申请书.txt");
        QFile::remove(file);
        QFile planted(file);
        ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
        planted.write("somebody else's letter");
    };
    clickPrint();
    EXPECT_TRUE(openedPaths(recorder->calls()).empty()) << describe(recorder->calls());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "提示：");
    EXPECT_NE(messages.shown[0].text.find("入党申请书没有打印"), std::string::npos) << messages.shown[0].text;
    EXPECT_NE(messages.shown[0].text.find("替换"), std::string::npos) << messages.shown[0].text;
    expectNothingLeft();
}

TEST_F(PrintTest, APrintFileThatCannotBeWrittenIsNotPrintedAndTheUserIsToldWhyInChinese) {
    QTemporaryDir mountPoint;
    std::optional<TinyFileSystem> fs;
    struct Case {
        const char* name;
        std::string reason;
        std::function<bool()> arrange;  // false: the case cannot be set up here
    } cases[] = {
        {"NoUsableFolder", "文件夹不存在",
         [&] {
             setenv("XDG_RUNTIME_DIR", "", 1);
             setenv("TMPDIR", tmpDir.filePath(QStringLiteral("gone")).toLocal8Bit().constData(), 1);
             return true;
         }},
        {"FileSizeLimit", "文件超过了允许的大小", [] { return true; }},
        {"DiskFull", "磁盘空间不足",
         [&] {
             fs.emplace(mountPoint.path());
             if (!fs->mounted()) return false;
             QDir(mountPoint.path()).mkdir(QStringLiteral("qintara"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
             fs->fill();
             setenv("XDG_RUNTIME_DIR", mountPoint.path().toLocal8Bit().constData(), 1);
             return true;
         }},
        {"ReadOnlyFileSystem", "文件系统是只读的",
         [&] {
             fs.emplace(mountPoint.path());
             if (!fs->mounted() || !fs->makeReadOnly()) return false;
             setenv("XDG_RUNTIME_DIR", "", 1);
             setenv("TMPDIR", mountPoint.path().toLocal8Bit().constData(), 1);
             return true;
         }},
    };
    generate();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit().constData(), 1);
        setenv("TMPDIR", tmpDir.path().toLocal8Bit().constData(), 1);
        useRecorder({});
        messages.shown.clear();
        fs.reset();
        if (!c.arrange()) {
            std::cout << "case " << c.name << " not run: needs root to mount a small file system\n";
            continue;
        }
        {
            std::optional<FileSizeLimit> limit;
            if (std::string(c.name) == "FileSizeLimit") limit.emplace(16);
            clickPrint();
        }
        EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{
                                      {" 入党申请书没有打印！无法写入打印用的临时文件：" + c.reason + " ", "提示："}}));
        EXPECT_TRUE(recorder->calls().empty()) << "nothing is printed: " << describe(recorder->calls());
    }
    fs.reset();
    setenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit().constData(), 1);
    setenv("TMPDIR", tmpDir.path().toLocal8Bit().constData(), 1);
    expectNothingLeft();
}

TEST_F(PrintTest, AnUnsafePrivateDirectoryIsNotUsed) {
    QTemporaryDir shared;
    QFile::setPermissions(shared.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                             QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    struct Case {
        const char* name;
        std::function<void(const QString& qintaraDir)> plant;
    } cases[] = {
        {"LinkToASharedFolder", [&](const QString& d) { ASSERT_TRUE(QFile::link(shared.path(), d)); }},
        {"OpenToOthers",
         [](const QString& d) {
             QDir().mkpath(d);
             QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                          QFileDevice::WriteOther | QFileDevice::ExeOther);
         }},
    };
    generate();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir runtime;
        setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
        const QString planted = runtime.filePath(QStringLiteral("qintara"));
        c.plant(planted);
        useRecorder({});
        struct stat folder {};
        recorder->onCall = [&](const RecordedCall& call) {
            if (call.member == "Open")
                lstat(QFile::encodeName(QFileInfo(QString::fromStdU16String(call.args[0].string)).absolutePath()), &folder);
        };
        clickPrint();
        const std::vector<QString> opened = openedPaths(recorder->calls());
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_FALSE(opened[0].startsWith(planted));
        EXPECT_TRUE(opened[0].startsWith(tmpDir.path() + QStringLiteral("/qintara-"))) << opened[0].toStdString();
        EXPECT_EQ(recorder->openedFiles(), std::vector<std::string>{letter()});
        EXPECT_TRUE(QDir(shared.path()).isEmpty());
        EXPECT_TRUE(everythingIn(planted).isEmpty());
        EXPECT_TRUE(S_ISDIR(folder.st_mode));
        EXPECT_EQ(folder.st_mode & 0777, 0700u);
        EXPECT_TRUE(leftInTemporaryFolder().isEmpty()) << "no qintara-XXXXXX folder is left";
    }
}

}  // namespace
