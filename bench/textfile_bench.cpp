// Reading a large code page 932 file into lines, next to glibc's iconv
// converting the same file, so the two figures can be compared directly
// (wall-clock time: iconv runs as a child process).

#include "BenchData.h"
#include "document/Cp932.h"
#include "document/TextFile.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace petari;

namespace {

constexpr int LineCount = bench::MixedLineCount;

using Fixture = bench::MixedFile;

const Fixture& fixture() { return bench::mixedFile(); }

void BM_ReadTextFile(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        const TextFileContent content = readTextFile(f.path);
        if (content.lines.size() != LineCount || content.encoding != TextEncoding::Cp932)
            state.SkipWithError("wrong line count or encoding");
        benchmark::DoNotOptimize(content.lines.size());
    }
    state.SetBytesProcessed(state.iterations() * f.size);
    state.counters["file_MB"] = double(f.size) / 1e6;
}
BENCHMARK(BM_ReadTextFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_IconvCommand(benchmark::State& state)
{
    const Fixture& f = fixture();
    const QByteArray command = "iconv -f CP932 -t UTF-8 '" + QFile::encodeName(f.path) + "' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.constData()) != 0)
            state.SkipWithError("iconv failed");
    }
    state.SetBytesProcessed(state.iterations() * f.size);
    state.counters["file_MB"] = double(f.size) / 1e6;
}
BENCHMARK(BM_IconvCommand)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_DecodeInMemory(benchmark::State& state)
{
    const Fixture& f = fixture();
    QFile file(f.path);
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("cannot read the file");
        return;
    }
    const QByteArray bytes = file.readAll();
    for (auto _ : state)
        benchmark::DoNotOptimize(cp932::decode(bytes).constData());
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 200 MB file with lone LF line ends is one 200-million-character line
// when read; it must be read in one go, not hang.
void BM_ReadLineFeedOnly200MB(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lf.txt"));
    {
        QByteArray chunk;
        for (int i = 0; i < 100000; ++i)
            chunk.append("unix text line\n\x82\xA0\n");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the file");
            return;
        }
        while (file.size() < 200 * 1000 * 1000)
            file.write(chunk);
    }
    const qint64 size = QFile(path).size();
    for (auto _ : state) {
        const TextFileContent content = readTextFile(path);
        benchmark::DoNotOptimize(content.lines.size());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_ReadLineFeedOnly200MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
