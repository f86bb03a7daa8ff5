// The commit step's snapshot of a 1,000,000-line document, beside a plain
// copy of a file of the same size, and undo reading the snapshot back.
// The snapshot is written by the background writer: BM_CommitSnapshot waits
// for it (the writer's time), BM_CommitHandOver does not (the window's).

#include "platform/SettingsStore.h"
#include "editing/UndoChain.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

using petari::SettingsStore;
using petari::UndoChain;

struct Fixture {
    QTemporaryDir home, config;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<UndoChain> chain;
    QStringList lines;

    Fixture()
    {
        settings = std::make_unique<SettingsStore>(config.filePath(QStringLiteral("petari.ini")));
        chain = std::make_unique<UndoChain>(*settings, home.path());
        lines.reserve(1000000);
        for (int i = 0; i < 1000000; ++i)
            lines << QStringLiteral("%1行目　東京都千代田区 ﾃｽﾄ line %2").arg(i).arg(i % 977);
        chain->commit(lines, 0, QStringLiteral("　開く　"));
        chain->finishWrites();
    }
    QString snapshot() const { return chain->snapshotPath(0); }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_CommitSnapshot(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        f.chain->commit(f.lines, 0, QStringLiteral("　開く　"));
        f.chain->finishWrites();
    }
    state.counters["MB"] = QFileInfo(f.snapshot()).size() / 1e6;
}
BENCHMARK(BM_CommitSnapshot)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CommitHandOver(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        f.chain->finishWrites();
        const auto start = std::chrono::steady_clock::now();
        f.chain->commit(f.lines, 0, QStringLiteral("　開く　"));
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    f.chain->finishWrites();
}
BENCHMARK(BM_CommitHandOver)->Unit(benchmark::kMillisecond)->UseManualTime();

// The snapshot file alone, without (0) and with (1) the CRC-32 the index
// records; the second reports its time against the first ("x_without").
double withoutChecksumSeconds = 0;

void BM_SnapshotFileChecksum(benchmark::State& state)
{
    Fixture& f = fixture();
    petari::WorkFileOptions options;
    options.checksum = state.range(0) == 1;
    const QString path = f.home.filePath(QStringLiteral("snapshot.txt"));
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const petari::WrittenFile written = petari::writeLinesFile(path, f.lines, options);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(s);
        total += s;
        benchmark::DoNotOptimize(written.checksum);
    }
    const double mean = total / double(state.iterations());
    if (!options.checksum)
        withoutChecksumSeconds = mean;
    else if (withoutChecksumSeconds > 0)
        state.counters["x_without"] = mean / withoutChecksumSeconds;
    state.counters["MB"] = QFileInfo(path).size() / 1e6;
}
BENCHMARK(BM_SnapshotFileChecksum)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(3);

void BM_PlainFileCopy(benchmark::State& state)
{
    Fixture& f = fixture();
    const QString target = f.home.filePath(QStringLiteral("copy.txt"));
    for (auto _ : state) {
        QFile::remove(target);
        if (!QFile::copy(f.snapshot(), target))
            state.SkipWithError("copy failed");
    }
    state.counters["MB"] = QFileInfo(target).size() / 1e6;
}
BENCHMARK(BM_PlainFileCopy)->Unit(benchmark::kMillisecond);

void BM_UndoLoadSnapshot(benchmark::State& state)
{
    Fixture& f = fixture();
    f.chain->commit(f.lines, 1, QStringLiteral("　追加　"));
    f.chain->finishWrites();
    for (auto _ : state) {
        const petari::LineText back = f.chain->loadSnapshot(f.chain->undoStep());
        benchmark::DoNotOptimize(back.size());
        f.chain->redoStep();
    }
}
BENCHMARK(BM_UndoLoadSnapshot)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
