#pragma once
// How much one run of a generator or of the price calculator may make.
//
// One run makes at most kMaxLines lines and kMaxCharacters characters; a
// larger request is refused with a message before the document is touched,
// so nobody waits minutes for a list that would not fit in memory, and no
// run ends half done.  Both are far inside DocumentLimits.

#include <QString>
#include <QtGlobal>
#include <exception>
#include <string>

namespace petari {

constexpr qint64 kMaxLines = 1'000'000;
constexpr qint64 kMaxCharacters = 100'000'000;
// The most lines one price calculation produces.
constexpr int kMaxPriceLines = 1000000;

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

}  // namespace petari
