#include "editing/Document.h"

#include "document/FileBytes.h"
#include "document/FileName.h"
#include "document/HexView.h"
#include "document/TextFile.h"
#include "editing/TableOfContents.h"
#include "editing/UndoChain.h"
#include "editing/WorkFolder.h"
#include "platform/Failure.h"
#include "platform/SettingsStore.h"
#include "platform/StringUtils.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"
#include "services/ProgramInfo.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace petari {

namespace {
const QString F5 = QStringLiteral("F5");
const QString CRLF = QStringLiteral("\r\n");

QString label(const char* name) { return QStringLiteral("F1 ") + QLatin1String(name); }
}  // namespace

Document::Document(SettingsStore& settings, UserPrompt& prompt, QString programFolder, QObject* parent)
    : QObject(parent),
      settings_(settings),
      prompt_(prompt),
      programFolder_(std::move(programFolder)),
      undo_(std::make_unique<UndoChain>(settings, programFolder_))
{
#ifdef __GLIBC__
    // A snapshot read back for undo is tens of megabytes of bytes at once.
    // glibc raises its mmap threshold to the size of the first such block
    // that is freed, and keeps every later one on the heap, where memory
    // freed is not given back: the resident size then grows with each undo.
    static const bool pinned = mallopt(M_MMAP_THRESHOLD, 1 << 20) != 0;
    Q_UNUSED(pinned);
#endif
    // A smaller budget (0: every undo from the files) for machines short of
    // memory, and for tests of the files themselves.
    bool ok = false;
    const qint64 budget = qEnvironmentVariable("PETARI_UNDO_MEMORY").toLongLong(&ok);
    if (ok)
        undo_->setMemoryBudget(budget);
    // The writer thread only posts; the outcome is taken in on this thread.
    undo_->setWriteListener([this] { QMetaObject::invokeMethod(this, &Document::reportWrites, Qt::QueuedConnection); });
}

Document::~Document()
{
    // The chain waits for its writes as it goes.
    undo_->setWriteListener({});
}

// ---------------------------------------------------------------- files

int Document::foldWidth() const
{
    if (!settings_.isOn(F5, QStringLiteral("s8")))
        return 0;
    // A width of 0 or less would cut nothing and never end: it means no folding.
    return settings_.integer(F5, QStringLiteral("s1"), 100, 0, INT_MAX);
}

LineText Document::foldedLines(LineText read) const
{
    // Each line goes through the add-line step.  Most need no breaking, and
    // the chunks tell so without a line being read; otherwise the runs of
    // lines that need nothing stay in their chunks.
    const int width = foldWidth();
    const LineStats stats = read.stats();
    if (!stats.hasBreak && (width == 0 || stats.longestLine <= width))
        return read;
    const auto needsWork = [width](QStringView line) {
        return (width > 0 && line.size() > width) || line.contains(u'\n') || line.contains(u'\r');
    };
    LineTextBuilder out;
    int row = 0, kept = 0;
    for (QStringView line : read) {
        if (needsWork(line)) {
            out.append(read.mid(kept, row - kept));
            for (const QString& piece : splitAddedText(line.toString(), width))
                out.append(QStringView(piece));
            kept = row + 1;
        }
        ++row;
    }
    if (kept == 0)
        return read;
    out.append(read.mid(kept));
    return out.finish();
}

void Document::open(QString path)
{
    guarded(QStringLiteral("F1 fload　") + path, [&] {
        if (state_.loadMode != LoadRestore && confirmDiscard() == KeepDocument)
            return;
        // The work folder is complete before another document takes over.
        if (state_.loadMode != LoadRestore)
            waitForWrites();
        if (path.startsWith(QLatin1Char('"'))) {
            path.remove(0, 1);
            if (path.endsWith(QLatin1Char('"')))
                path.chop(1);
        }
        // Stored and shown paths are absolute, so the history still finds the
        // file when the program starts from another folder.
        if (!path.isEmpty())
            path = absoluteFileName(path);
        // By the name's bytes: a name that is not UTF-8 exists all the same.
        if (!fileExists(path))
            throw Failure(err::FileNotFound, describeError(err::FileNotFound) + QStringLiteral("　") + path);
        // A file that could not be read leaves the document as it was.
        if (!readFile(path))
            return;
        if (state_.loadMode == LoadRestore) {
            rebuildToc();
            refreshView();
        } else {
            emit fileOpened(path);
            commitEdit(path, 0, QStringLiteral("　開く　"), 1);
        }
    });
}

bool Document::readFile(const QString& path)
{
    return guarded(QStringLiteral("F1 f2load　") + path, [&] {
        // Both loaders refuse what is no regular file (a device or a pipe
        // never ends) and what would not fit in memory once shown.
        auto showHex = [&](QByteArrayView bytes) {
            lines_.setLines(hexViewLines(bytes));
            state_.hexView = true;
            state_.hexSource = absoluteFileName(path);
            // The view is the program's own text, whatever the file was.
            state_.encoding = TextEncoding::Cp932;
            state_.hadInvalidBytes = false;
        };
        if (state_.loadMode == LoadHex) {
            showHex(readFileBuffer(path, HexViewLimit).view());
            return;
        }
        // The bytes go as they are decoded, unless they are shown as bytes.
        FileBytes bytes = readFileBuffer(path, TextFileLimit);
        TextFileContent content = decodeFileBytes(bytes, state_.loadMode != LoadRestore);
        if (content.binary && state_.loadMode != LoadRestore) {
            // Saved as text, these lines would not give the file back: it is
            // shown as bytes, and a save of the view goes to a new file.
            if (bytes.size() > HexViewLimit)
                throw Failure(err::PathFileAccess,
                              QStringLiteral("テキストではないファイルで、16進数で表示するには大きすぎます。") +
                                  QChar(0x3000) + path);
            showHex(bytes.view());
            prompt_.showMessage(caption(),
                                QStringLiteral("このファイルはテキストではありません（NUL バイトを含み、UTF-16 としても読めません）。") +
                                    CRLF + QStringLiteral("16進数で表示します。"),
                                Icon::Information);
            return;
        }
        bytes = FileBytes();
        setShownLines(foldedLines(std::move(content.lines)));
        state_.hexView = false;
        if (state_.loadMode != LoadRestore) {
            state_.encoding = content.encoding;
            state_.hadInvalidBytes = content.invalidBytes > 0;
        }
    });
}

void Document::newDocument()
{
    guarded(label("mfnk_Click"), [&] {
        if (confirmDiscard() == KeepDocument)
            return;
        lines_.clear();
        commitEdit(QString(), 0, QStringLiteral("新規作成"), 0);
    });
}

QString Document::askOpenPath()
{
    return guardedValue<QString>(label("CoDiHiraku"), QString(), [&] {
        return prompt_.openFileName(QStringLiteral("開く"),
                                    QStringLiteral("All Files (*.*)|*.*|ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)|*.txt"));
    });
}

void Document::openWithDialog()
{
    guarded(label("mfh_Click"), [&] {
        const QString path = askOpenPath();
        if (!path.isEmpty())
            open(path);
    });
}

void Document::reloadAsHex()
{
    if (state_.fileName.isEmpty())
        return;
    state_.loadMode = LoadHex;
    open(state_.fileName);
    state_.loadMode = LoadText;
}

void Document::saveOver()
{
    if (!state_.fileName.isEmpty())
        state_.overwrite = true;
    save();
}

void Document::saveAs() { save(); }

void Document::saveAsMac()
{
    state_.mac = true;
    save();
    state_.mac = false;
}

QString Document::askSavePath(const QString& suggested)
{
    return guardedValue<QString>(label("CoDiHozon"), QString(), [&]() -> QString {
        for (;;) {
            const QString title = state_.mac ? QStringLiteral("名前を付けて保存(Mac向け)")
                                             : QStringLiteral("名前を付けて保存");
            const QString chosen = prompt_.saveFileName(title, QStringLiteral("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)|*.txt"), suggested);
            if (chosen.isEmpty())
                return QString();
            if (!QFileInfo::exists(chosen))
                return chosen;
            const QString q = chosen + CRLF + QStringLiteral("は既に存在します。") + CRLF + CRLF +
                              QStringLiteral("このファイルに、上書き保存しますか。");
            if (prompt_.askYesNo(caption(), q, Icon::Exclamation, Answer::No) == Answer::Yes) {
                takeBackup();
                return chosen;
            }
        }
    });
}

bool Document::save()
{
    bool saved = false;
    guarded(label("hozon"), [&] {
        QString name = state_.fileName;
        if (state_.hexView) {
            // A hexadecimal view is never written over the file it shows.
            name = freeNumberedName(state_.fileName, QStringLiteral("バイナリ表示"));
            if (!name.isEmpty())
                name += QStringLiteral(".txt");
            state_.overwrite = false;
        }
        if (state_.overwrite) {
            takeBackup();
            state_.overwrite = false;
        } else {
            name = askSavePath(name);
        }
        if (name.isEmpty())
            return;
        if (pathExt(name) != QLatin1String("txt")) {
            const QString q = QStringLiteral("テキスト(txt)以外のファイルは、内容が壊れて保存されます。") + CRLF + CRLF +
                              QStringLiteral("それでも保存しますか?");
            if (prompt_.askYesNo(caption(), q, Icon::Exclamation, Answer::No) != Answer::Yes)
                return;
        }
        if (state_.hadInvalidBytes && !state_.hexView &&
            QFileInfo(name).absoluteFilePath() == QFileInfo(state_.fileName).absoluteFilePath()) {
            const QString q = QStringLiteral("このファイルには文字として読めないバイトがありました。") + CRLF +
                              QStringLiteral("保存すると、その部分は「") + QChar(0xFFFD) +
                              QStringLiteral("」に置き換わります。") + CRLF + CRLF +
                              QStringLiteral("上書き保存しますか?");
            if (prompt_.askYesNo(caption(), q, Icon::Exclamation, Answer::No) != Answer::Yes)
                return;
        }
        if (!writeTo(name, state_.mac))
            return;
        state_.modified = 0;
        state_.fileName = QFileInfo(name).absoluteFilePath();
        if (!state_.hexView)
            state_.hadInvalidBytes = false;
        emit fileSaved(state_.fileName);
        refreshView();
        saved = true;
    });
    return saved;
}

QStringList Document::hexHeader(const QString& viewedPath) const
{
    return {viewedPath + QStringLiteral("の内容をを１byteづつ16進数で表示しています。"),
            programInformation(QStringLiteral("012")) + QStringLiteral("より出力"), QString()};
}

// Text CP932 cannot hold is never written as "?": the user chooses UTF-8, or
// nothing is written.
bool Document::chooseEncoding(const LineText& lines, TextEncoding& encoding)
{
    if (encoding != TextEncoding::Cp932)
        return true;
    QString bad = unencodableCharacters(lines, encoding);
    if (bad.isEmpty())
        return true;
    if (bad.size() > 40)
        bad = bad.left(40) + QStringLiteral("…");
    const QString q = QStringLiteral("次の文字はShift_JIS(CP932)では保存できません。") + CRLF + bad + CRLF + CRLF +
                      QStringLiteral("UTF-8で保存しますか?") + CRLF +
                      QStringLiteral("([いいえ]を選ぶと保存しません。)");
    if (prompt_.askYesNo(caption(), q, Icon::Exclamation, Answer::Yes) != Answer::Yes)
        return false;
    encoding = TextEncoding::Utf8;
    return true;
}

bool Document::writeTo(const QString& path, bool mac)
{
    bool written = false;
    guarded(label(mac ? "HFKakiMac" : "HFKaki"), [&] {
        LineText out;
        if (state_.hexView)
            out = hexHeader(state_.hexSource.isEmpty() ? state_.fileName : state_.hexSource);
        out.append(lines_.lines());
        TextEncoding enc = state_.encoding;
        if (!chooseEncoding(out, enc))
            return;
        if (mac)
            writeMacTextFile(path, out, enc);
        else
            writeTextFile(path, out, enc);
        state_.encoding = enc;
        written = true;
    });
    return written;
}

int Document::confirmDiscard()
{
    return guardedValue<int>(QStringLiteral("M2 keikoku01"), KeepDocument, [&]() -> int {
        QString word;
        if (!state_.fileName.isEmpty()) {
            word = QStringLiteral("上書き");
            state_.overwrite = true;
        }
        if (state_.modified == 0) {
            state_.overwrite = false;
            return NothingToDiscard;
        }
        const QString C = caption();
        QString msg;
        if (state_.modified == 2) {
            msg = QStringLiteral("「") + C + QStringLiteral("」のデータがここで作成された内容に置換えられます。") + CRLF +
                  QStringLiteral("保存しない場合、「") + C + QStringLiteral("」の今のデータは失われます。") + CRLF + CRLF +
                  QStringLiteral("「") + C + QStringLiteral("」の今のデータを") + word + QStringLiteral("保存しますか?");
        } else {
            msg = QStringLiteral("データが変更されています。") + CRLF +
                  QStringLiteral("保存しない場合、表示している内容が失われます。") + CRLF + CRLF + word +
                  QStringLiteral("保存しますか?");
        }
        const Answer a = prompt_.askYesNoCancel(C, msg, Icon::Exclamation);
        if (a == Answer::Yes) {
            const bool saved = save();
            state_.overwrite = false;
            // Unsaved content must not be thrown away when the save did not happen.
            return saved ? SavedFirst : KeepDocument;
        }
        if (a == Answer::No) {
            takeBackup();
            state_.modified = 0;
            state_.overwrite = false;
            return Discarded;
        }
        state_.overwrite = false;
        return KeepDocument;
    });
}

// ---------------------------------------------------------------- lines

int Document::firstSelectedIndex() const
{
    const int first = lines_.firstSelected();
    return first < 0 ? lines_.count() : first;
}

void Document::insertText(const QString& text)
{
    guarded(label("tuika"),
            [&] { lines_.insertLines(firstSelectedIndex(), splitAddedText(text, foldWidth())); });
}

void Document::insertLines(int pos, LineText lines)
{
    lines_.insertLines(std::clamp(pos, 0, lines_.count()), foldedLines(std::move(lines)));
}

void Document::replaceLines(LineText lines) { lines_.setLines(foldedLines(std::move(lines))); }

void Document::removeSelected()
{
    guarded(label("sakujo"), [&] {
        int top = view_->topRow();
        lines_.clearCurrent();
        lines_.removeSelected();
        if (top >= lines_.count())
            top = lines_.count() - 1;
        view_->scrollToTop(std::max(top, 0));
    });
}

void Document::setShownLines(LineText lines) { lines_.setLines(std::move(lines)); }

void Document::takeBackup()
{
    guarded(QStringLiteral("M2 mokoBU"), [&] { undo_->takeBackup(lines_.lines()); });
    // On the disk before the save or discard goes on: a backup that could
    // not be written is told with the command that wanted it.
    waitForWrites();
}

void Document::reportWrites()
{
    for (const Failure& f : undo_->takeWriteFailures())
        guarded(QStringLiteral("M2 mokoBU"), [&] { throw f; });
}

void Document::waitForWrites()
{
    if (!undo_->waitForWrites(500)) {
        const int total = undo_->pendingWrites();
        view_->showWriteProgress(0, total);
        while (!undo_->waitForWrites(100))
            view_->showWriteProgress(std::max(total - undo_->pendingWrites(), 0), total);
        view_->hideWriteProgress();
    }
    reportWrites();
}

void Document::commitEdit(const QString& fileName, int modified, const QString& operationName, int keepView)
{
    if (keepView == 0)
        state_.hexView = false;
    state_.fileName = fileName;
    state_.modified = modified;
    // Lines made here, not read from a file, start as the program's own
    // encoding; a save of text CP932 cannot hold still asks first.
    if (fileName.isEmpty()) {
        state_.encoding = TextEncoding::Cp932;
        state_.hadInvalidBytes = false;
    }
    rebuildToc();
    guarded(QStringLiteral("M2 mokoBU"), [&] { undo_->commit(lines_.lines(), modified, operationName); });
    reportWrites();
    refreshView();
}

void Document::undoRedo(int index)
{
    guarded(label("modosusumu_Click"), [&] {
        const QString path = index == 0 ? undo_->undoStep() : undo_->redoStep();
        // A snapshot is restored without the unsaved-change warning, and
        // leaves the file name, modified flag, history and undo state alone.
        guarded(QStringLiteral("F1 fload　") + path, [&] {
            // Most states need no folding, which their chunks tell at once.
            setShownLines(foldedLines(undo_->restoreShown().lines));
            state_.hexView = false;
        });
        reportWrites();
        rebuildToc();
        refreshView();
    });
}

void Document::takeStartupSnapshot()
{
    guarded(QStringLiteral("M2 mokoBU"), [&] { undo_->startupSnapshot(lines_.lines()); });
    reportWrites();
}

// ---------------------------------------------------------------- contents

void Document::rebuildToc()
{
    guarded(label("mokuji"), [&] {
        const QList<TocEntry> toc = tableOfContents(lines_.lines());
        tocHeadings_.clear();
        tocLines_.clear();
        tocHeadings_.reserve(toc.size());
        tocLines_.reserve(static_cast<size_t>(toc.size()));
        for (const TocEntry& e : toc) {
            tocHeadings_.append(e.text);
            tocLines_.push_back(e.line);
        }
        emit tocChanged();
    });
}

// ---------------------------------------------------------------- always on top

void Document::setAlwaysOnTop(bool on)
{
    alwaysOnTop_ = on;
    if (lifts_ == 0)
        view_->placeOnTop(on);
}

void Document::liftTopmost()
{
    if (lifts_++ == 0 && alwaysOnTop_)
        guarded(label("temaeh2"), [&] { view_->placeOnTop(false); });
}

void Document::restoreTopmost()
{
    if (lifts_ == 0)
        return;
    if (--lifts_ == 0 && alwaysOnTop_)
        guarded(label("temaeh"), [&] { view_->placeOnTop(true); });
}

void Document::refreshView() { emit refreshRequested(); }

}  // namespace petari
