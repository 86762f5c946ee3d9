// SPDX-License-Identifier: GPL-3.0-or-later
// From the Print click until the job is in the CUPS server's hands (a private
// server with a default queue; the engine hands the job over before the click
// returns), split into its parts: the click with a recording word processor
// (the handler and the private file alone) and the engine's rendering of the
// letter to a PDF file without CUPS.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

#include "app/globals.h"
#include "app/main_window.h"
#include "letter/corpus.h"
#include "runtime/application.h"
#include "runtime/automation_recording.h"
#include "runtime/clock.h"
#include "tests/support/private_cups.h"

namespace {

testing_support::PrivateCups& cups() {
    static testing_support::PrivateCups server;
    static const bool queued = server.error().isEmpty() && server.addQueue(QStringLiteral("Letters"), true);
    (void)queued;
    return server;
}

// A main window holding the letter of a fixed tick and date.
std::unique_ptr<app::MainWindow> windowWithLetter() {
    rt::setClockSource({[] { return 31337u; }, [] { return rt::DateTime{2024, 3, 7, 14, 5, 9}; }});
    app::Salutation = letter::salutations().respected;
    app::OpeningPickMemory = 0;
    auto main = std::make_unique<app::MainWindow>();
    main->nameBox.setText(rt::Text::fromUtf8("张三"));
    QTest::mouseClick(main->generateButton.widget(), Qt::LeftButton);
    main->window.widget()->show();
    return main;
}

void clickToCups(benchmark::State& state) {
    if (!cups().error().isEmpty()) {
        state.SkipWithError(cups().error().toStdString().c_str());
        return;
    }
    rt::setAutomationServer(nullptr);
    rt::setMessageBoxHandler([&state](const rt::Text& text, const rt::Text&) { state.SkipWithError(text.toUtf8().c_str()); });
    auto main = windowWithLetter();
    const qsizetype before = cups().jobDocuments().size();
    for (auto _ : state) QTest::mouseClick(main->printButton.widget(), Qt::LeftButton);
    rt::setMessageBoxHandler(nullptr);
    const qsizetype handed = cups().jobDocuments().size() - before;
    if (handed != static_cast<qsizetype>(state.iterations())) state.SkipWithError("a click made no job");
    state.counters["jobs"] = static_cast<double>(handed);
}

// The first print of a run also loads the CJK font.
void PrintClickToCupsFirst(benchmark::State& state) { clickToCups(state); }
BENCHMARK(PrintClickToCupsFirst)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void PrintClickToCups(benchmark::State& state) { clickToCups(state); }
BENCHMARK(PrintClickToCups)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

void PrintClickRecordingOnly(benchmark::State& state) {
    auto main = windowWithLetter();
    for (auto _ : state) {
        rt::setAutomationServer(std::make_shared<rt::RecordingAutomation>());
        QTest::mouseClick(main->printButton.widget(), Qt::LeftButton);
    }
    rt::setAutomationServer(nullptr);
}
BENCHMARK(PrintClickRecordingOnly)->Unit(benchmark::kMicrosecond)->UseRealTime();

void EngineRenderToPdfFile(benchmark::State& state) {
    auto main = windowWithLetter();
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("letter.txt"));
    QFile file(text);
    if (!file.open(QIODevice::WriteOnly)) return state.SkipWithError("cannot write the letter");
    file.write(QByteArray::fromStdString(main->letterBox.text().bytes()));
    file.close();
    rt::PrintOutValues toFile;
    toFile.copies = 1;
    toFile.printToFile = 1;
    toFile.outputFileName = rt::Text::fromUtf8(dir.filePath(QStringLiteral("letter.pdf")).toStdString());
    toFile.zoomPaperWidth = 11907;
    toFile.zoomPaperHeight = 16839;
    rt::setAutomationServer(nullptr);
    for (auto _ : state) {
        main->wordApp.create();
        main->wordDocuments.bind(main->wordApp, false);
        main->wordDocuments.setSelectionFontSize(14);
        main->wordDocuments.open(rt::Text::fromUtf8(text.toStdString()));
        main->wordDocuments.printOut(toFile);
        main->wordDocuments.close();
        main->wordApp.quit();
    }
}
BENCHMARK(EngineRenderToPdfFile)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
