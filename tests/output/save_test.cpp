// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <iostream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/save_dialog.h"
#include "tests/support/file_faults.h"
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

std::string linkTarget(const std::string& link) {
    char target[4096];
    const ssize_t n = readlink(link.c_str(), target, sizeof target);
    return n < 0 ? "<not a link>" : std::string(target, static_cast<std::size_t>(n));
}

std::string failed(const std::string& path, const std::string& reason) {
    return " 入党申请书没有保存！无法写入 " + path + " ：" + reason + " ";
}

TEST_F(SaveTest, AFailedWriteSaysWhyInChineseAndLeavesTheOldFileAsItWas) {
    const std::string plainFile = path("plain");
    writeBytes(plainFile, "not a folder");
    const std::string oldBytes = "the letter saved last week\r\n";
    const std::string readOnly = path("readonly");
    QDir().mkpath(QString::fromStdString(readOnly));
    writeBytes(readOnly + "/letter.doc", oldBytes);
    QFile::setPermissions(QString::fromStdString(readOnly), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const std::string limited = path("limited.doc");
    writeBytes(limited, oldBytes);
    const std::string small = path("small");
    QDir().mkpath(QString::fromStdString(small));
    std::optional<TinyFileSystem> fs;

    struct Case {
        const char* name;
        std::string target;
        std::string reason;
        std::string left;  // what the target holds afterwards
        std::function<bool()> arrange = [] { return true; };  // false: cannot be set up here
    } cases[] = {
        {"MissingFolder", path("no such folder") + "/letter.doc", "文件夹不存在", "<missing>"},
        {"FolderIsAFile", plainFile + "/letter.doc", "路径中有一项不是文件夹", "<missing>"},
        // Root writes into read-only folders.
        {"ReadOnlyFolder", readOnly + "/letter.doc", "没有写入的权限", oldBytes, [] { return geteuid() != 0; }},
        {"NameTooLong", path(std::string(300, 'x').c_str()) + ".doc", "文件名太长", "<missing>"},
        // Root may create files in /dev: the device is not swapped for a file.
        {"Device", "/dev/null", "这个名字属于设备或其他特殊文件，不是普通文件", ""},
        {"FileSizeLimit", limited, "文件超过了允许的大小", oldBytes},
        {"DiskFull", small + "/letter.doc", "磁盘空间不足", oldBytes,
         [&] {
             fs.emplace(QString::fromStdString(small));
             if (!fs->mounted()) return false;
             writeBytes(small + "/letter.doc", oldBytes);
             fs->fill();
             return true;
         }},
        {"ReadOnlyFileSystem", small + "/letter.doc", "文件系统是只读的", oldBytes,
         [&] {
             fs.emplace(QString::fromStdString(small));
             if (!fs->mounted()) return false;
             writeBytes(small + "/letter.doc", oldBytes);
             return fs->makeReadOnly();
         }},
    };
    generate();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs.reset();
        if (!c.arrange()) {
            std::cout << "case " << c.name << " not run: not possible for this user\n";
            continue;
        }
        messages.shown.clear();
        dialog.next = c.target;
        {
            std::optional<FileSizeLimit> limit;
            if (std::string(c.name) == "FileSizeLimit") limit.emplace(16);
            clickSave();
        }
        EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{failed(c.target, c.reason), kTitle}}));
        EXPECT_EQ(readFile(c.target), c.left);
        EXPECT_EQ(QDir(QFileInfo(QString::fromStdString(c.target)).absolutePath()).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral(".saving-")),
                  QStringList()) << "no temporary file is left behind";
    }
    fs.reset();
    struct stat null {};
    EXPECT_TRUE(stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode));
    QFile::setPermissions(QString::fromStdString(readOnly), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// Links of the user's own are followed as the shell follows them: the file
// they lead to is replaced and the link stays.
TEST_F(SaveTest, FollowsTheUsersOwnLinks) {
    const std::string folder = path("folder");
    QDir().mkpath(QString::fromStdString(folder));
    struct Case {
        const char* name;
        std::string link;
        std::string linkTarget;
        std::string saveTo;
        std::string writtenFile;
    } cases[] = {
        {"ToAFile", path("to-file.doc"), folder + "/existing.doc", path("to-file.doc"), folder + "/existing.doc"},
        {"Dangling", path("dangling.doc"), folder + "/new.doc", path("dangling.doc"), folder + "/new.doc"},
        {"Relative", path("relative.doc"), "folder/relative-target.doc", path("relative.doc"), folder + "/relative-target.doc"},
        {"ToAFolder", path("to-folder"), folder, path("to-folder") + "/in-folder.doc", folder + "/in-folder.doc"},
    };
    writeBytes(folder + "/existing.doc", "an old, longer letter that is replaced whole");
    generate();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(symlink(c.linkTarget.c_str(), c.link.c_str()), 0);
        messages.shown.clear();
        dialog.next = c.saveTo;
        clickSave();
        EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{saved(c.saveTo), kTitle}}));
        EXPECT_EQ(readFile(c.writtenFile), letterBytes());
        EXPECT_EQ(linkTarget(c.link), c.linkTarget) << "the link stays";
    }

    // A loop of links is an error, not a hang.
    ASSERT_EQ(symlink("loop-b", path("loop-a").c_str()), 0);
    ASSERT_EQ(symlink("loop-a", path("loop-b").c_str()), 0);
    messages.shown.clear();
    dialog.next = path("loop-a");
    clickSave();
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{failed(path("loop-a"), "路径中的链接层数太多"), kTitle}}));
}

// Two users besides root, made for the test and removed after it, and
// fs.protected_symlinks set to 1 (Debian's default) meanwhile, so that the
// kernel's own verdict on each link can be compared with the save's.
class TwoUsers {
public:
    TwoUsers() {
        const std::string suffix = std::to_string(getpid());
        for (const char* role : {"planter", "owner"}) {
            const std::string name = "qintara-" + std::string(role) + "-" + suffix;
            if (std::system(("useradd -M -N -r -s /usr/sbin/nologin " + name + " 2>/dev/null").c_str()) != 0) return;
            names_.push_back(name);
            const passwd* entry = getpwnam(name.c_str());
            if (entry == nullptr) return;
            uids_.push_back(entry->pw_uid);
        }
        QFile rule(QStringLiteral("/proc/sys/fs/protected_symlinks"));
        if (rule.open(QIODevice::ReadWrite)) {
            previousRule_ = rule.readAll().trimmed();
            ruleSet_ = rule.seek(0) && rule.write("1\n") == 2;
        }
    }
    ~TwoUsers() {
        if (ruleSet_) {
            QFile rule(QStringLiteral("/proc/sys/fs/protected_symlinks"));
            if (rule.open(QIODevice::WriteOnly)) rule.write(previousRule_ + '\n');
        }
        for (const std::string& name : names_) std::system(("userdel " + name + " 2>/dev/null").c_str());
    }
    bool made() const { return uids_.size() == 2; }
    uid_t planter() const { return uids_[0]; }
    uid_t folderOwner() const { return uids_[1]; }
    bool kernelRuleOn() const { return ruleSet_; }

private:
    std::vector<std::string> names_;
    std::vector<uid_t> uids_;
    QByteArray previousRule_;
    bool ruleSet_ = false;
};

// Another user plants links in a shared sticky folder (as /tmp): the save
// refuses the links the kernel refuses to follow, says why, and neither
// writes nor creates what they point at.
TEST_F(SaveTest, NeverFollowsALinkAnotherUserPlantedInASharedFolder) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to create two users and set fs.protected_symlinks";
    TwoUsers users;
    if (!users.made()) GTEST_SKIP() << "useradd failed";
    const std::string shared = path("shared"), home = path("home");
    QDir().mkpath(QString::fromStdString(shared));
    QDir().mkpath(QString::fromStdString(home));
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    ASSERT_EQ(chown(shared.c_str(), users.folderOwner(), 0), 0);
    const std::string notes = home + "/notes.txt", precious = "the victim's own notes\n";
    writeBytes(notes, precious);

    struct Case {
        const char* name;
        std::string link;
        std::string linkTarget;
        uid_t linkOwner;
        std::string saveTo;
        bool refused;
        std::string reached;  // the file the link leads to
    } cases[] = {
        {"PlantedLinkToAFile", shared + "/letter.doc", notes, users.planter(), shared + "/letter.doc", true, notes},
        {"PlantedDanglingLink", shared + "/new.doc", home + "/created.txt", users.planter(), shared + "/new.doc", true,
         home + "/created.txt"},
        {"PlantedLinkToAFolder", shared + "/docs", home, users.planter(), shared + "/docs/letter.doc", true, home + "/letter.doc"},
        {"TheFolderOwnersLink", shared + "/owners.doc", home + "/owners-target.doc", users.folderOwner(),
         shared + "/owners.doc", false, home + "/owners-target.doc"},
        {"TheUsersOwnLink", shared + "/mine.doc", home + "/my-target.doc", geteuid(), shared + "/mine.doc", false,
         home + "/my-target.doc"},
    };
    generate();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(symlink(c.linkTarget.c_str(), c.link.c_str()), 0);
        ASSERT_EQ(lchown(c.link.c_str(), c.linkOwner, 0), 0);
        const std::string before = readFile(c.reached);
        // The kernel applies its rule to the last link of a path only; the
        // save refuses a planted link to a folder as well.
        if (users.kernelRuleOn() && c.saveTo == c.link) {
            const int fd = open(c.saveTo.c_str(), O_RDONLY);
            const bool kernelRefuses = fd < 0 && errno == EACCES;
            if (fd >= 0) close(fd);
            EXPECT_EQ(kernelRefuses, c.refused) << "the kernel's own verdict";
        }
        messages.shown.clear();
        dialog.next = c.saveTo;
        clickSave();
        if (c.refused) {
            EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{failed(c.saveTo, "这是其他用户在共享文件夹中建立的链接，为了安全不能通过它写入"), kTitle}}));
            EXPECT_EQ(readFile(c.reached), before) << "nothing written or created through the link";
            EXPECT_EQ(linkTarget(c.link), c.linkTarget) << "the link is left alone";
        } else {
            EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{saved(c.saveTo), kTitle}}));
            EXPECT_EQ(readFile(c.reached), letterBytes());
            EXPECT_EQ(linkTarget(c.link), c.linkTarget);
        }
    }
    EXPECT_EQ(readFile(notes), precious);
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
