#include "generators/FavouritesEditor.h"

#include "editing/Favourites.h"

namespace petari {

FavouritesEditor::FavouritesEditor(const Favourites& favourites)
{
    // Filled slots stand before empty ones; should a stored list have a gap,
    // the rows close it, so that a row always names the entry it shows.
    for (int k = 1; k <= Favourites::kSlots; ++k)
        if (!favourites.slot(k).isEmpty())
            rows_ << favourites.slot(k);
}

int FavouritesEditor::remove(int s)
{
    if (!canRemove(s))
        return -1;
    rows_.removeAt(s);
    return -1;
}

int FavouritesEditor::moveUp(int s)
{
    if (!canMoveUp(s))
        return s;
    rows_.swapItemsAt(s, s - 1);
    return s - 1;
}

int FavouritesEditor::moveDown(int s)
{
    if (!canMoveDown(s))
        return s;
    rows_.swapItemsAt(s, s + 1);
    return s + 1;
}

void FavouritesEditor::applyTo(Favourites& favourites) const
{
    for (int k = 1; k <= Favourites::kSlots; ++k)
        favourites.setSlot(k, k <= rows_.size() ? rows_[k - 1] : QString());
}

}  // namespace petari
