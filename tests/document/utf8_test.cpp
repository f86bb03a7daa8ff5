// The UTF-8 validator at the edges of each range: the last code point of a
// length and the first of the next, the escapes of bytes that are no text,
// and the verdict on a file at the exact ratio of good to bad pieces.

#include "document/Utf8.h"

#include <gtest/gtest.h>

namespace petari {
namespace {

QString units(std::initializer_list<char16_t> u) { return QString(reinterpret_cast<const QChar*>(u.begin()), qsizetype(u.size())); }

TEST(Utf8Bytes, EachLengthAtItsFirstAndLastCodePoint)
{
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"\x7F", units({0x7F})},
        {"\xC2\x80", units({0x80})},
        {"\xDF\xBF", units({0x7FF})},
        {"\xE0\xA0\x80", units({0x800})},
        {"\xEF\xBF\xBF", units({0xFFFF})},
        {"\xF0\x90\x80\x80", units({0xD800, 0xDC00})},
        {"\xF4\x8F\xBF\xBF", units({0xDBFF, 0xDFFF})},
        {"\x80", units({0xDC80})},
        {"\xFF", units({0xDCFF})},
        {"\xC0\xAF", units({0xDCC0, 0xDCAF})},
        {"a\xE3\x81", units({'a', 0xDCE3, 0xDC81})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        EXPECT_EQ(utf8::decodeEscaped(c.bytes), c.text);
        EXPECT_EQ(utf8::encodeEscaped(c.text), c.bytes);
        QString appended = QStringLiteral("x");
        utf8::decodeEscaped(c.bytes, appended);
        EXPECT_EQ(appended, QStringLiteral("x") + c.text);
    }
    // Units no decoding gives: surrogates outside the escapes become U+FFFD.
    const struct {
        QString text;
        QByteArray bytes;
    } lone[] = {
        {units({0xDC7F}), "\xEF\xBF\xBD"},   {units({0xDD00}), "\xEF\xBF\xBD"},
        {units({0xD800}), "\xEF\xBF\xBD"},   {units({0xD800, 'a'}), "\xEF\xBF\xBD" "a"},
        {units({0xDFFF, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const auto& c : lone)
        EXPECT_EQ(utf8::encodeEscaped(c.text), c.bytes) << c.bytes.toHex().toStdString();
    QByteArray out("y");
    utf8::encodeEscaped(units({0x800}), out);
    EXPECT_EQ(out, QByteArray("y\xE0\xA0\x80"));
}

TEST(Utf8Bytes, TheIllFormedPieceOneReplacementStandsFor)
{
    const struct {
        QByteArray bytes;
        int length;
    } cases[] = {
        {"\xE3\x81\x41", 2}, {"\xE3\x41", 1},         {"\xF0\x90\x80", 3}, {"\xF0\x90\x80\x41", 3},
        {"\x80", 1},         {"\xF4\x90\x80\x80", 1}, {"\xE0\x9F\x80", 1}, {"\xED\xA0\x80", 1},
        {"\xC2", 1},         {"\xF5\x80", 1},         {"\xC1\x80", 1},     {"\xF1\x80\x80\x7F", 3},
        {QByteArray("\x80\x00", 2), 1},
    };
    for (const auto& c : cases) {
        const auto* p = reinterpret_cast<const unsigned char*>(c.bytes.constData());
        EXPECT_EQ(utf8::faultLength(p, p + c.bytes.size()), c.length) << c.bytes.toHex().toStdString();
    }
}

TEST(Utf8Bytes, CountsAndTheVerdictAtThreeGoodPiecesForOneBad)
{
    const QByteArray e("\xC3\xA9");   // é
    const struct {
        QByteArray bytes;
        qsizetype multiByte, faults;
        bool utf8;
    } cases[] = {
        {e + e + e + "\x80", 3, 1, true},   {e + e + "\x80", 2, 1, false},
        {"", 0, 0, false},                 {"plain ascii", 0, 0, false},
        {"aaaaaaa\x80", 0, 1, false},       {"aaaaaaaa\x80" + e + e + e, 3, 1, true},
        {"\xE3\x81\x41", 0, 1, false},       {"\xF0\x9F\x98\x80", 1, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        const utf8::Scan s = utf8::scan(c.bytes);
        EXPECT_EQ(s.multiByte, c.multiByte);
        EXPECT_EQ(s.faults, c.faults);
        EXPECT_TRUE(s.complete);
        EXPECT_EQ(s.readsAsUtf8(), c.utf8);
        EXPECT_EQ(utf8::scanForVerdict(c.bytes).readsAsUtf8(), c.utf8);
    }

    // A first block of 16384 bytes with 100 bad ones, then sequences: 300
    // can still make it UTF-8, so the scan goes on to the end; 299 cannot,
    // and the scan stops at the second block.
    for (const int sequences : {300, 299}) {
        QByteArray bytes(100, '\x80');
        bytes.append(QByteArray(16384 - 100, 'a'));
        for (int i = 0; i < sequences; ++i)
            bytes.append("\xE3\x81\x82");
        const utf8::Scan quick = utf8::scanForVerdict(bytes);
        EXPECT_EQ(quick.complete, sequences == 300) << sequences;
        EXPECT_EQ(quick.readsAsUtf8(), sequences == 300) << sequences;
        EXPECT_EQ(quick.faults, 100) << sequences;
        EXPECT_EQ(quick.multiByte, sequences == 300 ? 300 : 0) << sequences;
        EXPECT_EQ(utf8::scan(bytes).multiByte, sequences);
    }
    // Code page text: no lead byte to come, so the first block decides.
    QByteArray cp932;
    for (int i = 0; i < 20000; ++i)
        cp932.append("\x82\xA0");
    const utf8::Scan quick = utf8::scanForVerdict(cp932);
    EXPECT_FALSE(quick.complete);
    EXPECT_EQ(quick.faults, 16384);
}

}  // namespace
}  // namespace petari
