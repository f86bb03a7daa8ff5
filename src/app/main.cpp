#include "app/Cli.h"
#include "document/FileName.h"
#include "mainwindow/ui/MainWindow.h"
#include "platform/ClipboardRelay.h"
#include "platform/PortalDialogs.h"
#include "platform/ProcessMemory.h"
#include "platform/ui/JapaneseUi.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Whether the window has somewhere to go: an X or Wayland display named in
// the environment, or a platform chosen that needs none (offscreen, vnc,
// linuxfb...).
bool displayNamed(const std::vector<char*>& qtArgv)
{
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (size_t i = 1; i + 1 < qtArgv.size(); ++i)
        if (std::strcmp(qtArgv[i], "-platform") == 0)
            platform = qtArgv[i + 1];
    if (!platform.isEmpty() && !platform.contains("xcb") && !platform.contains("wayland"))
        return true;
    return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty() ||
           !qgetenv("WAYLAND_SOCKET").isEmpty();
}

}  // namespace

int main(int argc, char** argv)
{
    // Run by wl-paste for every copy while the clipboard monitor is on: no
    // window, no Qt application, just the text passed through.
    if (argc == 2 && std::strcmp(argv[1], petari::kClipboardRelaySwitch) == 0)
        return petari::runClipboardRelay(0, 1);
    petari::keepLargeBlocksMapped();
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << petari::decodeFileName(argv[i]);
    // -h and -V are --help and --version, unless a file has that name: like
    // every option-like name, it is then the file to open.
    if (!args.isEmpty() && (args.front() == QLatin1String("-h") || args.front() == QLatin1String("-V")) &&
        !petari::fileExists(args.front()))
        args.front() = args.front() == QLatin1String("-h") ? QStringLiteral("--help") : QStringLiteral("--version");
    {
        // Command-line modes need no display: decide before any GUI object exists.
        if (!args.isEmpty() && args.front().startsWith(QLatin1String("--"))) {
            QCoreApplication core(argc, argv);
            int rc = petari::runCommandLineMode(args);
            if (rc >= 0)
                return rc;
        }
    }
    // Qt takes "-reverse", "-platform x" and the like as its own options.  A
    // file of that name must still open: everything after "--", and every
    // argument naming an existing file, is kept from Qt.
    std::vector<char*> qtArgv{argv[0]};
    QStringList files;
    bool afterDashes = false;
    // "--show" with no copy running starts this one, and is no file name.
    const int first = (argc == 2 && std::strcmp(argv[1], petari::kShowSwitch) == 0) ? 2 : 1;
    for (int i = first; i < argc; ++i) {
        // Decoded so that a name holding bytes that are not UTF-8 keeps them.
        const QString a = petari::decodeFileName(argv[i]);
        if (afterDashes) {
            files << a;
        } else if (std::strcmp(argv[i], "--") == 0) {
            afterDashes = true;
        } else if (a.startsWith(QLatin1Char('-')) && petari::fileExists(a)) {
            files << a;
        } else {
            qtArgv.push_back(argv[i]);
        }
    }
    // Qt would abort (status 134) after lines of its own.
    if (!displayNamed(qtArgv)) {
        std::fputs("petari: ペタリの画面にはグラフィカルなデスクトップ (X11 か Wayland) が必要です。"
                   "コマンドラインの機能はデスクトップなしで使えます (petari --help)。\n",
                   stderr);
        return 1;
    }
    int qtArgc = static_cast<int>(qtArgv.size());
    qtArgv.push_back(nullptr);
    petari::preferPortalFileDialogs();
    QApplication app(qtArgc, qtArgv.data());
    QApplication::setApplicationName(QStringLiteral("petari"));
    QApplication::setApplicationDisplayName(QStringLiteral("ペタリ"));
    // Wayland compositors and docks match the window to its menu entry and icon by this id.
    QApplication::setDesktopFileName(QStringLiteral("io.github.petari.Petari"));
    petari::installJapaneseTranslation(app);
    // What Qt did not recognise is a file name of ours too (reported when
    // missing).  Qt has taken its own options out of qtArgv; the rest is
    // decoded here rather than by QApplication::arguments(), which loses
    // bytes that are not UTF-8.
    for (int i = 1; i < qtArgc; ++i)
        files << petari::decodeFileName(qtArgv[size_t(i)]);
    // One document at a time is the program's design: the first file opens,
    // the others are named as not opened rather than silently dropped.
    for (qsizetype i = 1; i < files.size(); ++i) {
        const QByteArray name = files.at(i).toLocal8Bit();
        std::fprintf(stderr,
                     petari::prefersJapanese() ? "petari: %s は開きませんでした（一度に開くファイルはひとつです）\n"
                                               : "petari: %s was not opened (one file at a time)\n",
                     name.constData());
    }
    return petari::runMainWindow(app, files);
}
