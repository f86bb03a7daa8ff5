#include "generators/ui/RandomPage.h"

#include "generators/GeneratorRuns.h"
#include "generators/RandomLines.h"
#include "generators/NumberBoxes.h"
#include "platform/ui/KeyboardAccess.h"
#include "services/Guard.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace petari {

RandomPage::RandomPage(Document& doc, UserPrompt& prompt, int index, QWidget* parent)
    : GeneratorPage(index, parent), doc_(doc), prompt_(prompt)
{
    auto* grid = new QGridLayout(this);
    numbersCheck_ = checkBox(this, QStringLiteral("Check4_4"), "数の範囲");
    stringsCheck_ = checkBox(this, QStringLiteral("Check4_3"), "桁数を指定する");
    connect(stringsCheck_, &QCheckBox::toggled, this, [this](bool on) {
        numbersCheck_->setChecked(!on);
        enableForMode();
    });
    connect(numbersCheck_, &QCheckBox::toggled, this, [this](bool on) {
        stringsCheck_->setChecked(!on);
        enableForMode();
    });

    // Numbers.
    minimumLabel_ = new QLabel(caption("最小数"), this);
    minimumBox_ = watchedBox(0);
    maximumLabel_ = new QLabel(caption("最大数"), this);
    maximumBox_ = watchedBox(1);
    auto* countLabel = new QLabel(caption("表示個数 (行数)"), this);
    countBox_ = watchedBox(2);
    shortestLabel_ = new QLabel(caption("最小"), this);
    shortestBox_ = watchedBox(3);
    longestLabel_ = new QLabel(caption("最大"), this);
    longestBox_ = watchedBox(4);
    grid->addWidget(numbersCheck_, 0, 0, 1, 2);
    grid->addWidget(minimumLabel_, 1, 0);
    grid->addWidget(minimumBox_, 1, 1);
    grid->addWidget(maximumLabel_, 2, 0);
    grid->addWidget(maximumBox_, 2, 1);
    noRepeatsCheck_ = checkBox(this, QStringLiteral("Check4_0"), "同じ数を出さない。");
    sortedCheck_ = checkBox(this, QStringLiteral("Check4_1"), "順に並べて表示する。");
    rightAlignCheck_ = checkBox(this, QStringLiteral("Check4_2"), "右をそろえて表示する。");
    grid->addWidget(noRepeatsCheck_, 3, 0, 1, 2);
    grid->addWidget(sortedCheck_, 4, 0, 1, 2);
    grid->addWidget(rightAlignCheck_, 5, 0, 1, 2);
    grid->addWidget(countLabel, 6, 0);
    grid->addWidget(countBox_, 6, 1);

    // Strings.
    grid->addWidget(stringsCheck_, 0, 2, 1, 3);
    grid->addWidget(shortestLabel_, 1, 2);
    grid->addWidget(shortestBox_, 1, 3);
    grid->addWidget(longestLabel_, 2, 2);
    grid->addWidget(longestBox_, 2, 3);
    nameAfter(minimumLabel_, minimumBox_);
    nameAfter(maximumLabel_, maximumBox_);
    nameAfter(countLabel, countBox_);
    nameAfter(shortestLabel_, shortestBox_);
    nameAfter(longestLabel_, longestBox_);
    grid->addWidget(new QLabel(caption("有効"), this), 3, 3);
    grid->addWidget(new QLabel(caption("無効"), this), 3, 4);
    static const char* const sets[kSets] = {"数字", "英小文字", "英大文字", "記号"};
    for (int set = 0; set < kSets; ++set) {
        setChecks_[set] = checkBox(this, indexed("Check4", 5 + set), sets[set]);
        grid->addWidget(setChecks_[set], 4 + set, 2);
        usedBoxes_[set] = watchedBox(5 + set);
        grid->addWidget(usedBoxes_[set], 4 + set, 3);
        unusedBoxes_[set] = watchedBox(9 + set);
        grid->addWidget(unusedBoxes_[set], 4 + set, 4);
        usedBoxes_[set]->setMinimumWidth(240);
        unusedBoxes_[set]->setMinimumWidth(240);
        // Each box by its row and its column: "数字　有効".
        usedBoxes_[set]->setAccessibleName(caption(sets[set]) + caption("　有効"));
        unusedBoxes_[set]->setAccessibleName(caption(sets[set]) + caption("　無効"));
    }

    auto* buttons = new QHBoxLayout;
    auto* show = button(this, QStringLiteral("Command2_0"), "表示");
    auto* close = button(this, QStringLiteral("Command2_1"), "閉じる");
    auto* tidy = button(this, QStringLiteral("Command2_2"), "修正");
    connect(show, &QPushButton::clicked, this, &RandomPage::showRandomLines);
    connect(close, &QPushButton::clicked, this, &GeneratorPage::closeRequested);
    connect(tidy, &QPushButton::clicked, this, [this] {
        guarded(reportLabel("Command2_Click"), [&] { normaliseCharacterSet(lastFocused_); });
    });
    for (QPushButton* b : {show, close, tidy}) {
        buttons->addWidget(b);
        // A click leaves the focus where it was, so that "修正" knows which
        // box was meant; Tab still reaches the buttons.
        b->setFocusPolicy(Qt::TabFocus);
    }
    grid->addLayout(buttons, 8, 0, 1, 5);

    // The numbers' column, then the strings' column, row by row.
    setReadingOrder({numbersCheck_, minimumBox_, maximumBox_, noRepeatsCheck_, sortedCheck_, rightAlignCheck_,
                     countBox_, stringsCheck_, shortestBox_, longestBox_, setChecks_[0], usedBoxes_[0],
                     unusedBoxes_[0], setChecks_[1], usedBoxes_[1], unusedBoxes_[1], setChecks_[2], usedBoxes_[2],
                     unusedBoxes_[2], setChecks_[3], usedBoxes_[3], unusedBoxes_[3], show, close, tidy});
}

QLineEdit* RandomPage::watchedBox(int i)
{
    QLineEdit* box = lineEdit(this, indexed("Text3", i));
    box->installEventFilter(this);
    return box;
}

void RandomPage::load(PageSettings& s)
{
    // In the order the settings always had: the mode boxes answer each other.
    noRepeatsCheck_->setChecked(s.get(settings::randomNoRepeats));
    sortedCheck_->setChecked(s.get(settings::randomSorted));
    rightAlignCheck_->setChecked(s.get(settings::randomRightAlign));
    stringsCheck_->setChecked(s.get(settings::randomStrings));
    numbersCheck_->setChecked(s.get(settings::randomNumbers));
    for (int set = 0; set < kSets; ++set)
        setChecks_[set]->setChecked(s.get(settings::randomSetsUsed[set]));
    minimumBox_->setText(s.get(settings::randomMinimum));
    maximumBox_->setText(s.get(settings::randomMaximum));
    countBox_->setText(s.get(settings::randomCount));
    shortestBox_->setText(s.get(settings::randomShortest));
    longestBox_->setText(s.get(settings::randomLongest));
    for (int set = 0; set < kSets; ++set)
        usedBoxes_[set]->setText(s.get(settings::randomSetCharacters.at(set), characterSetDefault(set)));
    for (QLineEdit* box : usedBoxes_)
        normaliseCharacterSet(box);
    enableForMode();
}

void RandomPage::store(PageSettings& s) const
{
    s.set(settings::randomNoRepeats, noRepeatsCheck_);
    s.set(settings::randomSorted, sortedCheck_);
    s.set(settings::randomRightAlign, rightAlignCheck_);
    s.set(settings::randomStrings, stringsCheck_);
    s.set(settings::randomNumbers, numbersCheck_);
    for (int set = 0; set < kSets; ++set)
        s.set(settings::randomSetsUsed[set], setChecks_[set]);
    s.set(settings::randomMinimum, minimumBox_->text());
    s.set(settings::randomMaximum, maximumBox_->text());
    s.set(settings::randomCount, countBox_->text());
    s.set(settings::randomShortest, shortestBox_->text());
    s.set(settings::randomLongest, longestBox_->text());
    for (int set = 0; set < kSets; ++set)
        s.set(settings::randomSetCharacters.at(set), usedBoxes_[set]->text());
}

void RandomPage::closing()
{
    if (displays_ > 0)
        commitRandom(doc_);
}

bool RandomPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const auto holds = [watched](const std::array<QLineEdit*, kSets>& boxes) {
            return std::find(boxes.begin(), boxes.end(), watched) != boxes.end();
        };
        const bool ofASet = holds(usedBoxes_) || holds(unusedBoxes_);
        const bool ofANumber = watched == minimumBox_ || watched == maximumBox_ || watched == countBox_ ||
                               watched == shortestBox_ || watched == longestBox_;
        if (event->type() == QEvent::FocusIn && (ofASet || ofANumber)) {
            lastFocused_ = static_cast<QLineEdit*>(watched);
            if (ofANumber)
                QTimer::singleShot(0, lastFocused_, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::FocusOut && ofASet) {
            guarded(reportLabel("Text3_LostFocus"), [&] { normaliseCharacterSet(lastFocused_); });
        }
    }
    return GeneratorPage::eventFilter(watched, event);
}

void RandomPage::enableForMode()
{
    const bool numbers = numbersCheck_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{minimumBox_, minimumLabel_, maximumBox_, maximumLabel_,
                                                      noRepeatsCheck_, sortedCheck_, rightAlignCheck_})
        w->setEnabled(numbers);
    for (QWidget* w : std::initializer_list<QWidget*>{shortestBox_, shortestLabel_, longestBox_, longestLabel_})
        w->setEnabled(!numbers);
    for (QCheckBox* c : setChecks_)
        c->setEnabled(!numbers);
}

void RandomPage::normaliseCharacterSet(QLineEdit* box)
{
    for (int set = 0; set < kSets; ++set) {
        QLineEdit* partner = box == usedBoxes_[set]     ? unusedBoxes_[set]
                             : box == unusedBoxes_[set] ? usedBoxes_[set]
                                                        : nullptr;
        if (!partner)
            continue;
        const CharacterSplit split = splitCharacterSet(set, box->text());
        box->setText(split.present);
        partner->setText(split.absent);
        return;
    }
}

void RandomPage::showRandomLines()
{
    RandomRequest request;
    auto check = [&] {
        request.strings = stringsCheck_->isChecked();
        request.boxes = {boxNumber(minimumBox_->text()), boxNumber(maximumBox_->text()), boxNumber(countBox_->text()),
                         boxNumber(shortestBox_->text()), boxNumber(longestBox_->text())};
        request.noRepeats = noRepeatsCheck_->isChecked();
        request.sorted = sortedCheck_->isChecked();
        request.rightAlign = rightAlignCheck_->isChecked();
        for (int set = 0; set < kSets; ++set)
            if (setChecks_[set]->isChecked())
                request.pool += usedBoxes_[set]->text();
        return randomRequestProblem(request);
    };
    auto make = [&] {
        std::mt19937_64 engine = seededEngine();
        return request.strings ? randomStrings(request, engine) : randomNumbers(request, engine);
    };
    if (runRandom(doc_, prompt_, check, make))
        ++displays_;
}

}  // namespace petari
