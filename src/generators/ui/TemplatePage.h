#pragma once
// The template page of the generator window ("雛形"): one of seven kinds of
// series, each with its own frame of options, made into the document on
// "OK" — replacing the list or added at the selection.

#include "generators/Templates.h"
#include "generators/ui/GeneratorPage.h"

#include <QStringList>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace petari {

class Document;
class UserPrompt;

class TemplatePage : public GeneratorPage {
    Q_OBJECT
public:
    // The kinds in the order of their buttons, as the setting "a1" keeps them.
    enum Kind { Numbering = 0, MonthDays, Times, Alphabet, Kana, LineUp, Ruler };
    static constexpr int kKinds = 7;

    TemplatePage(Document& doc, UserPrompt& prompt, int index, QWidget* parent);

    void load(PageSettings& settings) override;
    void store(PageSettings& settings) const override;

    // Shows the kind's frame and remembers the kind.
    void chooseKind(Kind kind);
    // "OK": the chosen kind's lines into the document, then the window closes.
    void makeTemplate();
    // "追加になった文字を消す。": forgets the line-up strings the user added.
    void clearHistory();

private:
    void buildNumberingFrame(QGroupBox* frame);
    void buildMonthDayFrame(QGroupBox* frame);
    void buildLineUpFrame(QGroupBox* frame);
    void buildRulerFrame(QGroupBox* frame);

    QStringList templateLines(Kind kind) const;
    // Puts a new line-up string first in the history and fills the combo
    // with the history and the marks.
    void rememberLineUp(const QString& text);

    Document& doc_;
    UserPrompt& prompt_;
    Kind kind_ = Numbering;
    std::array<QRadioButton*, kKinds> kindButtons_{};
    std::array<QGroupBox*, kKinds> kindFrames_{};
    QCheckBox* addToCurrentCheck_ = nullptr;   // "今のデータに追加する。"
    QCheckBox* tocBlanksCheck_ = nullptr;      // "目次用空行を入れる。"

    // "数字の連番".
    QLineEdit* startBox_ = nullptr;
    QLineEdit* endBox_ = nullptr;
    QLineEdit* stepBox_ = nullptr;
    QLineEdit* digitsBox_ = nullptr;
    QCheckBox* fixedDigitsCheck_ = nullptr;   // "桁を指定"
    QCheckBox* zeroFillCheck_ = nullptr;      // "０で埋める"
    QLineEdit* beforeBox_ = nullptr;          // "前に付ける文字"
    QLineEdit* afterBox_ = nullptr;           // "後ろに付ける文字"
    QLabel* beforeShown_ = nullptr;           // the texts with their invisibles spelt out
    QLabel* afterShown_ = nullptr;

    // "月日".
    QLineEdit* yearBox_ = nullptr;
    QCheckBox* weekdayCheck_ = nullptr;
    QCheckBox* holidayCheck_ = nullptr;

    // "時間".
    QComboBox* intervalCombo_ = nullptr;
    QButtonGroup* timeFormatButtons_ = nullptr;

    // "A～Z" and "あ～ん".
    QButtonGroup* alphabetButtons_ = nullptr;
    QButtonGroup* kanaButtons_ = nullptr;

    // "文字を並べる".
    QComboBox* lineUpCombo_ = nullptr;
    QLabel* lineUpShown_ = nullptr;
    QLineEdit* acrossBox_ = nullptr;   // "横"
    QLineEdit* downBox_ = nullptr;     // "×　縦"
    LineUpHistory history_;

    // "桁数の確認用".
    QLineEdit* rulerLengthBox_ = nullptr;
    QButtonGroup* rulerWidthButtons_ = nullptr;   // "半角", "全角"
};

}  // namespace petari
