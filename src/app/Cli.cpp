#include "app/Cli.h"

#include <cstdio>

namespace petari {

namespace {
const char* const kUsage =
    "usage: petari [FILE]\n"
    "       petari --convert MODE[,MODE...] < input > output\n"
    "              (modes: full, half, katakana, hiragana, upper, lower, capitalise)\n"
    "       petari --calendar YEAR\n"
    "       petari --stamp [--at \"YYYY-MM-DD HH:MM:SS\"]\n"
    "       petari --price PRICE [--from N] [--to N] [--step N] [--tax PERCENT] [--unit U]\n"
    "              [--round down|half|up] [--prefix TEXT] [--suffix TEXT] [--no-separators]\n"
    "              [--align number|prefix|none] [--formula]\n";
}

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
    if (first == QLatin1String("--price"))
        return runPriceMode(args.mid(1));
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (first == QLatin1String("--")) {
        return -1;   // what follows is a file name, even one that starts with "--"
    }
    if (first.startsWith(QLatin1String("--"))) {
        std::fprintf(stderr, "petari: unknown option %s\n%s", first.toLocal8Bit().constData(), kUsage);
        return 2;
    }
    return -1;
}

}  // namespace petari
