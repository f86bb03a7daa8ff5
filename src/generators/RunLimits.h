#pragma once
// How the generator window reads its number boxes, and how much one run of a
// generator may make.
//
// Numbers are 32-bit.  One run makes at most kMaxLines lines and
// kMaxCharacters characters; a larger request is refused with a message
// before the document is touched, so nobody waits minutes for a list that
// would not fit in memory, and no run ends half done.

#include <QString>
#include <QStringView>
#include <exception>
#include <string>

namespace petari {

constexpr qint64 kMaxLines = 1'000'000;
constexpr qint64 kMaxCharacters = 100'000'000;

// A request larger than one run may make.  Carries the message for the user;
// it is an answer, not a failure, so it never goes to the error report.
class RunRefused : public std::exception {
public:
    explicit RunRefused(QString message);
    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    QString message_;
    std::string what_;
};

// Throws RunRefused when lines or characters are beyond the limits.
void checkRunSize(qint64 lines, qint64 characters);
QString tooManyLinesMessage();
QString tooManyCharactersMessage();

// The value of a number box: its leading number (full-width digits count as
// digits), rounded half to even; text with no number is 0.  Throws
// Failure(err::Overflow) outside the 32-bit range.
int boxNumber(QStringView text);
// The absolute value of the same; also throws for -2147483648.
int boxMagnitude(QStringView text);
// A digit count: the absolute value, 0 to 255; throws Failure(err::Overflow)
// past 255.
int boxDigits(QStringView text);

// Appends the decimal of v (not negative).  With width 0 or more, only the
// rightmost width characters of width copies of pad followed by the number:
// "007" for (7, 3, '0'), "23" for (123, 2, '0').  Writes straight into out,
// as a million lines must not pay for a string per number.
void appendDecimal(QString& out, qint64 v, int width, QChar pad);

}  // namespace petari
