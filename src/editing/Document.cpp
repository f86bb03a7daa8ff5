#include "editing/Document.h"

#include "document/FileBytes.h"
#include "document/FileName.h"
#include "document/HexView.h"
#include "document/TextFile.h"
#include "editing/TableOfContents.h"
#include "editing/UndoChain.h"
#include "platform/Failure.h"
#include "platform/LineBreak.h"
#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "platform/TerminationSignals.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

#include <algorithm>
#include <climits>

namespace petari {

namespace {

QString label(const char* name) { return QStringLiteral("F1 ") + QLatin1String(name); }
}  // namespace

Document::Document(SettingsStore& settings, UserPrompt& prompt, QString programFolder, QObject* parent)
    : QObject(parent),
      settings_(settings),
      prompt_(prompt),
      programFolder_(std::move(programFolder)),
      undo_(std::make_unique<UndoChain>(settings, programFolder_))
{
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
    if (!settings_.get(settings::breakLongLines))
        return 0;
    // A width of 0 or less would cut nothing and never end: it means no folding.
    return settings_.get(settings::lineLength);
}

LineText Document::foldedLines(LineText read, LineBudget* budget) const
{
    // Each line goes through the add-line step.  Most need no breaking, and
    // the chunks tell so without a line being read; otherwise the runs of
    // lines that need nothing stay in their chunks.
    const int width = foldWidth();
    const LineStats stats = read.stats();
    const auto asRead = [&] {
        if (budget)
            budget->take(read.size(), read.textSize());
        return read;
    };
    if (!stats.hasBreak && (width == 0 || stats.longestLine <= width))
        return asRead();
    const auto needsWork = [width](QStringView line) {
        return (width > 0 && line.size() > width) || line.contains(u'\n') || line.contains(u'\r');
    };
    LineTextBuilder out;
    out.setBudget(budget);
    int row = 0, kept = 0;
    for (QStringView line : read) {
        if (needsWork(line)) {
            out.append(read.mid(kept, row - kept));
            appendAddedLines(out, line, width);
            kept = row + 1;
        }
        ++row;
    }
    if (kept == 0)
        return asRead();
    out.append(read.mid(kept));
    return out.finish();
}

void Document::checkSize(qint64 lines, qint64 units) const
{
    LineBudget budget(limits_.lines, limits_.units);
    budget.take(lines, units);
}

void Document::showTooLarge(const DocumentTooLarge& refusal, const QString& refused, const QString& path)
{
    prompt_.showMessage(caption(),
                        documentTooLargeMessage(refusal, limits_, refused) + (path.isEmpty() ? QString() : kLineBreak + path),
                        Icon::Exclamation);
}

void Document::open(QString path)
{
    guarded(QStringLiteral("F1 fload　") + path, [&] {
        if (state_.loadMode != LoadRestore && confirmDiscard() == DiscardAnswer::KeepDocument)
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
            commitEdit(path, Commit::Unmodified, QStringLiteral("　開く　"), HexView::Keep);
        }
    });
}

bool Document::readFile(const QString& path)
{
    bool refused = false;
    const bool read = guarded(QStringLiteral("F1 f2load　") + path, [&] {
        try {
            loadFile(path);
        } catch (const DocumentTooLarge& refusal) {
            refused = true;
            showTooLarge(refusal, QStringLiteral("このファイルを開けません"), path);
        } catch (const ReadStopped&) {
            // The program is ending: the half-read file is dropped unseen.
            refused = true;
        }
    });
    return read && !refused;
}

void Document::loadFile(const QString& path)
{
    // Both loaders refuse what is no regular file (a device or a pipe
    // never ends) and what would not fit in memory once shown; and a
    // document beyond the limits before the list changes.
    auto showHex = [&](QByteArrayView bytes) {
        LineText view = hexViewLines(bytes);
        checkSize(view.size(), view.textSize());
        lines_.setLines(std::move(view));
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
    // The decoding stops soon after the lines it made are too many.
    FileBytes bytes = readFileBuffer(path, TextFileLimit, terminationRequested);
    LineBudget readBudget(limits_.lines, limits_.units);
    TextFileContent content =
        decodeFileBytes(bytes, state_.loadMode != LoadRestore, &readBudget, terminationRequested);
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
                                kLineBreak + QStringLiteral("16進数で表示します。"),
                            Icon::Information);
        return;
    }
    bytes = FileBytes();
    LineBudget shownBudget(limits_.lines, limits_.units);
    setShownLines(foldedLines(std::move(content.lines), &shownBudget));
    state_.hexView = false;
    if (state_.loadMode != LoadRestore) {
        state_.encoding = content.encoding;
        state_.hadInvalidBytes = content.invalidBytes > 0;
    }
}

void Document::newDocument()
{
    guarded(label("mfnk_Click"), [&] {
        if (confirmDiscard() == DiscardAnswer::KeepDocument)
            return;
        lines_.clear();
        commitEdit(QString(), Commit::Unmodified, QStringLiteral("新規作成"), HexView::Drop);
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

// ---------------------------------------------------------------- lines

int Document::firstSelectedIndex() const
{
    const int first = lines_.firstSelected();
    return first < 0 ? lines_.count() : first;
}

bool Document::insertText(const QString& text, bool replacingSelection)
{
    bool inserted = false;
    guarded(label("tuika"), [&] {
        qint64 lines = lines_.count();
        qint64 units = lines_.lines().textSize();
        if (replacingSelection) {
            for (int row : lines_.selectedRows()) {
                --lines;
                units -= lines_.lines().view(row).size();
            }
        }
        LineBudget budget(limits_.lines - lines, limits_.units - units);
        try {
            lines_.insertLines(firstSelectedIndex(), splitAddedLines(text, foldWidth(), &budget));
            inserted = true;
        } catch (const DocumentTooLarge& refusal) {
            showTooLarge(refusal, QStringLiteral("追加できません"));
        }
    });
    return inserted;
}

void Document::insertLines(int pos, LineText lines)
{
    LineBudget budget(limits_.lines - lines_.count(), limits_.units - lines_.lines().textSize());
    lines_.insertLines(std::clamp(pos, 0, lines_.count()), foldedLines(std::move(lines), &budget));
}

void Document::replaceLines(LineText lines)
{
    LineBudget budget(limits_.lines, limits_.units);
    lines_.setLines(foldedLines(std::move(lines), &budget));
}

void Document::replaceLinesAsMade(LineText lines)
{
    checkSize(lines.size(), lines.textSize());
    lines_.setLines(std::move(lines));
}

void Document::insertLinesAsMade(int pos, LineText lines)
{
    checkSize(qint64(lines_.count()) + lines.size(), lines_.lines().textSize() + lines.textSize());
    lines_.insertLines(std::clamp(pos, 0, lines_.count()), lines);
}

void Document::setSplitPieces(LineText pieces) { split_.setLines(std::move(pieces)); }

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

void Document::commitEdit(const QString& fileName, Commit change, const QString& operationName, HexView view)
{
    const int modified = change == Commit::Modified ? 1 : 0;
    if (view == HexView::Drop)
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
    rememberStepView();
    reportWrites();
    refreshView();
}

void Document::rememberStepView()
{
    // The step taken even when its snapshot failed: the chain moved on.
    const int number = undo_->undoPosition() - 1;
    if (number < 0)
        return;
    if (stepViews_.size() <= size_t(number))
        stepViews_.resize(size_t(number) + 1);
    stepViews_[size_t(number)] = {state_.hexView, state_.hexSource};
}

void Document::undoRedo(UndoStep step)
{
    guarded(label("modosusumu_Click"), [&] {
        const QString path = step == UndoStep::Undo ? undo_->undoStep() : undo_->redoStep();
        // A snapshot is restored without the unsaved-change warning, and
        // leaves the file name, modified flag, history and undo state alone.
        guarded(QStringLiteral("F1 fload　") + path, [&] {
            // Most states need no folding, which their chunks tell at once.
            setShownLines(foldedLines(undo_->restoreShown().lines));
            // The lines of a hexadecimal view come back as that view, so a
            // save never writes them over the file they show.
            const size_t number = size_t(std::max(undo_->undoPosition() - 1, 0));
            const StepView view = number < stepViews_.size() ? stepViews_[number] : StepView();
            state_.hexView = view.hexView;
            state_.hexSource = view.hexSource;
        });
        reportWrites();
        rebuildToc();
        refreshView();
    });
}

void Document::takeStartupSnapshot()
{
    guarded(QStringLiteral("M2 mokoBU"), [&] { undo_->startupSnapshot(lines_.lines()); });
    rememberStepView();
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
