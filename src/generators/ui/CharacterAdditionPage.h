#pragma once
// The character addition page of the generator window ("文字の追加"): texts
// put before and after every line, or every selected line, with an optional
// running number in front.

#include "generators/LineEdits.h"
#include "generators/ui/GeneratorPage.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;

namespace petari {

class Document;
class UserPrompt;

class CharacterAdditionPage : public GeneratorPage {
    Q_OBJECT
public:
    CharacterAdditionPage(Document& doc, UserPrompt& prompt, int index, QWidget* parent);

    void load(PageSettings& settings) override;
    void store(PageSettings& settings) const override;

    // "[Tab]　の入力": a tab into the text box that had the focus last.
    void insertTab();
    // "実行".
    void addCharacters();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The number's boxes are usable only with "連番を入れる", the digit count
    // only with "桁を指定する" too.
    void enableNumbering();
    // The first number, as it will be written, beside the boxes.
    void previewFirstNumber();
    // What the controls ask for; throws for a number box out of range.
    CharacterAddition addition() const;

    Document& doc_;
    UserPrompt& prompt_;

    // The texts added around each line, in the order they stand in it; each
    // with its invisibles spelt out under it.
    enum Text { BeforeNumber = 0, BeforeLine, AfterLine };
    static constexpr int kTexts = 3;
    std::array<QLineEdit*, kTexts> textBoxes_{};
    std::array<QLabel*, kTexts> textShown_{};

    QCheckBox* numberCheck_ = nullptr;        // "連番を入れる"
    QCheckBox* fixedDigitsCheck_ = nullptr;   // "桁を指定する"
    QCheckBox* zeroFillCheck_ = nullptr;      // "０で埋める"
    QLineEdit* digitsBox_ = nullptr;
    QLineEdit* firstBox_ = nullptr;
    QLineEdit* stepBox_ = nullptr;
    QLabel* digitsLabel_ = nullptr;
    QLabel* firstLabel_ = nullptr;
    QLabel* stepLabel_ = nullptr;
    QLabel* numberPreview_ = nullptr;
    QButtonGroup* whichLinesButtons_ = nullptr;   // all lines, or the selected ones

    // Any of the six boxes; "[Tab]　の入力" acts on the three text boxes.
    QLineEdit* lastFocused_ = nullptr;
};

}  // namespace petari
