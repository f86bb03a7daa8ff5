#pragma once
// One guard per labelled procedure: run its body, and hand any failure with
// the procedure's label to the error report.  Nothing escapes a guard, so a
// failing command ends where it failed and the program goes on.

#include "platform/Failure.h"

#include <QString>
#include <utility>

namespace petari {

class ErrorSink {
public:
    virtual ~ErrorSink() = default;
    virtual void report(const QString& label, int number, const QString& description) = 0;
};

// The sink every guard reports to.  Without one, failures go to stderr.
void setErrorSink(ErrorSink* sink);
ErrorSink* errorSink();

// Reports a failure caught by a guard; silent numbers are dropped here.
// A failure while a report is being made is written to stderr and dropped
// rather than reported again.
void reportFailure(const QString& label, int number, const QString& description);

// The same for any exception, numbered by failureFromException.
void reportFailureOf(const QString& label, const std::exception& e) noexcept;

// Runs body(); returns true when it finished without failing.
template <class Body>
bool guarded(const QString& label, Body&& body)
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const Failure& f) {
        reportFailure(label, f.number(), f.description());
    } catch (const std::exception& e) {
        // Library failures get the catalogue number of what went wrong, so
        // that an index or overflow fault reads as one in the report.
        reportFailureOf(label, e);
    } catch (...) {
        reportFailure(label, err::Internal, describeError(err::Internal));
    }
    return false;
}

// For a procedure that returns a value: the empty value when it failed.
template <class T, class Body>
T guardedValue(const QString& label, T empty, Body&& body)
{
    T result = empty;
    if (!guarded(label, [&] { result = std::forward<Body>(body)(); }))
        return empty;
    return result;
}

}  // namespace petari
