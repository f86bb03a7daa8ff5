// The generator window on a million lines, through the real window and into
// the main window: the numbering template making 1,000,000 lines (generated,
// put into the list, committed with its undo snapshot and table of contents,
// painted), and character addition with numbering over 1,000,000 lines.
// Time per run, and in a child process each the resident memory before,
// after and at its peak.

#include "BenchWindow.h"

#include "editing/Document.h"
#include "generators/ui/GeneratorWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstring>
#include <memory>

using namespace petari;

namespace {

constexpr int kLines = 1000000;
const char* const ProbeFlag = "--memory-probe";

struct Window : bench::MainWindowFixture {
    Document& doc() { return controller->document(); }

    // A committed, unchanged document of n lines.
    void documentOf(int n)
    {
        QStringList lines;
        lines.reserve(n);
        for (int i = 0; i < n; ++i)
            lines << QStringLiteral("%1行目　東京都千代田区 ﾃｽﾄ line").arg(i);
        doc().replaceLinesAsMade(std::move(lines));
        doc().commitEdit(dir.filePath(QStringLiteral("a.txt")), Commit::Unmodified, QStringLiteral("　開く　"), HexView::Keep);
        showPending();
    }

    // The window set up for the run; press() is the user's click.
    std::unique_ptr<GeneratorWindow> numberingWindow()
    {
        auto w = std::make_unique<GeneratorWindow>(doc(), prompt, controller->favourites(), GeneratorWindow::TemplatePage);
        w->findChild<QAbstractButton*>(QStringLiteral("Option1_0"))->click();
        w->findChild<QLineEdit*>(QStringLiteral("Text2_0"))->setText(QStringLiteral("1"));
        w->findChild<QLineEdit*>(QStringLiteral("Text2_1"))->setText(QString::number(kLines));
        w->findChild<QLineEdit*>(QStringLiteral("Text2_2"))->setText(QStringLiteral("1"));
        w->findChild<QLineEdit*>(QStringLiteral("Text2_3"))->setText(QStringLiteral("7"));
        w->findChild<QCheckBox*>(QStringLiteral("Check8"))->setChecked(false);
        w->findChild<QCheckBox*>(QStringLiteral("Check3"))->setChecked(false);
        return w;
    }
    std::unique_ptr<GeneratorWindow> additionWindow()
    {
        auto w = std::make_unique<GeneratorWindow>(doc(), prompt, controller->favourites(), GeneratorWindow::CharacterPage);
        w->findChild<QCheckBox*>(QStringLiteral("Check6"))->setChecked(true);
        w->findChild<QLineEdit*>(QStringLiteral("Text6_0"))->setText(QStringLiteral("No."));
        w->findChild<QLineEdit*>(QStringLiteral("Text6_1"))->setText(QStringLiteral(" "));
        w->findChild<QLineEdit*>(QStringLiteral("Text6_3"))->setText(QStringLiteral("7"));
        w->findChild<QAbstractButton*>(QStringLiteral("Option5_0"))->click();
        return w;
    }
    void press(GeneratorWindow& w, const char* button)
    {
        w.findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
        showPending();
    }
};

bool numberedRight(Window& w)
{
    const LineList& l = w.doc().lines();
    return l.count() == kLines && l.line(0) == QStringLiteral("0000001") &&
           l.line(kLines - 1) == QStringLiteral("1000000") && w.sink.failures == 0;
}

bool addedRight(Window& w)
{
    const LineList& l = w.doc().lines();
    return l.count() == kLines && l.line(0).startsWith(QStringLiteral("No.0000001 0行目")) &&
           l.line(kLines - 1).startsWith(QStringLiteral("No.1000000 999999行目")) && w.sink.failures == 0;
}

// Made on first use, gone before the application object.
std::unique_ptr<Window> theWindow;
Window& window()
{
    if (!theWindow)
        theWindow = std::make_unique<Window>();
    return *theWindow;
}

using Clock = std::chrono::steady_clock;
double since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }
// The processor time of the run: on a shared machine the wall clock also
// counts the time other processes had the cores.
double cpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }

void BM_NumberingTemplate(benchmark::State& state)
{
    Window& w = window();
    double cpu = 0;
    for (auto _ : state) {
        w.documentOf(0);
        auto form = w.numberingWindow();
        const auto t = Clock::now();
        const double c = cpuSeconds();
        w.press(*form, "Command1_0");
        state.SetIterationTime(since(t));
        cpu += cpuSeconds() - c;
        if (!numberedRight(w))
            state.SkipWithError("the list does not hold the numbers");
    }
    state.counters["cpu_ms"] = 1000 * cpu / double(state.iterations());
}
BENCHMARK(BM_NumberingTemplate)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_CharacterAddition(benchmark::State& state)
{
    Window& w = window();
    double cpu = 0;
    for (auto _ : state) {
        w.documentOf(kLines);
        auto form = w.additionWindow();
        const auto t = Clock::now();
        const double c = cpuSeconds();
        w.press(*form, "Command4_0");
        state.SetIterationTime(since(t));
        cpu += cpuSeconds() - c;
        if (!addedRight(w))
            state.SkipWithError("the lines were not numbered");
    }
    state.counters["cpu_ms"] = 1000 * cpu / double(state.iterations());
}
BENCHMARK(BM_CharacterAddition)->Unit(benchmark::kMillisecond)->UseManualTime();

// ---------------------------------------------------------------- memory

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

// In a child process: one run from a fresh window; prints the resident
// memory before the press, after it and at the peak.
int memoryProbe(const char* which)
{
    Window& w = window();
    const bool numbering = std::strcmp(which, "numbering") == 0;
    w.documentOf(numbering ? 0 : kLines);
    auto form = numbering ? w.numberingWindow() : w.additionWindow();
    double before = 0, after = 0, peak = 0, ignored = 0;
    // Restart the high-water mark here, so the peak is the run's own and not
    // that of building the document before it.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    readStatus(before, ignored);
    w.press(*form, numbering ? "Command1_0" : "Command4_0");
    readStatus(after, peak);
    std::printf("%.0f %.0f %.0f\n", before, after, peak);
    std::fflush(stdout);
    const bool right = numbering ? numberedRight(w) : addedRight(w);
    form.reset();
    theWindow.reset();
    return right ? 0 : 1;
}

void memory(benchmark::State& state, const char* which)
{
    double before = 0, after = 0, peak = 0;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ProbeFlag), QString::fromLatin1(which)});
        if (!child.waitForFinished(600000) || child.exitCode() != 0) {
            state.SkipWithError("the memory probe failed");
            return;
        }
        const QList<QByteArray> v = child.readAllStandardOutput().trimmed().split(' ');
        if (v.size() != 3) {
            state.SkipWithError("the memory probe printed no figures");
            return;
        }
        before = v[0].toDouble(), after = v[1].toDouble(), peak = v[2].toDouble();
    }
    state.counters["rss_before_MB"] = before / 1e6;
    state.counters["rss_after_MB"] = after / 1e6;
    state.counters["peak_MB"] = peak / 1e6;
}
void BM_NumberingTemplateMemory(benchmark::State& state) { memory(state, "numbering"); }
void BM_CharacterAdditionMemory(benchmark::State& state) { memory(state, "addition"); }
BENCHMARK(BM_NumberingTemplateMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CharacterAdditionMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    keepLargeBlocksMapped();
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], ProbeFlag) == 0)
        return memoryProbe(argv[2]);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theWindow.reset();
    return 0;
}
