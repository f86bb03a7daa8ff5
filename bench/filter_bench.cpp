// 絞り込み on the million-line code page 932 file (bench/BenchData.h):
//  - BM_FirstKeystroke: the first character typed into the filter box on a
//    document never searched before: every chunk folded, then searched;
//  - BM_FirstKeystrokeAfterOpening: the same when the key comes 50 or
//    150 ms after Ctrl+F, which starts the folding on the other cores;
//  - BM_Keystroke: a later keystroke, the folded copies kept: the search
//    alone, on every core;
//  - BM_PlainContains: the same words looked for with QStringView::contains
//    line by line on one core, without any folding, the yardstick;
//  - BM_KeystrokeInWindow: one character typed into the box of the main
//    window showing the document, until the list has painted the lines it
//    now shows.
// Every benchmark prints the median of its iterations ("median_ms"): on a
// machine shared with other work a few iterations wait for the processor.
// The queries, by their index: 0 "あ" (one kana, in many lines), 1 "あい",
// 2 "abc" (Latin, any case and width), 3 "亜 い" (two words).

#include "BenchData.h"
#include "BenchTiming.h"
#include "BenchWindow.h"

#include "copy/SearchFolding.h"
#include "document/TextFile.h"
#include "editing/LineSearch.h"
#include "mainwindow/ListFilter.h"
#include "mainwindow/ui/FilterBar.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QThread>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace petari;

namespace {

const char16_t* const kQueries[] = {u"あ", u"あい", u"abc", u"亜 い"};

QString queryAt(int i) { return QString::fromUtf16(kQueries[i]); }

const LineText& document()
{
    static const LineText lines = [] {
        TextFileContent content = readTextFile(bench::mixedFile().path);
        if (content.lines.size() != bench::MixedLineCount)
            std::abort();
        return content.lines;
    }();
    return lines;
}

using bench::timing::Clock;
using bench::timing::median;

double msSince(Clock::time_point start) { return bench::timing::secondsSince(start) * 1000; }

void report(benchmark::State& state, const std::vector<double>& times, size_t found)
{
    state.counters["median_ms"] = median(times);
    state.counters["lines_found"] = double(found);
    state.counters["threads"] = QThreadPool::globalInstance()->maxThreadCount();
}

void BM_FirstKeystroke(benchmark::State& state)
{
    const LineText& lines = document();
    const SearchFolding folding;
    const QStringList words = searchWords(queryAt(int(state.range(0))), folding);
    std::vector<double> times;
    size_t found = 0;
    for (auto _ : state) {
        LineSearch search;
        const auto start = Clock::now();
        found = search.matchingRows(lines, words, folding).size();
        const double ms = msSince(start);
        times.push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
    report(state, times, found);
}
BENCHMARK(BM_FirstKeystroke)->Arg(0)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);

// The box opened (Ctrl+F starts the folding) and the first key typed the
// given milliseconds later.
void BM_FirstKeystrokeAfterOpening(benchmark::State& state)
{
    const LineText& lines = document();
    const SearchFolding folding;
    const QStringList words = searchWords(queryAt(0), folding);
    std::vector<double> times;
    size_t found = 0;
    for (auto _ : state) {
        LineSearch search;
        search.prepare(lines, folding);
        QThread::msleep(unsigned(state.range(0)));
        const auto start = Clock::now();
        found = search.matchingRows(lines, words, folding).size();
        const double ms = msSince(start);
        times.push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
    report(state, times, found);
}
BENCHMARK(BM_FirstKeystrokeAfterOpening)->Arg(50)->Arg(150)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

void BM_Keystroke(benchmark::State& state)
{
    const LineText& lines = document();
    const SearchFolding folding;
    const QStringList words = searchWords(queryAt(int(state.range(0))), folding);
    LineSearch search;
    search.matchingRows(lines, words, folding);   // the folding of the first key
    std::vector<double> times;
    size_t found = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        found = search.matchingRows(lines, words, folding).size();
        const double ms = msSince(start);
        times.push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
    report(state, times, found);
}
BENCHMARK(BM_Keystroke)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2);

void BM_PlainContains(benchmark::State& state)
{
    const LineText& lines = document();
    const QStringList words = queryAt(int(state.range(0))).split(u' ');
    std::vector<double> times;
    size_t found = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        std::vector<int> rows;
        int row = 0;
        lines.forEachLine([&](QStringView line) {
            bool all = true;
            for (const QString& w : words)
                all = all && line.contains(w);
            if (all)
                rows.push_back(row);
            ++row;
        });
        found = rows.size();
        const double ms = msSince(start);
        times.push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
    report(state, times, found);
}
BENCHMARK(BM_PlainContains)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2);


void BM_KeystrokeInWindow(benchmark::State& state)
{
    bench::MainWindowFixture w;
    w.controller->openDocument(bench::mixedFile().path);
    w.showPending();
    w.form->findChild<QAction*>(QStringLiteral("filterAction"))->trigger();
    QLineEdit* box = w.form->filterBar()->box();
    // Each iteration one character more or less than the last: "あ", "あい".
    box->setText(queryAt(0));
    w.showPending();
    std::vector<double> times;
    int i = 0;
    for (auto _ : state) {
        const QString query = queryAt(++i % 2);
        const auto start = Clock::now();
        box->setText(query);   // the box's text as the keystroke leaves it
        w.showPending();
        const double ms = msSince(start);
        times.push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
    report(state, times, size_t(w.controller->filter().shownCount()));
    if (w.sink.failures)
        state.SkipWithError("the window reported a failure");
}
BENCHMARK(BM_KeystrokeInWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);

}  // namespace

int main(int argc, char** argv) { return bench::runWindowBenchmarks(argc, argv); }
