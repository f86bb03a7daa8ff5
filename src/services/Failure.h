#pragma once
// A run-time failure of a labelled procedure: a catalogue number and the
// failure's own one-line description.  Thrown by logic code, caught by the
// guard of the labelled procedure that was running (see Guard.h).

#include <QString>
#include <exception>
#include <string>

namespace petari {

namespace err {
constexpr int InvalidArgument = 5;   // invalid procedure call or argument
constexpr int Overflow = 6;          // arithmetic overflow
constexpr int OutOfMemory = 7;       // not ours to expect: always unexpected
constexpr int OutOfRange = 9;        // index out of range
constexpr int Internal = 51;         // a fault of the program itself
constexpr int BadFileName = 52;      // bad file name or file number
constexpr int FileNotFound = 53;
constexpr int DiskFull = 61;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;   // path or file access error
constexpr int PathNotFound = 76;
constexpr int ClipboardBusy = 521;   // the clipboard cannot be opened
constexpr int Cancelled = 32755;     // the user cancelled a file dialog
}  // namespace err

// The short Japanese description the report shows for a catalogue number.
QString describeError(int number);

// 521 and 32755 are expected conditions and are never shown to the user.
bool isSilentError(int number);

class Failure : public std::exception {
public:
    explicit Failure(int number, QString description = QString());
    int number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    int number_;
    QString description_;
    std::string what_;
};

}  // namespace petari
