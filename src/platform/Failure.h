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

// The catalogue number of an errno value left by a file operation:
// ENOENT 53, ENOTDIR 76, EACCES/EPERM/EROFS 70, ENOSPC/EDQUOT/EFBIG 61,
// ENAMETOOLONG 52, EINVAL 5, ERANGE/EOVERFLOW 6, ENOMEM 7, anything else 75.
int errorNumberFromErrno(int errnoValue);

// A failure of a file operation on path from its errno.  A missing file
// whose folder is missing too is "path not found" (76) rather than 53.  The
// description is the number's own followed by a full-width space and the path.
Failure fileFailure(int errnoValue, const QString& path = QString());

// How an exception that is not a Failure reaches the report:
// std::out_of_range 9; std::overflow_error, std::range_error and
// std::length_error 6; std::invalid_argument and std::domain_error 5;
// std::system_error (std::filesystem::filesystem_error, std::ios_base::failure)
// by its errno; std::bad_alloc 7; anything else 51, which the report treats
// as unexpected.  The description is the number's own, followed by the
// exception's message when it carries one.
Failure failureFromException(const std::exception& e);

}  // namespace petari
