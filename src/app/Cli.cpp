#include "app/Cli.h"

namespace petari {

int runCommandLineMode(const QStringList& args)
{
    if (args.isEmpty())
        return -1;
    const QString& first = args.front();
    if (first == QLatin1String("--convert"))
        return runConvertMode(args.mid(1));
    if (first == QLatin1String("--calendar"))
        return runCalendarMode(args.mid(1));
    if (first == QLatin1String("--stamp"))
        return runStampMode(args.mid(1));
    return -1;
}

}  // namespace petari
