// Reading a large code page 932 file into lines, next to glibc's iconv
// converting the same file, so the two figures can be compared directly
// (wall-clock time: iconv runs as a child process).

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

constexpr int LineCount = 1000000;

class Lcg {
public:
    quint32 next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(state_ >> 33);
    }
    int below(int n) { return int(next() % quint32(n)); }

private:
    quint64 state_ = 42;
};

QString decodedRange(int firstLead, int lastLead)
{
    QString pool;
    for (int lead = firstLead; lead <= lastLead; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char pair[2] = {char(lead), char(trail)};
            const QString c = cp932::decode(QByteArrayView(pair, 2));
            if (c.size() == 1 && c[0] != QChar(0xFFFD))
                pool.append(c);
        }
    }
    return pool;
}

// About 40 bytes a line: ASCII words, hiragana, katakana, kanji, half-width
// katakana and the odd symbol, in random runs.
QByteArray mixedCp932Text()
{
    const QString kanji = decodedRange(0x88, 0x98);
    QString hiragana, katakana, halfWidth;
    for (char16_t c = 0x3041; c <= 0x3093; ++c)
        hiragana.append(QChar(c));
    for (char16_t c = 0x30A1; c <= 0x30F3; ++c)
        katakana.append(QChar(c));
    for (char16_t c = 0xFF66; c <= 0xFF9D; ++c)
        halfWidth.append(QChar(c));
    const QString ascii = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    const QString symbols = QString::fromUtf16(u"、。「」・！？（）【】　①～");

    Lcg rng;
    QByteArray bytes;
    bytes.reserve(LineCount * 42);
    QString line;
    for (int i = 0; i < LineCount; ++i) {
        line.clear();
        const int runs = 3 + rng.below(6);
        for (int r = 0; r < runs; ++r) {
            const QString* pool;
            switch (rng.below(6)) {
            case 0: pool = &ascii; break;
            case 1: pool = &hiragana; break;
            case 2: pool = &katakana; break;
            case 3: pool = &halfWidth; break;
            case 4: pool = &symbols; break;
            default: pool = &kanji; break;
            }
            const int length = 1 + rng.below(pool == &ascii || pool == &halfWidth ? 12 : 6);
            for (int k = 0; k < length; ++k)
                line.append(pool->at(rng.below(int(pool->size()))));
            if (rng.below(3) == 0)
                line.append(u' ');
        }
        cp932::encodeAppend(line, bytes);
        bytes.append("\r\n");
    }
    return bytes;
}

struct Fixture {
    QTemporaryDir dir;
    QString path;
    qint64 size = 0;
};

const Fixture& fixture()
{
    static const std::unique_ptr<Fixture> f = [] {
        auto made = std::make_unique<Fixture>();
        made->path = made->dir.filePath(QStringLiteral("mixed.txt"));
        const QByteArray bytes = mixedCp932Text();
        QFile file(made->path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
        made->size = bytes.size();
        return made;
    }();
    return *f;
}

void BM_ReadTextFile(benchmark::State& state)
{
    const Fixture& f = fixture();
    for (auto _ : state) {
        const TextFileContent content = readTextFile(f.path);
        if (content.lines.size() != LineCount || content.encoding != TextEncoding::Cp932)
            state.SkipWithError("wrong line count or encoding");
        benchmark::DoNotOptimize(content.lines.constData());
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
        benchmark::DoNotOptimize(content.lines.constData());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_ReadLineFeedOnly200MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
