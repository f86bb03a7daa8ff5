#pragma once
// Character kinds for line splitting, by code page 932 code:
//   1 full-width digits        2 full-width Latin       3 katakana and "ー"
//   4 hiragana                 5 kanji                  6 Greek
//   7 Cyrillic                 8 full-width symbols     9 box drawing
//  10 control and other       11 blanks (tab, space, full-width space, "、", "。")
//  21 "!" to "/"  22 digits  23 ":" to "@"  24 ASCII letters  25 "[" to "`"
//  27 "{" to "~", DEL and 161-165  28 half-width katakana
// A code from 256 to 0x813F is no character; the previous kind stays.

#include <QString>
#include <QStringView>

namespace petari {

int charKind(int cp932Code, int previousKind);

// The kind of the first character of oneChar (a surrogate pair is one
// character).  Characters code page 932 cannot hold have no code to go by;
// they are given the kind of their nearest code page 932 relatives:
//   Han ideographs 5, hiragana 4, katakana 3, Greek 6, Cyrillic 7,
//   other letters of the Latin script (é, ß) 24, blank space such as the
//   no-break space 11, combining marks the previous kind (they belong to the
//   character before them), anything else (emoji, Hangul) 10.
int charKindOf(QStringView oneChar, int previousKind);

// 1 when every character is a printable single-byte character other than
// half-width katakana (code 32 to 165), else 0; "" gives 1.  A character
// code page 932 cannot hold is no single-byte character, so it gives 0,
// although its stand-in code 63 would fall in the range.
int isPlainSingleByte(const QString& text);

}  // namespace petari
