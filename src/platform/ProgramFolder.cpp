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
        // A folder named but not made yet is made, as the default folder is.
        QDir().mkpath(folder);
        return folder;
    }
    // Never the executable's folder: run by root from /usr/bin, that is
    // writable, and the work folder would land among the system's programs.
    const QString folder = defaultProgramFolder();
    QDir().mkpath(folder);
    return folder;
}
}  // namespace

QString programFolder()
{
    if (g_folder.isEmpty())
        g_folder = chooseFolder();
    return g_folder;
}

void resetProgramFolder() { g_folder.clear(); }

QString defaultProgramFolder()
{
    // Relative paths in the XDG variables are to be ignored, as if unset.
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || !QDir::isAbsolutePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(data + QStringLiteral("/petari"));
}

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
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        add(exeDir + QStringLiteral("/../share/petari"));
        // A copy run from its build folder finds the copies made there.
        add(exeDir);
    }
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
