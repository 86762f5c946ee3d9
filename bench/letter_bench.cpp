// Composing a letter, against the floor of copying its bytes; and one press
// of Generate on the live widgets, against setting the same text alone.
#include <QWidget>
#include <benchmark/benchmark.h>

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
    }
    app::MainWindow main;
};

void GeneratePress(benchmark::State& state) {
    Window window;
    std::uint32_t tick = 1000;
    rt::setClockSource({[&] { return tick; }, [] { return rt::DateTime{2024, 3, 7, 14, 5, 9}; }});
    for (auto _ : state) {
        tick += 7919;  // a new letter every press
        window.main.composer.Generate();
    }
    rt::setClockSource({});
}
BENCHMARK(GeneratePress)->Unit(benchmark::kMicrosecond);

void SetLetterTextAlone(benchmark::State& state) {
    Window window;
    const rt::Text letterText = sampleLetter();
    for (auto _ : state) {
        window.main.letterBox.setText(letterText);
    }
}
BENCHMARK(SetLetterTextAlone)->Unit(benchmark::kMicrosecond);

}  // namespace
