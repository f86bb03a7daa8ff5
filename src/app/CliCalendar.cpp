#include "app/Cli.h"

#include <cstdio>

namespace petari {

int runCalendarMode(const QStringList&)
{
    std::fputs("petari: --calendar is not available yet\n", stderr);
    return 2;
}

int runStampMode(const QStringList&)
{
    std::fputs("petari: --stamp is not available yet\n", stderr);
    return 2;
}

}  // namespace petari
