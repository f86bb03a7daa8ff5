// Files in other encodings, of the wrong kind or size, and names that are
// not UTF-8: what the loaders make of them.
#include "document/Cp932.h"
#include "document/FileName.h"
#include "document/TextFile.h"
#include "document/Utf8.h"
#include "platform/Failure.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace petari;

namespace {

QString u(const char16_t* text) { return QString::fromUtf16(text); }

void writeBytes(const QString& path, const QByteArray& bytes)
{
    const QByteArray name = encodeFileName(path);
    FILE* f = std::fopen(name.constData(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f), size_t(bytes.size()));
    std::fclose(f);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

const Failure* failureOf(const std::function<void()>& action)
{
    static std::unique_ptr<Failure> last;
    last.reset();
    try {
        action();
    } catch (const Failure& f) {
        last = std::make_unique<Failure>(f);
    }
    return last.get();
}

QByteArray le16(const QString& s)
{
    QByteArray b;
    for (QChar c : s) {
        b.append(char(c.unicode() & 0xFF));
        b.append(char(c.unicode() >> 8));
    }
    return b;
}

QByteArray be16(const QString& s)
{
    QByteArray b;
    for (QChar c : s) {
        b.append(char(c.unicode() >> 8));
        b.append(char(c.unicode() & 0xFF));
    }
    return b;
}

}  // namespace

// Each of the validator's range checks has a case that passes only with it.
TEST(Utf8, OnlyWellFormedSequencesAreTakenWhole)
{
    const struct {
        QByteArray bytes;
        int length;   // of the sequence at the start; 0 when ill-formed
    } cases[] = {
        {"\xC2\x80", 2},            {"\xDF\xBF", 2},
        {"\xC0\xAF", 0},            {"\xC1\xBF", 0},               // overlong two bytes
        {"\xE0\xA0\x80", 3},        {"\xE0\x80\xAF", 0},           // overlong three bytes
        {"\xE0\x9F\xBF", 0},        {"\xE0\x9F\xB1", 0},
        {"\xED\x9F\xBF", 3},        {"\xED\xA0\x80", 0},           // U+D7FF; a high surrogate
        {"\xED\xBF\xBF", 0},        {"\xEE\x80\x80", 3},           // a low surrogate; U+E000
        {"\xF0\x90\x80\x80", 4},    {"\xF0\x80\x80\xAF", 0},       // overlong four bytes
        {"\xF0\x8F\xBF\xBF", 0},    {"\xF4\x8F\xBF\xBF", 4},       // ...; U+10FFFF
        {"\xF4\x90\x80\x80", 0},    {"\xF5\x80\x80\x80", 0},       // past U+10FFFF
        {"\xF7\xBF\xBF\xBF", 0},    {"\xF8\x88\x80\x80\x80", 0},
        {"\xE3\x81", 0},            {"\xE3\x81\x41", 0},           // cut short
        {"\x80", 0},                {"\xFF", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        const auto* p = reinterpret_cast<const unsigned char*>(c.bytes.constData());
        EXPECT_EQ(utf8::sequenceLength(p, p + c.bytes.size()), c.length);
        // What the file loader and the command line make of such bytes
        // follows from the one validator.
        const QString escaped = utf8::decodeEscaped(c.bytes);
        EXPECT_EQ(utf8::encodeEscaped(escaped), c.bytes);
        EXPECT_EQ(escaped.size() == c.bytes.size(), c.length == 0);
    }
}

TEST(TextFile, EncodingIsDetectedDespiteStrayBytesAndNuls)
{
    const QString crlf = "\r\n";
    const struct {
        QByteArray bytes;
        TextEncoding encoding;
        QStringList lines;
        qsizetype invalid;
        bool binary;
    } cases[] = {
        // UTF-8 with one stray byte stays UTF-8; the byte shows as U+FFFD.
        {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xFF\r\n", TextEncoding::Utf8, {u(u"日本語\uFFFD")}, 1, false},
        {"\xE6\x97\xA5\xE6\x9C\xAC\x80\xE8\xAA\x9E\xE3\x81", TextEncoding::Cp932,
         {u(u"譌･譛ｬ\uFFFD隱槭\uFFFD")}, 2, false},   // two faults for three characters: not enough
        // The CP932 characters 燹ｱ are the overlong E0 9F B1, never UTF-8.
        {"\xE0\x9F\xB1", TextEncoding::Cp932, {u(u"燹ｱ")}, 0, false},
        {"\xED\xA0\x80\xE3\x81\x82", TextEncoding::Cp932, {u(u"\u605D\uFFFD縺\uFFFD")}, 2, false},
        {"\xF4\x90\x80\x80", TextEncoding::Cp932, {u(u"\uE33F\uFFFD\uFFFD")}, 2, false},
        // UTF-16 with a byte order mark, both byte orders.
        {"\xFF\xFE" + le16(u(u"日本\r\nab\r\n")), TextEncoding::Utf16LeBom, {u(u"日本"), "ab"}, 0, false},
        {"\xFE\xFF" + be16(u(u"日本\r\nab")), TextEncoding::Utf16BeBom, {u(u"日本"), "ab"}, 0, false},
        {"\xFF\xFE" + le16(u(u"a\xD800")), TextEncoding::Utf16LeBom, {u(u"a\uFFFD")}, 1, false},
        {QByteArray("\xFE\xFF\x00", 3), TextEncoding::Utf16BeBom, {u(u"\uFFFD")}, 1, false},
        // Without one, by where the NULs are.
        {le16(u(u"テスト text\r\n２行目\r\n")), TextEncoding::Utf16Le, {u(u"テスト text"), u(u"２行目")}, 0, false},
        {be16(u(u"\u3000見出し\r\n😀")), TextEncoding::Utf16Be, {u(u"\u3000見出し"), u(u"😀")}, 0, false},
        // NULs that are no UTF-16: binary, read as code page 932 all the same.
        {QByteArray("a\0b\r\n\0", 6), TextEncoding::Cp932, {QString("a") + QChar(0) + "b", QString(QChar(0))}, 0, true},
        {QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0", 10), TextEncoding::Cp932,
         {QString("\x7F" "ELF\x02\x01\x01") + QString(3, QChar(0))}, 0, true},
        {le16("a") + QByteArray("\0", 1), TextEncoding::Cp932, {QString("a") + QString(2, QChar(0))}, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        EXPECT_EQ(detectEncoding(c.bytes), c.encoding);
        const TextFileContent content = decodeTextFile(c.bytes);
        EXPECT_EQ(content.encoding, c.encoding);
        EXPECT_EQ(content.lines, c.lines);
        EXPECT_EQ(content.invalidBytes, c.invalid);
        EXPECT_EQ(content.binary, c.binary);
        EXPECT_EQ(isBinary(c.bytes), c.binary);
    }
}

// Without a byte order mark, bytes holding NULs are UTF-16 only when they
// decode cleanly and say so: a CR LF in UTF-16, or at least four units of
// ASCII making up a quarter of the text at least.  Anything less is shown as
// bytes; text that holds no NUL is not affected.
TEST(TextFile, Utf16WithoutAMarkNeedsEvidence)
{
    const QByteArray shortBinary("BIN\0\1\2data", 10);
    const QString letter = u(u"拝啓　田中様\r\nお世話になっております。\r\nMeeting: 3/14 10:00 (会議室B)\r\n敬具\r\n");
    const struct {
        QByteArray bytes;
        TextEncoding encoding;
        bool binary;
    } cases[] = {
        {shortBinary, TextEncoding::Cp932, true},
        {le16(letter), TextEncoding::Utf16Le, false},
        {be16(letter), TextEncoding::Utf16Be, false},
        {cp932::encode(letter), TextEncoding::Cp932, false},
        {letter.toUtf8(), TextEncoding::Utf8, false},
        {QByteArray("a\0\r\0\n\0", 6), TextEncoding::Utf16Le, false},   // one CR LF is enough
        {le16(u(u"日本語abcd")), TextEncoding::Utf16Le, false},            // four ASCII units
        {le16(u(u"日本語abc")), TextEncoding::Cp932, true},                 // three
        {le16(u(u"一二三四五六七八九十百千abcd")), TextEncoding::Utf16Le, false},   // a quarter
        {le16(u(u"一二三四五六七八九十百千万abcd")), TextEncoding::Cp932, true},    // less
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        EXPECT_EQ(detectEncoding(c.bytes), c.encoding);
        EXPECT_EQ(isBinary(c.bytes), c.binary);
    }
    EXPECT_EQ(decodeTextFile(le16(letter)).lines.size(), 4);
}

// Japanese text in code page 932 does not pass for UTF-8 with stray bytes.
TEST(TextFile, Cp932TextIsNotTakenForUtf8)
{
    const char16_t* const texts[] = {
        u"日本語のテキストファイル", u"編集", u"間隔", u"変更", u"再読み込み(Binary)",
        u"「空白行の追加」", u"みどりの日", u"午前と午後", u"四捨五入 切り上げ 切り捨て",
        u"ﾃｽﾄﾃﾞｰﾀ 漢字", u"ｶﾀｶﾅとひらがな、漢字。", u"燹ｱ燹ｱ燹ｱ", u"①Ⅰ㈱～＼",
    };
    for (const char16_t* text : texts) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        const QByteArray bytes = cp932::encode(u(text)) + "\r\n";
        EXPECT_EQ(detectEncoding(bytes), TextEncoding::Cp932);
        EXPECT_EQ(decodeTextFile(bytes).lines, QStringList({u(text)}));
    }
}

// A long code page file is not walked to its end to be told from UTF-8, yet
// UTF-8 that outweighs it near the end still wins.
TEST(TextFile, EncodingVerdictStopsEarlyWithoutChangingIt)
{
    const QByteArray cp932Line = cp932::encode(u(u"ｶﾀｶﾅとひらがな、漢字。")) + "\r\n";
    const QByteArray utf8Line = u(u"日本語のテキスト\r\n").toUtf8();
    for (const int cp932Lines : {1, 100, 3000, 20000}) {
        for (const int utf8Lines : {0, 1, 500, 5000, 30000, 90000}) {
            SCOPED_TRACE(std::to_string(cp932Lines) + " + " + std::to_string(utf8Lines));
            const QByteArray bytes = cp932Line.repeated(cp932Lines) + utf8Line.repeated(utf8Lines);
            const utf8::Scan whole = utf8::scan(bytes);
            const utf8::Scan verdict = utf8::scanForVerdict(bytes);
            EXPECT_EQ(verdict.readsAsUtf8(), whole.readsAsUtf8());
            EXPECT_EQ(detectEncoding(bytes), whole.readsAsUtf8() ? TextEncoding::Utf8 : TextEncoding::Cp932);
            if (utf8Lines == 0 && cp932Lines >= 3000)
                EXPECT_FALSE(verdict.complete);
        }
    }
}

TEST(TextFile, Utf16IsWrittenBackAsItWasRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("u16.txt");
    const QString text = u(u"日本語 and 😀\r\n\u3000２行目\r\n");
    for (const QByteArray& bytes : {"\xFF\xFE" + le16(text), "\xFE\xFF" + be16(text), le16(text), be16(text)}) {
        SCOPED_TRACE(bytes.left(8).toHex().toStdString());
        writeBytes(path, bytes);
        const TextFileContent content = readTextFile(path);
        ASSERT_EQ(content.lines.size(), 2);
        writeTextFile(path, content.lines, content.encoding);
        EXPECT_EQ(readBytes(path), bytes);
    }
    writeMacTextFile(path, {"a", "b"}, TextEncoding::Utf16BeBom);
    EXPECT_EQ(readBytes(path), "\xFE\xFF" + be16("a\rb\r\r\n"));
    EXPECT_EQ(unencodableCharacters({u(u"😀")}, TextEncoding::Utf16Le), "");
}

TEST(TextFile, DevicesPipesAndOversizedFilesAreRefusedAtOnce)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString zero = dir.filePath("zero.txt");
    ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(zero).constData()), 0);
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString big = dir.filePath("big.txt");
    writeBytes(big, QByteArray(1000, 'x'));

    const struct {
        QString path;
        qint64 limit;
        const char16_t* says;
    } cases[] = {
        {zero, TextFileLimit, u"通常のファイルではない"},
        {zero, HexViewLimit, u"通常のファイルではない"},
        {pipe, HexViewLimit, u"通常のファイルではない"},
        {dir.path(), HexViewLimit, u"フォルダ"},
        {big, 999, u"大きすぎて開けません（上限 0 MiB）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const Failure* f = failureOf([&] { readFileBytes(c.path, c.limit); });
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->number(), err::PathFileAccess);
        EXPECT_TRUE(f->description().contains(u(c.says))) << f->description().toStdString();
    }
    EXPECT_EQ(readFileBytes(big, 1000).size(), 1000);
    EXPECT_EQ(TextFileLimit, qint64(1) << 30);
    EXPECT_EQ(HexViewLimit, qint64(64) << 20);
}

TEST(FileName, NamesThatAreNotUtf8AreReadByTheirBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray raw = QFile::encodeName(dir.path()) + "/lat\xE9.txt";
    const QString name = decodeFileName(raw);
    EXPECT_EQ(encodeFileName(name), raw);
    EXPECT_TRUE(needsByteName(name));
    EXPECT_FALSE(fileExists(name));
    writeBytes(name, "caf\xE9\r\n");
    EXPECT_TRUE(fileExists(name));
    EXPECT_EQ(readTextFile(name).lines, QStringList({u(u"caf\uFFFD")}));

    // A name Qt can hold is decoded as Qt does it, and needs no bytes.
    const QString plain = decodeFileName(QFile::encodeName(dir.filePath(u(u"日本語😀.txt"))));
    EXPECT_EQ(plain, dir.filePath(u(u"日本語😀.txt")));
    EXPECT_FALSE(needsByteName(plain));

    // Saving under such a name would write another file: refused with a reason.
    const Failure* f = failureOf([&] { writeTextFile(name, {"x"}, TextEncoding::Cp932); });
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->number(), err::BadFileName);
    EXPECT_EQ(readTextFile(name).lines, QStringList({u(u"caf\uFFFD")}));
    ::unlink(raw.constData());   // QTemporaryDir cannot name it
}
