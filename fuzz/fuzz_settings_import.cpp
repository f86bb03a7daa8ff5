// libFuzzer entry for petari::fuzz::settingsImport (see FuzzTargets.h).
#include "FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string fault = petari::fuzz::settingsImport(data, size);
    if (!fault.empty()) {
        std::fprintf(stderr, "petari fuzz: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
