#include "generators/ui/TemplatePage.h"

#include "copy/Invisibles.h"
#include "generators/DateSeries.h"
#include "generators/GeneratorRuns.h"
#include "generators/NumberBoxes.h"
#include "generators/ui/NumberEdit.h"
#include "platform/ui/KeyboardAccess.h"
#include "services/Guard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace petari {

TemplatePage::TemplatePage(Document& doc, UserPrompt& prompt, int index, QWidget* parent)
    : GeneratorPage(index, parent), doc_(doc), prompt_(prompt)
{
    auto* grid = new QGridLayout(this);
    auto* kinds = new QVBoxLayout;
    static const char* const kindCaptions[kKinds] = {"数字の連番", "月日", "時間", "A～Z", "あ～ん", "文字を並べる",
                                                     "桁数の確認用"};
    static const char* const frameCaptions[kKinds] = {"連番の書式設定", "月日の書式設定", "時間の書式設定", "英文字の設定",
                                                      "かなの設定", "文字を並べる", ":桁数確認用"};
    auto* frames = new QVBoxLayout;
    for (int k = 0; k < kKinds; ++k) {
        kindButtons_[k] = new QRadioButton(caption(kindCaptions[k]), this);
        kindButtons_[k]->setObjectName(indexed("Option1", k));
        // On the state, so a key or an accessibility action chooses the
        // kind as a click does; chooseKind's own setChecked comes back here
        // for a button already checked and changes nothing.
        connect(kindButtons_[k], &QRadioButton::toggled, this, [this, k](bool on) {
            if (on)
                chooseKind(Kind(k));
        });
        kinds->addWidget(kindButtons_[k]);
        kindFrames_[k] = new QGroupBox(caption(frameCaptions[k]), this);
        kindFrames_[k]->setObjectName(indexed("Frame1", k));
        kindFrames_[k]->hide();
        frames->addWidget(kindFrames_[k]);
    }
    kinds->addStretch();
    grid->addLayout(kinds, 0, 0);
    grid->addLayout(frames, 0, 1);

    buildNumberingFrame(kindFrames_[Numbering]);
    buildMonthDayFrame(kindFrames_[MonthDays]);
    {
        QGroupBox* frame = kindFrames_[Times];
        auto* g = new QVBoxLayout(frame);
        intervalCombo_ = new QComboBox(frame);
        intervalCombo_->setObjectName(QStringLiteral("Combo3"));
        nameControl(intervalCombo_, caption("間隔"));
        g->addWidget(intervalCombo_);
        timeFormatButtons_ = optionGroup(frame, "Option6", {"12:00", "12時 00分", "PM 12時 00分", "午後 12時 00分"}, g);
    }
    alphabetButtons_ = optionGroup(kindFrames_[Alphabet], "Option3",
                                   {"半角　大文字", "半角　小文字", "全角　大文字", "全角小文字"},
                                   new QVBoxLayout(kindFrames_[Alphabet]));
    kanaButtons_ = optionGroup(kindFrames_[Kana], "Option4", {"半角　カタカナ", "全角　ひらがな", "全角　カタカナ"},
                               new QVBoxLayout(kindFrames_[Kana]));
    buildLineUpFrame(kindFrames_[LineUp]);
    buildRulerFrame(kindFrames_[Ruler]);

    addToCurrentCheck_ = checkBox(this, QStringLiteral("Check8"), "今のデータに追加する。");
    tocBlanksCheck_ = checkBox(this, QStringLiteral("Check3"), "目次用空行を入れる。");
    grid->addWidget(addToCurrentCheck_, 1, 0, 1, 2);
    grid->addWidget(tocBlanksCheck_, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    auto* ok = button(this, QStringLiteral("Command1_0"), "OK");
    auto* cancel = button(this, QStringLiteral("Command1_1"), "キャンセル");
    connect(ok, &QPushButton::clicked, this, &TemplatePage::makeTemplate);
    connect(cancel, &QPushButton::clicked, this, &GeneratorPage::closeRequested);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
}

void TemplatePage::buildNumberingFrame(QGroupBox* frame)
{
    auto* g = new QGridLayout(frame);
    // Start, end and step side by side, the digit count under the start.
    auto numberBox = [&](int i, const char* heading, int row, int column) {
        auto* e = new NumberEdit(indexed("Text2", i), reportLabel("Text2_Change"), frame);
        auto* label = new QLabel(caption(heading), frame);
        nameAfter(label, e);
        g->addWidget(label, row, column);
        g->addWidget(e, row + 1, column);
        return e;
    };
    NumberEdit* start = numberBox(0, "開始", 0, 0);
    start->check = [start] { boxNumber(start->text()); };
    NumberEdit* end = numberBox(1, "終了", 0, 1);
    end->check = [end] { boxNumber(end->text()); };
    NumberEdit* step = numberBox(2, "間隔", 0, 2);
    step->check = [step] {
        if (boxNumber(step->text()) == 0)
            step->setText(QStringLiteral("1"));
    };
    NumberEdit* digits = numberBox(3, "桁数", 2, 0);
    digits->check = [digits] { boxDigits(digits->text()); };
    startBox_ = start;
    endBox_ = end;
    stepBox_ = step;
    digitsBox_ = digits;

    fixedDigitsCheck_ = checkBox(frame, QStringLiteral("Check1_1"), "桁を指定");
    zeroFillCheck_ = checkBox(frame, QStringLiteral("Check1_0"), "０で埋める");
    connect(fixedDigitsCheck_, &QCheckBox::toggled, this, [this](bool on) {
        zeroFillCheck_->setEnabled(on);
        digitsBox_->setEnabled(on);
    });
    g->addWidget(fixedDigitsCheck_, 3, 1);
    g->addWidget(zeroFillCheck_, 3, 2);

    // The texts around the number, each with its invisibles spelt out beside it.
    auto wrapBox = [&](int i, const char* heading, QLabel*& shown) {
        QLineEdit* box = lineEdit(frame, indexed("Text1", i));
        shown = new QLabel(frame);
        shown->setObjectName(indexed("Label1", i));
        QLabel* label = shown;
        connect(box, &QLineEdit::textChanged, this, [label](const QString& t) { label->setText(spellOutInvisibles(t)); });
        auto* headingLabel = new QLabel(caption(heading), frame);
        nameAfter(headingLabel, box);
        g->addWidget(headingLabel, 4 + 2 * i, 0);
        g->addWidget(box, 5 + 2 * i, 0);
        g->addWidget(shown, 5 + 2 * i, 1, 1, 2);
        return box;
    };
    beforeBox_ = wrapBox(0, "前に付ける文字", beforeShown_);
    afterBox_ = wrapBox(1, "後ろに付ける文字", afterShown_);
}

void TemplatePage::buildMonthDayFrame(QGroupBox* frame)
{
    auto* g = new QVBoxLayout(frame);
    auto* yearLabel = new QLabel(caption("西暦年を入力"), frame);
    g->addWidget(yearLabel);
    auto* year = new NumberEdit(QStringLiteral("Text4"), reportLabel("Text4_Change"), frame);
    nameAfter(yearLabel, year);
    year->check = [year] { monthDayYear(year->text()); };
    yearBox_ = year;
    g->addWidget(year);
    weekdayCheck_ = checkBox(frame, QStringLiteral("Check2_0"), "曜日を表示する。");
    holidayCheck_ = checkBox(frame, QStringLiteral("Check2_1"), "祝祭日を表示する。");
    g->addWidget(weekdayCheck_);
    g->addWidget(holidayCheck_);
}

void TemplatePage::buildLineUpFrame(QGroupBox* frame)
{
    auto* g = new QGridLayout(frame);
    lineUpCombo_ = new QComboBox(frame);
    lineUpCombo_->setObjectName(QStringLiteral("Combo1"));
    lineUpCombo_->setEditable(true);
    lineUpCombo_->setInsertPolicy(QComboBox::NoInsert);
    nameControl(lineUpCombo_, caption("並べる文字"));
    lineUpShown_ = new QLabel(frame);
    lineUpShown_->setObjectName(QStringLiteral("Label9_4"));
    connect(lineUpCombo_, &QComboBox::currentTextChanged, this,
            [this](const QString& t) { lineUpShown_->setText(spellOutInvisibles(t)); });
    g->addWidget(lineUpCombo_, 0, 0, 1, 2);
    g->addWidget(lineUpShown_, 1, 0, 1, 2);
    g->addWidget(new QLabel(caption("個数"), frame), 2, 0);
    auto countBox = [&](int i, const char* heading, const char* name) {
        auto* e = new NumberEdit(indexed("Text8", i), reportLabel("Text8_Change"), frame);
        // The box always shows its whole number: text that is none becomes "0".
        e->check = [e] {
            const QString n = QString::number(boxNumber(e->text()));
            if (n != e->text())
                e->setText(n);
        };
        auto* label = new QLabel(caption(heading), frame);
        nameAfter(label, e, caption(name));
        g->addWidget(label, 3, i - 1);
        g->addWidget(e, 4, i - 1);
        return e;
    };
    acrossBox_ = countBox(1, "横", "横");
    downBox_ = countBox(2, "×　縦", "縦");
    auto* forget = button(frame, QStringLiteral("Command8"), "追加になった文字を消す。");
    connect(forget, &QPushButton::clicked, this, &TemplatePage::clearHistory);
    g->addWidget(forget, 5, 0, 1, 2);
}

void TemplatePage::buildRulerFrame(QGroupBox* frame)
{
    auto* g = new QVBoxLayout(frame);
    rulerLengthBox_ = lineEdit(frame, QStringLiteral("Text5"));
    rulerLengthBox_->setText(QStringLiteral("100"));
    rulerLengthBox_->setAccessibleName(caption("桁数"));
    g->addWidget(rulerLengthBox_);
    rulerWidthButtons_ = optionGroup(frame, "Option7", {"半角", "全角"}, g);
    rulerWidthButtons_->button(0)->setChecked(true);
    auto* remark = new QLabel(caption("　動作確認に使用しているもので、何の使い道もないと思います。"), frame);
    remark->setWordWrap(true);
    g->addWidget(remark);
}

void TemplatePage::load(PageSettings& s)
{
    tocBlanksCheck_->setChecked(s.get(settings::templateTocBlanks));
    addToCurrentCheck_->setChecked(s.get(settings::templateAddToCurrent));
    fixedDigitsCheck_->setChecked(s.get(settings::templateFixedDigits));
    zeroFillCheck_->setChecked(s.get(settings::templateZeroFill));
    zeroFillCheck_->setEnabled(fixedDigitsCheck_->isChecked());
    digitsBox_->setEnabled(fixedDigitsCheck_->isChecked());
    startBox_->setText(s.get(settings::templateStart));
    endBox_->setText(s.get(settings::templateEnd));
    stepBox_->setText(s.get(settings::templateStep));
    digitsBox_->setText(s.get(settings::templateDigits));
    beforeBox_->setText(s.get(settings::templateBefore));
    afterBox_->setText(s.get(settings::templateAfter));
    weekdayCheck_->setChecked(s.get(settings::templateWeekdays));
    holidayCheck_->setChecked(s.get(settings::templateHolidays));
    yearBox_->setText(QString::number(QDate::currentDate().year()));
    intervalCombo_->addItems(timeIntervalCaptions());
    const int interval = s.get(settings::templateTimeInterval);
    intervalCombo_->setCurrentIndex(interval >= 0 && interval < intervalCombo_->count() ? interval : 0);
    checkStored(timeFormatButtons_, s.get(settings::templateTimeFormat), settings::templateTimeFormat.byDefault);
    checkStored(alphabetButtons_, s.get(settings::templateAlphabet), settings::templateAlphabet.byDefault);
    checkStored(kanaButtons_, s.get(settings::templateKana), settings::templateKana.byDefault);
    for (int i = 0; i < LineUpHistory::kKept; ++i)
        history_.setEntry(i, s.get(settings::templateLineUpHistory.at(i)));
    rememberLineUp(QString());
    acrossBox_->setText(s.get(settings::templateAcross));
    downBox_->setText(s.get(settings::templateDown));
    const int kind = s.get(settings::templateKind);
    chooseKind(kind >= 0 && kind < kKinds ? Kind(kind) : Numbering);
}

void TemplatePage::store(PageSettings& s) const
{
    s.set(settings::templateKind, kind_);
    s.set(settings::templateTocBlanks, tocBlanksCheck_);
    s.set(settings::templateAddToCurrent, addToCurrentCheck_);
    s.set(settings::templateDigits, digitsBox_->text());
    s.set(settings::templateZeroFill, zeroFillCheck_);
    s.set(settings::templateFixedDigits, fixedDigitsCheck_);
    s.set(settings::templateStart, startBox_->text());
    s.set(settings::templateEnd, endBox_->text());
    s.set(settings::templateStep, stepBox_->text());
    s.set(settings::templateBefore, beforeBox_->text());
    s.set(settings::templateAfter, afterBox_->text());
    s.set(settings::templateWeekdays, weekdayCheck_);
    s.set(settings::templateHolidays, holidayCheck_);
    s.set(settings::templateTimeInterval, intervalCombo_->currentIndex());
    s.set(settings::templateTimeFormat, timeFormatButtons_->checkedId());
    s.set(settings::templateAlphabet, alphabetButtons_->checkedId());
    s.set(settings::templateKana, kanaButtons_->checkedId());
    for (int i = 0; i < LineUpHistory::kKept; ++i)
        s.set(settings::templateLineUpHistory.at(i), history_.entry(i));
    s.set(settings::templateAcross, acrossBox_->text());
    s.set(settings::templateDown, downBox_->text());
}

void TemplatePage::chooseKind(Kind kind)
{
    kind_ = kind;
    kindButtons_[kind]->setChecked(true);
    for (int k = 0; k < kKinds; ++k)
        kindFrames_[k]->setVisible(k == kind);
    tocBlanksCheck_->setEnabled(kind != Alphabet);
}

void TemplatePage::rememberLineUp(const QString& text)
{
    history_.remember(text);
    lineUpCombo_->clear();
    lineUpCombo_->addItems(history_.comboItems());
    lineUpCombo_->setCurrentIndex(0);
    lineUpShown_->setText(spellOutInvisibles(lineUpCombo_->currentText()));
}

void TemplatePage::clearHistory()
{
    guarded(reportLabel("Command8_Click"), [&] {
        history_.clear();
        rememberLineUp(QString());
    });
}

QStringList TemplatePage::templateLines(Kind kind) const
{
    const bool blanks = tocBlanksCheck_->isChecked();
    switch (kind) {
    case Numbering: {
        NumberingOptions o;
        o.start = boxMagnitude(startBox_->text());
        o.end = boxMagnitude(endBox_->text());
        o.step = boxMagnitude(stepBox_->text());
        o.digits = boxDigits(digitsBox_->text());
        o.fixedDigits = fixedDigitsCheck_->isChecked();
        o.zeroFill = zeroFillCheck_->isChecked();
        o.before = beforeBox_->text();
        o.after = afterBox_->text();
        o.tocBlanks = blanks;
        return numberingSeries(o);
    }
    case MonthDays: {
        MonthDayOptions o;
        o.weekday = weekdayCheck_->isChecked();
        o.holidays = holidayCheck_->isChecked();
        o.blankAfterMonth = blanks;
        return monthDaySeries(monthDayYear(yearBox_->text()), o);
    }
    case Times: return timeSeries(intervalCombo_->currentIndex(), timeFormatButtons_->checkedId(), blanks);
    case Alphabet: return alphabetSeries(alphabetButtons_->checkedId());
    case Kana: return kanaSeries(kanaButtons_->checkedId(), blanks);
    case LineUp:
        return lineUp(lineUpCombo_->currentText(), boxNumber(acrossBox_->text()), boxNumber(downBox_->text()), blanks);
    case Ruler: break;
    }
    return ruler(boxNumber(rulerLengthBox_->text()), rulerWidthButtons_->checkedId() == 1);
}

void TemplatePage::makeTemplate()
{
    // Each kind reports under the name of its own generator.
    static const char* const labels[kKinds] = {"HG00H", "HG01H", "HG02H", "HG03H", "HG04H", "HG05H", "HG06H"};
    const Kind kind = kind_;
    const QString lineUpText = lineUpCombo_->currentText();
    if (!runTemplate(doc_, prompt_, reportLabel(labels[kind]), [&] { return templateLines(kind); },
                     addToCurrentCheck_->isChecked()))
        return;
    if (kind == LineUp)
        guarded(reportLabel("HMHL"), [&] { rememberLineUp(lineUpText); });
    emit finished();
}

}  // namespace petari
