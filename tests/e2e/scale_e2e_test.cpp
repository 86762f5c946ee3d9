// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on dense screens: the real program under Xvfb at a table of
// scale factors. Each label's caption on the screen must cover the same
// pixels as the toolkit draws for that caption, font and scale by itself: a
// caption cut to a corner, or drawn at the wrong size, does not.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

#include "runtime/fonts.h"
#include "tests/e2e/x_session.h"

namespace {

using namespace e2e;

constexpr auto kAppears = 120s;

struct Scale {
    const char* name;
    double factor;
};

void PrintTo(const Scale& scale, std::ostream* out) { *out << scale.name; }

// A label's place in the main window and its caption, from the design.
struct LabelRow {
    const char* name;
    int left, top, width, height;
    const char* caption;
};
constexpr LabelRow kLabels[] = {
    {"NameLabel", 32, 92 + 21, 32, 24, "姓名："},
    {"UnitLabel", 200, 92 + 21, 32, 24, "单位："},
    {"PositionLabel", 375, 92 + 21, 32, 24, "职务："},
    {"AgeLabel", 558, 92 + 21, 32, 24, "年龄："},
};

// The smallest rectangle holding every dark pixel (the labels draw black on
// a light window).
QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Device pixels covering a rectangle of logical pixels.
QRect devicePixels(const LabelRow& row, double scale) {
    const int x0 = static_cast<int>(std::floor(row.left * scale));
    const int y0 = static_cast<int>(std::floor(row.top * scale));
    const int x1 = static_cast<int>(std::ceil((row.left + row.width) * scale));
    const int y1 = static_cast<int>(std::ceil((row.top + row.height) * scale));
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

// What the toolkit draws for the caption: one line, left-aligned, vertically
// centred, cut at the label's edges.
QImage expected(const LabelRow& row, double scale, const QRect& area) {
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(QColor(239, 239, 239));
    QPainter painter(&image);
    painter.translate(row.left * scale - area.x(), row.top * scale - area.y());
    painter.scale(scale, scale);
    painter.setClipRect(QRectF(0, 0, row.width, row.height));
    painter.setFont(rt::interfaceFont());
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, 0, row.width, row.height), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromUtf8(row.caption));
    return image;
}

QImage onScreen(XSession& x, Window window, const QRect& area) {
    const std::vector<std::uint32_t> colours = x.pixels(window, area.x(), area.y(), area.width(), area.height());
    QImage image(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            image.setPixel(x, y, colours.empty() ? 0xffffffffu : 0xff000000u | colours[y * area.width() + x]);
    return image;
}

class ScaleEndToEnd : public ::testing::TestWithParam<Scale> {};

TEST_P(ScaleEndToEnd, LabelsShowTheirWholeCaptions) {
    const double scale = GetParam().factor;
    XSession x(2400, 1920);
    setenv("QT_SCALE_FACTOR", std::to_string(scale).c_str(), 1);
    x.launch(QINTARA_BINARY);
    unsetenv("QT_SCALE_FACTOR");
    const Window gate = x.waitForWindow("中国共产党.党章", kAppears);
    ASSERT_NE(gate, 0u) << x.appStderr();
    Window main = 0;
    for (int attempt = 0; attempt < 10 && main == 0; ++attempt) {
        const int readX = static_cast<int>((93 + 227 / 2) * scale), readY = static_cast<int>((557 + 28 / 2) * scale);
        if (x.viewable(gate)) x.click(gate, readX, readY);
        main = x.waitForWindow("Qintara", 10s);
    }
    ASSERT_NE(main, 0u) << x.appStderr();

    const XSession::Geometry area = x.geometry(main);
    EXPECT_EQ(area.width, std::lround(699 * scale));
    EXPECT_EQ(area.height, std::lround(579 * scale));

    const auto inkOnScreen = [&](const LabelRow& row) { return inkBounds(onScreen(x, main, devicePixels(row, scale))); };
    // A window not painted yet is black on Xvfb, which looks like ink
    // everywhere: wait until every label shows its light face with a caption
    // on it, and the same caption twice in a row.
    const auto settled = [&] {
        std::vector<QRect> inks;
        for (const LabelRow& row : kLabels) {
            const QRect pixels = devicePixels(row, scale);
            const QRect ink = inkOnScreen(row);
            if (ink.isEmpty() || ink.size() == pixels.size()) return std::vector<QRect>{};
            inks.push_back(ink);
        }
        return inks;
    };
    std::vector<QRect> previous;
    for (int attempt = 0; attempt < 300; ++attempt) {
        const std::vector<QRect> now = settled();
        if (!now.empty() && now == previous) break;
        previous = now;
        std::this_thread::sleep_for(100ms);
    }
    // Rounding may place the caption a pixel apart from the reference.
    constexpr int tolerance = 2;
    for (const LabelRow& row : kLabels) {
        SCOPED_TRACE(row.name);
        const QRect pixels = devicePixels(row, scale);
        const QRect want = inkBounds(expected(row, scale, pixels));
        const QRect got = inkOnScreen(row);
        ASSERT_FALSE(want.isEmpty());
        EXPECT_NEAR(got.left(), want.left(), tolerance) << "drawn from x " << got.left() << " to " << got.right();
        EXPECT_NEAR(got.right(), want.right(), tolerance);
        EXPECT_NEAR(got.top(), want.top(), tolerance) << "drawn from y " << got.top() << " to " << got.bottom();
        EXPECT_NEAR(got.bottom(), want.bottom(), tolerance);
    }
    x.requestClose(main);
    EXPECT_EQ(x.waitForExit(kAppears), 0);
}

INSTANTIATE_TEST_SUITE_P(Factors, ScaleEndToEnd,
                         ::testing::Values(Scale{"One", 1}, Scale{"OneAndAQuarter", 1.25}, Scale{"OneAndAHalf", 1.5},
                                           Scale{"Two", 2}, Scale{"Three", 3}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

int main(int argc, char** argv) {
    // The reference captions are drawn here, off screen, with the program's font.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
