#include "services/Guard.h"

#include <cstdio>

namespace petari {

namespace {
ErrorSink* g_sink = nullptr;
int g_depth = 0;
}  // namespace

void setErrorSink(ErrorSink* sink) { g_sink = sink; }
ErrorSink* errorSink() { return g_sink; }

void reportFailure(const QString& label, int number, const QString& description)
{
    if (isSilentError(number))
        return;
    auto toStderr = [&] {
        std::fprintf(stderr, "petari: %s: %d %s\n", label.toUtf8().constData(), number,
                     description.toUtf8().constData());
    };
    if (!g_sink || g_depth > 0) {
        // No report window, or a failure while one is being shown: never recurse.
        toStderr();
        return;
    }
    ++g_depth;
    try {
        g_sink->report(label, number, description);
    } catch (...) {
        toStderr();
    }
    --g_depth;
}

void reportFailureOf(const QString& label, const std::exception& e) noexcept
{
    try {
        const Failure f = failureFromException(e);
        reportFailure(label, f.number(), f.description());
    } catch (...) {
        // Out of memory while describing the failure: say what we can.
        std::fprintf(stderr, "petari: %s: %s\n", label.toUtf8().constData(), e.what());
    }
}

}  // namespace petari
