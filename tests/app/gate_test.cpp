// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "app/constitution_window.h"
#include "app/constitution_window_design.h"
#include "app/startup.h"
#include "resources/embedded.h"
#include "runtime/midi.h"
#include "runtime/qt_text.h"
#include "runtime/tab_control.h"
#include "tests/support/fixtures.h"

namespace {

using namespace testing_support;

QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// The music is rendered at about real speed with no audio device, and what
// happens to it is written down as "Started0,Stopped0".
class RecordedMusic {
public:
    RecordedMusic() {
        rt::processMidiPlayer().setOutput(
            rt::MidiOutput{.offline = true,
                           .render = [](std::span<const float>) { std::this_thread::sleep_for(std::chrono::milliseconds(5)); }},
            [this](rt::TuneEvent event, std::size_t tune) {
                static const char* const names[] = {"Started", "Finished", "Skipped", "Stopped"};
                std::lock_guard lock(mutex_);
                if (!log_.empty()) log_ += ',';
                log_ += names[static_cast<int>(event)] + std::to_string(tune);
            });
    }
    ~RecordedMusic() { rt::processMidiPlayer().setOutput({}); }
    std::string log() {
        std::lock_guard lock(mutex_);
        return log_;
    }

private:
    std::mutex mutex_;
    std::string log_;
};

class GateWindowTest : public ::testing::Test {
protected:
    RecordedMusic music;
    std::unique_ptr<app::MainWindow> main = makeMainWindow();
    app::ConstitutionWindow gate;
    QWidget* window() { return gate.window.widget(); }
    QWidget* widget(std::string_view name) { return gate.window.find(name)->widget(); }
    QPlainTextEdit* box(std::string_view name) { return static_cast<QPlainTextEdit*>(widget(name)); }
};

TEST_F(GateWindowTest, IsAFixedCentredWindowWithoutTitleBarButtons) {
    EXPECT_EQ(rt::Text::fromUtf8(app::constitutionWindowDesign().caption).size(), 46u);
    EXPECT_EQ(window()->windowTitle(), QString(31, QLatin1Char(' ')) + qs("中国共产党.党章"));
    EXPECT_EQ(window()->minimumSize(), QSize(661, 588));
    EXPECT_EQ(window()->maximumSize(), QSize(661, 588));
    const Qt::WindowFlags flags = window()->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    for (Qt::WindowType absent : {Qt::WindowSystemMenuHint, Qt::WindowCloseButtonHint, Qt::WindowMinimizeButtonHint,
                                  Qt::WindowMaximizeButtonHint, Qt::WindowStaysOnTopHint})
        EXPECT_FALSE(flags & absent) << absent;
    gate.window.centre();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window()->pos(), QPoint((screen.width() - 667) / 2, (screen.height() - 620) / 2));
}

TEST_F(GateWindowTest, ControlsStandWhereTheirRowsPutThem) {
    window()->show();
    struct Case {
        const char* name;
        QRect geometry;
        QString parent;
    } cases[] = {
        {"ConstitutionTabs", {0, 0, 661, 552}, ""},
        {"GeneralProgramBox", {2, 22, 658, 528}, "page1"},
        {"ArticlesBox", {2, 22, 658, 528}, "page2"},
        {"OffscreenBox", {0, -128, 80, 20}, "page1"},
        {"ReadButton", {93, 557, 227, 28}, ""},
        {"NotReadButton", {371, 556, 222, 28}, ""},
    };
    auto* tabs = static_cast<rt::TabControl*>(widget("ConstitutionTabs"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* w = widget(c.name);
        EXPECT_EQ(w->geometry(), c.geometry);
        const QWidget* want = c.parent == "page1" ? tabs->page(0) : c.parent == "page2" ? tabs->page(1) : window();
        EXPECT_EQ(w->parentWidget(), want);
    }
    EXPECT_EQ(tabs->bar()->tabText(0), qs(" 总 纲： "));
    EXPECT_EQ(tabs->bar()->tabText(1), qs(" 党 章： "));
    EXPECT_EQ(rt::Text::fromUtf8(" 总 纲： ").size(), 9u);
    EXPECT_EQ(tabs->current(), 0);
    EXPECT_TRUE(widget("GeneralProgramBox")->isVisible());
    EXPECT_FALSE(widget("ArticlesBox")->isVisible());
    // Placed above the page, the box can take the focus but is never seen.
    EXPECT_TRUE(widget("OffscreenBox")->visibleRegion().isEmpty());
    EXPECT_NE(widget("OffscreenBox")->focusPolicy(), Qt::NoFocus);
}

TEST_F(GateWindowTest, ButtonsHaveTheirCaptionsAndTips) {
    struct Case {
        const char* name;
        const char* caption;
        const char* tip;
        std::size_t captionBytes, tipBytes;
    } cases[] = {
        {"ReadButton", "以上党章内容我以熟读", "以上党章内容我以熟读.", 20, 21},
        {"NotReadButton", "没有熟读党章内容", "没有熟读党章内容。", 16, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* button = static_cast<QPushButton*>(widget(c.name));
        EXPECT_EQ(button->text(), qs(c.caption));
        EXPECT_EQ(button->toolTip(), qs(c.tip));
        EXPECT_EQ(rt::Text::fromUtf8(c.caption).size(), c.captionBytes);
        EXPECT_EQ(rt::Text::fromUtf8(c.tip).size(), c.tipBytes);
    }
}

TEST_F(GateWindowTest, TextBoxesOpenAtTheStartOfTheirTexts) {
    struct Case {
        const char* name;
        std::string_view text;
    } cases[] = {
        {"GeneralProgramBox", res::generalProgramText},
        {"ArticlesBox", res::articlesText},
    };
    window()->show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QPlainTextEdit* edit = box(c.name);
        EXPECT_EQ(gate.window.get<rt::EditBox>(c.name).text().bytes(), c.text);
        EXPECT_EQ(edit->textCursor().position(), 0);
        EXPECT_FALSE(edit->textCursor().hasSelection());
        EXPECT_EQ(edit->verticalScrollBar()->value(), 0);
        EXPECT_FALSE(edit->isReadOnly());
        EXPECT_EQ(edit->frameShape(), QFrame::NoFrame);
        EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(236, 236, 236));
        EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(0, 0, 0));
        EXPECT_EQ(edit->font(), window()->font()) << "the window's own face, like every other control";
    }
}

TEST_F(GateWindowTest, PagesKeepTheirTextAndScrollPositionWhenSwitched) {
    window()->show();
    // The user scrolls a page that has been painted.
    QApplication::processEvents();
    auto* tabs = static_cast<rt::TabControl*>(widget("ConstitutionTabs"));
    QPlainTextEdit* general = box("GeneralProgramBox");
    typeText(general, qs("改"));
    general->verticalScrollBar()->setValue(40);
    QApplication::processEvents();
    ASSERT_GT(general->verticalScrollBar()->value(), 0);
    // The scroll bar counts lines only as far as they have been laid out;
    // what the user sees is the text at the top of the box.
    const int scrolled = general->cursorForPosition(QPoint(0, 0)).position();
    tabs->bar()->setCurrentIndex(1);
    EXPECT_FALSE(general->isVisible());
    EXPECT_TRUE(box("ArticlesBox")->isVisible());
    EXPECT_EQ(box("ArticlesBox")->verticalScrollBar()->value(), 0);
    tabs->bar()->setCurrentIndex(0);
    QApplication::processEvents();
    EXPECT_TRUE(general->isVisible());
    EXPECT_EQ(general->cursorForPosition(QPoint(0, 0)).position(), scrolled);
    EXPECT_TRUE(general->toPlainText().startsWith(qs("改")));
    EXPECT_TRUE(widget("OffscreenBox")->visibleRegion().isEmpty());
}

// The second page's text is converted and laid out only after the first
// page has been painted, and is there before anyone turns to it.
TEST_F(GateWindowTest, SecondPageGetsItsTextOnceTheWindowHasBeenPainted) {
    QPlainTextEdit* articles = box("ArticlesBox");
    EXPECT_TRUE(articles->toPlainText().isEmpty()) << "not before the window is shown";
    window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !articles->toPlainText().isEmpty(); }, 5000));
    EXPECT_FALSE(articles->isVisible());
    EXPECT_EQ(rt::fromQString(articles->toPlainText()).bytes(), res::articlesText);
    EXPECT_EQ(articles->textCursor().position(), 0);
    EXPECT_EQ(articles->verticalScrollBar()->value(), 0);
}

// Only the first page is laid out before the box is first painted; once it
// has been, the scroll bar ends where the last line meets the bottom edge, on
// each page, as in any text box.
TEST_F(GateWindowTest, TextBoxesScrollToTheirLastLineAndNoFurther) {
    window()->show();
    auto* tabs = static_cast<rt::TabControl*>(widget("ConstitutionTabs"));
    for (int page : {0, 1}) {
        tabs->bar()->setCurrentIndex(page);
        QPlainTextEdit* edit = box(page == 0 ? "GeneralProgramBox" : "ArticlesBox");
        SCOPED_TRACE(edit->objectName().toStdString());
        QApplication::processEvents();
        QApplication::processEvents();
        QScrollBar* bar = edit->verticalScrollBar();
        bar->setValue(bar->maximum());
        QTextCursor end(edit->document());
        end.movePosition(QTextCursor::End);
        const QRect last = edit->cursorRect(end);
        EXPECT_LE(last.bottom(), edit->viewport()->height());
        EXPECT_GT(last.bottom(), edit->viewport()->height() - 2 * last.height());
    }
}

// The modal load seen from inside its nested loop: the main window hidden and
// disabled, the banner ticking; a double click closes the gate once, and the
// main window gets back the enabled state it had.
TEST_F(GateWindowTest, ModalLoadHoldsTheMainWindowUntilTheGateCloses) {
    app::BannerText = rt::Text::fromBytes(res::bannerText);
    main->bannerTimer.setPeriod(5);
    bool disabledMeanwhile = false, hiddenMeanwhile = false;
    int readClicks = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!window()->isVisible() || app::RevealCount < 3 || music.log().empty() || readClicks > 0) return;
        disabledMeanwhile = !main->window.widget()->isEnabled();
        hiddenMeanwhile = !main->window.widget()->isVisible();
        QTest::mouseClick(widget("ReadButton"), Qt::LeftButton);
        QTest::mouseClick(widget("ReadButton"), Qt::LeftButton);
        readClicks = 2;
    });
    poll.start(5);
    rt::Application::instance().loadModal(gate.window, app::ConstitutionWindowCreated);
    poll.stop();
    main->bannerTimer.setPeriod(0);
    EXPECT_EQ(readClicks, 2);
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(hiddenMeanwhile);
    EXPECT_TRUE(main->window.widget()->isEnabled());
    EXPECT_FALSE(window()->isVisible());
    // Closing the gate leaves the music playing.
    EXPECT_EQ(music.log().find("Stopped"), std::string::npos) << music.log();
    rt::stopMidi();
    EXPECT_EQ(music.log().substr(0, 8), "Started0") << music.log();
    app::BannerText.release();
}

TEST_F(GateWindowTest, ModalLoadRestoresAWindowThatWasDisabledBefore) {
    main->window.widget()->setEnabled(false);
    QTimer::singleShot(0, [&] { window()->close(); });
    rt::Application::instance().loadModal(gate.window, nullptr);
    EXPECT_FALSE(main->window.widget()->isEnabled());
    EXPECT_FALSE(window()->isVisible());
}

// The ways out of the gate, each through the whole start-up in a child
// process: `act` runs once the gate is on screen with its music playing;
// once the main window shows, it is closed. The child reports on stderr.
[[noreturn]] void startUpThrough(const std::function<void(app::ConstitutionWindow&)>& act) {
    RecordedMusic music;
    bool acted = false, closing = false, mainHeld = false, mainShown = false, mainEnabled = false;
    std::string musicWhenMainShown = "-";
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        app::ConstitutionWindow* gate = app::constitutionWindow();
        app::MainWindow* main = app::mainWindow();
        if (!acted && gate != nullptr && gate->window.widget()->isVisible() && !music.log().empty()) {
            mainHeld = !main->window.widget()->isVisible() && !main->window.widget()->isEnabled();
            acted = true;
            act(*gate);
        } else if (acted && !closing && main != nullptr && main->window.widget()->isVisible()) {
            mainShown = true;
            mainEnabled = main->window.widget()->isEnabled();
            musicWhenMainShown = music.log();
            closing = true;
            main->window.widget()->close();
        }
    });
    poll.start(5);
    const int code = app::StartUp(rt::Application::instance());
    const bool cleanedUp = app::BannerText.empty() && app::Salutation.empty();
    // The end does not wait long for the music worker; its last word is read
    // once it has stopped.
    for (int i = 0; i < 2000 && rt::midiWorkersRunning(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::fprintf(stderr, "held=%d shown=%d enabled=%d cleaned=%d music-at-main=%s music=%s\n", mainHeld, mainShown,
                 mainEnabled, cleanedUp, musicWhenMainShown.c_str(), music.log().c_str());
    std::fflush(stderr);
    std::_Exit(code);
}

class GateWaysOutDeathTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(GateWaysOutDeathTest, NotReadButtonEndsTheProgramWithoutTheMainWindow) {
    EXPECT_EXIT(startUpThrough([](app::ConstitutionWindow& gate) {
                    QTest::mouseClick(gate.notReadButton.widget(), Qt::LeftButton);
                }),
                ::testing::ExitedWithCode(0), "held=1 shown=0 enabled=0 cleaned=1 music-at-main=- music=Started0,Stopped0\n");
}

TEST_F(GateWaysOutDeathTest, ReadButtonLeadsToTheMainWindowWithTheMusicPlaying) {
    EXPECT_EXIT(startUpThrough([](app::ConstitutionWindow& gate) {
                    QTest::mouseClick(gate.readButton.widget(), Qt::LeftButton);
                    QTest::mouseClick(gate.readButton.widget(), Qt::LeftButton);
                }),
                ::testing::ExitedWithCode(0),
                "held=1 shown=1 enabled=1 cleaned=1 music-at-main=Started0 music=Started0,Stopped0\n");
}

TEST_F(GateWaysOutDeathTest, EscInATextBoxLeadsToTheMainWindow) {
    EXPECT_EXIT(startUpThrough([](app::ConstitutionWindow& gate) {
                    gate.generalProgramBox.widget()->setFocus();
                    QTest::keyClick(gate.generalProgramBox.widget(), Qt::Key_Escape);
                }),
                ::testing::ExitedWithCode(0),
                "held=1 shown=1 enabled=1 cleaned=1 music-at-main=Started0 music=Started0,Stopped0\n");
}

TEST_F(GateWaysOutDeathTest, ACloseRequestLeadsToTheMainWindow) {
    EXPECT_EXIT(startUpThrough([](app::ConstitutionWindow& gate) { gate.window.widget()->close(); }),
                ::testing::ExitedWithCode(0),
                "held=1 shown=1 enabled=1 cleaned=1 music-at-main=Started0 music=Started0,Stopped0\n");
}

}  // namespace
