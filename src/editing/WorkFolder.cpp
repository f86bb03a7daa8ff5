#include "editing/WorkFolder.h"

#include "platform/StringUtils.h"
#include "document/TextFile.h"
#include "platform/Failure.h"
#include "services/ProgramInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <sys/stat.h>
#include <sys/types.h>

namespace petari {

QString workFolderName() { return QStringLiteral("作・ペタリ"); }
QString backupFolderName() { return QStringLiteral("mk_backup"); }
QString logFolderName() { return QStringLiteral("Log"); }
QString descriptionFileName() { return QStringLiteral("このフォルダの説明.txt"); }

namespace {

QString threeDigits(int n) { return QStringLiteral("%1").arg(n % 1000, 3, 10, QLatin1Char('0')); }

QString join(const QString& base, const QString& name)
{
    if (base.endsWith(QLatin1Char('/')) || base.endsWith(QLatin1Char('\\')))
        return base + name;
    return base + QLatin1Char('/') + name;
}

int failureForErrno(int e)
{
    // Writing: a missing entry is a missing folder on the way.
    return e == ENOENT ? err::PathNotFound : errorNumberFromErrno(e);
}

}  // namespace

QString snapshotFolderName() { return snapshotFolderName(0); }
QString snapshotFolderName(int copy) { return QStringLiteral("mk_") + threeDigits(copy); }

namespace {

QString makeFolder(const QString& base, const QString& name, bool linkAllowed)
{
    const QString path = join(base, name);
    QFileInfo info(path);
    if (info.isSymLink() && !linkAllowed)
        throw Failure(err::PathFileAccess,
                      QStringLiteral("フォルダがシンボリックリンクなので使いません。") + path);
    if (info.isDir())
        return path;
    if (info.exists() || info.isSymLink())
        throw Failure(err::PathFileAccess,
                      QStringLiteral("フォルダの代わりにファイルがあります。") + path);
    if (::mkdir(QFile::encodeName(path).constData(), 0777) != 0) {
        const int e = errno;
        // Another copy of the program may have made it a moment ago.
        if (e == EEXIST && QFileInfo(path).isDir())
            return path;
        const int number = failureForErrno(e);
        throw Failure(number, describeError(number) + path);
    }
    return path;
}

}  // namespace

QString createFolderIn(const QString& base, const QString& name) { return makeFolder(base, name, false); }

QStringList descriptionLines(const QDateTime& now)
{
    const QString name = programInformation(QStringLiteral("0"), now);
    return {
        QStringLiteral("　このフォルダ「") + workFolderName() + QStringLiteral("」は「") + name +
            QStringLiteral("」が作成したものです。"),
        QString(),
        QStringLiteral("　フォルダ「mk_backup」にはバックアップが保存されます。"),
        QStringLiteral("　不要でしたら削除しても良いです。"),
        QString(),
        QStringLiteral("　フォルダ「Log」にはファイル名の変更のログが保存されます。"),
        QStringLiteral("　不要でしたら削除しても良いです。"),
        QString(),
        QStringLiteral("　フォルダ「mk_000」には[戻す][進む]で使用するデータが保存されます。"),
        QStringLiteral("　「") + name + QStringLiteral("」が起動中で無ければ、削除しても良いです。"),
        QString(),
        QStringLiteral("【 ") + programInformation(QStringLiteral("012"), now) + QStringLiteral("】"),
    };
}

bool writeDescriptionFile(const QString& workFolder, const QDateTime& now)
{
    const QString path = join(workFolder, descriptionFileName());
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        return false;
    writeTextFile(path, descriptionLines(now), TextEncoding::Cp932);
    return true;
}

int removeSnapshotFiles(const QString& folder)
{
    static const QRegularExpression ours(QStringLiteral("^(mk[0-9]{4}|index)\\.txt(\\..+)?$"));
    QDir dir(folder);
    int removed = 0;
    const QStringList names = dir.entryList({QStringLiteral("mk*"), QStringLiteral("index.txt*")},
                                            QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        if (ours.match(name).hasMatch() && dir.remove(name))
            ++removed;
    return removed;
}

QString ensureWorkFolder(const QString& programFolder)
{
    // The work folder itself may be a link the user made (to another disk);
    // the folders inside it may not.
    const QString folder = makeFolder(programFolder, workFolderName(), true);
    writeDescriptionFile(folder);
    return folder;
}

QString freeNumberedName(const QString& path, const QString& base)
{
    const QString head = pathHead(path);
    const bool hasFolder = path.contains(QLatin1Char('/')) || path.contains(QLatin1Char('\\'));
    QString candidate;
    for (int a = 1; a <= 1000; ++a) {
        candidate = (hasFolder ? head + QLatin1Char('/') : QString()) + base + threeDigits(a);
        if (!QFileInfo::exists(candidate + QStringLiteral(".txt")))
            return candidate;
    }
    return candidate;
}

}  // namespace petari
