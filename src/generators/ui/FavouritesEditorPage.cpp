#include "generators/ui/FavouritesEditorPage.h"

#include "platform/ui/KeyboardAccess.h"
#include "services/Guard.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

namespace petari {

FavouritesEditorPage::FavouritesEditorPage(Favourites& favourites, int index, QWidget* parent)
    : GeneratorPage(index, parent), favourites_(favourites)
{
    auto* grid = new QGridLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumSize(420, 200);
    list_->setAccessibleName(caption("お気に入り"));
    connect(list_, &QListWidget::currentRowChanged, this, [this] { enableButtons(); });
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] { enableButtons(); });
    grid->addWidget(list_, 0, 0, 5, 1);

    // Deleting and moving stand above "ＯＫ" and "キャンセル".
    auto* ok = button(this, QStringLiteral("Command7_0"), "ＯＫ");
    auto* cancel = button(this, QStringLiteral("Command7_1"), "キャンセル");
    removeButton_ = button(this, QStringLiteral("Command7_2"), "削除");
    upButton_ = button(this, QStringLiteral("Command7_3"), "上へ移動");
    downButton_ = button(this, QStringLiteral("Command7_4"), "下へ移動");
    connect(ok, &QPushButton::clicked, this, &FavouritesEditorPage::confirm);
    connect(cancel, &QPushButton::clicked, this, &GeneratorPage::closeRequested);
    connect(removeButton_, &QPushButton::clicked, this, &FavouritesEditorPage::removeSelected);
    connect(upButton_, &QPushButton::clicked, this, &FavouritesEditorPage::moveSelectedUp);
    connect(downButton_, &QPushButton::clicked, this, &FavouritesEditorPage::moveSelectedDown);
    grid->addWidget(removeButton_, 0, 1);
    grid->addWidget(upButton_, 1, 1);
    grid->addWidget(downButton_, 2, 1);
    grid->addWidget(ok, 3, 1);
    grid->addWidget(cancel, 4, 1);
    setReadingOrder({list_, removeButton_, upButton_, downButton_, ok, cancel});
}

FavouritesEditorPage::~FavouritesEditorPage() = default;

void FavouritesEditorPage::load(PageSettings&)
{
    editor_ = std::make_unique<FavouritesEditor>(favourites_);
    showRows(-1);
}

void FavouritesEditorPage::store(PageSettings&) const
{
    // The favourites are the main window's to keep.
}

int FavouritesEditorPage::selectedRow() const
{
    return list_->selectedItems().isEmpty() ? -1 : list_->currentRow();
}

void FavouritesEditorPage::showRows(int select)
{
    list_->clear();
    list_->addItems(editor_->rows());
    if (select >= 0)
        list_->setCurrentRow(select);
    enableButtons();
}

void FavouritesEditorPage::enableButtons()
{
    if (!editor_)
        return;   // not yet loaded, or being torn down
    const int s = selectedRow();
    removeButton_->setEnabled(editor_->canRemove(s));
    upButton_->setEnabled(editor_->canMoveUp(s));
    downButton_->setEnabled(editor_->canMoveDown(s));
}

void FavouritesEditorPage::confirm()
{
    guarded(reportLabel("Command7_Click"), [&] {
        editor_->applyTo(favourites_);
        emit finished();
    });
}

void FavouritesEditorPage::removeSelected()
{
    guarded(reportLabel("Command7_Click"), [&] { showRows(editor_->remove(selectedRow())); });
}

void FavouritesEditorPage::moveSelectedUp()
{
    guarded(reportLabel("Command7_Click"), [&] { showRows(editor_->moveUp(selectedRow())); });
}

void FavouritesEditorPage::moveSelectedDown()
{
    guarded(reportLabel("Command7_Click"), [&] { showRows(editor_->moveDown(selectedRow())); });
}

}  // namespace petari
