#include "FuzzTargets.h"

#include "app/Cli.h"
#include "copy/Conversions.h"
#include "document/Cp932.h"
#include "document/HexView.h"
#include "document/TextFile.h"
#include "document/Utf8.h"
#include "editing/UndoChain.h"
#include "platform/Failure.h"
#include "services/SettingsExport.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace petari::fuzz {

namespace {

QByteArrayView view(const std::uint8_t* data, std::size_t size)
{
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

QByteArray convertInBlocks(QByteArrayView input, const QList<Conversion>& modes, std::size_t block)
{
    // fmemopen refuses an empty buffer; one byte of it read as nothing.
    static char empty = 0;
    std::FILE* in = input.isEmpty() ? fmemopen(&empty, 1, "rb")
                                    : fmemopen(const_cast<char*>(input.data()), size_t(input.size()), "rb");
    if (input.isEmpty() && in)
        std::fgetc(in);
    char* outData = nullptr;
    size_t outSize = 0;
    std::FILE* out = open_memstream(&outData, &outSize);
    if (!in || !out)
        std::abort();
    convertStream(in, out, modes, block);
    std::fclose(out);
    std::fclose(in);
    QByteArray result(outData, qsizetype(outSize));
    std::free(outData);
    return result;
}

}  // namespace

std::string decodeText(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes = view(data, size);
    const TextFileContent content = decodeTextFile(bytes);
    if (content.encoding != detectEncoding(bytes))
        return "decodeTextFile and detectEncoding disagree";
    if (content.binary != isBinary(bytes))
        return "decodeTextFile and isBinary disagree";
    if (content.invalidBytes < 0 || content.invalidBytes > qsizetype(size))
        return "more invalid bytes than bytes";
    for (QStringView line : content.lines)
        if (line.contains(QLatin1Char('\r')))
            return "a line holds a carriage return";

    if (utf8::encodeEscaped(utf8::decodeEscaped(bytes)) != bytes)
        return "the UTF-8 escape does not give the bytes back";

    qsizetype invalid = 0;
    const QString text = cp932::decode(bytes, &invalid);
    if (text.size() > qsizetype(size) || invalid > text.size())
        return "code page 932 decoding made too much";
    // What the code page reads, it writes back so that it reads the same
    // again: undefined bytes as "?", duplicates under their preferred code.
    QString unmappable;
    const QString again = cp932::decode(cp932::encode(text, &unmappable));
    QString expected = text;
    expected.replace(QChar(0xFFFD), QLatin1Char('?'));
    if (again != expected)
        return "code page 932 does not read back what it wrote";
    if (!unmappable.isEmpty() && unmappable != QString(QChar(0xFFFD)))
        return "code page 932 cannot write a character it read";

    if (size <= 4096) {
        const LineText hex = hexViewLines(bytes);
        if (hex.size() != qsizetype(size / 16 + 1))
            return "hexadecimal view has the wrong number of lines";
    }
    return {};
}

std::string conversions(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return {};
    QList<Conversion> modes;
    for (unsigned pick = data[0]; pick != 0 && modes.size() < 3; pick /= 8)
        if (pick % 8 < 7)
            modes.append(Conversion(pick % 8));
    const std::size_t block = 1 + data[1] % 16;
    const QByteArrayView input = view(data + 2, size - 2);

    QString text = utf8::decodeEscaped(input);
    if (toFullWidth(text).size() > text.size() || toHalfWidth(text).size() > 2 * text.size()
        || toKatakana(text).size() != text.size() || toHiragana(text).size() != text.size())
        return "a width or kana conversion changed the length beyond its bounds";
    if (!toUpper(text).size() != !text.size() || !capitaliseWords(text).size() != !text.size())
        return "a case conversion lost the text";
    parseConversionList(text);

    for (Conversion c : modes)
        text = applyConversion(c, text);
    const QByteArray whole = utf8::encodeEscaped(text);
    if (convertInBlocks(input, modes, block) != whole)
        return "converting in blocks differs from converting the whole";
    return {};
}

namespace {

// A file of this process in the temporary folder holding the bytes.
bool writeInput(const QString& path, const std::uint8_t* data, std::size_t size)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && f.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size);
}

QString inputPath(const char* suffix)
{
    return QDir::tempPath() + QStringLiteral("/petari-fuzz-%1%2.txt").arg(qint64(::getpid())).arg(QLatin1String(suffix));
}

}  // namespace

std::string settingsImport(const std::uint8_t* data, std::size_t size)
{
    static const QString path = inputPath("-settings");
    if (!writeInput(path, data, size))
        return "cannot write the input file";
    std::string fault;
    try {
        for (const SettingsRecord& r : readSettingsExport(path)) {
            const std::optional<SettingsRecord> again = parseExportLine(exportLine(r));
            if (!again || again->section != r.section || again->key != r.key || again->value != r.value) {
                fault = "an imported record does not read back from its own export line";
                break;
            }
        }
    } catch (const Failure&) {
    }
    QFile::remove(path);
    return fault;
}

std::string workFile(const std::uint8_t* data, std::size_t size)
{
    static const QString path = inputPath("");
    static const QString again = inputPath("-again");
    if (!writeInput(path, data, size))
        return "cannot write the input file";
    std::string fault;
    try {
        const LineText lines = readWorkFile(path);
        writeSnapshotFile(again, lines);
        if (readWorkFile(again) != lines)
            fault = "a snapshot of the lines read does not read back the same";
    } catch (const Failure&) {
        // A damaged snapshot is reported, never taken as a list.
    }
    QFile::remove(path);
    QFile::remove(again);
    return fault;
}

}  // namespace petari::fuzz
