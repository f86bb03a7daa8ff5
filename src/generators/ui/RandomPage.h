#pragma once
// The random page of the generator window ("乱数"): random whole numbers
// from a range, or random strings from chosen character sets, replacing the
// list at each "表示" while the page stays open.  Each character set has a
// pair of boxes, the characters in use ("有効") and those left out ("無効").

#include "generators/ui/GeneratorPage.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace petari {

class Document;
class UserPrompt;

class RandomPage : public GeneratorPage {
    Q_OBJECT
public:
    RandomPage(Document& doc, UserPrompt& prompt, int index, QWidget* parent);

    void load(PageSettings& settings) override;
    void store(PageSettings& settings) const override;
    // After a display the list is committed when the window closes.
    void closing() override;

    // Presses of "表示" that replaced the list.
    int displays() const { return displays_; }

    // "表示".
    void showRandomLines();
    // A box of a character set in order, its partner holding the rest of
    // the set; any other box is left alone.
    void normaliseCharacterSet(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Numbers or strings: the controls of the other mode are disabled.
    void enableForMode();
    // Box "Text3_<i>", whose focus the page follows.
    QLineEdit* watchedBox(int i);

    Document& doc_;
    UserPrompt& prompt_;
    int displays_ = 0;

    QCheckBox* numbersCheck_ = nullptr;   // "数の範囲"
    QCheckBox* stringsCheck_ = nullptr;   // "桁数を指定する"; always the opposite

    // Numbers.
    QLineEdit* minimumBox_ = nullptr;
    QLineEdit* maximumBox_ = nullptr;
    QLabel* minimumLabel_ = nullptr;
    QLabel* maximumLabel_ = nullptr;
    QCheckBox* noRepeatsCheck_ = nullptr;    // "同じ数を出さない。"
    QCheckBox* sortedCheck_ = nullptr;       // "順に並べて表示する。"
    QCheckBox* rightAlignCheck_ = nullptr;   // "右をそろえて表示する。"
    // Both.
    QLineEdit* countBox_ = nullptr;          // "表示個数 (行数)"
    // Strings: their shortest and longest length.
    QLineEdit* shortestBox_ = nullptr;
    QLineEdit* longestBox_ = nullptr;
    QLabel* shortestLabel_ = nullptr;
    QLabel* longestLabel_ = nullptr;

    // The character sets: 0 digits, 1 lower case, 2 upper case, 3 symbols.
    static constexpr int kSets = 4;
    std::array<QCheckBox*, kSets> setChecks_{};
    std::array<QLineEdit*, kSets> usedBoxes_{};
    std::array<QLineEdit*, kSets> unusedBoxes_{};

    // Where "修正" and leaving a set's box act.
    QLineEdit* lastFocused_ = nullptr;
};

}  // namespace petari
