#include "document/Cp932.h"
#include "platform/Failure.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <vector>

using namespace petari;

namespace {

// glibc's own CP932 table, the independent reference for ours.
class Glibc {
public:
    Glibc() : toUnicode_(iconv_open("UTF-32LE", "CP932")), fromUnicode_(iconv_open("CP932", "UTF-32LE")) {}
    ~Glibc()
    {
        iconv_close(toUnicode_);
        iconv_close(fromUnicode_);
    }
    bool ok() const { return toUnicode_ != iconv_t(-1) && fromUnicode_ != iconv_t(-1); }

    // The one character the bytes stand for, when glibc reads them as one.
    std::optional<char32_t> decode(const QByteArray& bytes)
    {
        char32_t out[4];
        char* in = const_cast<char*>(bytes.constData());
        size_t inLeft = size_t(bytes.size());
        char* o = reinterpret_cast<char*>(out);
        size_t outLeft = sizeof out;
        iconv(toUnicode_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(toUnicode_, &in, &inLeft, &o, &outLeft) == size_t(-1) || inLeft != 0
            || sizeof out - outLeft != sizeof(char32_t))
            return std::nullopt;
        return out[0];
    }

    std::optional<QByteArray> encode(char32_t c)
    {
        char out[8];
        char* in = reinterpret_cast<char*>(&c);
        size_t inLeft = sizeof c;
        char* o = out;
        size_t outLeft = sizeof out;
        iconv(fromUnicode_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(fromUnicode_, &in, &inLeft, &o, &outLeft) == size_t(-1))
            return std::nullopt;
        return QByteArray(out, qsizetype(sizeof out - outLeft));
    }

private:
    iconv_t toUnicode_;
    iconv_t fromUnicode_;
};

QByteArray pair(int lead, int trail)
{
    QByteArray bytes;
    bytes.append(char(lead));
    bytes.append(char(trail));
    return bytes;
}

QByteArray codeBytes(int code)
{
    return code < 0x100 ? QByteArray(1, char(code)) : pair(code >> 8, code & 0xFF);
}

}  // namespace

TEST(Cp932, EveryDefinedCodeAgreesWithGlibcBothWays)
{
    Glibc glibc;
    ASSERT_TRUE(glibc.ok());
    std::vector<QByteArray> codes;
    for (int b = 0; b < 0x100; ++b)
        codes.push_back(QByteArray(1, char(b)));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            if (trail != 0x7F)
                codes.push_back(pair(lead, trail));
    }

    int defined = 0;
    for (const QByteArray& bytes : codes) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        qsizetype invalid = -1;
        const QString text = cp932::decode(bytes, &invalid);
        const auto expected = glibc.decode(bytes);
        if (bytes.size() == 1 && quint8(bytes[0]) >= 0x81 && !expected)
            continue;   // a lead byte on its own: tested below
        if (!expected) {
            EXPECT_EQ(text, QString(QChar(0xFFFD)));
            EXPECT_EQ(invalid, 1);
            continue;
        }
        ++defined;
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(char32_t(text[0].unicode()), *expected);
        EXPECT_EQ(invalid, 0);

        // Back to the same code, or to the preferred code of a duplicate,
        // which must stand for the same character.
        QString unmappable;
        const QByteArray back = cp932::encode(text, &unmappable);
        EXPECT_TRUE(unmappable.isEmpty());
        EXPECT_EQ(back, glibc.encode(*expected).value_or("none"));
        EXPECT_EQ(cp932::decode(back), text);
        const int code = back.size() == 1 ? quint8(back[0]) : quint8(back[0]) << 8 | quint8(back[1]);
        EXPECT_EQ(cp932::codeOf(text), code);
    }
    // 191 single bytes and 9604 double-byte codes, user-defined area included.
    EXPECT_EQ(defined, 191 + 9604);
}

TEST(Cp932, EveryBmpCharacterEncodesAsGlibcDoes)
{
    Glibc glibc;
    ASSERT_TRUE(glibc.ok());
    int mappable = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const QString text = QString(QChar(char16_t(c)));
        QString unmappable;
        const QByteArray ours = cp932::encode(text, &unmappable);
        const auto theirs = glibc.encode(c);
        if (theirs) {
            ++mappable;
            EXPECT_EQ(ours, *theirs) << std::hex << unsigned(c);
            EXPECT_TRUE(unmappable.isEmpty()) << std::hex << unsigned(c);
            EXPECT_TRUE(cp932::canEncode(text));
        } else {
            EXPECT_EQ(ours, "?") << std::hex << unsigned(c);
            EXPECT_EQ(unmappable, text) << std::hex << unsigned(c);
            EXPECT_EQ(cp932::codeOf(c), 63) << std::hex << unsigned(c);
            EXPECT_FALSE(cp932::canEncode(text));
        }
    }
    EXPECT_GT(mappable, 9000);
}

TEST(Cp932, CodesOfCharacters)
{
    struct Case {
        const char16_t* text;
        int code;
    };
    // The mapping notes are checked both ways below; these are the codes of
    // characters as such, surrogate pairs and unmappable ones included.
    const Case cases[] = {
        {u"あ", 0x82A0}, {u"ｱ", 0xB1}, {u"〜", 0x8160}, {u"😀", 63},  {u"A", 0x41},
        {u"≒", 0x81E0},  {u"?", 63},   {u"é", 63},      {u"\u3000", 0x8140},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(cp932::codeOf(text), c.code) << text.toStdString();
    }
    EXPECT_EQ(cp932::codeOf(char32_t(0x1F600)), 63);
    EXPECT_EQ(cp932::codeOf(char32_t(0xD800)), 63);
    const char16_t lone[] = {0xD800};
    EXPECT_EQ(cp932::codeOf(QStringView(lone, 1)), 63);
    try {
        cp932::codeOf(QStringView());
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.number(), err::InvalidArgument);
    }
}

TEST(Cp932, MappingNotesBothWays)
{
    struct Case {
        int code;
        char16_t unit;
    };
    const Case cases[] = {
        {0x5C, 0x005C},   {0x7E, 0x007E},   {0x815F, 0xFF3C}, {0x8160, 0xFF5E},
        {0x8161, 0x2225}, {0x817C, 0xFF0D}, {0x815C, 0x2015}, {0x8191, 0xFFE0},
        {0x8192, 0xFFE1}, {0x81CA, 0xFFE2}, {0xF040, 0xE000}, {0xF9FC, 0xE757},
        {0xF09F, 0xE05E}, {0x8740, 0x2460}, {0x8754, 0x2160}, {0x878A, 0x3231},
        {0xFA5C, 0x7E8A},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(cp932::decode(codeBytes(c.code)), QString(QChar(c.unit)));
        EXPECT_EQ(cp932::encode(QString(QChar(c.unit))), codeBytes(c.code));
    }
    // Duplicates read as their character and write as the preferred code.
    const struct { int code; int preferred; } duplicates[] = {
        {0x8790, 0x81E0}, {0xED40, 0xFA5C}, {0xEEF9, 0x81CA}, {0xFA54, 0x81CA}, {0x8754, 0x8754},
    };
    for (const auto& d : duplicates)
        EXPECT_EQ(cp932::encode(cp932::decode(codeBytes(d.code))), codeBytes(d.preferred)) << d.code;
}

TEST(Cp932, LookAlikesFromOtherSystemsAreWrittenAsTheirWindowsCounterparts)
{
    const struct { char16_t unit; int code; } cases[] = {
        {0x301C, 0x8160}, {0x2016, 0x8161}, {0x2212, 0x817C}, {0x2014, 0x815C}, {0x00A5, 0x5C},
        {0x203E, 0x7E},   {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00AC, 0x81CA},
    };
    for (const auto& c : cases) {
        const QString text = QString(QChar(c.unit));
        QString unmappable = QStringLiteral("stale");
        EXPECT_EQ(cp932::encode(text, &unmappable), codeBytes(c.code)) << c.unit;
        EXPECT_TRUE(unmappable.isEmpty());
        EXPECT_TRUE(cp932::canEncode(text));
        EXPECT_EQ(cp932::codeOf(text), c.code);
    }
}

TEST(Cp932, ControlCharactersMapToThemselves)
{
    QByteArray all;
    for (int b = 0; b < 0x80; ++b)
        all.append(char(b));
    const QString text = cp932::decode(all);
    ASSERT_EQ(text.size(), 0x80);
    for (int b = 0; b < 0x80; ++b)
        EXPECT_EQ(text[b].unicode(), b);
    EXPECT_EQ(cp932::encode(text), all);
}

TEST(Cp932, UndefinedBytesBecomeReplacementCharactersAndAreCounted)
{
    const QString r(QChar(0xFFFD));
    const struct {
        QByteArray bytes;
        QString text;
        qsizetype invalid;
    } cases[] = {
        {"\x80", r, 1},
        {"\xA0", r, 1},
        {"\xFD\xFE\xFF", r + r + r, 3},
        {"a\x82", QLatin1Char('a') + r, 1},                       // lead byte at the end
        {"\x82\r\n", r + QStringLiteral("\r\n"), 1},                 // the line break survives
        {"\x82 ", r + QLatin1Char(' '), 1},                    // not a trail byte
        {"\x85\x40x", r + QLatin1Char('x'), 1},                   // unassigned double-byte code
        {"\x81\x7F", r + QChar(0x7F), 1},
        {QByteArray("a\0b", 3), QStringView(u"a\0b", 3).toString(), 0},
        {"\x82\xA0\xB1", QString::fromUtf16(u"あｱ"), 0},
        {"", QString(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        qsizetype invalid = -1;
        EXPECT_EQ(cp932::decode(c.bytes, &invalid), c.text);
        EXPECT_EQ(invalid, c.invalid);
    }
}

TEST(Cp932, UnmappableCharactersAreReportedOnceInOrder)
{
    QString unmappable;
    const QString text = QString::fromUtf16(u"a😀bé😀〜é") + QChar(0xD800);
    const QByteArray bytes = cp932::encode(text, &unmappable);
    EXPECT_EQ(bytes, QByteArray("a?b??\x81\x60??"));
    EXPECT_EQ(unmappable, QString::fromUtf16(u"😀é") + QChar(0xD800));
    EXPECT_FALSE(cp932::canEncode(u"a😀"));
    EXPECT_TRUE(cp932::canEncode(u"漢字かなｶﾅ〜"));
    EXPECT_TRUE(cp932::canEncode(u""));

    QByteArray out("head");
    EXPECT_EQ(cp932::encodeAppend(u"😀x😀", out, &unmappable), 2);
    EXPECT_EQ(out, QByteArray("head?x?"));
    EXPECT_EQ(unmappable, QString::fromUtf16(u"😀"));
}
