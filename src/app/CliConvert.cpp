#include "app/Cli.h"

#include <cstdio>

namespace petari {

int runConvertMode(const QStringList&)
{
    std::fputs("petari: --convert is not available yet\n", stderr);
    return 2;
}

}  // namespace petari
