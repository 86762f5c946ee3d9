// SPDX-License-Identifier: GPL-3.0-or-later
// One banner tick with the label repainted, as the idle main window does ten
// times a second for as long as it runs.
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <benchmark/benchmark.h>

#include "app/banner_ticker.h"
#include "app/globals.h"
#include "app/main_window.h"
#include "resources/embedded.h"

namespace {

void BannerTickAndRepaint(benchmark::State& state) {
    app::MainWindow main;
    app::BannerText = rt::Text::fromBytes(res::bannerText);
    app::RevealCount = 0;
    main.window.widget()->show();
    if (!QTest::qWaitForWindowExposed(main.window.widget())) state.SkipWithError("the window was never shown");
    QWidget* label = main.bannerLabel.widget();
    // A whole cycle first: later cycles are what an idle window repeats.
    for (int tick = 0; tick < 392; ++tick) app::BannerTimerTick();
    for (auto _ : state) {
        app::BannerTimerTick();
        label->repaint();
    }
}
BENCHMARK(BannerTickAndRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
