// SPDX-License-Identifier: GPL-3.0-or-later
// The main window under a dark desktop palette: every text stands out from
// what lies behind it, measured on the rendered pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>
#include <cmath>
#include <map>

#include "runtime/widgets.h"
#include "tests/support/fixtures.h"

namespace {

using namespace testing_support;

// Fusion with the dark palette desktops commonly pair it with.
QPalette fusionDark() {
    QPalette p;
    const QColor window(53, 53, 53);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(42, 42, 42));
    p.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, Qt::white);
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Light, QColor(80, 80, 80));
    p.setColor(QPalette::Midlight, QColor(66, 66, 66));
    p.setColor(QPalette::Mid, QColor(44, 44, 44));
    p.setColor(QPalette::Dark, QColor(35, 35, 35));
    p.setColor(QPalette::Shadow, QColor(20, 20, 20));
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    return p;
}

// qt6ct's "darker" scheme, role by role: a light Light and a light Shadow.
QPalette qt6ctDarker() {
    const char* colours[] = {"#ffffff", "#424245", "#979797", "#5e5c5b", "#302f2e", "#4a4947", "#ffffff",
                             "#ffffff", "#ffffff", "#3d3d3d", "#222020", "#e7e4e0", "#12608a", "#f9f9f9",
                             "#0986d3", "#a70b06", "#5c5b5a", "#ffffff", "#3f3f36", "#ffffff", "#80ffffff"};
    QPalette p;
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        p.setColor(static_cast<QPalette::ColorRole>(role), QColor(QString::fromLatin1(colours[role])));
    return p;
}

double luminance(QRgb c) {
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The text's contrast in an area of a picture: its commonest colour is taken
// for the background, its pixel furthest from that for the text's own colour
// (the core of a stroke, where anti-aliasing has not mixed the two).
double textContrast(const QImage& picture, const QRect& area) {
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) ++counts[picture.pixel(x, y) | 0xff000000];
    const QRgb background =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    double best = 1;
    for (const auto& [colour, count] : counts) best = std::max(best, contrast(colour, background));
    return best;
}

struct DarkPalette {
    const char* name;
    QPalette (*make)();
};

void PrintTo(const DarkPalette& palette, std::ostream* out) { *out << palette.name; }

class DarkPaletteTest : public ::testing::TestWithParam<DarkPalette> {
protected:
    DarkPaletteTest() : style_(QApplication::style()->name()) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(GetParam().make());
    }
    ~DarkPaletteTest() override {
        QApplication::setStyle(QStyleFactory::create(style_));
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    QString style_;
};

TEST_P(DarkPaletteTest, EveryTextOfTheMainWindowIsReadable) {
    FixedClock clock{1000};
    auto main = makeMainWindow();
    QWidget* window = main->window.widget();
    const auto widget = [&](std::string_view name) { return main->window.find(name)->widget(); };
    window->show();
    typeText(widget("NameBox"), QStringLiteral("张三"));
    QTest::mouseClick(main->generateButton.widget(), Qt::LeftButton);
    ASSERT_FALSE(main->countLabel.caption().empty());
    main->bannerLabel.setCaption(rt::Text::fromUtf8("杜 绝 千 篇 一 律，入 党 要 有 心 意。"));
    auto* link = dynamic_cast<rt::LinkLabel*>(widget("MakerLink"));
    rt::setUrlOpener([](const QString&) { return true; });

    // Where the text lies inside each control: a group box's title row, a
    // check box's caption right of its box, a button's face.
    const QMargins whole;
    const struct Case {
        const char* name;
        QMargins inset;
        std::function<void()> before = [] {};
        const char* state = "";
    } cases[] = {
        {"NameLabel", whole},
        {"UnitLabel", whole},
        {"PositionLabel", whole},
        {"AgeLabel", whole},
        {"CountLabel", whole},
        {"BannerLabel", whole},
        {"MakerLink", whole},
        {"MakerLink",
         whole,
         [&] {
             QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
             QApplication::sendEvent(link, &event);
         },
         " under the pointer"},
        {"MakerLink",
         whole,
         [&] {
             QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
             QEvent leave(QEvent::Leave);
             QApplication::sendEvent(link, &leave);
         },
         " after opening its address"},
        {"PersonalGroup", QMargins(0, 0, 0, 63 - 16)},
        {"StyleGroup", QMargins(0, 0, 0, 55 - 16)},
        {"LetterGroup", QMargins(0, 0, 0, 329 - 16)},
        {"StyleBox1", QMargins(20, 0, 0, 0)},
        {"StyleBox6", QMargins(20, 0, 0, 0)},
        {"NameBox", QMargins(2, 2, 2, 2)},
        {"LetterBox", QMargins(2, 2, 20, 2)},
        {"GenerateButton", QMargins(2, 2, 2, 2)},
        {"PrintButton", QMargins(2, 2, 2, 2)},
        {"SaveButton",
         QMargins(2, 2, 2, 2),
         [&] {
             widget("SaveButton")->setAttribute(Qt::WA_UnderMouse, true);
             widget("SaveButton")->update();
         },
         " under the pointer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + c.state);
        c.before();
        QWidget* w = widget(c.name);
        const QImage picture = window->grab().toImage();
        const QRect area = QRect(w->mapTo(window, QPoint(0, 0)), w->size()).marginsRemoved(c.inset);
        EXPECT_GE(textContrast(picture, area), 4.5);
    }
    rt::setUrlOpener(nullptr);
}

TEST_P(DarkPaletteTest, FixedColoursKeepTheirHueAndLightUp) {
    auto main = makeMainWindow();
    auto* banner = dynamic_cast<rt::PaintedLabel*>(main->window.find("BannerLabel")->widget());
    auto* link = dynamic_cast<rt::LinkLabel*>(main->window.find("MakerLink")->widget());
    EXPECT_EQ(banner->textColour().hue(), 0);
    EXPECT_GT(banner->textColour().lightness(), QColor(Qt::red).lightness());
    EXPECT_EQ(link->currentColour().hue(), rt::LinkLabel::normal.hue());

    // On the light palette the designed colours are kept as they are.
    QApplication::setPalette(QApplication::style()->standardPalette());
    main = makeMainWindow();
    banner = dynamic_cast<rt::PaintedLabel*>(main->window.find("BannerLabel")->widget());
    link = dynamic_cast<rt::LinkLabel*>(main->window.find("MakerLink")->widget());
    EXPECT_EQ(banner->textColour(), QColor(255, 0, 0));
    EXPECT_EQ(dynamic_cast<rt::PaintedLabel*>(main->window.find("NameLabel")->widget())->textColour(), QColor(Qt::black));
    EXPECT_EQ(link->currentColour(), rt::LinkLabel::normal);
}

INSTANTIATE_TEST_SUITE_P(Palettes, DarkPaletteTest,
                         ::testing::Values(DarkPalette{"FusionDark", fusionDark}, DarkPalette{"Qt6ctDarker", qt6ctDarker}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
