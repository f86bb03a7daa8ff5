#include "editing/UndoChain.h"

#include "platform/SettingsStore.h"
#include "platform/StringUtils.h"
#include "document/Cp932.h"
#include "document/TextFile.h"
#include "editing/WorkFolder.h"
#include "platform/Failure.h"

#include <QFile>
#include <QStringDecoder>
#include <QFileInfo>

#include <cerrno>
#include <exception>
#include <vector>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace petari {

namespace {

QString padded(int n, int width)
{
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

// Characters that come back unchanged from CP932.  A few look-alikes can be
// written in CP932 but read back as their Windows counterparts (〜 as ～), so
// "can be encoded" is not enough for a snapshot: undo must give back exactly
// the characters it was given.
const std::vector<bool>& roundTripTable()
{
    static const std::vector<bool> table = [] {
        std::vector<bool> t(0x10000, false);
        for (char32_t u = 0; u < 0x10000; ++u) {
            if (u >= 0xD800 && u <= 0xDFFF)
                continue;
            const QChar c{static_cast<char16_t>(u)};
            const QStringView one(&c, 1);
            if (!cp932::canEncode(one))
                continue;
            const QString back = cp932::decode(cp932::encode(one));
            t[u] = back.size() == 1 && back[0] == c;
        }
        return t;
    }();
    return table;
}

bool allCp932(const QStringList& lines)
{
    const std::vector<bool>& ok = roundTripTable();
    for (const QString& line : lines)
        for (const QChar c : line)
            if (!ok[c.unicode()])
                return false;
    return true;
}

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

int failureForErrno(int e)
{
    // Writing: a missing entry is a missing folder on the way.
    return e == ENOENT ? err::PathNotFound : errorNumberFromErrno(e);
}

[[noreturn]] void failWith(int e, const QString& path)
{
    const int number = failureForErrno(e);
    throw Failure(number, describeError(number) + path);
}

// The file's bytes: every line followed by CR LF.
QByteArray encodeWorkFile(const QStringList& lines)
{
    qsizetype units = 0;
    for (const QString& line : lines)
        units += line.size() + 2;
    QByteArray bytes;
    if (allCp932(lines)) {
        bytes.reserve(units * 2);
        for (const QString& line : lines) {
            cp932::encodeAppend(line, bytes);
            bytes.append("\r\n", 2);
        }
    } else {
        bytes.reserve(units * 3 + 3);
        bytes.append(kUtf8Bom);
        for (const QString& line : lines) {
            bytes.append(line.toUtf8());
            bytes.append("\r\n", 2);
        }
    }
    return bytes;
}

// Replaces path by bytes at once: the bytes go to a temporary file beside it,
// which is renamed over path only when it is complete, so no reader ever
// sees a half-written snapshot.  Unlike a document save it is not forced to
// the disk: a snapshot serves this run only (one left by an earlier run is
// never read back), and the system hands back what was written as long as
// the program runs.  A full disk still shows at write or close.
void replaceFile(const QString& path, const QByteArray& bytes)
{
    if (QFileInfo(path).isDir())
        failWith(EISDIR, path);
    const QByteArray target = QFile::encodeName(path);
    QByteArray temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        failWith(errno, path);
    auto abandon = [&](int e) {
        ::close(fd);
        ::unlink(temp.constData());
        failWith(e, path);
    };
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            abandon(errno);
        }
        if (n == 0)
            abandon(ENOSPC);
        data += n;
        left -= n;
    }
    if (::close(fd) != 0) {
        const int e = errno;
        ::unlink(temp.constData());
        failWith(e, path);
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int e = errno;
        ::unlink(temp.constData());
        failWith(e, path);
    }
}

}  // namespace

void writeWorkFile(const QString& path, const QStringList& lines)
{
    writeTextFile(path, lines, allCp932(lines) ? TextEncoding::Cp932 : TextEncoding::Utf8Bom);
}

void writeSnapshotFile(const QString& path, const QStringList& lines)
{
    replaceFile(path, encodeWorkFile(lines));
}

QStringList readWorkFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(path))
            throw Failure(err::FileNotFound, describeError(err::FileNotFound) + path);
        const int number = file.error() == QFileDevice::PermissionsError ? err::PermissionDenied
                                                                         : err::PathFileAccess;
        throw Failure(number, describeError(number) + path);
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(err::PathFileAccess, describeError(err::PathFileAccess) + path);
    // The byte-order mark alone decides: without it the file is CP932, even
    // when its bytes would also pass for UTF-8 (ﾃｽ is C3 BD, a valid "ý").
    QString text;
    bool broken = false;
    if (bytes.startsWith(kUtf8Bom)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8.decode(QByteArrayView(bytes).sliced(3));
        broken = utf8.hasError();
    } else {
        qsizetype invalid = 0;
        text = cp932::decode(bytes, &invalid);
        broken = invalid > 0;
    }
    // Every work file this program writes is valid text: anything else was
    // damaged behind its back and must not be taken for the list it held.
    if (broken)
        throw Failure(err::PathFileAccess,
                      QStringLiteral("元に戻すデータが壊れています。") + QChar(0x3000) + path);
    return splitFileLines(text);
}

UndoChain::UndoChain(SettingsStore& settings, QString programFolder)
    : settings_(settings), programFolder_(std::move(programFolder))
{
}

QString UndoChain::undoName(int index) const
{
    return index >= 0 && index < names_.size() ? names_[index] : QString();
}

QString UndoChain::workFolder() const
{
    return programFolder_ + QLatin1Char('/') + workFolderName();
}

QString UndoChain::snapshotFolderPath() const
{
    return workFolder() + QLatin1Char('/') + snapshotFolderName();
}

QString UndoChain::snapshotPath(int number) const
{
    return snapshotFolderPath() + QStringLiteral("/mk") + padded(fileSlot(number), 4) +
           QStringLiteral(".txt");
}

QString UndoChain::backupPath(int number) const
{
    return workFolder() + QLatin1Char('/') + backupFolderName() + QStringLiteral("/バックアップ") +
           padded(number % 1000, 3) + QStringLiteral(".txt");
}

bool UndoChain::isSnapshotAvailable(int number) const
{
    if (number < 0)
        return false;
    const auto it = slotOwner_.constFind(fileSlot(number));
    return it != slotOwner_.constEnd() && it.value() == number;
}

void UndoChain::takeSnapshot(const QStringList& lines)
{
    const int number = position_;
    newest_ = position_;
    ++position_;
    names_.resize(position_ + 2);
    names_[position_ + 1] = placeholderName();

    const int slot = fileSlot(number);
    slotOwner_.remove(slot);
    const QString path = snapshotPath(number);
    try {
        f_sakusei(ensureWorkFolder(programFolder_), snapshotFolderName());
        writeSnapshotFile(path, lines);
    } catch (...) {
        // Whatever an earlier run or a cut-off redo left under this number
        // is not this step: out of the way with it, so that no loader takes
        // it for the snapshot that failed.
        QFileInfo stale(path);
        if (stale.isFile())
            QFile::remove(path);
        throw;
    }
    slotOwner_.insert(slot, number);
}

QString UndoChain::takeBackup(const QStringList& lines)
{
    const int kind = 1;
    if (settings_.number(QStringLiteral("F5"), QStringLiteral("s7"), 1) + kind < 2)
        return QString();
    f_sakusei(ensureWorkFolder(programFolder_), backupFolderName());

    int n = leadingInt(settings_.read(QStringLiteral("M2"), QStringLiteral("backup"),
                                      QStringLiteral("1")));
    if (n < 1 || n > kBackupLimit)
        n = 1;   // a counter edited out of range starts again
    const int next = n + 1 > kBackupLimit ? 1 : n + 1;
    settings_.write(QStringLiteral("M2"), QStringLiteral("backup"), QString::number(next));

    const QString path = backupPath(n);
    writeWorkFile(path, lines);
    return path;
}

void UndoChain::takeNamedSnapshot(const QStringList& lines, const QString& name)
{
    std::exception_ptr failure;
    try {
        takeSnapshot(lines);
    } catch (...) {
        failure = std::current_exception();
    }
    // Named whether or not the file was written, so that every later step
    // keeps the name of the change that made it.
    if (names_.size() <= position_)
        names_.resize(position_ + 2);
    names_[position_] = name;
    if (failure)
        std::rethrow_exception(failure);
}

void UndoChain::commit(const QStringList& lines, int modified, const QString& operationName)
{
    if (modified == 0)
        position_ = 0;
    takeNamedSnapshot(lines, operationName);
}

void UndoChain::startupSnapshot(const QStringList& lines)
{
    takeNamedSnapshot(lines, QStringLiteral("起動新規"));
}

QString UndoChain::undoStep()
{
    position_ = std::max(position_ - 1, 1);
    return snapshotPath(position_ - 1);
}

QString UndoChain::redoStep()
{
    position_ = std::min(position_ + 1, newest_ + 1);
    return snapshotPath(position_ - 1);
}

QStringList UndoChain::loadSnapshot(const QString& path) const
{
    const QFileInfo info(path);
    bool missing = !info.isFile();
    if (!missing && info.absolutePath() == QFileInfo(snapshotFolderPath()).absoluteFilePath()) {
        // One of ours: it must hold a snapshot of this run.  The pointer's
        // own snapshot is checked by number, any other by its slot.
        if (path == snapshotPath(position_ - 1)) {
            missing = !isSnapshotAvailable(position_ - 1);
        } else {
            const QString name = info.fileName();
            bool ok = false;
            const int slot = name.mid(2, 4).toInt(&ok);
            if (name.size() == 10 && name.startsWith(QLatin1String("mk")) && ok)
                missing = !slotOwner_.contains(slot);
        }
    }
    if (missing)
        throw Failure(err::FileNotFound, describeError(err::FileNotFound) + path);
    return readWorkFile(path);
}

QString UndoChain::undoCaption() const
{
    return QStringLiteral("戻す　(") + undoName(position_) + QStringLiteral(")　") +
           QString::number(position_ - 1);
}

QString UndoChain::redoCaption() const
{
    return QStringLiteral("進む　(") + undoName(position_ + 1) + QStringLiteral(")　") +
           QString::number(newest_ - position_ + 1);
}

}  // namespace petari
