#include "platform/ProgramFolder.h"

#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"

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

QString readMeFileName() { return QStringLiteral("ペタリ_はじめに読んでください.txt"); }

QString helpFileName() { return QStringLiteral("ペタリのヘルプ.html"); }

QStringList readOnlyFolders(const QString& programFolder)
{
    QStringList folders;
    const auto add = [&folders](const QString& folder) {
        if (folder.isEmpty())
            return;
        const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
        if (!folders.contains(clean))
            folders << clean;
    };
    add(programFolder);
    if (QCoreApplication::instance())
        add(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/petari"));
#ifdef PETARI_DATA_DIR
    add(QString::fromUtf8(PETARI_DATA_DIR));
#endif
    return folders;
}

QString findReadOnlyFile(const QString& programFolder, const QString& name)
{
    for (const QString& folder : readOnlyFolders(programFolder)) {
        const QFileInfo fi(folder + QLatin1Char('/') + name);
        if (fi.isFile())
            return fi.filePath();
    }
    return QString();
}

StartupFile storedStartupFile(const SettingsStore& store, const QString& programFolder)
{
    const QString readMe = findReadOnlyFile(programFolder, readMeFileName());
    StartupFile f;
    f.path = store.get(settings::startupFile,
                       readMe.isEmpty() ? programFolder + QLatin1Char('/') + readMeFileName() : readMe);
    f.open = store.get(settings::startupFileEnabled, !readMe.isEmpty());
    return f;
}

}  // namespace petari
