#include "generators/ui/CharacterAdditionPage.h"

#include "copy/Invisibles.h"
#include "generators/GeneratorRuns.h"
#include "generators/NumberBoxes.h"
#include "platform/ui/KeyboardAccess.h"
#include "generators/ui/NumberEdit.h"
#include "services/Guard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace petari {

CharacterAdditionPage::CharacterAdditionPage(Document& doc, UserPrompt& prompt, int index, QWidget* parent)
    : GeneratorPage(index, parent), doc_(doc), prompt_(prompt)
{
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < kTexts; ++i) {
        textBoxes_[i] = lineEdit(this, indexed("Text6", i));
        textShown_[i] = new QLabel(this);
        textShown_[i]->setObjectName(indexed("Label3", i));
        QLabel* shown = textShown_[i];
        connect(textBoxes_[i], &QLineEdit::textChanged, this,
                [shown](const QString& t) { shown->setText(spellOutInvisibles(t)); });
    }
    NumberEdit* digits = new NumberEdit(QStringLiteral("Text6_3"), reportLabel("Text6_Change"), this);
    NumberEdit* first = new NumberEdit(QStringLiteral("Text6_4"), reportLabel("Text6_Change"), this);
    NumberEdit* step = new NumberEdit(QStringLiteral("Text6_5"), reportLabel("Text6_Change"), this);
    digitsBox_ = digits;
    firstBox_ = first;
    stepBox_ = step;
    for (QLineEdit* e : {textBoxes_[BeforeNumber], textBoxes_[BeforeLine], textBoxes_[AfterLine], digitsBox_,
                         firstBox_, stepBox_})
        e->installEventFilter(this);
    numberPreview_ = new QLabel(this);
    numberPreview_->setObjectName(QStringLiteral("Label3_3"));

    // The layout reads as the line will: number, text, the line, text.
    static const char* const headings[kTexts] = {"連番の前に付ける文字", "本文の前に付ける文字",
                                                 "本文の後ろに付ける文字"};
    auto textColumn = [&](Text t, int column) {
        auto* label = new QLabel(caption(headings[t]), this);
        nameAfter(label, textBoxes_[t]);
        grid->addWidget(label, 0, column);
        grid->addWidget(textBoxes_[t], 1, column);
        grid->addWidget(textShown_[t], 2, column);
    };
    textColumn(BeforeNumber, 0);
    textColumn(BeforeLine, 1);
    grid->addWidget(new QLabel(caption("本文"), this), 1, 2);
    textColumn(AfterLine, 3);

    numberCheck_ = checkBox(this, QStringLiteral("Check6"), "連番を入れる");
    fixedDigitsCheck_ = checkBox(this, QStringLiteral("Check5_1"), "桁を指定する");
    zeroFillCheck_ = checkBox(this, QStringLiteral("Check5_0"), "０で埋める");
    zeroFillCheck_->setToolTip(caption("指定した桁数に満たない場合０で埋めます。"));
    for (QCheckBox* c : {numberCheck_, zeroFillCheck_, fixedDigitsCheck_})
        connect(c, &QCheckBox::toggled, this, [this] {
            enableNumbering();
            guarded(reportLabel("Check6_Click"), [&] { previewFirstNumber(); });
        });
    grid->addWidget(numberCheck_, 3, 0);
    grid->addWidget(numberPreview_, 3, 1);
    auto* numbers = new QGridLayout;
    auto numberColumn = [&](QLineEdit* box, const char* heading, int column) {
        auto* label = new QLabel(caption(heading), this);
        nameAfter(label, box);
        numbers->addWidget(label, 0, column);
        numbers->addWidget(box, 1, column);
        return label;
    };
    digitsLabel_ = numberColumn(digitsBox_, "桁数", 0);
    firstLabel_ = numberColumn(firstBox_, "開始", 1);
    stepLabel_ = numberColumn(stepBox_, "間隔", 2);
    numbers->addWidget(fixedDigitsCheck_, 2, 0);
    numbers->addWidget(zeroFillCheck_, 2, 1);
    grid->addLayout(numbers, 4, 0, 1, 4);

    auto* where = new QVBoxLayout;
    whichLinesButtons_ = optionGroup(this, "Option5", {"全ての行に追加する。", "選択されている行に追加する。"}, where);
    grid->addLayout(where, 5, 0, 1, 4);

    auto* tab = button(this, QStringLiteral("Command5"), "[Tab]　の入力");
    tab->setToolTip(caption("タブの入力には、このボタンを使用して下さい。"));
    // A click leaves the focus in the box the tab goes into; Tab still
    // reaches the button, which then types into the box left last.
    tab->setFocusPolicy(Qt::TabFocus);
    connect(tab, &QPushButton::clicked, this, &CharacterAdditionPage::insertTab);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(tab);
    buttons->addStretch();
    auto* run = button(this, QStringLiteral("Command4_0"), "実行");
    auto* cancel = button(this, QStringLiteral("Command4_1"), "キャンセル");
    connect(run, &QPushButton::clicked, this, &CharacterAdditionPage::addCharacters);
    connect(cancel, &QPushButton::clicked, this, &GeneratorPage::closeRequested);
    buttons->addWidget(run);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 6, 0, 1, 4);
    setReadingOrder({textBoxes_[BeforeNumber], textBoxes_[BeforeLine], textBoxes_[AfterLine], numberCheck_,
                     digitsBox_, firstBox_, stepBox_, fixedDigitsCheck_, zeroFillCheck_,
                     whichLinesButtons_->button(0), whichLinesButtons_->button(1), tab, run, cancel});

    // Only now that the preview's controls all exist do the number boxes
    // update it.
    for (NumberEdit* e : {digits, first, step})
        e->check = [this] { previewFirstNumber(); };
}

void CharacterAdditionPage::load(PageSettings& s)
{
    checkStored(whichLinesButtons_, s.get(settings::additionLines), settings::additionLines.byDefault);
    numberCheck_->setChecked(s.get(settings::additionNumbered));
    zeroFillCheck_->setChecked(s.get(settings::additionZeroFill));
    fixedDigitsCheck_->setChecked(s.get(settings::additionFixedDigits));
    textBoxes_[BeforeNumber]->setText(s.get(settings::additionBeforeNumber));
    textBoxes_[BeforeLine]->setText(s.get(settings::additionBeforeLine));
    textBoxes_[AfterLine]->setText(s.get(settings::additionAfterLine));
    digitsBox_->setText(s.get(settings::additionDigits));
    firstBox_->setText(s.get(settings::additionFirst));
    stepBox_->setText(s.get(settings::additionStep));
    enableNumbering();
    previewFirstNumber();
}

void CharacterAdditionPage::store(PageSettings& s) const
{
    s.set(settings::additionLines, whichLinesButtons_->checkedId());
    s.set(settings::additionBeforeNumber, textBoxes_[BeforeNumber]->text());
    s.set(settings::additionBeforeLine, textBoxes_[BeforeLine]->text());
    s.set(settings::additionAfterLine, textBoxes_[AfterLine]->text());
    s.set(settings::additionDigits, digitsBox_->text());
    s.set(settings::additionFirst, firstBox_->text());
    s.set(settings::additionStep, stepBox_->text());
    s.set(settings::additionNumbered, numberCheck_);
    s.set(settings::additionZeroFill, zeroFillCheck_);
    s.set(settings::additionFixedDigits, fixedDigitsCheck_);
}

bool CharacterAdditionPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        for (QLineEdit* e : {textBoxes_[BeforeNumber], textBoxes_[BeforeLine], textBoxes_[AfterLine], digitsBox_,
                             firstBox_, stepBox_})
            if (watched == e)
                lastFocused_ = e;
    }
    return GeneratorPage::eventFilter(watched, event);
}

void CharacterAdditionPage::enableNumbering()
{
    const bool number = numberCheck_->isChecked();
    const bool digits = number && fixedDigitsCheck_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{firstBox_, stepBox_, fixedDigitsCheck_, firstLabel_, stepLabel_})
        w->setEnabled(number);
    for (QWidget* w : std::initializer_list<QWidget*>{digitsBox_, zeroFillCheck_, digitsLabel_})
        w->setEnabled(digits);
}

CharacterAddition CharacterAdditionPage::addition() const
{
    CharacterAddition a;
    a.beforeNumber = textBoxes_[BeforeNumber]->text();
    a.beforeLine = textBoxes_[BeforeLine]->text();
    a.afterLine = textBoxes_[AfterLine]->text();
    a.number = numberCheck_->isChecked();
    a.fixedDigits = fixedDigitsCheck_->isChecked();
    a.zeroFill = zeroFillCheck_->isChecked();
    a.digits = boxDigits(digitsBox_->text());
    a.first = boxMagnitude(firstBox_->text());
    a.step = boxMagnitude(stepBox_->text());
    a.selectedOnly = whichLinesButtons_->checkedId() == 1;
    return a;
}

void CharacterAdditionPage::previewFirstNumber() { numberPreview_->setText(firstNumberPreview(addition())); }

void CharacterAdditionPage::insertTab()
{
    if (std::find(textBoxes_.begin(), textBoxes_.end(), lastFocused_) == textBoxes_.end())
        return;
    lastFocused_->insert(QStringLiteral("\t"));
    lastFocused_->setFocus();
}

void CharacterAdditionPage::addCharacters()
{
    if (runCharacterAddition(doc_, prompt_, [this] { return addition(); }))
        emit finished();
}

}  // namespace petari
