#pragma once
// The main window's behaviour without the window: start-up and exit, the
// menus' commands, copying lines, the clipboard monitor, history and
// favourites, around the document it shows.  MainWindow binds its controls to
// this; tests drive it alone.

#include "copy/CopyEngine.h"
#include "editing/Document.h"
#include "mainwindow/ClipboardMonitor.h"
#include "mainwindow/MainView.h"

#include <QDateTime>
#include <functional>
#include <optional>

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

namespace petari {

class Clipboard;
class History;
class Favourites;
class InstanceRegistry;
class ListFilter;
struct InstanceRequest;
class NoticePresenter;
class SettingsStore;
class UndoChain;
class UserPrompt;

// Enabled states and variable captions of the menus and buttons, as the
// refresh after every change computes them.
struct MenuState {
    bool hasPath = false;        // reload as hexadecimal, save
    bool hasLines = false;       // save as, add characters, add blank lines, select all
    bool manyLines = false;      // sort
    // 絞り込み hides lines: the commands that rewrite the whole document
    // (sort, add characters, add blank lines) would change lines out of sight.
    bool filtering = false;
    bool hasSelection = false;   // modify, delete, deselect, split, conversions, trims, copy again, 書換
    bool oneSelected = false;    // the line break for one line
    bool severalSelected = false;// no line breaks for several lines
    bool canClearHistory = false;
    bool canAddFavourite = false;
    QString addFavouriteCaption;
    bool canUndo = false;
    bool canRedo = false;
    QString undoCaption;
    QString redoCaption;
    QString editorCaption;
    CopyMenuCaptions copyCaptions;
};

// Running, or on the way out without a question: a later start handed over
// to the running copy, or the session ending.
enum class ExitState { Running, Forced };

// The status line's word on the files named after the first on the command
// line: "b.txt、c.txt は開いていません（一度に開くファイルはひとつです）".
QString notOpenedText(const QStringList& files);

class MainController : public QObject {
    Q_OBJECT
public:
    static QString caption() { return Document::caption(); }

    MainController(SettingsStore& settings, UserPrompt& prompt, Clipboard& clipboard,
                   QString programFolder, QObject* parent = nullptr);
    ~MainController() override;

    void setView(MainView* view);
    // Where long texts and the modify and version windows are shown.
    void setNoticePresenter(NoticePresenter* p) { presenter_ = p; }
    MainView& view() { return *view_; }

    Document& document() { return document_; }
    const LineList& lines() const { return document_.lines(); }
    const LineList& splitList() const { return document_.splitList(); }
    DocumentState& state() { return document_.state(); }
    const DocumentState& state() const { return document_.state(); }
    UndoChain& undo() { return document_.undo(); }
    SettingsStore& settings() { return settings_; }
    UserPrompt& prompt() { return prompt_; }
    Clipboard& clipboard() { return clipboard_; }
    History& history() { return *history_; }
    Favourites& favourites() { return *favourites_; }
    // 絞り込み: which lines of the document list are shown.
    ListFilter& filter() { return *filter_; }
    const ListFilter& filter() const { return *filter_; }
    QString programFolder() const { return programFolder_; }

    // ---- start-up, exit and their settings (MainControllerStartup.cpp) ----
    // Runs the start-up steps; returns false when this copy must not run (a
    // second copy while duplicates are refused): the window then closes.
    bool startUp(const QStringList& arguments, InstanceRegistry& registry);
    // With duplicates refused, a start hands its file (or just itself) to the
    // running copy through this; true when that copy took it.  Unset, or when
    // the running copy does not answer, this start goes on as a copy of its
    // own rather than drop the file.
    using HandOver = std::function<bool(const InstanceRequest&)>;
    void setHandOver(HandOver h) { handOver_ = std::move(h); }
    // What a start with these arguments asks of the running copy: open the
    // first argument (made absolute here, where the start's folder is known)
    // or else come to the front.
    static InstanceRequest handOverRequest(const QStringList& arguments);
    void readWindowSettings();
    void writeWindowSettings();
    void readMonitorMode();
    // Asks what closing needs asked (unsaved changes, the exit question,
    // deleting the settings) and writes the settings; true when the window
    // may close.
    bool confirmClose();
    // The desktop ends the program (SIGTERM, SIGHUP, SIGINT, the end of the
    // session): nothing is asked.  Unsaved changes go to a backup, as a
    // discard keeps them; the settings are written and the copy number is
    // given back; then the window may close (forced exit).  Failures go to
    // standard error, as no window may wait for the user now.
    void exitWithoutQuestions();
    // The history and the favourites, written as soon as they change, so
    // that a crash loses nothing stored.
    void storeLists();
    void requestExitDeletingSettings();
    ExitState exitState() const { return exitState_; }
    void setForcedExit() { exitState_ = ExitState::Forced; }
    int instanceNumber() const { return instance_; }
    int monitorMode() const { return monitor_.mode(); }
    void setMonitorMode(int m) { monitor_.setMode(m); }
    bool priceMenuVisible() const { return priceVisible_; }
    // レジストリの保存 / レジストリの読み込み: all settings to a text file and back.
    void exportSettingsToFile();
    void importSettingsFromFile();
    // After the settings dialog or an import: the monitor mode, the copy menu
    // captions, always on top, and (after an import) the window's own keys.
    void pickUpSettings(bool windowToo);

    // ---- files, history and favourites (MainControllerFiles.cpp) ----
    void openDocument(const QString& path);
    void newDocument() { document_.newDocument(); }
    void openWithDialog() { document_.openWithDialog(); }
    void reloadAsHex() { document_.reloadAsHex(); }
    void saveOver() { document_.saveOver(); }
    void saveAs() { document_.saveAs(); }
    void saveAsMac() { document_.saveAsMac(); }
    void startEditor();
    // The file before (-1, "<") or after (+1, ">") the open one in its
    // folder, going round at either end.
    void openNeighbour(int step);
    void openDropped(const QStringList& paths);
    void addToHistory(const QString& path);
    void openHistory(int index);      // 1-based
    void clearHistory();
    void addFavourite();
    void openFavourite(int slot);     // 1-based slot

    // ---- editing commands (MainController.cpp) ----
    void deleteLines();
    // Every line, or while filtered every shown line.
    void selectAll();
    void deselectAll();
    void sortLines();
    void undoRedo(UndoStep step) { document_.undoRedo(step); }
    void addInput(const QString& text);          // "追加"
    void replaceSelection(const QString& text);  // "書換"
    void stampDateTime(const QDateTime& now = QDateTime::currentDateTime());
    // Splits the current line into the split list by one of the five modes.
    void splitCurrentLine(int mode);
    void modifySelection();
    void showVersionInformation();
    void showHelp();

    // ---- 絞り込み (MainControllerFilter.cpp) ----
    // Down or Enter in the filter box: the first shown line becomes current
    // and is chosen, and so copied, as a key moving onto it would.  False
    // when no line is shown.
    bool chooseFirstShownLine();
    // F3 (forward) and Shift+F3: the next line after the current one that
    // holds the filter's words, going round, becomes current and is chosen
    // as above; the list need not be filtered.  Returns its row, -1 when
    // no line matches or there is nothing to look for.
    int findNext(bool forward);

    // ---- copying and the clipboard monitor (MainControllerCopy.cpp) ----
    // One tick of the 200 ms monitor; returns the input area's new text.
    std::optional<QString> monitorTick(const QString& inputText, bool composing);
    void setMonitorSuspended(bool on) { monitorSuspended_ = on; }
    // Copies the selected lines of list 0 (the document) or 1 (the split
    // pieces) with the saved conversions and a one-shot line and letter option.
    void copySelection(int listIndex, int lineOption, int letterOption);
    // A line of list 0 or 1 was clicked or reached with the keys: copies.
    void lineChosen(int listIndex);
    // Copies the last list's selection again with a one-shot conversion.
    void copyAgain(int lineOption, int letterOption);
    int rightClickChoice() const { return rightClick_; }
    void setRightClickChoice(int index);
    int lastCopiedList() const { return lastList_; }
    // "1行（100,000,000文字）をコピーしました。": lines, and characters of the text.
    static QString copiedAmount(int lines, QStringView text);

    // ---- display (MainControllerDisplay.cpp) ----
    MenuState menuState() const;
    QString statusText() const;
    void refreshView();
    void refreshStatus();
    CopyMenuCaptions copyMenuCaptions() const;
    QString editorCaption() const;
    const QStringList& tocHeadings() const { return document_.tocHeadings(); }
    const std::vector<int>& tocLines() const { return document_.tocLines(); }
    void jumpToHeading(int index);    // 0-based

signals:
    void refreshed();          // menus, buttons and status line need redrawing
    void statusChanged(const QString& text);
    void historyChanged();
    void favouritesChanged();
    void tocChanged();

private:
    SettingsStore& settings_;
    UserPrompt& prompt_;
    Clipboard& clipboard_;
    QString programFolder_;
    MainView nullView_;
    MainView* view_ = &nullView_;
    NoticePresenter* presenter_ = nullptr;

    Document document_;
    std::unique_ptr<History> history_;
    std::unique_ptr<Favourites> favourites_;
    std::unique_ptr<ListFilter> filter_;

    int lastList_ = 0;
    // What the status line adds after a copy of a line longer than a row
    // shows, while that many lines stay selected; "" after other copies.
    QString copyNote_;
    int copyNoteRows_ = 0;
    int rightClick_ = 4;
    ExitState exitState_ = ExitState::Running;
    bool deleteSettingsOnExit_ = false;
    // Start-up could not read the stored lists: exit must not write them back.
    bool settingsUnread_ = false;
    // Start-up has read the settings and taken a copy number.
    bool startedUp_ = false;
    int instance_ = 0;
    ClipboardMonitor monitor_;
    bool monitorSuspended_ = false;
    bool priceVisible_ = false;
    HandOver handOver_;
};

}  // namespace petari
