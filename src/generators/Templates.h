#pragma once
// The template kinds of the generator window other than the days of a year
// (DateSeries.h): numbered series, the times of a day, the alphabet, the
// kana syllabary, a repeated string and a column ruler.  Each returns its
// lines whole, or throws before making any (RunRefused past the run limits,
// Failure for an index no control can give), so the document takes all of a
// run or none of it.

#include <QString>
#include <QStringList>
#include <array>

namespace petari {

// "数字の連番".  The numbers are the absolute values of the boxes.
struct NumberingOptions {
    int start = 1;
    int end = 100;
    int step = 1;             // below 1 counts as 1; counts down when end < start
    int digits = 3;           // "桁数"
    bool fixedDigits = true;  // "桁を指定": the number keeps its last `digits` characters
    bool zeroFill = true;     // "０で埋める": pad with "0" rather than blanks
    QString before;           // "前に付ける文字"
    QString after;            // "後ろに付ける文字"
    bool tocBlanks = false;   // "目次用空行を入れる。": an empty line after every 20th number
};
QStringList numberingSeries(const NumberingOptions& options);

// "時間": interval entry 0–6 (1, 5, 10, 15, 20, 30, 60 minutes) and format
// 0–3 ("12:00", "12時 00分", "PM 12時 00分", "午後 12時 00分").
QStringList timeSeries(int intervalIndex, int format, bool tocBlanks);
// The entries of the interval box: "1分間隔" … "60分間隔".
QStringList timeIntervalCaptions();

// "A～Z": 0 A–Z, 1 a–z, 2 Ａ–Ｚ, 3 ａ–ｚ.
QStringList alphabetSeries(int set);

// "あ～ん": 0 half-width katakana, 1 hiragana, 2 full-width katakana; 45
// syllables, an empty line after each row when tocBlanks.
QStringList kanaSeries(int form, bool tocBlanks);

// "文字を並べる": text repeated `across` times, `lines` times over (none
// when not positive); an empty line after each when tocBlanks.
QStringList lineUp(const QString& text, int across, int lines, bool tocBlanks);

// "桁数の確認用": the three ruler lines for a length of `length` digits.
QStringList ruler(int length, bool fullWidth);

// The strings offered for the line-up: the user's ten latest, then the
// fixed marks.
class LineUpHistory {
public:
    static constexpr int kKept = 10;   // entries 0–9 are kept in the settings
    static const QStringList& marks();

    QString entry(int i) const;        // 0–10; "" outside
    void setEntry(int i, const QString& text);
    // A new, non-empty string that is no mark goes first; the oldest moves
    // out into entry 10, which is not kept.
    void remember(const QString& text);
    void clear();
    // The entries up to the first empty one, then the marks.
    QStringList comboItems() const;

private:
    std::array<QString, kKept + 1> entries_{};
};

}  // namespace petari
