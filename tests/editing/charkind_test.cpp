#include "editing/CharKind.h"

#include <gtest/gtest.h>

using namespace petari;

TEST(CharKind, KindsByCode)
{
    const struct {
        int code;
        int kind;
    } cases[] = {
        {0, 10},       {8, 10},       {9, 11},       {10, 10},      {31, 10},      {32, 11},
        {33, 21},      {47, 21},      {48, 22},      {57, 22},      {58, 23},      {64, 23},
        {65, 24},      {90, 24},      {91, 25},      {96, 25},      {97, 24},      {122, 24},
        {123, 27},     {126, 27},     {127, 27},     {161, 27},     {165, 27},     {166, 28},
        {0xDF, 28},    {0xFF, 28},    {0x8140, 11},  {0x8141, 11},  {0x8142, 11},  {0x8143, 8},
        {0x815A, 8},   {0x815B, 3},   {0x815C, 8},   {0x824E, 8},   {0x824F, 1},   {0x825F, 1},
        {0x8260, 2},   {0x829E, 2},   {0x829F, 4},   {0x833F, 4},   {0x8340, 3},   {0x839E, 3},
        {0x839F, 6},   {0x843F, 6},   {0x8440, 7},   {0x849E, 7},   {0x849F, 9},   {0x873F, 9},
        {0x8740, 8},   {0x889E, 8},   {0x889F, 5},   {0xFA3F, 5},   {0xFA40, 8},   {0xFA5B, 8},
        {0xFA5C, 5},   {0xFC4B, 5},   {0xFC4C, 10},  {0xFFFF, 10},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(charKind(c.code, 99), c.kind) << std::hex << c.code;
    }
    // No character: the previous kind stays.
    for (int code : {256, 0x1234, 0x813F})
        EXPECT_EQ(charKind(code, 7), 7) << code;
}

TEST(CharKind, KindsOfCharacters)
{
    const struct {
        const char16_t* ch;
        int kind;
    } cases[] = {
        {u"１", 1},  {u"Ａ", 2},  {u"ア", 3},  {u"ー", 3},  {u"あ", 4},  {u"漢", 5},
        {u"纊", 5},  {u"ⅰ", 8},  {u"α", 6},   {u"Я", 7},   {u"①", 8},  {u"─", 9},   {u"\u3000", 11},
        {u"、", 11}, {u"。", 11}, {u"!", 21},  {u"5", 22},  {u"@", 23},  {u"a", 24},
        {u"Z", 24},  {u"_", 25},  {u"~", 27},  {u"ｱ", 28},  {u"\t", 11}, {u"\n", 10},
        {u"?", 23},  {u"〜", 8},
        // Outside code page 932.
        {u"丂", 5},  {u"𠀋", 5},  {u"ゔ", 4},  {u"ㇰ", 3},  {u"ά", 6},   {u"ѐ", 7},
        {u"é", 24},  {u"\u00A0", 11}, {u"😀", 10}, {u"한", 10},
    };
    for (const auto& c : cases) {
        const QString ch = QString::fromUtf16(c.ch);
        EXPECT_EQ(charKindOf(ch, 99), c.kind) << ch.toStdString();
    }
    EXPECT_EQ(charKindOf(QString::fromUtf16(u"\u0301"), 24), 24);   // a combining accent
}

TEST(CharKind, PlainSingleByte)
{
    const struct {
        const char16_t* text;
        int result;
    } cases[] = {
        {u"abc.TXT", 1}, {u"", 1},           {u"My File-1.htm", 1}, {u"a?b", 1},
        {u"a\tb", 0},    {u"ｱ.txt", 0},      {u"あ.txt", 0},        {u"caf\u00E9.txt", 0},
        {u"😀.txt", 0},  {u"a\u007F", 1},    {u"\u00A5", 1},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(isPlainSingleByte(text), c.result) << text.toStdString();
    }
}
