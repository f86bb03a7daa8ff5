#include "filenames/FileNames.h"

#include "document/Cp932.h"
#include "document/FileName.h"
#include "document/TextFile.h"
#include "editing/CharKind.h"
#include "editing/UndoChain.h"
#include "editing/WorkFolder.h"
#include "platform/Failure.h"
#include "platform/FileLimits.h"
#include "services/ProgramInfo.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace petari {

namespace {

const QString kLogHeaderStart = QStringLiteral(",Path =,,");
const QString kLogArrow = QStringLiteral(", → ,");
const QString kLogRowEnd = QStringLiteral(",,");

[[noreturn]] void failWith(int e, const QString& path) { throw fileFailure(e, path); }

void requireReadableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        throw Failure(err::PathNotFound, describeError(err::PathNotFound) + QChar(0x3000) + folder);
    if (!info.isReadable() || !info.isExecutable())
        throw Failure(err::PermissionDenied,
                      describeError(err::PermissionDenied) + QChar(0x3000) + folder);
}

// The names of folder's sub-folders (folders true) or files, read by their
// bytes: a name that is not UTF-8 keeps them (decodeFileName), where Qt's
// own listing would lose the entry.  Links count as what they point to.
QStringList entries(const QString& folder, bool folders, bool showHidden)
{
    requireReadableFolder(folder);
    DIR* dir = ::opendir(encodeFileName(folder).constData());
    if (!dir)
        failWith(errno, folder);
    QStringList names;
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == ".." || (!showHidden && name.startsWith('.')))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), e->d_name, &st, 0) != 0)
            continue;   // a link to nothing
        if (folders ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode))
            names << decodeFileName(name);
    }
    ::closedir(dir);
    sortLikeFileManager(names);
    return names;
}

// The folder opened for the *at calls, so that every name is looked up in
// that folder and nowhere else.
class FolderHandle {
public:
    explicit FolderHandle(const QString& folder) : path_(folder)
    {
        fd_ = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0)
            failWith(errno, folder);
    }
    ~FolderHandle() { ::close(fd_); }
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    int fd() const { return fd_; }
    const QString& path() const { return path_; }

private:
    QString path_;
    int fd_ = -1;
};

// 0, or the errno of a rename that refuses to replace anything.
int renameNoReplace(int dir, const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(dir, from.constData(), dir, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    const int e = errno;
    if (e != EINVAL && e != ENOSYS && e != EOPNOTSUPP)
        return e;
    // A file system without the flag: a new hard link never replaces a file
    // either.  Only when the link stands is the old name given up.
    if (::linkat(dir, from.constData(), dir, to.constData(), 0) != 0)
        return errno;
    if (::unlinkat(dir, from.constData(), 0) != 0) {
        const int u = errno;
        ::unlinkat(dir, to.constData(), 0);
        return u;
    }
    return 0;
}

bool lstatAt(int dir, const QByteArray& name, struct stat& st)
{
    return ::fstatat(dir, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// Both names lead to one directory entry: a volume that folds case (vfat,
// exFAT, a case-folding ext4 folder).  A file with several hard links may
// have other names that look alike on a case-sensitive volume; those are
// different entries and must stay.
bool sameEntry(int dir, const QByteArray& a, const QByteArray& b)
{
    struct stat statA {}, statB {};
    return lstatAt(dir, a, statA) && lstatAt(dir, b, statB) && statA.st_dev == statB.st_dev &&
           statA.st_ino == statB.st_ino && statA.st_nlink == 1;
}

// The change of case of one entry on a case-folding volume, where the new
// name is taken by the file itself: through a free temporary name.
RenameOutcome renameThroughTemporary(const FolderHandle& folder, const QByteArray& from,
                                     const QByteArray& to)
{
    QByteArray temp;
    int e = EEXIST;
    for (int attempt = 0; attempt < 100 && e == EEXIST; ++attempt) {
        temp = ".petari-rename-" +
               QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        e = renameNoReplace(folder.fd(), from, temp);
    }
    if (e != 0)
        failWith(e, folder.path() + QLatin1Char('/') + QFile::decodeName(from));
    e = renameNoReplace(folder.fd(), temp, to);
    if (e == 0)
        return RenameOutcome::Renamed;
    // Someone took the new name in between: the file gets its old name back.
    const int back = renameNoReplace(folder.fd(), temp, from);
    if (back != 0)
        failWith(back, folder.path() + QLatin1Char('/') + QFile::decodeName(temp));
    if (e == EEXIST)
        return RenameOutcome::NameTaken;
    failWith(e, folder.path() + QLatin1Char('/') + QFile::decodeName(to));
}

RenameOutcome renameIn(const FolderHandle& folder, const QString& fromName, const QString& toName)
{
    const QByteArray from = QFile::encodeName(fromName);
    const QByteArray to = QFile::encodeName(toName);
    struct stat st {};
    if (!lstatAt(folder.fd(), from, st) || !S_ISREG(st.st_mode))
        return RenameOutcome::NotAFile;
    const int e = renameNoReplace(folder.fd(), from, to);
    if (e == 0)
        return RenameOutcome::Renamed;
    if (e == ENOENT)
        return RenameOutcome::NotAFile;
    if (e != EEXIST)
        failWith(e, folder.path() + QLatin1Char('/') + fromName);
    if (from != to && sameEntry(folder.fd(), from, to))
        return renameThroughTemporary(folder, from, to);
    return RenameOutcome::NameTaken;
}

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

enum class LogRead { Read, NotText, TooLarge };

// A log as written by writeRenameLog: UTF-8 after a byte-order mark, CP932
// otherwise.  Anything that is no text in either is no log.
LogRead readLogLines(const QString& path, QStringList& lines)
{
    const QFileInfo info(path);
    if (!info.exists())
        failWith(ENOENT, path);
    // A device or pipe chosen by mistake would never end.
    if (!info.isFile())
        return LogRead::NotText;
    if (info.size() > kMaxWholeReadBytes)
        return LogRead::TooLarge;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failWith(file.error() == QFileDevice::PermissionsError ? EACCES : EIO, path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        failWith(EIO, path);
    QString text;
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8.decode(QByteArrayView(bytes).sliced(bom.size()));
        if (utf8.hasError())
            return LogRead::NotText;
    } else {
        qsizetype invalid = 0;
        text = cp932::decode(bytes, &invalid);
        if (invalid > 0)
            return LogRead::NotText;
    }
    lines = splitFileLines(text);
    return LogRead::Read;
}

// The folder of a header line, or a null string when the line is none.
// Reading by the known pieces rather than by commas keeps folders and names
// that hold commas whole.
QString headerFolder(const QString& line)
{
    if (!line.startsWith(kLogHeaderStart) || !line.endsWith(QLatin1Char(',')) ||
        line.size() < kLogHeaderStart.size() + 1)
        return QString();
    const QString folder = line.mid(kLogHeaderStart.size(), line.size() - kLogHeaderStart.size() - 1);
    return folder.isEmpty() ? QString() : folder;
}

bool parseRow(const QString& line, RenameRow& row)
{
    if (!line.endsWith(kLogRowEnd))
        return false;
    const QString body = line.left(line.size() - kLogRowEnd.size());
    const int at = body.indexOf(kLogArrow);
    if (at < 0 || body.indexOf(kLogArrow, at + 1) >= 0)
        return false;
    row.oldName = body.left(at);
    row.newName = body.mid(at + kLogArrow.size());
    return true;
}

}  // namespace

// ---------------------------------------------------------------- listings

void sortLikeFileManager(QStringList& names)
{
    // The C locale compares code units, with capitals first and no digit
    // runs; file managers sort by a real collation, so take one.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int c = collator.compare(a, b);
        // Names that differ only in case keep one fixed order.
        return c != 0 ? c < 0 : a < b;
    });
}

QStringList listSubfolders(const QString& folder, bool showHidden)
{
    QStringList paths;
    const QString base = folderWithSlash(folder);
    for (const QString& name : entries(folder, true, showHidden))
        paths << base + name;
    return paths;
}

QStringList listFiles(const QString& folder, bool showHidden)
{
    return entries(folder, false, showHidden);
}

QStringList pathListing(const QString& folder)
{
    QString path = folder;
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    // The root stripped of its "/" is one empty part: "/" alone.
    const QStringList parts = path.split(QLatin1Char('/'));
    QStringList lines{QStringLiteral("【パス名】")};
    for (int start = 0; start < parts.size(); ++start) {
        QString line;
        for (int j = start; j < parts.size(); ++j)
            line += parts[j] + QLatin1Char('/');
        lines << visibleFileName(line);
    }
    lines << QString();
    return lines;
}

QStringList folderListing(const QStringList& subfolderPaths)
{
    QStringList lines{QStringLiteral("【フォルダ名】")};
    for (QString path : subfolderPaths) {
        while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        lines << visibleFileName(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1));
    }
    lines << QString();
    return lines;
}

QStringList fileListing(const QStringList& names, bool withoutExtension)
{
    QStringList lines{QStringLiteral("【ファイル名】")};
    for (const QString& name : names)
        lines << visibleFileName(withoutExtension ? nameWithoutExtension(name) : name);
    lines << QString();
    return lines;
}

QString nameWithoutExtension(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

// ---------------------------------------------------------------- renaming

QString caseChangedName(const QString& name, LetterCase letterCase)
{
    if (name.isEmpty() || isPlainSingleByte(name) != 1)
        return QString();
    QString changed = name;
    for (QChar& c : changed) {
        // Only ASCII letters have a case among the characters that qualify.
        if (letterCase == LetterCase::Lower && c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
        else if (letterCase == LetterCase::Upper && c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    }
    return changed == name ? QString() : changed;
}

RenameOutcome renameWithin(const QString& folder, const QString& from, const QString& to)
{
    if (!isPlainName(from) || !isPlainName(to))
        throw Failure(err::BadFileName, describeError(err::BadFileName));
    FolderHandle handle(folder);
    return renameIn(handle, from, to);
}

int renameFiles(const QString& folder, const QStringList& names, LetterCase letterCase,
                QVector<RenameRow>& rows)
{
    rows.clear();
    for (const QString& name : names)
        rows.push_back({name, QString()});
    FolderHandle handle(folder);
    int renamed = 0;
    for (RenameRow& row : rows) {
        const QString changed = caseChangedName(row.oldName, letterCase);
        // A name that needs showing differently (undecodable bytes, control
        // characters) stands in the log as shown, which is no name to undo.
        if (changed.isEmpty() || !isPlainName(row.oldName) || visibleFileName(row.oldName) != row.oldName)
            continue;
        if (renameIn(handle, row.oldName, changed) == RenameOutcome::Renamed) {
            row.newName = changed;
            ++renamed;
        }
    }
    return renamed;
}

// ---------------------------------------------------------------- the log

QString folderWithSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString renameLogPath(const QString& logFolder, const QDateTime& now)
{
    return folderWithSlash(logFolder) + QStringLiteral("ファイル名の変更") +
           programInformation(QStringLiteral("5"), now) + QLatin1Char('_') + programInformation(QStringLiteral("6"), now) +
           QStringLiteral(".txt");
}

QStringList renameLogLines(const QString& folder, const QVector<RenameRow>& rows)
{
    QStringList lines{kLogHeaderStart + folderWithSlash(folder) + QLatin1Char(',')};
    for (const RenameRow& row : rows)
        lines << visibleFileName(row.oldName) + kLogArrow + visibleFileName(row.newName) + kLogRowEnd;
    return lines;
}

QString logFolderPath(const QString& programFolder)
{
    return folderWithSlash(programFolder) + workFolderName() + QLatin1Char('/') + logFolderName();
}

QString writeRenameLog(const QString& programFolder, const QString& folder,
                       const QVector<RenameRow>& rows, const QDateTime& now)
{
    const QString logFolder = createFolderIn(ensureWorkFolder(programFolder), logFolderName());
    // Two runs in one second keep both logs, so each run can be undone.
    // An entry of that name of any kind (a planted link among them) is
    // passed by, never written through.
    const QString first = renameLogPath(logFolder, now);
    QString path = first;
    for (int n = 2; QFileInfo(path).exists() || QFileInfo(path).isSymLink(); ++n)
        path = first.left(first.size() - 4) + QLatin1Char('_') + QString::number(n) + QStringLiteral(".txt");
    writeWorkFile(path, renameLogLines(folder, rows));
    return path;
}

UndoResult undoRenameLog(const QString& logPath, const QString& folder)
{
    UndoResult result;
    QStringList lines;
    const LogRead read = readLogLines(logPath, lines);
    if (read == LogRead::TooLarge) {
        result.status = UndoResult::TooLarge;
        return result;
    }
    if (read != LogRead::Read || lines.isEmpty() || headerFolder(lines.first()).isNull()) {
        result.status = UndoResult::NotALog;
        return result;
    }
    if (headerFolder(lines.first()) != folderWithSlash(folder)) {
        result.status = UndoResult::OtherFolder;
        return result;
    }
    FolderHandle handle(folder);
    for (int i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        RenameRow row;
        if (!parseRow(lines[i], row)) {
            ++result.skipped;
            continue;
        }
        if (row.newName.isEmpty())
            continue;
        if (!isPlainName(row.oldName) || !isPlainName(row.newName) ||
            renameIn(handle, row.newName, row.oldName) != RenameOutcome::Renamed) {
            ++result.skipped;
            continue;
        }
        ++result.restored;
    }
    return result;
}

}  // namespace petari
