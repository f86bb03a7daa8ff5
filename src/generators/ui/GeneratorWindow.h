#pragma once
// The generator window: one modal window with five pages, of which the
// opening command shows one — 0 templates, 1 random numbers and strings,
// 2 character addition, 3 empty lines, 4 the favourites editor.  The window
// is the frame: it builds the chosen page, keeps its place, and has the page
// read its keys of settings section "F2" when it opens and write them back
// when it closes.  What each page does is the page's own (TemplatePage,
// RandomPage, CharacterAdditionPage, EmptyLinePage, FavouritesEditorPage).

#include "editing/Document.h"
#include "platform/ui/WindowPlace.h"

#include <QDialog>
#include <optional>

namespace petari {

class Favourites;
class GeneratorPage;
class UserPrompt;

class GeneratorWindow : public QDialog {
    Q_OBJECT
public:
    enum Page { TemplatePage = 0, RandomPage = 1, CharacterPage = 2, EmptyLinePage = 3, FavouritesPage = 4 };

    GeneratorWindow(Document& doc, UserPrompt& prompt, Favourites& favourites, int page,
          QWidget* parent = nullptr);
    ~GeneratorWindow() override;

    int page() const { return pageIndex_; }
    // Presses of "表示" that replaced the list since the window opened.
    int randomRuns() const;

    void done(int r) override;

private:
    void load();
    void unload();

    Document& doc_;
    int pageIndex_;
    GeneratorPage* page_ = nullptr;
    bool unloaded_ = false;
    WindowPlace place_;
    std::optional<TopmostLift> lift_;
};

}  // namespace petari
