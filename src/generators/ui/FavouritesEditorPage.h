#pragma once
// The favourites editor page of the generator window ("お気に入りの編集"):
// favourites deleted and moved on a working copy, which "ＯＫ" hands back to
// the main window's favourites and "キャンセル" throws away.

#include "generators/FavouritesEditor.h"
#include "generators/ui/GeneratorPage.h"

#include <memory>

class QListWidget;
class QPushButton;

namespace petari {

class Favourites;

class FavouritesEditorPage : public GeneratorPage {
    Q_OBJECT
public:
    FavouritesEditorPage(Favourites& favourites, int index, QWidget* parent);
    ~FavouritesEditorPage() override;

    // Takes the working copy of the favourites; the page keeps no settings.
    void load(PageSettings& settings) override;
    void store(PageSettings& settings) const override;

    // The buttons: "ＯＫ", "削除", "上へ移動", "下へ移動".
    void confirm();
    void removeSelected();
    void moveSelectedUp();
    void moveSelectedDown();

private:
    int selectedRow() const;
    // The rows anew, with `select` selected (-1 for none).
    void showRows(int select);
    void enableButtons();

    Favourites& favourites_;
    std::unique_ptr<FavouritesEditor> editor_;
    QListWidget* list_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* upButton_ = nullptr;
    QPushButton* downButton_ = nullptr;
};

}  // namespace petari
