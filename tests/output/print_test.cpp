#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <sys/stat.h>

#include "output/print.h"
#include "runtime/automation_recording.h"
#include "runtime/registry.h"
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

std::string readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
}

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtimeDir.isValid());
        previousRuntimeDir = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
        setenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit().constData(), 1);
        rt::setAutomationServer(recorder);
        main->window.widget()->show();
    }
    void TearDown() override {
        rt::setAutomationServer(nullptr);
        rt::setRegistryValue(rt::LocalMachine, kWordPath, true);
        setenv("XDG_RUNTIME_DIR", previousRuntimeDir.c_str(), 1);
    }
    void generate(const char* name = "张三") {
        main->nameBox.setText(rt::Text::fromUtf8(name));
        QTest::mouseClick(main->generateButton.widget(), Qt::LeftButton);
        messages.shown.clear();
    }
    void clickPrint() { QTest::mouseClick(main->printButton.widget(), Qt::LeftButton); }
    QString printFile() const { return QString::fromStdString(output::printFilePath().toUtf8()); }
    std::u16string printFile16() const { return printFile().toStdU16String(); }
    void useRecorder(rt::RecordingAutomation::Faults faults) {
        recorder = std::make_shared<rt::RecordingAutomation>(faults);
        rt::setAutomationServer(recorder);
    }

    QTemporaryDir runtimeDir;
    std::string previousRuntimeDir;
    FixedClock clock{777};
    std::unique_ptr<app::MainWindow> main = makeMainWindow();
    MessageRecorder messages;
    std::shared_ptr<rt::RecordingAutomation> recorder = std::make_shared<rt::RecordingAutomation>();
};

TEST_F(PrintTest, IssuesTheWholeSequenceAndWritesTheLetterToThePrivateFile) {
    generate();
    clickPrint();
    EXPECT_EQ(recorder->calls(), onePrint(1, printFile16())) << describe(recorder->calls());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(readFile(printFile()), main->letterBox.text().bytes());
    EXPECT_EQ(QFileInfo(printFile()).absolutePath(), runtimeDir.filePath(QStringLiteral("qintara")));
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(runtimeDir.filePath(QStringLiteral("qintara"))).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(PrintTest, TwoPrintsRunTheSequenceTwiceEachWithANewApplication) {
    generate();
    // A longer letter first, then a shorter one: the file holds only the second.
    main->letterBox.setText(main->letterBox.text() + main->letterBox.text());
    clickPrint();
    generate("李四");
    clickPrint();
    std::vector<RecordedCall> want = onePrint(1, printFile16());
    const std::vector<RecordedCall> second = onePrint(2, printFile16());
    want.insert(want.end(), second.begin(), second.end());
    EXPECT_EQ(recorder->calls(), want) << describe(recorder->calls());
    EXPECT_EQ(readFile(printFile()), main->letterBox.text().bytes());
    EXPECT_TRUE(messages.shown.empty());
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
    const std::string earlier = "an earlier letter\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main = makeMainWindow();
        useRecorder({});
        QDir().mkpath(QFileInfo(printFile()).absolutePath());
        QFile::remove(printFile());
        if (c.installed) {
            QFile file(printFile());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(earlier.data(), static_cast<qint64>(earlier.size()));
        }
        rt::setRegistryValue(rt::LocalMachine, kWordPath, c.installed);
        if (c.withLetter) generate();
        messages.shown.clear();
        clickPrint();
        EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{c.message}));
        EXPECT_TRUE(recorder->calls().empty()) << describe(recorder->calls());
        EXPECT_EQ(readFile(printFile()), c.installed ? earlier : "<missing>");
    }
}

TEST_F(PrintTest, WhenTheWordProcessorCannotStartTheFileIsStillWrittenAndNothingIsShown) {
    useRecorder({.startFails = true});
    generate();
    clickPrint();
    EXPECT_EQ(recorder->calls(), (std::vector<RecordedCall>{{"", "CreateObject", 0, InvokeKind::Method, {s(u"Word.Application")}}}))
        << describe(recorder->calls());
    EXPECT_EQ(readFile(printFile()), main->letterBox.text().bytes());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PrintTest, WhenTheFileCannotBeOpenedNothingIsPrintedOrClosedButTheApplicationQuits) {
    useRecorder({.openFails = true});
    generate();
    clickPrint();
    std::vector<std::string> members;
    for (const RecordedCall& c : recorder->calls()) members.push_back(c.member);
    EXPECT_EQ(members, (std::vector<std::string>{"CreateObject", "ConnectEvents", "Documents", "Parent", "Selection", "Font",
                                                 "Size", "Open", "Visible", "Quit"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PrintTest, ALinkPlantedAtThePrintFileIsReplacedNotWrittenThrough) {
    generate();
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("victim.txt"));
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("precious");
    }
    QDir().mkpath(QFileInfo(printFile()).absolutePath());
    ASSERT_TRUE(QFile::link(victim, printFile()));
    clickPrint();
    EXPECT_EQ(readFile(victim), "precious");
    EXPECT_FALSE(QFileInfo(printFile()).isSymLink());
    EXPECT_EQ(readFile(printFile()), main->letterBox.text().bytes());
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
        clickPrint();
        EXPECT_FALSE(printFile().startsWith(planted));
        EXPECT_TRUE(QDir(shared.path()).isEmpty());
        EXPECT_TRUE(QDir(planted).entryList(QDir::Files).isEmpty());
        EXPECT_EQ(readFile(printFile()), main->letterBox.text().bytes());
        struct stat info {};
        ASSERT_EQ(lstat(QFile::encodeName(QFileInfo(printFile()).absolutePath()).constData(), &info), 0);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
}

}  // namespace
