// Copying 100,000 selected lines of the million-line code page 932 file
// with two saved conversions on (full width, katakana), beside the two
// conversions alone on the same joined text.  The figure to compare is the
// counter "x_bare" of BM_CopyConverted.

#include "BenchData.h"
#include "BenchTiming.h"
#include "BenchWindow.h"

#include "copy/Conversions.h"
#include "document/LineList.h"
#include "mainwindow/MainController.h"
#include "mainwindow/ui/MainWindow.h"
#include "platform/SettingsStore.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

using namespace petari;
using namespace petari::bench::timing;

namespace {

constexpr int CopiedLines = 100000;

using Window = bench::MainWindowFixture;
std::unique_ptr<Window> theWindow;

// The window with the file open, made once for both benchmarks.
Window& window()
{
    if (!theWindow) {
        theWindow = std::make_unique<Window>();
        theWindow->controller->openDocument(bench::mixedFile().path);
        theWindow->showPending();
    }
    return *theWindow;
}

// Seconds of one bare conversion, for the ratio of the copy against it.
double bareSeconds = 0;

Window& windowWithSelection()
{
    Window& w = window();
    w.settings->write(QStringLiteral("F5"), QStringLiteral("3"), QStringLiteral("1"));   // full width
    w.settings->write(QStringLiteral("F5"), QStringLiteral("5"), QStringLiteral("1"));   // katakana
    const LineList& lines = w.controller->lines();
    if (lines.selectedCount() != CopiedLines || lines.firstSelected() != 0) {
        LineSelection chosen = w.controller->document().selection();
        chosen.clearSelection();
        chosen.selectRange(0, CopiedLines - 1);
        chosen.setCurrentRow(0);
        w.showPending();
    }
    return w;
}

QString joinedSelection(const LineList& lines)
{
    QString text;
    for (int i = 0; i < CopiedLines; ++i) {
        text += lines.line(i);
        text += QStringLiteral("\r\n");
    }
    return text;
}

void BM_BareConversion(benchmark::State& state)
{
    Window& w = windowWithSelection();
    const QString joined = joinedSelection(w.controller->lines());
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const QString converted = toKatakana(toFullWidth(joined));
        const double s = secondsSince(start);
        benchmark::DoNotOptimize(converted.constData());
        state.SetIterationTime(s);
        total += s;
    }
    bareSeconds = total / double(state.iterations());
    state.counters["chars"] = double(joined.size());
}
BENCHMARK(BM_BareConversion)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_CopyConverted(benchmark::State& state)
{
    Window& w = windowWithSelection();
    const QString expected = toKatakana(toFullWidth(joinedSelection(w.controller->lines())));
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        w.controller->copySelection(0, 0, 0);
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
    }
    if (w.clipboard.text() != expected)
        state.SkipWithError("the clipboard does not hold the converted lines");
    const double mean = total / double(state.iterations());
    state.counters["chars"] = double(expected.size());
    if (bareSeconds > 0)
        state.counters["x_bare"] = mean / bareSeconds;
}
BENCHMARK(BM_CopyConverted)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

int main(int argc, char** argv) { return bench::runWindowBenchmarks(argc, argv, [] { theWindow.reset(); }); }
