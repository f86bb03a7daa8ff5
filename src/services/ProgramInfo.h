#pragma once
// The program's information strings (name, version, date and time stamps,
// author line) picked by index digits, and the line-break stripper that
// warns the developer when a break turns up where none should be.

#include <QDateTime>
#include <QString>
#include <functional>

namespace petari {

namespace programinfo {
constexpr int majorVersion = 2;
constexpr int minorVersion = 40;
constexpr int revision = 167;
// The main window's caption; also the title of every message box.
QString caption();
}  // namespace programinfo

// Concatenates, in the order of the digits, the information entries 0 to 9:
//   0 "ペタリ.exe  "            1 "Ver 2.40.167  "
//   2 "2024/ 1/ 5 " (year, spacePadded2 month and day, one blank)
//   3 "09:30:05 "               4 author, full-width space, contact
//   5 "20240105"                6 "093005"
//   7 where to find the author  8 the development tool
//   9 ""
// A character that is not a digit counts as 0.  Every entry of one call uses
// the same moment, so a date and a time taken together always agree.
QString programInformation(const QString& digits, const QDateTime& now = QDateTime::currentDateTime());

// Called once for every line break withoutLineBreaks drops away from the text's edges,
// with the developer message to show.  The caller decides how to show it.
using DeveloperWarning = std::function<void(const QString& message)>;

// "開発者向けエラーメッセージ　kgsj()で意図しないデータを処理しました。"
QString lineBreakDeveloperMessage();

// The text without its CR and LF characters.  A break at 1-based position p
// with 2 < p < length - 1 (that is, not among the first or last two
// characters) is unexpected: warn is called for each such break.
QString withoutLineBreaks(const QString& text, const DeveloperWarning& warn = {});

}  // namespace petari
