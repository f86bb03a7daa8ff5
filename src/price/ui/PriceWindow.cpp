#include "price/ui/PriceWindow.h"

#include "editing/Document.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "price/PriceSettings.h"
#include "services/Guard.h"
#include "platform/ui/WindowPlace.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace petari {

namespace {

QString label(const char* procedure) { return QStringLiteral("F7 ") + QLatin1String(procedure); }


const char* const kLabels[16] = {
    "@ 単価", "×", "個数", "最小", "最大", "間隔", "×", "消費税", "％", "前に付ける文字",
    "後ろに付ける文字", "より小さい端数は",
    "この操作で[設定画面]の注釈を自動で有効にします。注釈文字を　''　へ変更します。",
    "1000　10　1　0.01　といった10単位で入力します。", "数字の前に半角スペースが入ります。",
    "「前に付ける文字」の前に半角のスペースが入ります。"};
const char* const kChecks[4] = {"３桁ごとに　,　を入れる", "小数点を揃える。", "小数点を揃える。",
                                "式を注釈として表示する。"};
const char* const kOptions[3] = {"切り捨て", "四捨五入", "切り上げ"};

}  // namespace

PriceWindow::PriceWindow(Document& doc, UserPrompt& prompt, QWidget* parent)
    : QWidget(parent, Qt::Dialog), doc_(doc), prompt_(prompt)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("価格"));
    buildControls();
    Form_Load();
}

// The document may already be gone when the window is destroyed with its
// parent; closing (which the main window does first) is where the work is.
PriceWindow::~PriceWindow() = default;

void PriceWindow::buildControls()
{
    for (int i = 0; i < 16; ++i) {
        label1_[i] = new QLabel(QString::fromUtf8(kLabels[i]), this);
        label1_[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
    }

    combo1_ = new QComboBox(this);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setEditable(true);
    combo1_->setInsertPolicy(QComboBox::NoInsert);
    for (int i = 0; i < 7; ++i) {
        text1_[i] = new QLineEdit(this);
        text1_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        text1_[i]->installEventFilter(this);
    }

    auto* picture1 = new QFrame(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    auto* options = new QHBoxLayout(picture1);
    options->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        option1_[i] = new QRadioButton(QString::fromUtf8(kOptions[i]), picture1);
        option1_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        options->addWidget(option1_[i]);
    }

    for (int i = 0; i < 4; ++i) {
        check1_[i] = new QCheckBox(QString::fromUtf8(kChecks[i]), this);
        check1_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        connect(check1_[i], &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
    }

    const char* commands[2] = {"表示", "閉じる"};
    for (int i = 0; i < 2; ++i) {
        command2_[i] = new QPushButton(QString::fromUtf8(commands[i]), this);
        command2_[i]->setObjectName(QStringLiteral("Command2_%1").arg(i));
        command2_[i]->setAutoDefault(false);
        connect(command2_[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    }
    command1_ = new QPushButton(QStringLiteral("単価の履歴を消す"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setToolTip(QStringLiteral("単価の入力履歴を全て消します。"));
    command1_->setAutoDefault(false);
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });

    // unit price × quantities × tax
    auto* grid = new QGridLayout;
    grid->addWidget(label1_[0], 0, 0);
    grid->addWidget(combo1_, 0, 1);
    grid->addWidget(label1_[1], 0, 2);
    grid->addWidget(label1_[2], 0, 3);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(label1_[3 + i], 0, 4 + 2 * i);
        grid->addWidget(text1_[1 + i], 0, 5 + 2 * i);
    }
    grid->addWidget(label1_[6], 1, 2);
    grid->addWidget(label1_[7], 1, 3);
    grid->addWidget(text1_[4], 1, 5);
    grid->addWidget(label1_[8], 1, 6);

    auto* rounding = new QHBoxLayout;
    rounding->addWidget(text1_[0]);
    rounding->addWidget(label1_[11]);
    rounding->addWidget(picture1);
    rounding->addStretch();

    auto* affixes = new QHBoxLayout;
    affixes->addWidget(label1_[9]);
    affixes->addWidget(text1_[5]);
    affixes->addWidget(label1_[10]);
    affixes->addWidget(text1_[6]);
    affixes->addStretch();

    auto* checks = new QGridLayout;
    checks->addWidget(check1_[0], 0, 0, 1, 2);
    checks->addWidget(check1_[1], 1, 0);
    checks->addWidget(label1_[14], 1, 1);
    checks->addWidget(check1_[2], 2, 0);
    checks->addWidget(label1_[15], 2, 1);
    checks->addWidget(check1_[3], 3, 0);
    checks->addWidget(label1_[12], 4, 0, 1, 2);
    checks->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command1_);
    buttons->addStretch();
    buttons->addWidget(command2_[0]);
    buttons->addWidget(command2_[1]);

    auto* all = new QVBoxLayout(this);
    all->addLayout(grid);
    all->addLayout(rounding);
    all->addWidget(label1_[13]);
    all->addLayout(affixes);
    all->addLayout(checks);
    all->addLayout(buttons);
}

void PriceWindow::Form_Load()
{
    open_ = true;
    count_ = 0;
    guarded(label("Form_Load"), [&] {
        doc_.liftTopmost();
        const PriceWindowSettings s = readPriceSettings(doc_.settings());
        place_.restore(*this, s.left, s.top);
        for (int i = 0; i < 7; ++i)
            text1_[i]->setText(s.input.text[i]);
        for (int i = 0; i < 4; ++i)
            check1_[i]->setChecked(s.input.check[i]);
        option1_[static_cast<int>(s.input.rounding)]->setChecked(true);
        combo1_->clear();
        combo1_->addItems(s.history);
        combo1_->setEditText(s.input.unitPrice);
    });
}

void PriceWindow::showEvent(QShowEvent* e)
{
    // Shown again after it was closed: a new opening.
    if (!open_)
        Form_Load();
    QWidget::showEvent(e);
}

PriceInput PriceWindow::boxes() const
{
    PriceInput in;
    in.unitPrice = combo1_->currentText();
    for (int i = 0; i < 7; ++i)
        in.text[i] = text1_[i]->text();
    for (int i = 0; i < 4; ++i)
        in.check[i] = check1_[i]->isChecked();
    for (int i = 0; i < 3; ++i)
        if (option1_[i]->isChecked())
            in.rounding = static_cast<Rounding>(i);
    return in;
}

void PriceWindow::showNormalised(const PriceInput& in)
{
    for (int box : {UnitText, FromText, ToText, StepText})
        text1_[box]->setText(in.text[box]);
    combo1_->setEditText(in.unitPrice);
}

QStringList PriceWindow::history() const
{
    QStringList items;
    for (int i = 0; i < combo1_->count(); ++i)
        items << combo1_->itemText(i);
    return items;
}

void PriceWindow::Command2_Click(int index)
{
    if (index == 1) {
        close();
        return;
    }
    guarded(label("Command2_Click"), [&] {
        if (doc_.confirmDiscard() == KeepDocument)
            return;
        PriceInput in = boxes();
        if (in.check[FormulaCheck])
            enableFormulaAnnotation(doc_.settings());
        guarded(label("asyusei"), [&] {
            in = normalisePriceInput(in);
            showNormalised(in);
        });
        PriceTable table;
        if (!guarded(label("kisanH"), [&] { table = priceTable(in); }))
            return;
        if (table.refused()) {
            prompt_.showMessage(Document::caption(), priceRefusalMessage(table.refusal),
                                Icon::Exclamation);
            return;
        }
        guarded(label("tuikaC"), [&] {
            const QStringList items = historyWith(history(), in.unitPrice);
            combo1_->clear();
            combo1_->addItems(items);
            combo1_->setEditText(in.unitPrice);
        });
        doc_.lines().setLines(table.lines);
        doc_.refreshView();
        rejikaki();
        ++count_;
    });
}

void PriceWindow::rejikaki()
{
    guarded(label("rejikaki"), [&] { writePriceSettings(doc_.settings(), boxes(), history()); });
}

void PriceWindow::Command1_Click()
{
    guarded(label("Command1_Click"), [&] {
        const QString text = combo1_->currentText();
        combo1_->clear();
        combo1_->setEditText(text);
    });
}

void PriceWindow::Check1_Click(int index)
{
    guarded(label("Check1_Click"), [&] {
        // One padding position at a time.
        if (index == PadAfterPrefixCheck && check1_[index]->isChecked())
            check1_[PadBeforePrefixCheck]->setChecked(false);
        else if (index == PadBeforePrefixCheck && check1_[index]->isChecked())
            check1_[PadAfterPrefixCheck]->setChecked(false);
    });
}

bool PriceWindow::eventFilter(QObject* watched, QEvent* e)
{
    // A box that gets the focus has its whole text selected, ready to be
    // typed over; after the click that gave the focus has placed the cursor.
    if (e->type() == QEvent::FocusIn) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    }
    return QWidget::eventFilter(watched, e);
}

void PriceWindow::closeEvent(QCloseEvent* e)
{
    if (open_) {
        Form_QueryUnload();
        Form_Unload();
    }
    e->accept();
}

void PriceWindow::Form_QueryUnload()
{
    guarded(label("Form_QueryUnload"), [&] {
        if (count_ >= 1)
            doc_.commitEdit(QString(), 1, QStringLiteral("　価格　"), 0);
    });
}

void PriceWindow::Form_Unload()
{
    open_ = false;
    guarded(label("Form_Unload"), [&] {
        if (WindowPlace::worthStoring()) {
            const TwipsRect at = place_.current(*this);
            writePricePosition(doc_.settings(), at.top, at.left);
        }
    });
    guarded(label("Form_Unload"), [&] { doc_.restoreTopmost(); });
}

}  // namespace petari
