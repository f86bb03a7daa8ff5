#include "services/SettingsExport.h"

#include "document/Cp932.h"
#include "document/TextFile.h"
#include "platform/Failure.h"
#include "platform/LineBreak.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"
#include "services/ProgramInfo.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace petari {

namespace {

const QString kMarkKey = QStringLiteral("レジストリ保存");

bool breaksLine(QStringView s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

bool allCp932(const QStringList& lines)
{
    // "〜" and a few other look-alikes have a CP932 code but come back as
    // another character; only an exact return keeps the file in CP932.
    for (const QString& line : lines) {
        if (!cp932::canEncode(line) || cp932::decode(cp932::encode(line)) != line)
            return false;
    }
    return true;
}

// At most limit + 1 bytes of a regular file, so that the caller can tell a
// file over the limit without reading it all.  A pipe or device is refused
// before anything is read from it.
QByteArray readRegularFile(const QString& path, qint64 limit)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw fileFailure(errno, path);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw Failure(err::PathFileAccess, describeError(err::PathFileAccess) + QChar(0x3000) + path);
    }
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(std::min<qint64>(st.st_size, limit) + 1));
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int e = errno;
            ::close(fd);
            throw fileFailure(e, path);
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    bytes.truncate(got);
    return bytes;
}

// The text of one line's bytes, or nothing when they are not text in the
// encoding: a value made of replacement characters must not be stored.
std::optional<QString> decodeLine(QByteArrayView bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Cp932) {
        qsizetype invalid = 0;
        QString text = cp932::decode(bytes, &invalid);
        if (invalid > 0)
            return std::nullopt;
        return text;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

QString label(const char* procedure) { return QString::fromLatin1(procedure); }

}  // namespace

const QStringList& exportedSections()
{
    static const QStringList sections = {
        QStringLiteral("F1"), QStringLiteral("F2"), QStringLiteral("F3"), QStringLiteral("F4"),
        QStringLiteral("F5"), QStringLiteral("F6"), QStringLiteral("F7"), QStringLiteral("M2"),
        QStringLiteral("rireki"), QStringLiteral("okiniiri"), QStringLiteral("ver"),
    };
    return sections;
}

QString exportHeaderLine(const QDateTime& now)
{
    return QStringLiteral("レジストリの保存【 ") + programInformation(QStringLiteral("0123"), now) + QStringLiteral("】");
}

QString defaultExportPath(const QString& programFolder, const QDateTime& now)
{
    return programFolder + QStringLiteral("/レジストリ保存") + programInformation(QStringLiteral("5"), now) +
           QLatin1Char('_') + programInformation(QStringLiteral("6"), now) + QStringLiteral(".txt");
}

QString exportLine(const SettingsRecord& r)
{
    return SettingsStore::applicationName() + QLatin1Char(',') + r.section + QLatin1Char(',') + r.key +
           QLatin1Char(',') + r.value;
}

std::optional<SettingsRecord> parseExportLine(QStringView line)
{
    // A CR inside a line is never written by an export; a line holding one
    // was damaged or made up, and what follows the CR may pose as a line of
    // its own.
    if (breaksLine(line))
        return std::nullopt;
    const qsizetype c1 = line.indexOf(QLatin1Char(','));
    if (c1 < 0)
        return std::nullopt;
    const qsizetype c2 = line.indexOf(QLatin1Char(','), c1 + 1);
    if (c2 < 0)
        return std::nullopt;
    const qsizetype c3 = line.indexOf(QLatin1Char(','), c2 + 1);
    if (c3 < 0)
        return std::nullopt;
    if (line.first(c1) != SettingsStore::applicationName())
        return std::nullopt;
    SettingsRecord r;
    r.section = line.sliced(c1 + 1, c2 - c1 - 1).toString();
    r.key = line.sliced(c2 + 1, c3 - c2 - 1).toString();
    r.value = line.sliced(c3 + 1).toString();
    if (!exportedSections().contains(r.section))
        return std::nullopt;
    // A "/" or "\" would file the value under another section of the store.
    if (r.key.isEmpty() || r.key.contains(QLatin1Char('/')) || r.key.contains(QLatin1Char('\\')))
        return std::nullopt;
    return r;
}

QList<SettingsRecord> writeSettingsExport(SettingsStore& store, const QString& path, const QDateTime& now)
{
    QStringList lines{exportHeaderLine(now)};
    QList<SettingsRecord> leftOut;
    const QStringList& sections = exportedSections();
    for (int i = 0; i < sections.size(); ++i) {
        store.write(sections[i], kMarkKey, QString::number(i + 1));
        for (const auto& [key, value] : store.section(sections[i])) {
            const SettingsRecord r{sections[i], key, value};
            if (breaksLine(key) || key.contains(QLatin1Char(',')) || breaksLine(value))
                leftOut.append(r);
            else
                lines.append(exportLine(r));
        }
    }
    store.sync();
    writeTextFile(path, lines, allCp932(lines) ? TextEncoding::Cp932 : TextEncoding::Utf8Bom);
    return leftOut;
}

QList<SettingsRecord> readSettingsExport(const QString& path, bool* tooLarge)
{
    const QByteArray bytes = readRegularFile(path, kMaxImportBytes);
    QList<SettingsRecord> records;
    if (tooLarge)
        *tooLarge = bytes.size() > kMaxImportBytes;
    if (bytes.size() > kMaxImportBytes)
        return records;
    const TextEncoding encoding = detectEncoding(bytes);
    QByteArrayView rest(bytes);
    if (encoding == TextEncoding::Utf8Bom)
        rest = rest.sliced(3);
    // Lines end with CR LF, or with LF alone in a file edited elsewhere.  The
    // bytes CR and LF are never part of a two-byte CP932 character.
    while (!rest.isEmpty()) {
        qsizetype end = rest.indexOf('\n');
        const qsizetype next = end < 0 ? rest.size() : end + 1;
        if (end < 0)
            end = rest.size();
        QByteArrayView line = rest.first(end);
        if (line.endsWith('\r'))
            line.chop(1);
        rest = rest.sliced(next);
        if (!line.startsWith("petari,"))
            continue;
        if (const auto text = decodeLine(line, encoding))
            if (auto r = parseExportLine(*text))
                records.append(std::move(*r));
    }
    return records;
}

QString noValidSettingsMessage()
{
    return QStringLiteral("　このファイルには「") + programinfo::caption() +
           QStringLiteral("」に有効なレジストリの情報がありませんでした。");
}

bool exportSettingsTo(SettingsStore& store, UserPrompt& prompt, const QString& path)
{
    QList<SettingsRecord> leftOut;
    const bool written = guarded(label("M2 regisutoH"), [&] { leftOut = writeSettingsExport(store, path); });
    if (written && !leftOut.isEmpty()) {
        QString text = QStringLiteral("次の設定は改行などを含むため、ファイルに保存できませんでした。") + kLineBreak;
        for (const SettingsRecord& r : leftOut) {
            QString key = r.key;
            key.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
            text += kLineBreak + r.section + QLatin1Char(',') + key;
        }
        prompt.showMessage(programinfo::caption(), text, Icon::Exclamation);
    }
    return written;
}

bool exportSettings(SettingsStore& store, UserPrompt& prompt, const QString& programFolder,
                    const std::function<void()>& storeWindowState, const std::function<void()>& takeBackup)
{
    QString path;
    const bool asked = guarded(label("F1 rejiHozo_Click"), [&] {
        const QString suggested = defaultExportPath(programFolder);
        for (;;) {
            path = prompt.saveFileName(QStringLiteral("レジストリの保存"), QStringLiteral("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)|*.txt"),
                                       suggested);
            if (path.isEmpty() || !QFileInfo::exists(path))
                return;
            const QString q = path + kLineBreak + QStringLiteral("は既に存在します。") + kLineBreak + kLineBreak +
                              QStringLiteral("このファイルに、上書き保存しますか。");
            if (prompt.askYesNo(programinfo::caption(), q, Icon::Exclamation, Answer::No) == Answer::Yes) {
                if (takeBackup)
                    takeBackup();
                return;
            }
        }
    });
    if (!asked || path.isEmpty())
        return false;
    if (storeWindowState)
        storeWindowState();
    return exportSettingsTo(store, prompt, path);
}

SettingsImport importSettingsFrom(SettingsStore& store, UserPrompt& prompt, const QString& path)
{
    QList<SettingsRecord> records;
    bool tooLarge = false;
    const bool read = guarded(label("M2 regisuto1Y"), [&] { records = readSettingsExport(path, &tooLarge); });
    if (!read)
        return SettingsImport::Failed;
    if (tooLarge) {
        prompt.showMessage(programinfo::caption(), fileTooLargeMessage(path), Icon::Critical);
        return SettingsImport::TooLarge;
    }
    if (records.isEmpty()) {
        prompt.showMessage(programinfo::caption(), noValidSettingsMessage(), Icon::Critical);
        return SettingsImport::NothingValid;
    }
    QList<SettingsStore::Entry> entries;
    entries.reserve(records.size());
    for (const SettingsRecord& r : records)
        entries.append({r.section, r.key, r.value});
    const bool replaced = guarded(label("M2 regisuto1Y"), [&] { store.replaceAll(entries); });
    return replaced ? SettingsImport::Replaced : SettingsImport::Failed;
}

SettingsImport importSettings(SettingsStore& store, UserPrompt& prompt)
{
    const QString path = guardedValue<QString>(label("F1 rejiHozo_Click"), QString(), [&] {
        return prompt.openFileName(QStringLiteral("レジストリの読み込み"),
                                   QStringLiteral("All Files (*.*)|*.*|ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)|*.txt"));
    });
    if (path.isEmpty())
        return SettingsImport::Cancelled;
    return importSettingsFrom(store, prompt, path);
}

}  // namespace petari
