#include "app/Cli.h"

#include "platform/InstanceChannel.h"
#include "platform/InstanceRegistry.h"
#include "services/ProgramInfo.h"

#include <cstdio>

namespace petari {

namespace {
// The short form that follows a usage error on standard error.
const char* const kUsage =
    "usage: petari [FILE]\n"
    "       petari --convert MODE[,MODE...] < input > output\n"
    "       petari --calendar YEAR | --stamp [--at TIME] | --table R L C W\n"
    "       petari --price PRICE [OPTION...]\n"
    "       petari --export-settings FILE | --import-settings FILE\n"
    "       petari --show | --version | --help\n";

// --help, one line for each option as coreutils programs give it.
const char* const kHelpEnglish =
    "Usage: petari [FILE]\n"
    "  or:  petari OPTION [ARGUMENT...]\n"
    "Show a text file as a list of lines; a click copies a line to the clipboard.\n"
    "With FILE, open FILE (one file at a time); without, the start-up file.\n"
    "\n"
    "  --                          what follows is a file to open, even one that\n"
    "                                starts with a dash\n"
    "  --show                      bring the running copy to the front (or start one)\n"
    "  --convert MODE[,MODE...]    convert standard input to standard output; modes:\n"
    "                                full, half, katakana, hiragana, upper, lower,\n"
    "                                capitalise\n"
    "  --calendar YEAR             print every day of YEAR with Japanese holidays\n"
    "  --stamp [--at \"YYYY-MM-DD HH:MM:SS\"]\n"
    "                              print the date and time stamp lines\n"
    "  --table R L C W             print a box-drawing table: R rows of L lines,\n"
    "                                C columns of W characters\n"
    "  --price PRICE [OPTION...]   print prices with consumption tax; options:\n"
    "                                --from N --to N --step N --tax PERCENT\n"
    "                                --unit U --round down|half|up --prefix TEXT\n"
    "                                --suffix TEXT --no-separators\n"
    "                                --align number|prefix|none --formula\n"
    "  --export-settings FILE      write every stored setting to FILE\n"
    "  --import-settings FILE      replace the stored settings with FILE's\n"
    "  -h, --help                  display this help and exit\n"
    "  -V, --version               output version information and exit\n"
    "\n"
    "Full documentation: man petari\n";

const char* const kHelpJapanese =
    "使い方: petari [ファイル]\n"
    "  または: petari オプション [引数...]\n"
    "テキストファイルを行の一覧で表示し、クリックした行をクリップボードにコピーします。\n"
    "ファイルを指定するとそのファイルを開きます（一度に開くのはひとつです）。\n"
    "指定しないときは、起動時に開くファイルを開きます。\n"
    "\n"
    "  --                          続く引数は「--」で始まっていても開くファイルの名前\n"
    "  --show                      動いているペタリを手前に出す（なければ起動する）\n"
    "  --convert 変換[,変換...]    標準入力を変換して標準出力に書く。変換は\n"
    "                                full（全角）、half（半角）、katakana、hiragana、\n"
    "                                upper（大文字）、lower（小文字）、capitalise\n"
    "  --calendar 年               その年の毎日を祝日つきで表示する\n"
    "  --stamp [--at \"YYYY-MM-DD HH:MM:SS\"]\n"
    "                              日付と時刻の行を表示する\n"
    "  --table R L C W             罫線の表を表示する（R 行×L 行のセル、\n"
    "                                C 列×W 文字のセル）\n"
    "  --price 価格 [オプション...]  消費税込みの価格の一覧を表示する。オプションは\n"
    "                                --from N --to N --step N --tax 税率\n"
    "                                --unit 単位 --round down|half|up --prefix 文字列\n"
    "                                --suffix 文字列 --no-separators\n"
    "                                --align number|prefix|none --formula\n"
    "  --export-settings ファイル  保存している設定をすべてファイルに書き出す\n"
    "  --import-settings ファイル  保存している設定をファイルの内容で置き換える\n"
    "  -h, --help                  この説明を表示して終了する\n"
    "  -V, --version               バージョン情報を表示して終了する\n"
    "\n"
    "詳しい説明: man petari\n";

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

bool prefersJapanese()
{
    // The language of messages as gettext chooses it: the first of LC_ALL,
    // LC_MESSAGES and LANG that is set, refined by LANGUAGE unless that
    // locale is C.
    QByteArray locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = qgetenv(name);
        if (!locale.isEmpty())
            break;
    }
    if (locale.isEmpty() || locale == "C" || locale.startsWith("C.") || locale == "POSIX")
        return false;
    const QByteArray languages = qgetenv("LANGUAGE");
    return (languages.isEmpty() ? locale : languages).startsWith("ja");
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
        std::fputs(prefersJapanese() ? kHelpJapanese : kHelpEnglish, stdout);
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
