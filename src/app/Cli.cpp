#include "app/Cli.h"

#include "platform/InstanceChannel.h"
#include "platform/InstanceRegistry.h"
#include "services/ProgramInfo.h"

#include <cstdio>

namespace petari {

namespace {
const char* const kUsage =
    "usage: petari [FILE]\n"
    "       petari --convert MODE[,MODE...] < input > output\n"
    "              (modes: full, half, katakana, hiragana, upper, lower, capitalise)\n"
    "       petari --calendar YEAR\n"
    "       petari --stamp [--at \"YYYY-MM-DD HH:MM:SS\"]\n"
    "       petari --table ROWS LINES COLUMNS WIDTH\n"
    "       petari --price PRICE [--from N] [--to N] [--step N] [--tax PERCENT] [--unit U]\n"
    "              [--round down|half|up] [--prefix TEXT] [--suffix TEXT] [--no-separators]\n"
    "              [--align number|prefix|none] [--formula]\n"
    "       petari --export-settings FILE | --import-settings FILE\n"
    "       petari --show\n"
    "       petari --version\n"
    "       petari --help\n";

// "petari (ペタリ) 2.40.167", the line the manual page names as the version.
int printVersion()
{
    const QString line = QStringLiteral("petari (ペタリ) %1.%2.%3\n")
                             .arg(programinfo::majorVersion)
                             .arg(programinfo::minorVersion)
                             .arg(programinfo::revision);
    std::fputs(line.toUtf8().constData(), stdout);
    return 0;
}
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
    if (first == QLatin1String("--version"))
        return printVersion();
    if (first == QLatin1String(kShowSwitch))
        return runShowMode(args.mid(1));
    if (first == QLatin1String("--export-settings"))
        return runExportSettingsMode(args.mid(1));
    if (first == QLatin1String("--import-settings"))
        return runImportSettingsMode(args.mid(1));
    if (first == QLatin1String("--table"))
        return runTableMode(args.mid(1));
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

int runShowMode(const QStringList& args)
{
    if (!args.isEmpty()) {
        std::fprintf(stderr, "petari: --show takes no arguments\n%s", kUsage);
        return 2;
    }
    InstanceRequest r;
    r.kind = InstanceRequest::Show;
    r.activationToken = startActivationToken();
    // With no copy running (or none that answers) the window starts here.
    return InstanceChannel(InstanceRegistry::defaultFolder()).send(r) ? 0 : -1;
}

int printLines(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines) {
        out += line.toUtf8();
        out += '\n';
    }
    if (std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout) !=
            static_cast<size_t>(out.size()) ||
        std::fflush(stdout) != 0) {
        std::fputs("petari: cannot write to standard output\n", stderr);
        return 1;
    }
    return 0;
}

}  // namespace petari
