// MainController: construction and the editing commands of the 編集 menu
// and the input box's buttons.  The rest lives beside this file, one
// responsibility to a file: MainControllerStartup.cpp (start-up, exit and
// the settings they read and write), MainControllerFiles.cpp (opening
// files, history and favourites), MainControllerCopy.cpp (copying and the
// clipboard monitor) and MainControllerDisplay.cpp (menu states and the
// status line).

#include "mainwindow/MainController.h"
#include "mainwindow/MainControllerKeys.h"
#include "platform/SettingsSchema.h"

#include "editing/Favourites.h"
#include "editing/History.h"
#include "editing/Modify.h"
#include "editing/Sort.h"
#include "editing/Splitting.h"
#include "editing/Stamps.h"
#include "mainwindow/ListFilter.h"
#include "platform/Help.h"
#include "platform/SettingsStore.h"
#include "services/Guard.h"
#include "services/VersionInfo.h"

namespace petari {

using namespace mainwindowkeys;

MainController::MainController(SettingsStore& settings, UserPrompt& prompt, Clipboard& clipboard,
                               QString programFolder, QObject* parent)
    : QObject(parent),
      settings_(settings),
      prompt_(prompt),
      clipboard_(clipboard),
      programFolder_(std::move(programFolder)),
      document_(settings, prompt, programFolder_),
      history_(std::make_unique<History>()),
      favourites_(std::make_unique<Favourites>()),
      filter_(std::make_unique<ListFilter>(document_.lines()))
{
    document_.setView(view_);
    connect(&document_, &Document::refreshRequested, this, &MainController::refreshView);
    connect(&document_, &Document::tocChanged, this, &MainController::tocChanged);
    connect(&document_, &Document::fileOpened, this, &MainController::addToHistory);
    connect(&document_, &Document::fileSaved, this, &MainController::addToHistory);
    connect(filter_.get(), &ListFilter::shownChanged, this, &MainController::refreshView);
}

MainController::~MainController() = default;

void MainController::setView(MainView* view)
{
    view_ = view ? view : &nullView_;
    document_.setView(view_);
}

// ---------------------------------------------------------------- editing commands

void MainController::deleteLines()
{
    if (document_.lines().selectedCount() == 0)
        return;
    document_.removeSelected();
    document_.commitEdit(document_.state().fileName, Commit::Modified, QStringLiteral("　削除　"), HexView::Keep);
}

void MainController::selectAll()
{
    guarded(label("subete_Click"), [&] {
        if (filter_->isFiltering())
            document_.selection().select(filter_->selectionOf(0, filter_->shownCount() - 1),
                                         QItemSelectionModel::ClearAndSelect);
        else
            document_.selection().selectAll();
        refreshView();
    });
}

void MainController::deselectAll()
{
    guarded(label("mhst_Click"), [&] {
        document_.selection().clearSelection();
        refreshView();
    });
}

void MainController::sortLines()
{
    guarded(label("souto_Click"), [&] {
        document_.replaceLinesAsMade(petari::sortLines(document_.lines().lines()));
        document_.commitEdit(document_.state().fileName, Commit::Modified, QStringLiteral("並べ替え"), HexView::Keep);
    });
}

void MainController::addInput(const QString& text)
{
    guarded(label("Command1_Click"), [&] {
        if (!document_.insertText(text))
            return;
        document_.commitEdit(document_.state().fileName, Commit::Modified, QStringLiteral("　追加　"), HexView::Keep);
    });
}

void MainController::replaceSelection(const QString& text)
{
    guarded(label("Command1_Click"), [&] {
        if (document_.lines().selectedCount() == 0)
            return;
        // The selected lines stay unless the new ones went in.
        if (!document_.insertText(text, true))
            return;
        document_.removeSelected();
        document_.commitEdit(document_.state().fileName, Commit::Modified, QStringLiteral("　書換　"), HexView::Keep);
    });
}

namespace {
class DocumentStampHost : public StampHost {
public:
    explicit DocumentStampHost(Document& d) : d_(d) {}
    DiscardAnswer confirmDiscard() override { return d_.confirmDiscard(); }
    QStringList lines() const override { return d_.lines().toStringList(); }
    void setLines(const QStringList& lines) override { d_.replaceLinesAsMade(lines); }
    void commitEdit(const QString& fileName, Commit change, const QString& operation, HexView view) override
    {
        d_.commitEdit(fileName, change, operation, view);
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
        document_.setSplitPieces({});
        const int row = document_.lines().currentRow();
        if (row >= 0 && row < document_.lines().count()) {
            const QString splitText = settings_.get(settings::splitText);
            const QChar splitChar = splitText.isEmpty() ? QChar() : splitText.at(0);
            document_.setSplitPieces(splitIntoPieces(document_.lines().line(row), mode, splitChar));
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
    bool insertText(const QString& text) override { return d_.insertText(text, true); }
    void removeSelected() override { d_.removeSelected(); }
    void commitEdit(const QString& operationName) override
    {
        d_.commitEdit(d_.state().fileName, Commit::Modified, operationName, HexView::Keep);
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
    const QString where = label("mhelph_Click");
    guarded(where, [&] {
        openHelp(programFolder_, prompt_, this, [where](const Failure& f) { guarded(where, [&] { throw f; }); });
    });
}
void MainController::showVersionInformation()
{
    if (presenter_)
        versionInformationCommand(*presenter_, programFolder_);
}

}  // namespace petari
