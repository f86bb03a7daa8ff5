#pragma once
// The document the main window shows, as every window that produces or
// changes lines sees it: the lines and the split pieces, the file they came
// from, the commit step with its undo chain, the unsaved-change question and
// the table of contents.  A secondary window receives this and the prompts,
// nothing of the main window itself.

#include "document/DocumentLimits.h"
#include "document/DocumentState.h"
#include "document/LineList.h"
#include "editing/EditSteps.h"
#include "editing/WorkFile.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

namespace petari {

class SettingsStore;
class UndoChain;
class UserPrompt;

// What the document needs from the window that shows it.  The default
// records instead of showing, for tests without a window.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // The line shown at the top of the document list, and scrolling it there.
    virtual int topRow() const { return top_; }
    virtual void scrollToTop(int row) { top_ = row; }
    // Puts the main window in the topmost placement or takes it out, without
    // moving, resizing or hiding it.
    virtual void placeOnTop(bool on) { onTop_ = on; }
    bool placedOnTop() const { return onTop_; }
    // Shown while the program waits longer than half a second for its
    // snapshot and backup files to be written (at exit, and before another
    // document is opened): done of total writes are finished.
    virtual void showWriteProgress(int done, int total) { progress_ = {done, total}; ++progressShown_; }
    virtual void hideWriteProgress() { progress_ = {}; }
    int writeProgressShown() const { return progressShown_; }

private:
    int top_ = 0;
    bool onTop_ = false;
    std::pair<int, int> progress_;
    int progressShown_ = 0;
};

class Document : public QObject {
    Q_OBJECT
public:
    // The title of every question the program asks.
    static QString caption() { return QStringLiteral("ペタリ"); }

    Document(SettingsStore& settings, UserPrompt& prompt, QString programFolder,
             QObject* parent = nullptr);
    ~Document() override;

    void setView(DocumentView* view) { view_ = view ? view : &nullView_; }
    DocumentView& view() { return *view_; }

    SettingsStore& settings() { return settings_; }
    UserPrompt& prompt() { return prompt_; }
    QString programFolder() const { return programFolder_; }

    // The lines are read here and changed only through the calls below,
    // which keep them within the limits; whoever shows them may change the
    // selection and the current line.
    const LineList& lines() const { return lines_; }
    const LineList& splitList() const { return split_; }
    LineSelection selection() { return LineSelection(lines_); }
    LineSelection splitSelection() { return LineSelection(split_); }
    // The lists as a view shows them.  Qt's model interface changes no line
    // (no setData, no insertRows).
    QAbstractItemModel* linesModel() { return &lines_; }
    QAbstractItemModel* splitModel() { return &split_; }
    DocumentState& state() { return state_; }
    const DocumentState& state() const { return state_; }
    UndoChain& undo() { return *undo_; }
    const UndoChain& undo() const { return *undo_; }

    // ---- files ----
    // Opens a file as the document after the unsaved-change question (or
    // restores one, in load mode LoadRestore).  A failure is reported and
    // leaves the document as it was.
    void open(QString path);
    // Reads a file into the list by the current load mode; false when it
    // could not be read (reported).
    bool readFile(const QString& path);
    void newDocument();
    // The open-file dialog of the main window; "" when cancelled.
    QString askOpenPath();
    // The save-file dialog with the overwrite question; "" when cancelled.
    QString askSavePath(const QString& suggested);
    void openWithDialog();
    void reloadAsHex();
    void saveOver();
    void saveAs();
    void saveAsMac();
    // Saves by the document's flags; true when the file was written.
    bool save();
    // Writes the list to path (with the header of a hexadecimal view).
    bool writeTo(const QString& path, bool mac);
    // The three lines written before a saved hexadecimal view of viewedPath.
    QStringList hexHeader(const QString& viewedPath) const;

    // The unsaved-change question before the list's content is thrown away.
    // Stop when it returns KeepDocument.
    DiscardAnswer confirmDiscard();

    // ---- size ----
    // How large the document may grow (see DocumentLimits.h); tests make
    // the limits small.
    void setLimits(const DocumentLimits& limits) { limits_ = limits; }
    const DocumentLimits& limits() const { return limits_; }
    // Throws DocumentTooLarge when a document of that many lines and
    // characters (UTF-16 units) would pass the limits.
    void checkSize(qint64 lines, qint64 units) const;

    // ---- lines ----
    // Where new lines go: the first selected line, or the end when none is.
    int firstSelectedIndex() const;
    // Inserts text (its lines, folded at the configured width) at
    // firstSelectedIndex(); the selected lines move down, still selected.
    // False when nothing was inserted: a failure was reported, or the
    // document would grow beyond its limits (counted without the selected
    // lines when they are about to be replaced), which the user is told.
    bool insertText(const QString& text, bool replacingSelection = false);
    // Inserts lines at pos, each folded at the configured width as text
    // added by the user is.  Fast for a million lines.  Throws
    // DocumentTooLarge, the list unchanged, beyond the limits.
    void insertLines(int pos, LineText lines);
    // Replaces every line, folded as above; the selection is cleared.
    // Throws as insertLines.
    void replaceLines(LineText lines);
    // Lines made by a program step (a table, a price list, a series, the
    // lines sorted) replace the document or go in at pos as they are: folding
    // them would break what was drawn.  The selection is cleared by a
    // replacement; an insertion moves the selected lines down.  Both throw
    // DocumentTooLarge, the list unchanged, beyond the limits.
    void replaceLinesAsMade(LineText lines);
    void insertLinesAsMade(int pos, LineText lines);
    // The pieces of a split line, shown in the second list; empty hides none.
    void setSplitPieces(LineText pieces);
    // Tells the user that refused (what was not done, "追加できません")
    // because the document would grow beyond its limits; path, when given,
    // names the file.
    void showTooLarge(const DocumentTooLarge& refusal, const QString& refused, const QString& path = QString());
    // Removes the selected lines, keeping the view near where it was.
    void removeSelected();
    // The commit step after every change of the list: the file name and
    // whether the lines now differ from it (Unmodified starts a new undo
    // history), a rebuilt table of contents, the snapshot named
    // operationName, and a refresh.  HexView::Drop ends a hexadecimal view.
    // An untitled result is a CP932 document.
    void commitEdit(const QString& fileName, Commit change, const QString& operationName, HexView view);
    // A backup of the list now (before a file is overwritten, or when changes
    // are thrown away); failures are reported.
    void takeBackup();
    // 戻す and 進む.
    void undoRedo(UndoStep step);
    // Waits until every snapshot and backup handed to the background writer
    // is on the disk, with the window's progress indication when that takes
    // longer than half a second; reports the writes that failed.
    void waitForWrites();
    // Reports the background writes that failed since the last call.
    void reportWrites();
    // Start-up without a document: the first snapshot.
    void takeStartupSnapshot();
    // The width at which added lines are folded; 0 for none.
    int foldWidth() const;

    // ---- table of contents ----
    void rebuildToc();
    const QStringList& tocHeadings() const { return tocHeadings_; }
    const std::vector<int>& tocLines() const { return tocLines_; }

    // ---- always on top ----
    bool alwaysOnTop() const { return alwaysOnTop_; }
    // The stored setting applied to the main window.
    void setAlwaysOnTop(bool on);
    // Around a secondary window: out of the topmost placement while it is
    // open, so it is not hidden behind the main window, and back afterwards.
    // Nested windows lift once and restore once.
    void liftTopmost();
    void restoreTopmost();

    // Tells the main window to redraw menus, buttons and the status line.
    void refreshView();

signals:
    void refreshRequested();
    void tocChanged();
    // A file was opened as the document, or the document saved to a file:
    // it goes into the history.
    void fileOpened(const QString& path);
    void fileSaved(const QString& path);

private:
    // What the list showed at each step of the undo chain, by snapshot
    // number: undo and redo bring back a hexadecimal view with its lines.
    struct StepView {
        bool hexView = false;
        QString hexSource;
    };
    void rememberStepView();

    // The lines as the add-line step makes them, taken from budget when
    // one is given.
    LineText foldedLines(LineText read, LineBudget* budget = nullptr) const;
    // readFile's work; throws DocumentTooLarge before the list changes.
    void loadFile(const QString& path);
    void setShownLines(LineText lines);
    bool chooseEncoding(const LineText& lines, TextEncoding& encoding);

    SettingsStore& settings_;
    UserPrompt& prompt_;
    QString programFolder_;
    DocumentView nullView_;
    DocumentView* view_ = &nullView_;

    LineList lines_;
    LineList split_;
    DocumentState state_;
    std::unique_ptr<UndoChain> undo_;
    std::vector<StepView> stepViews_;
    DocumentLimits limits_;
    QStringList tocHeadings_;
    std::vector<int> tocLines_;
    bool alwaysOnTop_ = false;
    int lifts_ = 0;
};

// Lifts the main window's topmost placement for as long as it lives: the
// modal secondary windows hold one while they are open.
class TopmostLift {
public:
    explicit TopmostLift(Document& doc) : doc_(doc) { doc_.liftTopmost(); }
    ~TopmostLift() { doc_.restoreTopmost(); }
    TopmostLift(const TopmostLift&) = delete;
    TopmostLift& operator=(const TopmostLift&) = delete;

private:
    Document& doc_;
};

}  // namespace petari
