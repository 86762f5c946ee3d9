#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

#include "runtime/save_dialog.h"
#include "tests/support/fixtures.h"

namespace {

using namespace testing_support;

const std::string kTitle = "提示：";
const std::string kNoLetter = " 没有生成入党申请书范文，无法保存！ ";
const std::string kNoFile = " 没有指定保存的文件及路径！ ";

std::string saved(const std::string& path) { return " 成功保存为 " + path + " WORD文件！ "; }

std::string readFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll().toStdString();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Answers the save dialog as a user would, recording where it opened.
class DialogAnswers {
public:
    DialogAnswers() {
        rt::setSaveDialogAnswer([this](const rt::Text& start) -> std::optional<rt::Text> {
            starts.push_back(start.toUtf8());
            if (!next) return std::nullopt;
            return rt::Text::fromUtf8(*next);
        });
    }
    ~DialogAnswers() { rt::setSaveDialogAnswer(nullptr); }
    std::optional<std::string> next;  // nothing: the user cancels
    std::vector<std::string> starts;
};

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        main->window.widget()->show();
    }
    std::string path(const char* name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }
    void generate(const char* name = "张三") {
        main->nameBox.setText(rt::Text::fromUtf8(name));
        QTest::mouseClick(main->generateButton.widget(), Qt::LeftButton);
        messages.shown.clear();
    }
    void clickSave() { QTest::mouseClick(main->saveButton.widget(), Qt::LeftButton); }
    std::string letterBytes() const { return main->letterBox.text().bytes(); }

    QTemporaryDir dir;
    FixedClock clock{12345};
    std::unique_ptr<app::MainWindow> main = makeMainWindow();
    MessageRecorder messages;
    DialogAnswers dialog;
};

TEST_F(SaveTest, WritesExactlyTheBytesOfLetterBoxIncludingTheUsersEdits) {
    generate();
    // An edit typed into the letter, Chinese and a new line, ends up in the file.
    QTest::keyClick(letterWidget(*main), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(letterWidget(*main), Qt::Key_Return);
    typeText(letterWidget(*main), QStringLiteral("此致 李四"));
    const std::string letter = letterBytes();
    ASSERT_NE(letter.find("\r\n\xB4\xCB\xD6\xC2 \xC0\xEE\xCB\xC4"), std::string::npos) << "edit is in the box, GB18030 with CR LF";

    dialog.next = path("申请书.doc");
    clickSave();

    const std::string written = readFile(*dialog.next);
    EXPECT_EQ(written, letter);
    EXPECT_EQ(written.size(), letter.size());
    EXPECT_NE(written.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(written.find('\n'), written.find("\r\n") + 1) << "line breaks are CR LF";
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{saved(*dialog.next), kTitle}}));
}

TEST_F(SaveTest, ReplacesALongerFileWithExactlyTheNewBytes) {
    generate();
    const std::string target = path("old.doc");
    writeBytes(target, std::string(letterBytes().size() * 3, 'x'));
    dialog.next = target;
    clickSave();
    EXPECT_EQ(readFile(target), letterBytes());
}

TEST_F(SaveTest, StopsWithItsMessageWhenThereIsNothingToSaveOrNoFileChosen) {
    struct Case {
        const char* name;
        bool withLetter;
        std::optional<std::string> answer;
        std::string message;
        std::size_t dialogsShown;
    } cases[] = {
        {"EmptyLetterBoxNeverOpensTheDialog", false, "unused.doc", kNoLetter, 0},
        {"CancelledDialog", true, std::nullopt, kNoFile, 1},
        {"EmptyFileName", true, "", kNoFile, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main = makeMainWindow();
        if (c.withLetter) generate();
        dialog.starts.clear();
        dialog.next = c.answer ? std::optional(c.answer->empty() ? "" : path(c.answer->c_str())) : std::nullopt;
        clickSave();
        EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{c.message, kTitle}}));
        EXPECT_EQ(dialog.starts.size(), c.dialogsShown);
        EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "nothing is written";
        EXPECT_TRUE(main->saveDialog.fileName().empty());
        messages.shown.clear();
    }
}

TEST_F(SaveTest, CancelAfterASaveLeavesTheSavedFileAndTheRememberedPath) {
    generate();
    const std::string target = path("first.doc");
    dialog.next = target;
    clickSave();
    const std::string first = readFile(target);

    generate("李四");
    dialog.next.reset();
    messages.shown.clear();
    clickSave();

    EXPECT_EQ(readFile(target), first);
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{kNoFile, kTitle}}));
    EXPECT_EQ(main->saveDialog.fileName().toUtf8(), target);
}

TEST_F(SaveTest, TheNextSaveOpensAtTheLastConfirmedPath) {
    generate();
    dialog.next = path("first.doc");
    clickSave();
    dialog.next = path("second.doc");
    clickSave();
    clickSave();
    EXPECT_EQ(dialog.starts, (std::vector<std::string>{"", path("first.doc"), path("second.doc")}));
}

// Fails the next writes of this process beyond `bytes`: a full disk, which
// root meets too (it writes through permissions).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(SaveTest, AFailedWriteSaysSoWithThePathAndLeavesTheOldFileAsItWas) {
    const std::string plainFile = path("plain");
    writeBytes(plainFile, "not a folder");
    const std::string oldBytes = "the letter saved last week\r\n";
    const std::string readOnly = path("readonly");
    QDir().mkpath(QString::fromStdString(readOnly));
    writeBytes(readOnly + "/letter.doc", oldBytes);
    QFile::setPermissions(QString::fromStdString(readOnly), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const std::string full = path("full.doc");
    writeBytes(full, oldBytes);

    struct Case {
        const char* name;
        std::string target;
        bool hasOldFile;
        bool onlyWithoutRoot;  // root writes into read-only folders
    } cases[] = {
        {"MissingFolder", path("no such folder") + "/letter.doc", false, false},
        {"FolderIsAFile", plainFile + "/letter.doc", false, false},
        {"ReadOnlyFolder", readOnly + "/letter.doc", true, true},
        {"DiskFull", full, true, false},
    };
    generate();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.onlyWithoutRoot && geteuid() == 0) continue;
        messages.shown.clear();
        dialog.next = c.target;
        {
            std::optional<FileSizeLimit> limit;
            if (std::string(c.name) == "DiskFull") limit.emplace(16);
            clickSave();
        }
        ASSERT_EQ(messages.shown.size(), 1u);
        const ShownMessage& shown = messages.shown.front();
        EXPECT_EQ(shown.title, kTitle);
        EXPECT_NE(shown.text.find("没有保存"), std::string::npos) << shown.text;
        EXPECT_NE(shown.text.find(c.target), std::string::npos) << "names the path: " << shown.text;
        EXPECT_GT(shown.text.size(), std::string(" 申请书没有保存！无法写入 ").size() + c.target.size() + 6)
            << "gives the system's reason: " << shown.text;
        EXPECT_EQ(shown.text.find("成功"), std::string::npos);
        EXPECT_EQ(readFile(c.target), c.hasOldFile ? oldBytes : "<missing>");
    }
    QFile::setPermissions(QString::fromStdString(readOnly), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(QDir(QString::fromStdString(readOnly)).entryList(QDir::Files), QStringList{"letter.doc"})
        << "no temporary file is left behind";
}

// The real dialog, driven the way a user drives it.
class RealSaveDialogTest : public SaveTest {
protected:
    void SetUp() override {
        SaveTest::SetUp();
        rt::setSaveDialogAnswer(nullptr);
    }
    // Runs `step` on the dialog once it is up, from inside its modal loop.
    template <class Widget>
    static void whenShown(std::function<void(Widget*)> step) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [poll, step] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* found = qobject_cast<Widget*>(w);
                if (found == nullptr || !found->isVisible()) continue;
                poll->stop();
                poll->deleteLater();
                step(found);
                return;
            }
        });
        poll->start(10);
    }
    static void typeNameAndEnter(QFileDialog* d, const QString& name) {
        auto* box = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(box, nullptr);
        box->setText(name);
        QTest::keyClick(box, Qt::Key_Return);
    }
};

TEST_F(RealSaveDialogTest, HasTheFixedSettingsAndAddsDocToABareName) {
    generate();
    // A bare name is relative to the current folder, where the dialog opens first.
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto restore = qScopeGuard([&] { QDir::setCurrent(previousFolder); });
    whenShown<QFileDialog>([this](QFileDialog* d) {
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(d->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_FALSE(d->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(d->nameFilters(), QStringList{QStringLiteral("要保存的申请书文件名 (*.doc)")});
        EXPECT_EQ(d->defaultSuffix(), QStringLiteral("doc"));
        typeNameAndEnter(d, QStringLiteral("我的申请书"));
    });
    clickSave();
    const std::string target = path("我的申请书.doc");
    EXPECT_EQ(readFile(target), letterBytes());
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{saved(target), kTitle}}));

    // The next run opens in the same folder with that name filled in.
    whenShown<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->selectedFiles(), QStringList{QString::fromStdString(target)});
        EXPECT_EQ(d->directory().absolutePath(), dir.path());
        d->reject();
    });
    messages.shown.clear();
    clickSave();
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{kNoFile, kTitle}}));
}

TEST_F(RealSaveDialogTest, AsksBeforeReplacingAndDecliningReturnsToTheDialog) {
    generate();
    const std::string target = path("exists.doc");
    writeBytes(target, "keep me");
    bool asked = false;
    whenShown<QFileDialog>([&](QFileDialog* d) {
        whenShown<QMessageBox>([&, d](QMessageBox* question) {
            asked = true;
            question->button(QMessageBox::No)->click();
            // Back in the dialog, which is still open; the user gives up.
            whenShown<QFileDialog>([](QFileDialog* again) { again->reject(); });
            EXPECT_TRUE(d->isVisible());
        });
        typeNameAndEnter(d, QString::fromStdString(target));
    });
    clickSave();
    EXPECT_TRUE(asked);
    EXPECT_EQ(readFile(target), "keep me");
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{kNoFile, kTitle}}));
}

}  // namespace
