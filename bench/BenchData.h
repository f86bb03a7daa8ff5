#pragma once
// The large code page 932 text the benchmarks read: a million lines of about
// 40 bytes each, mixing ASCII words, hiragana, katakana, kanji, half-width
// katakana and the odd symbol in random runs.  A fixed seed makes every run
// (and every benchmark program) use the very same bytes.

#include "document/Cp932.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QByteArrayView>
#include <QString>
#include <cstdlib>
#include <memory>

namespace petari::bench {

constexpr int MixedLineCount = 1000000;

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

inline QString decodedRange(int firstLead, int lastLead)
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

// CR LF after every line.
inline QByteArray mixedCp932Text(int lineCount = MixedLineCount)
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
    bytes.reserve(qsizetype(lineCount) * 42);
    QString line;
    for (int i = 0; i < lineCount; ++i) {
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

// The mixed text written once per process to a temporary file.
struct MixedFile {
    QTemporaryDir dir;
    QString path;
    qint64 size = 0;
};

inline const MixedFile& mixedFile()
{
    static const std::unique_ptr<MixedFile> f = [] {
        auto made = std::make_unique<MixedFile>();
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

// 33 million lines of one character each, a letter of the alphabet in turn:
// 99 MB of which every third byte is text.
constexpr int OneCharacterLineCount = 33000000;

inline QByteArray oneCharacterText(int lineCount = OneCharacterLineCount)
{
    QByteArray bytes(qsizetype(lineCount) * 3, Qt::Uninitialized);
    char* p = bytes.data();
    for (int i = 0; i < lineCount; ++i) {
        *p++ = char('a' + i % 26);
        *p++ = '\r';
        *p++ = '\n';
    }
    return bytes;
}

struct OneCharacterFile {
    QTemporaryDir dir;
    QString path;
    qint64 size = 0;
};

inline const OneCharacterFile& oneCharacterFile()
{
    static const std::unique_ptr<OneCharacterFile> f = [] {
        auto made = std::make_unique<OneCharacterFile>();
        made->path = made->dir.filePath(QStringLiteral("one-character-lines.txt"));
        const QByteArray bytes = oneCharacterText();
        QFile file(made->path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
        made->size = bytes.size();
        return made;
    }();
    return *f;
}

// Both files into folder: mixed.txt and one-character-lines.txt.
inline bool writeBenchFiles(const QString& folder)
{
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(folder + QLatin1Char('/') + name);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    return write(QStringLiteral("mixed.txt"), mixedCp932Text()) &&
           write(QStringLiteral("one-character-lines.txt"), oneCharacterText());
}

}  // namespace petari::bench
