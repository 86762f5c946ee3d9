// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shutdown, each test with an application of its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <functional>
#include <cstdlib>

#include "app/globals.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "letter/corpus.h"
#include "runtime/application.h"
#include "runtime/controls.h"
#include "runtime/private_files.h"
#include "runtime/window.h"

namespace {

int argc = 1;
char name[] = "lifecycle_tests";
char* argv[] = {name, nullptr};

const rt::ControlDesign kButton[] = {
    {.name = "Button", .unitName = "按钮1", .type = rt::ControlType::SuperBtn, .left = 5, .top = 5, .width = 80, .height = 24,
     .tabStop = true, .text = "OK"},
};
const rt::WindowDesign kPlain{.name = "Plain", .caption = "plain", .outerWidth = 206, .outerHeight = 132,
                              .clientWidth = 200, .clientHeight = 100, .controls = kButton};
const rt::WindowDesign kGate{.name = "Gate", .caption = "gate", .outerWidth = 206, .outerHeight = 132,
                             .clientWidth = 200, .clientHeight = 100, .systemMenu = false, .minimiseBox = false,
                             .escapeCloses = true, .controls = kButton};

// Counts the times a widget is shown.
struct ShowCounter : QObject {
    int shows = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) ++shows;
        return false;
    }
};

TEST(Lifecycle, ClosingTheLastWindowRunsTheCleanupOnce) {
    int cleanups = 0;
    {
        rt::Application application(argc, argv);
        application.registerExitCleanup([&] { ++cleanups; });
        rt::Window window(kPlain);
        application.loadStartupWindow(window, nullptr);
        QTimer::singleShot(50, window.widget(), [&] { window.widget()->close(); });
        EXPECT_EQ(application.messageLoop(), 0);
        EXPECT_EQ(cleanups, 1);
    }
    EXPECT_EQ(cleanups, 1) << "not again when the run time goes";
}

TEST(Lifecycle, EndingFromAModalWindowNeverShowsTheStartupWindow) {
    int cleanups = 0;
    rt::Application application(argc, argv);
    application.registerExitCleanup([&] { ++cleanups; });
    rt::Window main(kPlain);
    ShowCounter shown;
    main.widget()->installEventFilter(&shown);
    application.loadStartupWindow(main, [&] {
        rt::Window gate(kGate);
        application.loadModal(gate, [&] { QTimer::singleShot(20, [&] { application.endApplication(0); }); });
        EXPECT_EQ(cleanups, 1) << "the clean-up runs as the application ends";
    });
    EXPECT_EQ(application.messageLoop(), 0);
    EXPECT_EQ(shown.shows, 0);
    EXPECT_EQ(cleanups, 1);
}

TEST(Lifecycle, ModalWindowDisablesOthersAndClosesOnceOnADoubleRequest) {
    rt::Application application(argc, argv);
    rt::Window main(kPlain);
    main.widget()->show();
    rt::Window gate(kGate);
    bool mainDisabledMeanwhile = false;
    int returns = 0;
    application.loadModal(gate, [&] {
        QTimer::singleShot(20, [&] {
            mainDisabledMeanwhile = !main.widget()->isEnabled();
            // Two requests before the first is carried out.
            application.destroyWindow(gate);
            application.destroyWindow(gate);
        });
    });
    ++returns;
    EXPECT_TRUE(mainDisabledMeanwhile);
    EXPECT_TRUE(main.widget()->isEnabled()) << "enabled again as it was before";
    EXPECT_FALSE(gate.widget()->isVisible());
    EXPECT_EQ(returns, 1);
}

TEST(Lifecycle, EscapeFromAnyControlClosesAGateWindow) {
    rt::Application application(argc, argv);
    rt::Window gate(kGate);
    application.loadModal(gate, [&] {
        QTimer::singleShot(20, [&] {
            QWidget* button = gate.get<rt::Button>("Button").widget();
            button->setFocus();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(button, &press);
        });
        QTimer::singleShot(3000, gate.widget(), [&] { application.destroyWindow(gate); });
    });
    EXPECT_FALSE(gate.widget()->isVisible());
    EXPECT_FALSE(gate.widget()->windowFlags() & Qt::WindowCloseButtonHint);
}

// The whole start-up: every window that is not MainWindow is asked to close
// (as a reader would close the gate), MainWindow is inspected when it is
// shown and then closed.
TEST(Lifecycle, StartUpPreparesMainWindowBeforeShowingItAndCleansUpOnce) {
    rt::Application application(argc, argv);
    struct Seen {
        bool shown = false;
        std::string salutation;
        int timerPeriod = -1;
        QString nameTip;
        QString pictureTip;
        bool style1Checked = false;
    } seen;
    QTimer closer;
    closer.setInterval(50);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        app::MainWindow* main = app::mainWindow();
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible() || (main != nullptr && top == main->window.widget())) continue;
            top->close();
        }
        if (main == nullptr || !main->window.widget()->isVisible() || seen.shown) return;
        seen.shown = true;
        seen.salutation = app::Salutation.toUtf8();
        seen.timerPeriod = main->bannerTimer.period();
        seen.nameTip = main->nameBox.widget()->toolTip();
        seen.pictureTip = main->bannerPicture.widget()->toolTip();
        seen.style1Checked = main->window.get<rt::CheckBox>("StyleBox1").checked() == 1;
        main->window.widget()->close();
    });
    closer.start();
    EXPECT_EQ(app::StartUp(application), 0);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.salutation, "尊敬的党组织：");
    EXPECT_EQ(seen.timerPeriod, 100);
    EXPECT_EQ(seen.nameTip, QString::fromUtf8("请输入正规的人名，不要有英文、不要有数字。"));
    EXPECT_EQ(rt::Text::fromUtf8(seen.pictureTip.toStdString()).size(), 130u);
    EXPECT_TRUE(seen.pictureTip.endsWith(QString::fromUtf8("那就是 \"为人民服务\"")));
    EXPECT_TRUE(seen.style1Checked);
    EXPECT_TRUE(app::Salutation.empty()) << "released by the clean-up";
    EXPECT_TRUE(app::BannerText.empty());
    EXPECT_TRUE(app::RevealedText.empty());
}

// A print the program ends in the middle of (a long letter, and the user
// ends the program from the progress dialog's window or with a signal)
// never removes its file itself: the end does.
TEST(Lifecycle, EveryWayOutRemovesTheLettersLeftForThePrinter) {
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    struct Case {
        const char* name;
        std::function<void(rt::Application&, rt::Window&)> end;
    } cases[] = {
        {"LastWindowClosed", [](rt::Application&, rt::Window& w) { w.widget()->close(); }},
        {"EndCommand", [](rt::Application& a, rt::Window&) { a.endApplication(0); }},
        {"Terminated", [](rt::Application&, rt::Window&) { ::raise(SIGTERM); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString left;
        {
            rt::Application application(argc, argv);
            rt::Window window(kPlain);
            application.loadStartupWindow(window, nullptr);
            const rt::PrivateFile file = rt::writePrivateFile("入党申请书.txt", "张三的申请书");
            ASSERT_TRUE(file.ok()) << file.reason.toUtf8();
            left = QString::fromStdString(file.path.toUtf8());
            ASSERT_TRUE(QFileInfo::exists(left));
            QTimer::singleShot(20, window.widget(), [&] { c.end(application, window); });
            application.messageLoop();
            EXPECT_FALSE(QFileInfo::exists(left)) << "gone by the time the loop returns";
        }
        EXPECT_TRUE(QDir(runtime.filePath(QStringLiteral("qintara"))).isEmpty());
    }
    qputenv("XDG_RUNTIME_DIR", previous);
}

// A hang-up or an interrupt ends the application the ordinary way, unless
// the program was started with it ignored (nohup, a background job of a
// shell), as well-behaved programs do; the disposition found is put back.
TEST(Lifecycle, SignalsEndTheApplicationUnlessInheritedAsIgnored) {
    struct Case {
        const char* name;
        int number;
        bool inheritedIgnored;
        bool ends;
    } cases[] = {
        {"HangUp", SIGHUP, false, true},
        {"HangUpUnderNohup", SIGHUP, true, false},
        {"Interrupt", SIGINT, false, true},
        {"InterruptInABackgroundJob", SIGINT, true, false},
        {"Terminate", SIGTERM, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        struct sigaction saved {};
        ::sigaction(c.number, nullptr, &saved);
        std::signal(c.number, c.inheritedIgnored ? SIG_IGN : SIG_DFL);
        int cleanups = 0;
        {
            rt::Application application(argc, argv);
            application.registerExitCleanup([&] { ++cleanups; });
            rt::Window window(kPlain);
            application.loadStartupWindow(window, nullptr);
            QTimer::singleShot(20, [&] { ::raise(c.number); });
            QTimer::singleShot(300, window.widget(), [&] { window.widget()->close(); });
            EXPECT_EQ(application.messageLoop(), c.ends ? 128 + c.number : 0);
        }
        EXPECT_EQ(cleanups, 1);
        struct sigaction after {};
        ::sigaction(c.number, nullptr, &after);
        EXPECT_EQ(after.sa_handler, c.inheritedIgnored ? SIG_IGN : SIG_DFL);
        ::sigaction(c.number, &saved, nullptr);
    }
}

}  // namespace

int main(int count, char** values) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&count, values);
    return RUN_ALL_TESTS();
}
