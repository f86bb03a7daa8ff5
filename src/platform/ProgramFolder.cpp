#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace petari {

namespace {
QString g_folder;

QString chooseFolder()
{
    const QString env = qEnvironmentVariable("PETARI_HOME");
    if (!env.isEmpty()) {
        const QString folder = QDir::cleanPath(QDir(env).absolutePath());
        // A folder named but not made yet is made, as the fallback folder is.
        QDir().mkpath(folder);
        return folder;
    }
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        QFileInfo fi(exeDir);
        if (!exeDir.isEmpty() && fi.isDir() && fi.isWritable())
            return QDir::cleanPath(exeDir);
    }
    const QString fallback = QDir::homePath() + QStringLiteral("/.local/share/petari");
    QDir().mkpath(fallback);
    return fallback;
}
}  // namespace

QString programFolder()
{
    if (g_folder.isEmpty())
        g_folder = chooseFolder();
    return g_folder;
}

void resetProgramFolder() { g_folder.clear(); }

}  // namespace petari
