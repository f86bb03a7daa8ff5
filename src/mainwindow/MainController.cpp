#include "mainwindow/MainController.h"
#include "mainwindow/Layout.h"

#include "platform/InstanceRegistry.h"
#include "platform/SettingsStore.h"
#include "platform/StringUtils.h"
#include "document/Cp932.h"
#include "document/HexView.h"
#include "document/TextFile.h"
#include "editing/Favourites.h"
#include "editing/History.h"
#include "editing/Sort.h"
#include "editing/Splitting.h"
#include "editing/Stamps.h"
#include "editing/TableOfContents.h"
#include "editing/UndoChain.h"
#include "editing/WorkFolder.h"
#include "platform/Clipboard.h"
#include "platform/Help.h"
#include "platform/ProgramFolder.h"
#include "price/PriceSettings.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"
#include "editing/Modify.h"
#include "services/NoticeRequest.h"
#include "services/ProgramInfo.h"
#include "services/SettingsExport.h"
#include "services/VersionInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace petari {

namespace {
const QString F1 = QStringLiteral("F1");
const QString F5 = QStringLiteral("F5");
const QString CRLF = QStringLiteral("\r\n");

// Revision of this program, for the version bookkeeping of the settings.
constexpr int kMajor = 2;
constexpr int kMinor = 40;
constexpr int kRevision = 167;

QString label(const char* name) { return QStringLiteral("F1 ") + QLatin1String(name); }
}  // namespace

MainController::MainController(SettingsStore& settings, UserPrompt& prompt, Clipboard& clipboard,
                               QString programFolder, QObject* parent)
    : QObject(parent),
      settings_(settings),
      prompt_(prompt),
      clipboard_(clipboard),
      programFolder_(std::move(programFolder)),
      document_(settings, prompt, programFolder_),
      history_(std::make_unique<History>()),
      favourites_(std::make_unique<Favourites>())
{
    document_.setView(view_);
    connect(&document_, &Document::refreshRequested, this, &MainController::refreshView);
    connect(&document_, &Document::tocChanged, this, &MainController::tocChanged);
    connect(&document_, &Document::fileOpened, this, &MainController::addToHistory);
    connect(&document_, &Document::fileSaved, this, &MainController::addToHistory);
}

MainController::~MainController() = default;

void MainController::setView(MainView* view)
{
    view_ = view ? view : &nullView_;
    document_.setView(view_);
}

// ---------------------------------------------------------------- start-up

bool MainController::startUp(const QStringList& arguments, InstanceRegistry& registry)
{
    bool proceed = true;
    guarded(label("Form_Load"), [&] {
        const bool othersRunning = registry.othersRunning();
        if (settings_.isOn(F5, QStringLiteral("s6")) && othersRunning) {
            forcedExit_ = 99;
            proceed = false;
            return;
        }
        registry.acquire();

        // A stored copy number that is not a number is reported, and this
        // copy goes on as the first one: the user's lists and file still load.
        instance_ = 0;
        guarded(label("Form_Load"), [&] {
            const QString stored = settings_.read(QStringLiteral("A1"), QStringLiteral("No"), QStringLiteral("0"));
            bool ok = false;
            const int no = stored.trimmed().toInt(&ok);
            if (!ok || no < 0 || no > 255)
                throw Failure(err::Overflow, QStringLiteral("A1/No の値が不正です: ") + stored);
            instance_ = othersRunning ? no : 0;
            if (instance_ > 5)
                instance_ = 1;
        });
        settings_.write(QStringLiteral("A1"), QStringLiteral("No"), QString::number(instance_ + 1));
        // Each running copy undoes through a snapshot folder of its own.
        document_.undo().setCopyNumber(instance_);
        priceVisible_ = petari::priceMenuVisible(settings_);

        readWindowSettings();

        // Each argument is one path already, so a path with blanks stays whole.
        if (!arguments.isEmpty() && !arguments.front().isEmpty()) {
            openDocument(arguments.front());
        } else if (settings_.isOn(F5, QStringLiteral("s2"), true)) {
            // A first start shows the read-me tour; an installed copy finds it
            // in the installation's data folder.
            const QString file = settings_.read(F5, QStringLiteral("s3"),
                                                findReadOnlyFile(programFolder_, readMeFileName()));
            if (!file.isEmpty())
                openDocument(file);
        }
        if (document_.state().fileName.isEmpty()) {
            document_.takeStartupSnapshot();
            document_.rebuildToc();
        }
        refreshView();
        if (presenter_)
            showVersionNotice(settings_, *presenter_);
    });
    return proceed;
}

void MainController::readMonitorMode()
{
    for (int i = 0; i < 3; ++i)
        if (settings_.read(F5, QString::number(20 + i), QStringLiteral("0")) == QLatin1String("1"))
            monitor_.setMode(i + 1);
}

void MainController::readWindowSettings()
{
    settingsUnread_ = !guarded(label("RgsYomi"), [&] {
        TwipsRect r;
        r.top = storedTwips(settings_.number(F1, QStringLiteral("top"), 105)) + instance_ * 300;
        r.left = storedTwips(settings_.number(F1, QStringLiteral("Left"), 105)) + instance_ * 300;
        r.height = storedTwips(settings_.number(F1, QStringLiteral("Height"), 5000));
        r.width = storedTwips(settings_.number(F1, QStringLiteral("Width"), 7000));
        view_->setGeometryTwips(r);
        readMonitorMode();
        rightClick_ = static_cast<int>(settings_.number(F1, QStringLiteral("rcrh0"), 4));
        history_->load(settings_);
        emit historyChanged();
        document_.setAlwaysOnTop(settings_.isOn(F5, QStringLiteral("s4")));
        favourites_->load(settings_);
        emit favouritesChanged();
        emit refreshed();
    });
}

void MainController::writeWindowSettings()
{
    // What start-up could not read is still the user's: never overwrite it
    // with the empty lists and default place this run began with.
    if (settingsUnread_)
        return;
    guarded(label("RgsKaki"), [&] {
        if (view_->isNormalState()) {
            const TwipsRect r = view_->geometryTwips();
            // Where the desktop never tells a window its place, the stored one stays.
            if (view_->reportsPosition()) {
                settings_.write(F1, QStringLiteral("top"), QString::number(r.top));
                settings_.write(F1, QStringLiteral("Left"), QString::number(r.left));
            }
            settings_.write(F1, QStringLiteral("Height"), QString::number(r.height));
            settings_.write(F1, QStringLiteral("Width"), QString::number(r.width));
        }
        settings_.write(F1, QStringLiteral("rcrh0"), QString::number(rightClick_));
        history_->save(settings_);
        favourites_->save(settings_);
        const QString ver = QStringLiteral("ver");
        if (settings_.number(ver, QStringLiteral("revision"), 0) < kRevision) {
            settings_.write(ver, QStringLiteral("major"), QString::number(kMajor));
            settings_.write(ver, QStringLiteral("minor"), QString::number(kMinor));
            settings_.write(ver, QStringLiteral("revision"), QString::number(kRevision));
        }
        settings_.sync();
    });
}

void MainController::requestExitDeletingSettings()
{
    deleteSettingsOnExit_ = true;
    view_->requestClose();
}

bool MainController::queryUnload()
{
    bool mayClose = false;
    const bool ran = guarded(label("Form_QueryUnload"), [&] {
        if (forcedExit_ == 99) {
            mayClose = true;
            return;
        }
        if (document_.confirmDiscard() == KeepDocument) {
            deleteSettingsOnExit_ = false;
            return;
        }
        if (settings_.isOn(F5, QStringLiteral("s5"))) {
            const QString q = QStringLiteral("「") + programInformation(QStringLiteral("0")) +
                              QStringLiteral("」を終了しますか?");
            if (prompt_.askYesNo(caption(), q, Icon::Question) != Answer::Yes) {
                deleteSettingsOnExit_ = false;
                return;
            }
        }
        writeWindowSettings();
        if (instance_ == 0)
            settings_.write(QStringLiteral("A1"), QStringLiteral("No"), QStringLiteral("0"));
        if (deleteSettingsOnExit_) {
            const QString q = QStringLiteral("レジストリを削除しますか?") + CRLF + CRLF +
                              QStringLiteral("　レジストリを保存したい場合には、[キャンセル]で戻り[設定]→[レジストリの保存]で保存が出来ます。");
            const Answer a = prompt_.askYesNoCancel(caption(), q, Icon::Question);
            if (a == Answer::Cancel) {
                deleteSettingsOnExit_ = false;
                return;
            }
            if (a == Answer::Yes)
                settings_.deleteAll();
        }
        settings_.sync();
        // Once, and where: a read-only settings file loses every change.
        if (!settings_.isWritable())
            guarded(label("RgsKaki"), [&] {
                throw Failure(err::PermissionDenied,
                              QStringLiteral("設定を保存できませんでした。") + QChar(0x3000) + settings_.path());
            });
        // Every snapshot and backup is on the disk when the program ends.
        document_.waitForWrites();
        mayClose = true;
    });
    if (!ran)
        deleteSettingsOnExit_ = false;
    return mayClose;
}

// ---------------------------------------------------------------- documents

void MainController::openDocument(const QString& path) { document_.open(path); }

void MainController::startEditor()
{
    guarded(label("memotyou_Click"), [&] {
        const QString exe = settings_.read(F5, QStringLiteral("exe1"), QStringLiteral("xdg-open"));
        QStringList args;
        if (!document_.state().fileName.isEmpty())
            args << document_.state().fileName;
        if (!QProcess::startDetached(exe, args))
            throw Failure(err::FileNotFound,
                          QStringLiteral("テキストエディタを起動できません　") + exe);
    });
}

void MainController::openNeighbour(int index)
{
    guarded(label("Command3_Click"), [&] {
        if (document_.state().fileName.isEmpty())
            return;
        const QFileInfo fi(document_.state().fileName);
        const QDir dir = fi.absoluteDir();
        const QStringList files = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
        if (files.isEmpty())
            return;
        qsizetype p = files.indexOf(pathTail(QDir::fromNativeSeparators(document_.state().fileName)));
        if (p < 0)
            p = files.size();
        qsizetype target = p + index - 1;
        if (target < 0)
            target = files.size() - 1;
        if (target > files.size() - 1)
            target = 0;
        openDocument(dir.filePath(files.at(target)));
    });
}

void MainController::openDropped(const QStringList& paths)
{
    guarded(label("List1_OLEDragDrop"), [&] {
        if (!paths.isEmpty())
            openDocument(paths.front());
    });
}

// ---------------------------------------------------------------- editing commands

void MainController::deleteLines()
{
    if (document_.lines().selectedCount() == 0)
        return;
    document_.removeSelected();
    document_.commitEdit(document_.state().fileName, 1, QStringLiteral("　削除　"), 1);
}

void MainController::selectAll()
{
    guarded(label("subete_Click"), [&] {
        document_.lines().selectAll();
        refreshView();
    });
}

void MainController::sortLines()
{
    guarded(label("souto_Click"), [&] {
        document_.lines().setLines(petari::sortLines(document_.lines().lines()));
        document_.commitEdit(document_.state().fileName, 1, QStringLiteral("並べ替え"), 1);
    });
}

void MainController::addInput(const QString& text)
{
    guarded(label("Command1_Click"), [&] {
        document_.insertText(text);
        document_.commitEdit(document_.state().fileName, 1, QStringLiteral("　追加　"), 1);
    });
}

void MainController::replaceSelection(const QString& text)
{
    guarded(label("Command1_Click"), [&] {
        if (document_.lines().selectedCount() == 0)
            return;
        document_.insertText(text);
        document_.removeSelected();
        document_.commitEdit(document_.state().fileName, 1, QStringLiteral("　書換　"), 1);
    });
}

namespace {
class DocumentStampHost : public StampHost {
public:
    explicit DocumentStampHost(Document& d) : d_(d) {}
    int confirmDiscard() override { return d_.confirmDiscard(); }
    QStringList lines() const override { return d_.lines().toStringList(); }
    void setLines(const QStringList& lines) override { d_.lines().setLines(lines); }
    void commitEdit(const QString& fileName, int modified, const QString& operation, int keepView) override
    {
        d_.commitEdit(fileName, modified, operation, keepView);
    }

private:
    Document& d_;
};
}  // namespace

void MainController::stampDateTime(const QDateTime& now)
{
    DocumentStampHost host(document_);
    stampDocument(host, now);
}

void MainController::splitCurrentLine(int mode)
{
    guarded(label("bunkatu"), [&] {
        document_.splitList().clear();
        const int row = document_.lines().currentRow();
        if (row >= 0 && row < document_.lines().count()) {
            const QString splitText = settings_.read(F5, QStringLiteral("st_t101"), QStringLiteral(">"));
            const QChar splitChar = splitText.isEmpty() ? QChar() : splitText.at(0);
            document_.splitList().setLines(splitIntoPieces(document_.lines().line(row), mode, splitChar));
        }
        view_->setSplitListVisible(true);
        refreshStatus();
    });
}

namespace {
class DocumentEditTarget : public LineEditTarget {
public:
    explicit DocumentEditTarget(Document& d) : d_(d) {}
    QStringList selectedLines() const override
    {
        QStringList out;
        for (int r : d_.lines().selectedRows())
            out << d_.lines().line(r);
        return out;
    }
    void insertText(const QString& text) override { d_.insertText(text); }
    void removeSelected() override { d_.removeSelected(); }
    void commitEdit(const QString& operationName) override
    {
        d_.commitEdit(d_.state().fileName, 1, operationName, 1);
    }

private:
    Document& d_;
};
}  // namespace

void MainController::modifySelection()
{
    if (!presenter_)
        return;
    DocumentEditTarget target(document_);
    modifySelectedLines(target, *presenter_);
}

void MainController::showHelp()
{
    guarded(label("mhelph_Click"), [&] { openHelp(programFolder_, prompt_); });
}

void MainController::exportSettingsToFile()
{
    guarded(label("rejiHozo_Click"),
            [&] { exportSettings(settings_, prompt_, programFolder_, [this] { writeWindowSettings(); }); });
}

void MainController::importSettingsFromFile()
{
    guarded(label("rejiHozo_Click"), [&] {
        if (importSettings(settings_, prompt_) != SettingsImport::Cancelled)
            pickUpSettings(true);
    });
}

void MainController::pickUpSettings(bool windowToo)
{
    // Unticking every monitor box leaves no key at 1: the monitor stops.
    monitor_.setMode(0);
    readMonitorMode();
    if (windowToo)
        readWindowSettings();
    else
        document_.setAlwaysOnTop(settings_.isOn(F5, QStringLiteral("s4")));
    refreshView();
}

void MainController::showVersionInformation()
{
    if (presenter_)
        versionInformationCommand(*presenter_, programFolder_);
}

// ---------------------------------------------------------------- clipboard monitor

std::optional<QString> MainController::monitorTick(const QString& inputText, bool composing)
{
    std::optional<QString> result;
    if (monitorSuspended_)
        return result;
    guarded(label("Timer1_Timer"), [&] {
        clipboard_.watch(monitor_.mode() != 0);
        // While the user composes, copies made meanwhile wait their turn.
        if (monitor_.mode() == 0 || composing)
            return;
        // Several copies since the last tick each count, in their order.
        QString input = inputText;
        for (const QString& t : clipboard_.monitorTexts()) {
            if (const auto next = monitor_.tick(t, input, false)) {
                input = *next;
                result = input;
            }
        }
    });
    return result;
}

// ---------------------------------------------------------------- copying

void MainController::copySelection(int listIndex, int lineOption, int letterOption)
{
    guarded(label("mcopy"), [&] {
        clipboard_.clear();
        LineList& list = listIndex == 1 ? document_.splitList() : document_.lines();
        const std::vector<int> rows = list.selectedRows();
        if (rows.empty())
            return;
        lastList_ = listIndex;
        // The lines are borrowed from the version shown, held here until the
        // text is built: a hundred thousand of them need no copy each.
        const LineText shown = list.lines();
        const QStringList selected = shown.borrowLines(rows);
        clipboard_.setText(buildCopyText(selected, listIndex == 0, lineOption, letterOption,
                                         CopyOptions::fromSettings(settings_)));
    });
}

void MainController::listClicked(int index)
{
    guarded(label("List1_Click"), [&] {
        if (document_.lines().currentRow() >= 0 || index == 1)
            copySelection(index, 0, 0);
        if (index == 0)
            view_->setSplitListVisible(false);
        refreshStatus();
    });
}

void MainController::oneShot(int lineOption, int letterOption)
{
    guarded(label("henkan_Click"), [&] { copySelection(lastList_, lineOption, letterOption); });
}

void MainController::deselectAll()
{
    guarded(label("mhst_Click"), [&] {
        document_.lines().clearSelection();
        refreshView();
    });
}

void MainController::setRightClickChoice(int index)
{
    guarded(label("r_cr2_Click"), [&] {
        rightClick_ = index;
        emit refreshed();
    });
}

CopyMenuCaptions MainController::copyMenuCaptions() const
{
    return petari::copyMenuCaptions(CopyOptions::fromSettings(settings_));
}

QString MainController::editorCaption() const
{
    return QStringLiteral("「") + settings_.read(F5, QStringLiteral("exe2"), QStringLiteral("テキストエディタ")) +
           QStringLiteral("」を起動");
}

// ---------------------------------------------------------------- history, favourites, contents

void MainController::addToHistory(const QString& path)
{
    guarded(label("rirekituika"), [&] {
        if (history_->add(path))
            emit historyChanged();
    });
}

void MainController::openHistory(int index)
{
    guarded(label("rireki01_Click"), [&] {
        const QString path = history_->item(index);
        if (QFileInfo::exists(path)) {
            openDocument(path);
            return;
        }
        if (prompt_.askYesNo(caption(), History::missingFileQuestion(path), Icon::Question) == Answer::Yes) {
            history_->removeAt(index);
            emit historyChanged();
            refreshView();
        }
    });
}

void MainController::clearHistory()
{
    guarded(label("rirekic_Click"), [&] {
        history_->clear();
        emit historyChanged();
        refreshView();
    });
}

void MainController::addFavourite()
{
    guarded(label("okinituika_Click"), [&] {
        favourites_->add(document_.state().fileName);
        emit favouritesChanged();
        refreshView();
    });
}

void MainController::openFavourite(int slot)
{
    const QString path = favourites_->slot(slot);
    if (!path.isEmpty())
        openDocument(path);
}

void MainController::jumpToHeading(int index)
{
    guarded(label("Combo1_Click"), [&] {
        const std::vector<int>& lines = document_.tocLines();
        if (index >= 0 && index < static_cast<int>(lines.size()))
            view_->scrollToTop(lines[static_cast<size_t>(index)] - 1);
    });
}

// ---------------------------------------------------------------- display

MenuState MainController::menuState() const
{
    MenuState m;
    const int n = document_.lines().count();
    const int s = document_.lines().selectedCount();
    m.hasPath = !document_.state().fileName.isEmpty();
    m.hasLines = n > 0;
    m.manyLines = n > 1;
    m.hasSelection = s > 0;
    m.oneSelected = s == 1;
    m.severalSelected = s > 1;
    m.canClearHistory = history_->canClear();
    m.canAddFavourite = favourites_->canAdd(document_.state().fileName);
    m.addFavouriteCaption = Favourites::addCaption(document_.state().fileName);
    m.canUndo = document_.undo().canUndo();
    m.canRedo = document_.undo().canRedo();
    m.undoCaption = document_.undo().undoCaption();
    m.redoCaption = document_.undo().redoCaption();
    m.editorCaption = editorCaption();
    m.copyCaptions = copyMenuCaptions();
    return m;
}

QString MainController::statusText() const
{
    const int s = document_.lines().selectedCount();
    if (s == 0)
        return document_.state().fileName;
    QString t = QStringLiteral("メイン ") + QString::number(document_.lines().currentRow() + 1) +
                QStringLiteral("行目　選択行数 ") + QString::number(s) + QStringLiteral("行　　");
    const int ss = document_.splitList().selectedCount();
    if (view_->isSplitListVisible() && ss > 0)
        t += QStringLiteral("分割 ") + QString::number(document_.splitList().currentRow() + 1) +
             QStringLiteral("行目　選択行数 ") + QString::number(ss) + QStringLiteral("行");
    return t;
}

void MainController::refreshView()
{
    guarded(label("hyouji"), [&] {
        emit refreshed();
        refreshStatus();
    });
}

void MainController::refreshStatus()
{
    guarded(label("hyouji_SB"), [&] { emit statusChanged(statusText()); });
}

}  // namespace petari
