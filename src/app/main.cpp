#include "app/Cli.h"
#include "mainwindow/ui/Form1.h"
#include "platform/ui/JapaneseUi.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char** argv)
{
    {
        // Command-line modes need no display: decide before any GUI object exists.
        QStringList args;
        for (int i = 1; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        if (!args.isEmpty() && args.front().startsWith(QLatin1String("--"))) {
            QCoreApplication core(argc, argv);
            int rc = petari::runCommandLineMode(args);
            if (rc >= 0)
                return rc;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("petari"));
    QApplication::setApplicationDisplayName(QStringLiteral("ペタリ"));
    petari::installJapaneseTranslation(app);
    return petari::runMainWindow(app);
}
