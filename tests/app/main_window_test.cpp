// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QToolTip>

#include "app/main_window_design.h"
#include "resources/embedded.h"
#include "runtime/widgets.h"
#include "tests/support/fixtures.h"

namespace {

using namespace testing_support;

QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

class MainWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<app::MainWindow> main = makeMainWindow();
    QWidget* window() { return main->window.widget(); }
    QWidget* widget(std::string_view name) { return main->window.find(name)->widget(); }
};

TEST_F(MainWindowTest, EveryControlStandsWhereItsRowPutsIt) {
    window()->show();
    for (const rt::ControlDesign& row : app::mainWindowDesign().controls) {
        SCOPED_TRACE(std::string(row.name));
        rt::Control* control = main->window.find(row.name);
        ASSERT_NE(control, nullptr);
        QWidget* w = control->widget();
        const bool windowless = row.type == rt::ControlType::Timer || row.type == rt::ControlType::CommonDlg ||
                                row.type == rt::ControlType::WordApp || row.type == rt::ControlType::WordDocuments;
        if (windowless) {
            EXPECT_EQ(w, nullptr);
            continue;
        }
        ASSERT_NE(w, nullptr);
        const QWidget* parent = w->parentWidget();
        EXPECT_EQ(parent == window() ? std::string() : parent->objectName().toStdString(), row.parent);
        EXPECT_EQ(w->geometry(), QRect(row.left, row.top, row.width, row.height));
        EXPECT_TRUE(w->isVisibleTo(window()));
        EXPECT_EQ(w->focusPolicy() != Qt::NoFocus, row.tabStop);
    }
}

TEST_F(MainWindowTest, ControlsShowTheirTextsAtCreation) {
    struct Case {
        const char* name;
        QString text;
    } cases[] = {
        {"SaveButton", "保 存"},
        {"GenerateButton", "生 成"},
        {"PrintButton", "打 印"},
        {"StyleBox1", "进取型"},
        {"StyleBox6", "低调型"},
        {"LetterGroup", "入党申请书范文生成："},
        {"PersonalGroup", "个人资料 （除姓名外其余可选择性添写）："},
        {"StyleGroup", "风格设置："},
        {"ForbiddenCharsBox", "abcdefghijklmnopqrstuvwxyz1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {"NameBox", ""},
        {"UnitBox", ""},
        {"PositionBox", ""},
        {"AgeBox", ""},
        {"OffscreenBoxA", ""},
        {"OffscreenBoxB", ""},
        {"NameLabel", "姓名："},
        {"AgeLabel", "年龄："},
        {"CountLabel", ""},
        {"BannerLabel", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* w = widget(c.name);
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_EQ(button->text(), c.text);
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            EXPECT_EQ(group->title(), c.text);
        } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
            EXPECT_EQ(line->text(), c.text);
        } else if (auto* label = dynamic_cast<rt::PaintedLabel*>(w)) {
            EXPECT_EQ(label->caption(), c.text);
        } else {
            ADD_FAILURE() << "unexpected widget type";
        }
    }
    EXPECT_TRUE(main->letterBox.text().empty());
    EXPECT_EQ(main->window.get<rt::CheckBox>("StyleBox1").checked(), 1);
    for (int n = 2; n <= 6; ++n) EXPECT_EQ(main->window.get<rt::CheckBox>("StyleBox" + std::to_string(n)).checked(), 0);
}

TEST_F(MainWindowTest, HiddenBoxesLieWhollyAboveTheClientArea) {
    window()->show();
    for (const char* name : {"ForbiddenCharsBox", "OffscreenBoxA", "OffscreenBoxB"}) {
        SCOPED_TRACE(name);
        QWidget* w = widget(name);
        const QRect inWindow(w->mapTo(window(), QPoint(0, 0)), w->size());
        EXPECT_LT(inWindow.bottom(), 0);
        EXPECT_TRUE(w->isVisible()) << "present and a tab stop, only out of sight";
    }
}

TEST_F(MainWindowTest, EarlierRowsLieOnTopOfLaterSiblings) {
    // Among siblings the toolkit paints later children on top.
    const auto stackIndex = [](QWidget* w) { return w->parentWidget()->children().indexOf(w); };
    EXPECT_GT(stackIndex(widget("SaveButton")), stackIndex(widget("BannerPicture")));
    EXPECT_GT(stackIndex(widget("MakerLink")), stackIndex(widget("BannerLabel")));
    EXPECT_GT(stackIndex(widget("BannerLabel")), stackIndex(widget("BannerPicture")));
    EXPECT_GT(stackIndex(widget("StyleBox6")), stackIndex(widget("StyleBox1")));
    EXPECT_GT(stackIndex(widget("AgeBox")), stackIndex(widget("NameLabel")));
}

TEST_F(MainWindowTest, TabVisitsTheTabStopsInListOrder) {
    window()->show();
    QStringList order;
    QWidget* first = widget("SaveButton");
    QWidget* w = first;
    do {
        if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first && order.size() < 40);
    EXPECT_EQ(order.join(' '),
              "SaveButton OffscreenBoxA ForbiddenCharsBox GenerateButton PrintButton LetterBox AgeBox PositionBox "
              "UnitBox NameBox StyleBox6 StyleBox5 StyleBox4 StyleBox3 StyleBox2 StyleBox1 OffscreenBoxB");
}

TEST_F(MainWindowTest, FocusedButtonIsPressedByEnterReturnAndSpaceOnly) {
    window()->show();
    int clicks = 0;
    main->saveButton.onClick([&] { ++clicks; });
    QWidget* button = widget("SaveButton");
    button->setFocus();
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int presses;
    } cases[] = {
        {"Return", Qt::Key_Return, Qt::NoModifier, 1},
        {"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, 1},
        {"Space", Qt::Key_Space, Qt::NoModifier, 1},
        {"Letter", Qt::Key_A, Qt::NoModifier, 0},
        {"CtrlReturn", Qt::Key_Return, Qt::ControlModifier, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clicks = 0;
        QTest::keyClick(button, c.key, c.modifiers);
        EXPECT_EQ(clicks, c.presses);
    }
    // Holding Enter presses once, as holding Space does.
    clicks = 0;
    QTest::keyPress(button, Qt::Key_Return);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(button, &repeat);
    QTest::keyRelease(button, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MainWindowTest, WindowIsFixedCentredAndCannotBeMaximised) {
    EXPECT_EQ(window()->windowTitle(), qs(" Qintara (申请书范文生成)                 [Vorlane]"));
    EXPECT_EQ(window()->minimumSize(), QSize(699, 579));
    EXPECT_EQ(window()->maximumSize(), QSize(699, 579));
    const Qt::WindowFlags flags = window()->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    // The icon's five images, each with a copy at twice its size for dense screens.
    const QIcon icon = window()->windowIcon();
    const struct {
        int size;
        std::string_view png, png2x;
    } images[] = {{16, res::icon16, res::icon16At2x},
                  {24, res::icon24, res::icon24At2x},
                  {32, res::icon32, res::icon32At2x},
                  {48, res::icon48, res::icon48At2x},
                  {128, res::icon128, res::icon128At2x}};
    const auto image = [](std::string_view png) {
        return QImage::fromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()))
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    for (const auto& i : images) {
        SCOPED_TRACE(i.size);
        const QSize size(i.size, i.size);
        EXPECT_TRUE(icon.availableSizes().contains(size));
        EXPECT_EQ(icon.pixmap(size, 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), image(i.png));
        EXPECT_EQ(icon.pixmap(size, 2.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), image(i.png2x));
    }

    main->window.centre();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window()->pos(), QPoint((screen.width() - 705) / 2, (screen.height() - 611) / 2));
}

TEST_F(MainWindowTest, EscapeDoesNotCloseIt) {
    window()->show();
    widget("NameBox")->setFocus();
    QTest::keyClick(widget("NameBox"), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(window()->isVisible());
}

TEST_F(MainWindowTest, LetterBoxWrapsAndTakesEnter) {
    window()->show();
    auto* box = letterWidget(*main);
    EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(box->isReadOnly());
    // Runs of spaces place the title and the closing lines: a space is half a
    // Chinese character wide, as in the font the letter was laid out for.
    const QFontMetricsF metrics(box->font());
    EXPECT_DOUBLE_EQ(2 * metrics.horizontalAdvance(' '), metrics.horizontalAdvance(QChar(0x515A)));
    EXPECT_EQ(box->palette().color(QPalette::Inactive, QPalette::Highlight),
              box->palette().color(QPalette::Inactive, QPalette::Base))
        << "the selection is hidden while the box has no focus";
    box->setFocus();
    QTest::keyClicks(box, "ab");
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, "cd");
    EXPECT_EQ(main->letterBox.text().bytes(), "ab\r\ncd");
}

TEST_F(MainWindowTest, MakerLinkColourFollowsPointerAndLastPress) {
    auto* link = dynamic_cast<rt::LinkLabel*>(widget("MakerLink"));
    ASSERT_NE(link, nullptr);
    bool opens = true;
    QStringList opened;
    rt::setUrlOpener([&](const QString& address) {
        opened << address;
        return opens;
    });
    const auto enter = [&] {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(link, &event);
    };
    const auto leave = [&] {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(link, &event);
    };
    struct Step {
        const char* name;
        std::function<void()> act;
        QColor want;
    } steps[] = {
        {"AtFirstBlue", [] {}, rt::LinkLabel::normal},
        {"HoverLightBlue", enter, rt::LinkLabel::hover},
        {"PressThatOpensStaysHoverWhileOver",
         [&] { QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5)); }, rt::LinkLabel::hover},
        {"AfterOpeningDarkRed", leave, rt::LinkLabel::visited},
        {"PressThatFails",
         [&] {
             opens = false;
             enter();
             QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
             leave();
         },
         rt::LinkLabel::normal},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        EXPECT_EQ(link->currentColour(), step.want);
    }
    rt::setUrlOpener(nullptr);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], "http://vorlane.example/");
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MainWindowTest, ButtonTipsAreWrappedAt400PixelsAndAttachedTipsStayOnOneLine) {
    struct Case {
        const char* name;
        QString tip;
    } cases[] = {
        {"GenerateButton", "点击生成入党申请书范文，每次点击生成的范文都不相同。"},
        {"SaveButton", "点击后保存为WORD文件。"},
        {"PrintButton", "如果电脑连接打印机，可直接打印输出。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString tip = widget(c.name)->toolTip();
        EXPECT_EQ(tip.remove('\n'), c.tip);
    }
    const QFontMetrics metrics(QToolTip::font());
    const QStringList lines = rt::wrapTooltip(QString(80, QChar(0x515A)), 400).split('\n');
    EXPECT_GT(lines.size(), 1);
    for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), 400);

    const rt::Text longTip = rt::Text::fromUtf8(std::string(60, 'x') + "\r\n" + "为人民服务");
    rt::addTooltip(main->nameBox, longTip);
    EXPECT_FALSE(widget("NameBox")->toolTip().contains('\n'));
    EXPECT_TRUE(window()->testAttribute(Qt::WA_AlwaysShowToolTips)) << "tips show while the window is inactive";
}

TEST_F(MainWindowTest, BannerLabelShowsOnlyWholeCharacters) {
    auto* label = dynamic_cast<rt::PaintedLabel*>(widget("BannerLabel"));
    main->bannerLabel.setCaption(rt::Text::fromBytes("\xB6"));
    EXPECT_EQ(label->caption(), "");
    EXPECT_EQ(main->bannerLabel.caption().bytes(), "\xB6") << "the label still holds every byte";
    main->bannerLabel.setCaption(rt::Text::fromBytes("\xB6\xC5 \xBE"));
    EXPECT_EQ(label->caption(), qs("杜 "));
    main->bannerLabel.setCaption(rt::Text::fromBytes("a\x95\x32\x82"));
    EXPECT_EQ(label->caption(), "a");
}

}  // namespace
