// SPDX-License-Identifier: GPL-3.0-or-later
// Composing a letter, against the floor of copying its bytes; and one press
// of Generate on the live widgets, against setting a letter into LetterBox
// alone. Both end with the box repainted, as a press does on the screen:
// otherwise the text set alone would not even be laid out.
#include <QAbstractScrollArea>
#include <QTest>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include "app/globals.h"
#include "app/main_window.h"
#include "letter/composer.h"
#include "letter/corpus.h"
#include "runtime/application.h"
#include "runtime/clock.h"

namespace {

const letter::Picks kPicks{31, 6, 17, 1};  // among the longest entries

rt::Text sampleLetter() {
    return letter::composeLetter(letter::salutations().respected, kPicks, rt::Text::fromUtf8("张三"),
                                 rt::Text::fromUtf8("2024年3月7日"));
}

void ComposeLetter(benchmark::State& state) {
    const rt::Text name = rt::Text::fromUtf8("张三");
    const rt::Text date = rt::Text::fromUtf8("2024年3月7日");
    for (auto _ : state) {
        benchmark::DoNotOptimize(letter::composeLetter(letter::salutations().respected, kPicks, name, date));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * rt::length(sampleLetter()));
}
BENCHMARK(ComposeLetter);

void CopyLetterBytes(benchmark::State& state) {
    const std::string bytes = sampleLetter().bytes();
    for (auto _ : state) {
        std::string copy = bytes;
        benchmark::DoNotOptimize(copy);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(CopyLetterBytes);

struct Window {
    Window() {
        app::Salutation = letter::salutations().respected;
        main.nameBox.setText(rt::Text::fromUtf8("张三"));
        main.window.widget()->show();
        // Unexposed, the repaints would draw nothing and the figures would lie.
        if (!QTest::qWaitForWindowExposed(main.window.widget())) {
            std::fprintf(stderr, "letter_bench: the main window was never shown\n");
            std::exit(1);
        }
    }
    void repaintLetter() { static_cast<QAbstractScrollArea*>(main.letterBox.widget())->viewport()->repaint(); }
    app::MainWindow main;
};

// The clock stands still, so presses alternate between two letters (the
// repeat check redraws the opening every second press); the text-alone
// benchmarks set the same two letters in turn.
const rt::DateTime kDate{2024, 3, 7, 14, 5, 9};
const letter::Picks kPressPicks[2] = {{12, 30, 16, 2}, {8, 30, 16, 2}};

std::array<rt::Text, 2> pressLetters() {
    std::array<rt::Text, 2> letters;
    for (std::size_t i = 0; i < 2; ++i)
        letters[i] = letter::composeLetter(letter::salutations().respected, kPressPicks[i], rt::Text::fromUtf8("张三"),
                                           letter::letterDate(kDate));
    return letters;
}

void GeneratePress(benchmark::State& state) {
    Window window;
    app::OpeningPickMemory = 0;
    rt::setClockSource({[] { return 1000u; }, [] { return kDate; }});
    for (auto _ : state) {
        window.main.composer.Generate();
        window.repaintLetter();
    }
    rt::setClockSource({});
}
BENCHMARK(GeneratePress)->Unit(benchmark::kMicrosecond);

// Setting the same letters the presses make, alone or with what a press adds:
// the caret at the end with the last lines in view, which needs every
// wrapped line laid out to find the end.
void SetLetterText(benchmark::State& state, bool showItsEnd) {
    Window window;
    const auto letters = pressLetters();
    std::size_t press = 0;
    for (auto _ : state) {
        window.main.letterBox.setText(letters[press++ % 2]);
        if (showItsEnd) window.main.letterBox.moveCaretToEnd();
        window.repaintLetter();
    }
}
BENCHMARK_CAPTURE(SetLetterText, Alone, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SetLetterText, AndShowItsEnd, true)->Unit(benchmark::kMicrosecond);

}  // namespace
