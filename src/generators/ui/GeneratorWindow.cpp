#include "generators/ui/GeneratorWindow.h"

#include "generators/ui/CharacterAdditionPage.h"
#include "generators/ui/EmptyLinePage.h"
#include "generators/ui/FavouritesEditorPage.h"
#include "generators/ui/NumberEdit.h"
#include "generators/ui/RandomPage.h"
#include "generators/ui/TemplatePage.h"
#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "services/Guard.h"

#include <QVBoxLayout>

namespace petari {

namespace {


QString reportLabel(const char* procedure) { return QStringLiteral("F2 ") + QLatin1String(procedure); }

// Only the opening command's page is built and shown.
GeneratorPage* makePage(int index, Document& doc, UserPrompt& prompt, Favourites& favourites, QWidget* window)
{
    switch (index) {
    case GeneratorWindow::TemplatePage: return new TemplatePage(doc, prompt, index, window);
    case GeneratorWindow::RandomPage: return new RandomPage(doc, prompt, index, window);
    case GeneratorWindow::CharacterPage: return new CharacterAdditionPage(doc, prompt, index, window);
    case GeneratorWindow::EmptyLinePage: return new EmptyLinePage(doc, prompt, index, window);
    default: return new FavouritesEditorPage(favourites, index, window);
    }
}

}  // namespace

GeneratorWindow::GeneratorWindow(Document& doc, UserPrompt& prompt, Favourites& favourites, int page, QWidget* parent)
    : QDialog(parent), doc_(doc), pageIndex_(page >= TemplatePage && page <= FavouritesPage ? page : TemplatePage)
{
    setObjectName(QStringLiteral("Form2"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    static const char* const captions[] = {"雛形", "乱数", "文字の追加", "空行の追加", "お気に入りの編集"};
    setWindowTitle(QString::fromUtf8(captions[pageIndex_]));
    page_ = makePage(pageIndex_, doc_, prompt, favourites, this);
    layout->addWidget(page_);
    connect(page_, &GeneratorPage::finished, this, &QDialog::accept);
    connect(page_, &GeneratorPage::closeRequested, this, &QDialog::reject);
    lift_.emplace(doc_);
    guarded(reportLabel("Form_Load"), [&] {
        place_.restore(*this, doc_.settings(), settings::generatorWindowArea);
        load();
    });
}

GeneratorWindow::~GeneratorWindow()
{
    if (!unloaded_)
        unload();
}

int GeneratorWindow::randomRuns() const
{
    // Qualified: inside the window, RandomPage alone names the page's number.
    const auto* random = qobject_cast<const petari::RandomPage*>(page_);
    return random ? random->displays() : 0;
}

void GeneratorWindow::done(int r)
{
    // However the window ends (a button, the close box, Esc) its page's
    // settings are written, once.
    if (!unloaded_)
        unload();
    QDialog::done(r);
}

void GeneratorWindow::load()
{
    PageSettings settings(doc_.settings());
    page_->load(settings);
    NumberEdit::rememberAll(*this);
}

void GeneratorWindow::unload()
{
    unloaded_ = true;
    guarded(reportLabel("Form_Unload"), [&] {
        page_->closing();
        SettingsStore& s = doc_.settings();
        place_.store(*this, s, settings::generatorWindowArea);
        PageSettings settings(s);
        page_->store(settings);
    });
    lift_.reset();
}

}  // namespace petari
