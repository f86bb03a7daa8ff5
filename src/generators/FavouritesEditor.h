#pragma once
// The favourites editor's working copy: the filled favourites in order,
// deleted and moved by row, written back to the main window's favourites
// only when the user confirms.

#include <QStringList>

namespace petari {

class Favourites;

class FavouritesEditor {
public:
    explicit FavouritesEditor(const Favourites& favourites);

    const QStringList& rows() const { return rows_; }

    // What the buttons may do with row s selected (-1 for none).
    bool canRemove(int s) const { return s >= 0 && s < rows_.size(); }
    bool canMoveUp(int s) const { return s > 0 && s < rows_.size(); }
    bool canMoveDown(int s) const { return s >= 0 && s < rows_.size() - 1; }

    // Each returns the row to select afterwards (-1 for none); a row the
    // button may not act on changes nothing.
    int remove(int s);
    int moveUp(int s);
    int moveDown(int s);

    // Slots 1 to rows().size() receive the rows in order, the others "".
    void applyTo(Favourites& favourites) const;

private:
    QStringList rows_;
};

}  // namespace petari
