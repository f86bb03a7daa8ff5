#pragma once
// The error number a step fails with, or 0 when it does not fail.

#include "platform/Failure.h"

#include <functional>

namespace petari::test {

inline int failureNumber(const std::function<void()>& body)
{
    try {
        body();
    } catch (const Failure& f) {
        return f.number();
    }
    return 0;
}

}  // namespace petari::test
