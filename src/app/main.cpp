#include "app/Cli.h"
#include "document/FileName.h"
#include "mainwindow/ui/MainWindow.h"
#include "platform/ClipboardRelay.h"
#include "platform/PortalDialogs.h"
#include "platform/ui/JapaneseUi.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstring>
#include <vector>

int main(int argc, char** argv)
{
    // Run by wl-paste for every copy while the clipboard monitor is on: no
    // window, no Qt application, just the text passed through.
    if (argc == 2 && std::strcmp(argv[1], petari::kClipboardRelaySwitch) == 0)
        return petari::runClipboardRelay(0, 1);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << petari::decodeFileName(argv[i]);
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
    return petari::runMainWindow(app, files);
}
