#pragma once
// The generator window: one modal window with five pages, of which the
// opening command shows one — 0 templates, 1 random numbers and strings,
// 2 character addition, 3 empty lines, 4 the favourites editor.  Its
// controls keep the names the settings and tests address them by; what the
// pages make is done by the generators' logic, the window only binds it.
// Each page reads its keys of settings section "F2" when the window opens
// and writes them back when it closes.

#include "editing/Document.h"
#include "platform/ui/WindowPlace.h"
#include "generators/FavouritesEditor.h"
#include "generators/Templates.h"

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace petari {

class Favourites;
class UserPrompt;

class GeneratorWindow : public QDialog {
    Q_OBJECT
public:
    enum Page { TemplatePage = 0, RandomPage = 1, CharacterPage = 2, EmptyLinePage = 3, FavouritesPage = 4 };

    GeneratorWindow(Document& doc, UserPrompt& prompt, Favourites& favourites, int page,
          QWidget* parent = nullptr);
    ~GeneratorWindow() override;

    int page() const { return page_; }
    // Presses of "表示" that replaced the list since the window opened.
    int randomRuns() const { return randomRuns_; }

    void done(int r) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTemplatePage(QWidget* panel);
    void buildRandomPage(QWidget* panel);
    void buildCharacterPage(QWidget* panel);
    void buildEmptyLinePage(QWidget* panel);
    void buildFavouritesPage(QWidget* panel);

    void load();
    void unload();
    void restorePosition();

    // Template page.
    void showKind(int kind);
    void templateOk();
    QStringList makeTemplate(int kind);
    void fillLineUpCombo(const QString& remember);

    // Random page.
    void enableRandomMode();
    void normaliseCharacterSet(int box);
    void showRandom();

    // Character addition page.
    void enableNumbering();
    void previewFirstNumber();
    void insertTab();
    void addCharacters();

    // Empty line page.
    void previewEmptyLines();
    void insertEmptyLines();

    // Favourites page.
    void listFavourites(int select);
    void enableFavouriteButtons();
    void favouritesButton(int index);

    Document& doc_;
    UserPrompt& prompt_;
    Favourites& favourites_;
    int page_;
    bool unloaded_ = false;
    WindowPlace place_;
    std::optional<TopmostLift> lift_;

    // Template page.
    std::array<QRadioButton*, 7> option1_{};
    std::array<QGroupBox*, 7> frame1_{};
    int kind_ = 0;
    QCheckBox* check8_ = nullptr;
    QCheckBox* check3_ = nullptr;
    std::array<QLineEdit*, 4> text2_{};
    std::array<QCheckBox*, 2> check1_{};
    std::array<QLineEdit*, 2> text1_{};
    std::array<QLabel*, 2> text1Shown_{};
    QLineEdit* text4_ = nullptr;
    std::array<QCheckBox*, 2> check2_{};
    QComboBox* combo3_ = nullptr;
    QButtonGroup* option6_ = nullptr;
    QButtonGroup* option3_ = nullptr;
    QButtonGroup* option4_ = nullptr;
    QComboBox* combo1_ = nullptr;
    std::array<QLineEdit*, 3> text8_{};   // 1 and 2 are used
    QLabel* label9_ = nullptr;
    QLineEdit* text5_ = nullptr;
    QButtonGroup* option7_ = nullptr;
    LineUpHistory history_;

    // Random page.
    std::array<QCheckBox*, 9> check4_{};
    std::array<QLineEdit*, 13> text3_{};
    std::array<QLabel*, 5> text3Labels_{};
    int lastText3_ = -1;
    int randomRuns_ = 0;

    // Character addition page.
    std::array<QLineEdit*, 6> text6_{};
    std::array<QLabel*, 4> label3_{};
    std::array<QLabel*, 3> numberLabels_{};   // "桁数", "開始", "間隔"
    QCheckBox* check6_ = nullptr;
    std::array<QCheckBox*, 2> check5_{};
    QButtonGroup* option5_ = nullptr;
    int lastText6_ = -1;

    // Empty line page.
    QButtonGroup* option2_ = nullptr;
    QLineEdit* text7_ = nullptr;
    std::array<QLabel*, 2> label8_{};

    // Favourites page.
    QListWidget* list1_ = nullptr;
    std::array<QPushButton*, 5> command7_{};
    std::unique_ptr<FavouritesEditor> favouritesEditor_;
};

}  // namespace petari
