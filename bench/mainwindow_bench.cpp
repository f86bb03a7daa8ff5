// The main window with a million-line code page 932 file (about 40 MB):
//  - opening it until the shown window has painted it, beside glibc's iconv
//    converting the same file (wall-clock time, iconv as a child process);
//  - deleting one line with the Delete key until the window is ready for
//    the next key, undoing the last step, and undoing a step that has left
//    the memory of kept states (read back from its snapshot file);
//  - the peak memory of a fresh process that opens the file and deletes 20
//    lines one by one;
//  - the memory the opened document takes, measured in a fresh process of
//    this program so that nothing freed earlier in the run hides it, for
//    the million-line file and for 33 million lines of one character.
// The figures to compare are printed as counters of the second benchmark of
// each pair ("x_iconv") and of the memory benchmarks ("x_file",
// "peak_x_file", "edits_added_x_file"); delete, undo and redo print their
// median and 95th percentile ("median_ms", "p95_ms"), and BM_DeleteSteps
// where the time of one delete goes.  bench/outside_figures.sh measures the
// program itself the same way from outside.

#include "BenchData.h"
#include "BenchTiming.h"
#include "BenchWindow.h"

#include "platform/SettingsStore.h"
#include "document/LineList.h"
#include "document/TextFile.h"
#include "editing/UndoChain.h"
#include "document/Cp932.h"
#include "mainwindow/MainController.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/LineListView.h"
#include "platform/Clipboard.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <memory>
#include <unistd.h>

using namespace petari;
using namespace petari::bench::timing;

namespace {

const char* const MemoryProbeFlag = "--open-memory-probe";
const char* const EditMemoryProbeFlag = "--edit-memory-probe";
// Writes the files the benchmarks open into a folder, for measuring the
// program from outside (bench/outside_figures.sh).
const char* const WriteDataFlag = "--write-data";
constexpr int ProbeEdits = 20;

struct Window : bench::MainWindowFixture {
    // What the user waits for after choosing the file: the document read,
    // committed (undo snapshot, table of contents, menus) and painted.  The
    // writes of earlier iterations are finished first, as the user's own
    // would be while choosing the file: opening waits for them.
    void openAndShow(const QString& path)
    {
        controller->openDocument(path);
        showPending();
    }

    // One press of the Delete key on line row, until the window is ready
    // for the next key.
    void deleteLine(int row)
    {
        LineSelection lines = controller->document().selection();
        lines.clearSelection();
        lines.select(row);
        lines.setCurrentRow(row);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QCoreApplication::sendEvent(form->lineList(), &press);
        showPending();
    }

    void undoOrRedo(int index)
    {
        form->findChild<QAction*>(index == 0 ? QStringLiteral("undoAction") : QStringLiteral("redoAction"))->trigger();
        showPending();
    }

    bool shows(int lineCount) const
    {
        LineListView* view = form->lineList();
        return controller->lines().count() == lineCount && view->model()->rowCount() == lineCount &&
               view->indexAt(QPoint(4, 4)).isValid();
    }
};

using Data = bench::MixedFile;

const Data& data() { return bench::mixedFile(); }

std::unique_ptr<Window> theWindow;

Window& window()
{
    if (!theWindow)
        theWindow = std::make_unique<Window>();
    return *theWindow;
}

// Mean seconds of one iteration of the reference benchmark of each pair, for
// the ratio reported by the benchmark measured against it.
double iconvSeconds = 0;
double openSeconds = 0;

// ---------------------------------------------------------------- opening

void BM_IconvCommand(benchmark::State& state)
{
    const Data& d = data();
    const QByteArray command = "iconv -f CP932 -t UTF-8 '" + QFile::encodeName(d.path) + "' > /dev/null";
    double total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (std::system(command.constData()) != 0)
            state.SkipWithError("iconv failed");
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
    }
    iconvSeconds = total / double(state.iterations());
    state.SetBytesProcessed(state.iterations() * d.size);
    state.counters["file_MB"] = double(d.size) / 1e6;
}
BENCHMARK(BM_IconvCommand)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2);

// Arg 0: into an empty window, as the first file of a session.  Arg 1: over
// the same document already shown, so the old lines are freed on the way.
void BM_OpenUntilShown(benchmark::State& state)
{
    const Data& d = data();
    Window& w = window();
    const bool replacing = state.range(0) == 1;
    if (replacing && !w.shows(bench::MixedLineCount))
        w.openAndShow(d.path);
    const int failuresBefore = w.sink.failures;
    double total = 0;
    for (auto _ : state) {
        if (!replacing) {
            w.controller->document().replaceLinesAsMade({});
            w.showPending();
        }
        w.controller->document().waitForWrites();
        const auto start = Clock::now();
        w.openAndShow(d.path);
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
        if (!w.shows(bench::MixedLineCount) || w.sink.failures != failuresBefore) {
            state.SkipWithError("the window does not show the file");
            break;
        }
    }
    const double mean = total / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.SetBytesProcessed(state.iterations() * d.size);
    state.counters["file_MB"] = double(d.size) / 1e6;
    if (iconvSeconds > 0)
        state.counters["x_iconv"] = mean / iconvSeconds;
    if (!replacing)
        openSeconds = mean;
}
BENCHMARK(BM_OpenUntilShown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(4);

// The same opening cut into the controller's public steps, to show where the
// time goes: the file read into the list (f2load, which includes
// readTextFile), the commit (table of contents, undo snapshot, menus) and the
// window catching up.
void BM_OpenSteps(benchmark::State& state)
{
    const Data& d = data();
    Window& w = window();
    MainController& c = *w.controller;
    double read = 0, release = 0, load = 0, toc = 0, snapshot = 0, commit = 0, show = 0;
    const auto timed = [](double& sum, auto&& step) {
        const auto start = Clock::now();
        step();
        const double s = secondsSince(start);
        sum += s;
        return s;
    };
    for (auto _ : state) {
        c.document().replaceLinesAsMade({});
        w.showPending();
        double fload = 0;
        {
            TextFileContent content;
            timed(read, [&] { content = readTextFile(d.path); });
            benchmark::DoNotOptimize(content.lines.size());
            // Freeing a million lines is a cost of its own, paid when a
            // document replaces another.
            timed(release, [&] { content = TextFileContent(); });
        }
        fload += timed(load, [&] { c.document().readFile(d.path); });
        timed(toc, [&] { c.document().rebuildToc(); });
        timed(snapshot, [&] { c.undo().commit(c.lines().lines(), 0, QStringLiteral("　開く　")); });
        fload += timed(commit, [&] { c.document().commitEdit(d.path, Commit::Unmodified, QStringLiteral("　開く　"), HexView::Keep); });
        fload += timed(show, [&] { w.showPending(); });
        // The separate read, table of contents and snapshot repeat work that
        // f2load and CommitEdit do, and an empty window frees nothing: only
        // the three steps of opening itself make the time.
        state.SetIterationTime(fload);
    }
    const double n = double(state.iterations());
    state.counters["readTextFile_ms"] = read / n * 1e3;
    state.counters["free_lines_ms"] = release / n * 1e3;
    state.counters["f2load_ms"] = load / n * 1e3;
    state.counters["mokuji_ms"] = toc / n * 1e3;
    state.counters["snapshot_ms"] = snapshot / n * 1e3;
    state.counters["CommitEdit_ms"] = commit / n * 1e3;
    state.counters["show_ms"] = show / n * 1e3;
}
BENCHMARK(BM_OpenSteps)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// ---------------------------------------------------------------- editing and undo

Window& windowWithFile()
{
    Window& w = window();
    if (!w.shows(bench::MixedLineCount)) {
        // Edited by an earlier benchmark: thrown away, never saved over the data.
        w.controller->state().modified = 0;
        w.controller->document().waitForWrites();
        w.openAndShow(data().path);
    }
    return w;
}

// The bytes this program has always written for a list that code page 932
// holds: every line encoded, then CR LF.
QByteArray cp932Bytes(const LineText& lines)
{
    QByteArray bytes;
    for (QStringView line : lines) {
        bytes += cp932::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

// Arg 0: one key press at a time, the writer done with the last snapshot
// before the next press (a person's pace).  Arg 1: presses back to back,
// as a held key makes them; the writer falls behind, and once the kept
// states reach the memory budget a press waits for it.
void BM_DeleteOneLine(benchmark::State& state)
{
    Window& w = windowWithFile();
    const bool burst = state.range(0) == 1;
    const int failuresBefore = w.sink.failures;
    double total = 0, worst = 0;
    std::vector<double> times;
    int row = 1000;
    for (auto _ : state) {
        if (!burst)
            w.controller->document().waitForWrites();
        const int before = w.controller->lines().count();
        const auto start = Clock::now();
        w.deleteLine(row);
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
        worst = std::max(worst, s);
        times.push_back(s);
        row += 1000;
        if (w.controller->lines().count() != before - 1) {
            state.SkipWithError("the line was not deleted");
            break;
        }
    }
    w.controller->document().waitForWrites();
    UndoChain& undo = w.controller->undo();
    const QString snapshot = undo.snapshotPath(undo.undoPosition() - 1);
    QFile file(snapshot);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != cp932Bytes(w.controller->lines().lines()))
        state.SkipWithError("the snapshot file differs from the list's bytes");
    if (w.sink.failures != failuresBefore)
        state.SkipWithError("a write failed");
    state.counters["worst_ms"] = worst * 1e3;
    state.counters["median_ms"] = median(times) * 1e3;
    state.counters["p95_ms"] = percentile95(times) * 1e3;
    state.counters["snapshot_identical"] = 1;
}
BENCHMARK(BM_DeleteOneLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(40);

// One delete at a person's pace cut into the steps the key runs, to show
// where the time goes: the line taken out of the list, the table of
// contents, the undo chain's commit (the write itself is the writer's), the
// menus and status line, and the window catching up.
void BM_DeleteSteps(benchmark::State& state)
{
    Window& w = windowWithFile();
    MainController& c = *w.controller;
    // Wall-clock and processor time of this thread per step: on a machine
    // shared with other work, the difference is time spent waiting for a
    // processor.
    enum { Remove, Toc, Commit, Refresh, Events, Paint, Steps };
    const char* const names[Steps] = {"remove", "mokuji", "commit", "refresh", "events", "paint"};
    double wall[Steps] = {}, cpu[Steps] = {};
    const auto threadSeconds = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    };
    const auto timed = [&](int step, auto&& body) {
        const auto start = Clock::now();
        const double cpuStart = threadSeconds();
        body();
        cpu[step] += threadSeconds() - cpuStart;
        const double s = secondsSince(start);
        wall[step] += s;
        return s;
    };
    int row = 500;
    for (auto _ : state) {
        c.document().waitForWrites();
        c.document().selection().clearSelection();
        c.document().selection().select(row);
        c.document().selection().setCurrentRow(row);
        row += 1000;
        double s = timed(Remove, [&] { c.document().removeSelected(); });
        s += timed(Toc, [&] { c.document().rebuildToc(); });
        s += timed(Commit, [&] { c.undo().commit(c.lines().lines(), 1, QStringLiteral("　削除　")); });
        s += timed(Refresh, [&] { c.refreshView(); });
        s += timed(Events, [&] { QCoreApplication::processEvents(); });
        s += timed(Paint, [&] { w.form->lineList()->viewport()->repaint(); });
        state.SetIterationTime(s);
    }
    c.document().waitForWrites();
    const double n = double(state.iterations());
    double cpuTotal = 0;
    for (int i = 0; i < Steps; ++i) {
        state.counters[std::string(names[i]) + "_ms"] = wall[i] / n * 1e3;
        state.counters[std::string(names[i]) + "_cpu_ms"] = cpu[i] / n * 1e3;
        cpuTotal += cpu[i];
    }
    state.counters["thread_cpu_ms"] = cpuTotal / n * 1e3;
}
BENCHMARK(BM_DeleteSteps)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

// Arg 0: undo of the last step, then its redo, both from the kept states.
// Arg 1: the same with no memory for kept states, so that every step is
// read back from its snapshot file: undo of a step beyond the budget.
void BM_UndoLastStep(benchmark::State& state)
{
    Window& w = windowWithFile();
    const bool fromFile = state.range(0) == 1;
    UndoChain& undo = w.controller->undo();
    w.deleteLine(10);
    w.controller->document().waitForWrites();
    if (fromFile)
        undo.setMemoryBudget(0);
    const LineText after = w.controller->lines().lines();
    const int failuresBefore = w.sink.failures;
    double total = 0, redoTotal = 0;
    std::vector<double> times, redoTimes;
    for (auto _ : state) {
        const auto start = Clock::now();
        w.undoOrRedo(0);
        const double s = secondsSince(start);
        state.SetIterationTime(s);
        total += s;
        times.push_back(s);
        if (w.controller->lines().count() != after.size() + 1 || (fromFile && undo.isInMemory(undo.undoNewest()))) {
            state.SkipWithError("undo did not restore the line");
            break;
        }
        const auto redoStart = Clock::now();
        w.undoOrRedo(1);
        redoTimes.push_back(secondsSince(redoStart));
        redoTotal += redoTimes.back();
        if (w.controller->lines().lines() != after) {
            state.SkipWithError("redo did not give the list back");
            break;
        }
    }
    undo.setMemoryBudget(UndoChain::kDefaultMemoryBudget);
    if (w.sink.failures != failuresBefore)
        state.SkipWithError("a step could not be restored");
    const double n = double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    state.counters["redo_ms"] = redoTotal / n * 1e3;
    state.counters["median_ms"] = median(times) * 1e3;
    state.counters["p95_ms"] = percentile95(times) * 1e3;
    state.counters["redo_median_ms"] = median(redoTimes) * 1e3;
    state.counters["redo_p95_ms"] = percentile95(redoTimes) * 1e3;
    if (openSeconds > 0)
        state.counters["x_open"] = total / n / openSeconds;
}
BENCHMARK(BM_UndoLastStep)->Arg(0)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(40);
BENCHMARK(BM_UndoLastStep)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(9);

// ---------------------------------------------------------------- memory

struct MemoryFigures {
    double rssBefore = 0, rssAfter = 0, peak = 0;   // bytes
    double heapBefore = 0, heapAfter = 0;           // bytes malloc hands out
    double lines = 0, storeBytes = 0, utf16Bytes = 0, pieces = 0;
};

// VmRSS and VmHWM of this process, in bytes.
void readStatus(double& rss, double& peak)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& line : status.readAll().split('\n')) {
        const auto kb = [&line] { return line.mid(6).trimmed().split(' ').value(0).toDouble() * 1024; };
        if (line.startsWith("VmRSS:"))
            rss = kb();
        else if (line.startsWith("VmHWM:"))
            peak = kb();
    }
}

double heapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd);
}

// Run in a child process: the window opens the file once; the figures go to
// stdout as one line of numbers.
int memoryProbe(const QString& path, int lineCount)
{
    Window w;
    w.showPending();
    MemoryFigures f;
    double ignored = 0;
    readStatus(f.rssBefore, ignored);
    f.heapBefore = heapInUse();
    w.openAndShow(path);
    readStatus(f.rssAfter, f.peak);
    f.heapAfter = heapInUse();
    const LineText& lines = w.controller->lines().lines();
    f.lines = double(lines.size());
    f.storeBytes = double(lines.memoryBytes());
    f.utf16Bytes = 2 * double(lines.textSize());
    f.pieces = double(lines.pieces().size());
    std::printf("%.0f %.0f %.0f %.0f %.0f %.0f %.0f %.0f %.0f\n", f.rssBefore, f.rssAfter, f.peak, f.heapBefore,
                f.heapAfter, f.lines, f.storeBytes, f.utf16Bytes, f.pieces);
    if (!w.shows(lineCount) || w.sink.failures != 0) {
        std::fprintf(stderr, "the probe's window shows %d lines, %d failures\n", w.controller->lines().count(), w.sink.failures);
        return 1;
    }
    return 0;
}

// Run in a child process: the window opens the file and deletes
// ProbeEdits lines one after another, as fast as the window takes the
// keys; then it waits for the writer.  Prints the resident size before
// opening, after opening, after the edits, after the writes, the peak and
// what the undo chain counts for its kept states.
int editMemoryProbe(const QString& path)
{
    Window w;
    w.showPending();
    double before = 0, ignored = 0, afterOpen = 0, afterEdits = 0, peak = 0, afterWrites = 0;
    readStatus(before, ignored);
    w.openAndShow(path);
    w.controller->document().waitForWrites();
    readStatus(afterOpen, ignored);
    for (int i = 0; i < ProbeEdits; ++i)
        w.deleteLine(1000 * (i + 1));
    readStatus(afterEdits, ignored);
    w.controller->document().waitForWrites();
    readStatus(afterWrites, peak);
    std::printf("%.0f %.0f %.0f %.0f %.0f %.0f\n", before, afterOpen, afterEdits, afterWrites, peak,
                double(w.controller->undo().memoryInUse()));
    if (w.controller->lines().count() != bench::MixedLineCount - ProbeEdits || w.sink.failures != 0) {
        std::fprintf(stderr, "the probe's window holds %d lines, %d failures\n", w.controller->lines().count(), w.sink.failures);
        return 1;
    }
    return 0;
}

QList<QByteArray> runProbe(benchmark::State& state, const QStringList& arguments, int figures)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(1800000) || child.exitCode() != 0) {
        std::fprintf(stderr, "%s\n", child.readAllStandardError().constData());
        state.SkipWithError("the probe failed");
        return {};
    }
    const QList<QByteArray> v = child.readAllStandardOutput().trimmed().split(' ');
    if (v.size() != figures) {
        state.SkipWithError("the probe printed no figures");
        return {};
    }
    return v;
}

void BM_EditMemory(benchmark::State& state)
{
    const Data& d = data();
    QList<QByteArray> v;
    for (auto _ : state)
        v = runProbe(state, {QString::fromLatin1(EditMemoryProbeFlag), d.path}, 6);
    if (v.isEmpty())
        return;
    const double file = double(d.size), before = v[0].toDouble();
    state.counters["file_MB"] = file / 1e6;
    state.counters["edits"] = ProbeEdits;
    state.counters["rss_after_open_x_file"] = (v[1].toDouble() - before) / file;
    state.counters["rss_after_edits_x_file"] = (v[2].toDouble() - before) / file;
    state.counters["edits_added_x_file"] = (v[2].toDouble() - v[1].toDouble()) / file;
    state.counters["rss_after_writes_x_file"] = (v[3].toDouble() - before) / file;
    state.counters["peak_x_file"] = (v[4].toDouble() - before) / file;
    state.counters["kept_MB"] = v[5].toDouble() / 1e6;
}
BENCHMARK(BM_EditMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void reportOpenMemory(benchmark::State& state, const QString& path, qint64 size, int lineCount)
{
    QList<QByteArray> v;
    for (auto _ : state)
        v = runProbe(state, {QString::fromLatin1(MemoryProbeFlag), path, QString::number(lineCount)}, 9);
    if (v.isEmpty())
        return;
    MemoryFigures f{v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble(), v[4].toDouble(),
                    v[5].toDouble(), v[6].toDouble(), v[7].toDouble(), v[8].toDouble()};
    const double growth = f.rssAfter - f.rssBefore;
    const double file = double(size);
    state.counters["file_MB"] = file / 1e6;
    state.counters["rss_growth_MB"] = growth / 1e6;
    state.counters["x_file"] = growth / file;
    state.counters["peak_x_file"] = (f.peak - f.rssBefore) / file;
    state.counters["heap_growth_MB"] = (f.heapAfter - f.heapBefore) / 1e6;
    state.counters["store_MB"] = f.storeBytes / 1e6;
    state.counters["utf16_MB"] = f.utf16Bytes / 1e6;
    state.counters["pieces"] = f.pieces;
}

// One child process is the measurement; repeating it gives the same figures.
void BM_OpenMemory(benchmark::State& state)
{
    reportOpenMemory(state, data().path, data().size, bench::MixedLineCount);
}
BENCHMARK(BM_OpenMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// 33 million lines of one character each (99 MB): what a line costs beside
// its text.
void BM_OneCharacterLinesMemory(benchmark::State& state)
{
    const bench::OneCharacterFile& f = bench::oneCharacterFile();
    reportOpenMemory(state, f.path, f.size, bench::OneCharacterLineCount);
}
BENCHMARK(BM_OneCharacterLinesMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    // Before the application object exists, or the platform is already chosen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    keepLargeBlocksMapped();
    QApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], MemoryProbeFlag) == 0)
        return memoryProbe(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], WriteDataFlag) == 0)
        return bench::writeBenchFiles(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], EditMemoryProbeFlag) == 0)
        return editMemoryProbe(QString::fromLocal8Bit(argv[2]));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theWindow.reset();
    return 0;
}
