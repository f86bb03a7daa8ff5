#include "platform/StringUtils.h"

#include <gtest/gtest.h>

using namespace petari;

TEST(StringUtils, PathPartsAcceptBothSeparators)
{
    struct Case { QString path, tail, head, ext; };
    const Case cases[] = {
        {"C:\\a\\b.txt", "b.txt", "C:\\a", "txt"},
        {"/home/u/b.txt", "b.txt", "/home/u", "txt"},
        {"/home/u\\mixed/x.tar.gz", "x.tar.gz", "/home/u\\mixed", "gz"},
        {"noseparator.txt", "", "", "txt"},
        {"", "", "", ""},
        {"/dir/", "", "/dir", ""},
        {"/.hidden", ".hidden", "", "hidden"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pathTail(c.path), c.tail) << c.path.toStdString();
        EXPECT_EQ(pathHead(c.path), c.head) << c.path.toStdString();
        EXPECT_EQ(pathExt(c.path), c.ext) << c.path.toStdString();
    }
}

TEST(StringUtils, TwoCharacterNumbers)
{
    struct Case { int n; const char* zero; const char* space; };
    const Case cases[] = {{7, "07", " 7"}, {0, "00", " 0"}, {12, "12", "12"},
                          {2024, "24", "24"}, {123, "23", "23"}, {-5, "-5", "-5"}};
    for (const auto& c : cases) {
        EXPECT_EQ(zeroPadded2(c.n), c.zero) << c.n;
        EXPECT_EQ(spacePadded2(c.n), c.space) << c.n;
    }
}

TEST(StringUtils, LeadingNumberRule)
{
    struct Case { const char* text; double value; };
    const Case cases[] = {{"12abc", 12}, {"abc", 0}, {" -3.5x", -3.5}, {"", 0},
                          {"+7", 7}, {".5", 0.5}, {"1e3x", 1000}, {"1e", 1},
                          {"-", 0}, {"  42  ", 42}, {"1,000", 1}, {"3.", 3}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromUtf8(c.text)), c.value) << c.text;
    EXPECT_EQ(leadingInt(u"99999999999"), 2147483647);
    EXPECT_EQ(leadingInt(u"-7.9"), -7);
}
