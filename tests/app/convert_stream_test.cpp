#include "app/Cli.h"
#include "copy/Conversions.h"
#include "document/Utf8.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace petari;

namespace {

QByteArray convertInBlocks(const QByteArray& input, const QList<Conversion>& modes, std::size_t block)
{
    std::FILE* in = fmemopen(const_cast<char*>(input.constData()), size_t(input.size()), "rb");
    char* outData = nullptr;
    size_t outSize = 0;
    std::FILE* out = open_memstream(&outData, &outSize);
    const int rc = convertStream(in ? in : stdin, out, modes, block);
    std::fclose(out);
    if (in)
        std::fclose(in);
    QByteArray result(outData, qsizetype(outSize));
    std::free(outData);
    return rc == 0 ? result : QByteArray("<failed>");
}

QByteArray convertWhole(const QByteArray& input, const QList<Conversion>& modes)
{
    QString text = utf8::decodeEscaped(input);
    for (Conversion c : modes)
        text = applyConversion(c, text);
    return utf8::encodeEscaped(text);
}

}  // namespace

// Wherever the blocks are cut, the result is the whole text's: a kana and
// its sound mark, a surrogate pair, a word and a bad byte split between two
// blocks convert as if whole.
TEST(ConvertStream, BlocksConvertAsTheWholeInput)
{
    using C = Conversion;
    const struct {
        const char* input;
        QList<Conversion> modes;
    } cases[] = {
        {"ｶﾞｷﾟﾊﾟ ｶﾞ\nｳﾞﾞﾞ", {C::Full}},
        {"ガ゛ｶ゛カﾞ", {C::Half, C::Full}},
        {"か゛ｶﾞ", {C::Katakana, C::Half, C::Full}},
        {"😀a😀 bé\xF0\x9F\x98", {C::Upper}},
        {"hello wORLD\tfoo\xE3\x80\x80" "bar ÉCOLE", {C::Capitalise}},
        {"ａｂｃ ＤＥＦ ghi", {C::Half, C::Capitalise, C::Full}},
        {"lat\xE9 \xFF\xE3\x81 x\xC0\xAF", {C::Lower, C::Capitalise}},
        {"", {C::Full}},
    };
    for (const auto& c : cases) {
        const QByteArray input(c.input);
        const QByteArray want = convertWhole(input, c.modes);
        for (std::size_t block : {1, 2, 3, 4, 5, 7, 64}) {
            SCOPED_TRACE(std::string(c.input) + " / block " + std::to_string(block));
            EXPECT_EQ(convertInBlocks(input, c.modes, block), want);
        }
    }
}
