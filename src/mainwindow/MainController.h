#pragma once
// The main window's behaviour without the window: the document and its file,
// copying lines, the commit step, history, favourites, the table of contents,
// start-up and exit.  Form1 binds its controls to this; tests drive it alone.

#include "copy/CopyEngine.h"
#include "document/DocumentState.h"
#include "document/LineList.h"
#include "mainwindow/ClipboardMonitor.h"
#include "mainwindow/MainView.h"

#include <QDateTime>
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
class NoticePresenter;
class SettingsStore;
class UndoChain;
class UserPrompt;

// Enabled states and variable captions of the menus and buttons, as the
// refresh after every change computes them.
struct MenuState {
    bool hasPath = false;        // saiY, uHoson
    bool hasLines = false;       // mfho, mfhoMac, mojituika, kuugyoutuika, subete
    bool manyLines = false;      // souto
    bool hasSelection = false;   // syusei, mhs, mhst, bnkt, henkan, henkan2, saicopy, Command1(2)
    bool oneSelected = false;    // kaigyou(0)
    bool severalSelected = false;// kaigyou(1)
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

class MainController : public QObject {
    Q_OBJECT
public:
    static QString caption() { return QStringLiteral("ペタリ"); }

    MainController(SettingsStore& settings, UserPrompt& prompt, Clipboard& clipboard,
                   QString programFolder, QObject* parent = nullptr);
    ~MainController() override;

    void setView(MainView* view) { view_ = view ? view : &nullView_; }
    // Where long texts and the modify and version windows are shown.
    void setNoticePresenter(NoticePresenter* p) { presenter_ = p; }
    MainView& view() { return *view_; }

    LineList& lines() { return lines_; }
    LineList& splitList() { return split_; }
    DocumentState& doc() { return doc_; }
    const DocumentState& doc() const { return doc_; }
    SettingsStore& settings() { return settings_; }
    UserPrompt& prompt() { return prompt_; }
    Clipboard& clipboard() { return clipboard_; }
    History& history() { return *history_; }
    Favourites& favourites() { return *favourites_; }
    UndoChain& undo() { return *undo_; }
    QString programFolder() const { return programFolder_; }

    // ---- start-up and exit ----
    // Runs the start-up steps; returns false when this copy must not run (a
    // second copy while duplicates are refused): the window then closes.
    bool startUp(const QStringList& arguments, InstanceRegistry& registry);
    void RgsYomi();
    void RgsKaki();
    void kansiYomi();
    // The close request; true when the window may close.
    bool queryUnload();
    void requestExitDeletingSettings();   // mfsr
    int forcedExit() const { return forcedExit_; }
    void setForcedExit() { forcedExit_ = 99; }
    int instanceNumber() const { return instance_; }
    int monitorMode() const { return monitor_.mode(); }
    void setMonitorMode(int m) { monitor_.setMode(m); }
    bool priceMenuVisible() const { return priceVisible_; }

    // ---- documents ----
    void fload(QString path);
    bool f2load(const QString& path);
    void newDocument();             // mfnk
    void openWithDialog();          // mfh
    void reloadAsHex();             // saiY
    void saveOver();                // uHoson
    void saveAs();                  // mfho
    void saveAsMac();               // mfhoMac
    bool hozon();
    QString CoDiHiraku();
    QString CoDiHozon(const QString& suggested);
    bool HFKaki(const QString& path);
    bool HFKakiMac(const QString& path);
    int keikoku01();
    void startEditor();             // memotyou
    void openNeighbour(int index);  // Command3: 0 "<", 2 ">"
    void openDropped(const QStringList& paths);
    // The three header lines written before a saved hexadecimal view.
    QStringList hexHeader(const QString& path) const;

    // ---- lines ----
    int sentaku() const;
    void tuika(const QString& text);
    void sakujo();
    void CommitEdit(const QString& fileName, int modified, const QString& operationName,
                    int keepView);

    // ---- editing commands ----
    void deleteLines();               // mhs
    void selectAll();                 // subete
    void sortLines();                 // souto
    void undoRedo(int index);         // modosusumu: 0 undo, 1 redo
    void addInput(const QString& text);       // Command1(1) "追加"
    void replaceSelection(const QString& text); // Command1(2) "書換"
    void stampDateTime(const QDateTime& now = QDateTime::currentDateTime());   // hizuke
    // Splits the current line into the split list by one of the five modes.
    void splitCurrentLine(int mode);  // bnkt
    void modifySelection();           // syusei
    void showVersionInformation();    // mhb

    // ---- clipboard monitor ----
    // One tick of the 200 ms monitor; returns the input area's new text.
    std::optional<QString> monitorTick(const QString& inputText, bool composing);
    void setMonitorSuspended(bool on) { monitorSuspended_ = on; }

    // ---- copying ----
    void mcopy(int listIndex, int lineOption, int letterOption);
    void List1_Click(int index);
    void oneShot(int lineOption, int letterOption);   // kaigyou, henkan, henkan2, saicopy
    void deselectAll();                               // mhst
    int rightClickChoice() const { return rightClick_; }
    void setRightClickChoice(int index);              // r_cr2
    int lastCopiedList() const { return lastList_; }
    CopyMenuCaptions hyouji_copyM() const;
    QString editorCaption() const;

    // ---- history, favourites, table of contents ----
    void rirekituika(const QString& path);
    void openHistory(int index);      // rireki01, 1-based
    void clearHistory();              // rirekic
    void addFavourite();              // okinituika
    void openFavourite(int slot);     // okini, Command2 (1-based slot)
    void mokuji();
    const QStringList& tocHeadings() const { return tocHeadings_; }
    const std::vector<int>& tocLines() const { return tocLines_; }
    void jumpToHeading(int index);    // Combo1, 0-based

    // ---- display ----
    MenuState menuState() const;
    QString statusText() const;
    void hyouji();
    void hyouji_SB();

signals:
    void refreshed();          // menus, buttons and status line need redrawing
    void statusChanged(const QString& text);
    void historyChanged();
    void favouritesChanged();
    void tocChanged();

private:
    void takeBackup();
    bool writeDocument(const QString& path, bool mac);
    int foldWidth() const;
    // Lines read from a file, as the add-line step would insert them.
    QStringList addedLines(QStringList read) const;

    SettingsStore& settings_;
    UserPrompt& prompt_;
    Clipboard& clipboard_;
    QString programFolder_;
    MainView nullView_;
    MainView* view_ = &nullView_;
    NoticePresenter* presenter_ = nullptr;

    LineList lines_;
    LineList split_;
    DocumentState doc_;
    std::unique_ptr<History> history_;
    std::unique_ptr<Favourites> favourites_;
    std::unique_ptr<UndoChain> undo_;
    QStringList tocHeadings_;
    std::vector<int> tocLines_;

    int lastList_ = 0;
    int rightClick_ = 4;
    int forcedExit_ = 0;
    bool deleteSettingsOnExit_ = false;
    int instance_ = 0;
    ClipboardMonitor monitor_;
    bool monitorSuspended_ = false;
    bool priceVisible_ = false;
};

}  // namespace petari
