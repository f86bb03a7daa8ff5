#include "price/ui/PriceWindow.h"

#include "editing/Document.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "platform/ui/KeyboardAccess.h"
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
    announceAs(this, QAccessible::Window);
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("価格"));
    closeOnEscape(this);
    buildControls();
    loadSettings();
}

// The document may already be gone when the window is destroyed with its
// parent; closing (which the main window does first) is where the work is.
PriceWindow::~PriceWindow() = default;

void PriceWindow::buildControls()
{
    // The captions, by their place in kLabels.
    std::array<QLabel*, 16> captions{};
    for (int i = 0; i < 16; ++i) {
        captions[i] = new QLabel(QString::fromUtf8(kLabels[i]), this);
        captions[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
    }

    unitPriceBox_ = new QComboBox(this);
    unitPriceBox_->setObjectName(QStringLiteral("Combo1"));
    unitPriceBox_->setEditable(true);
    unitPriceBox_->setInsertPolicy(QComboBox::NoInsert);
    auto textBox = [this](PriceText which) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text1_%1").arg(int(which)));
        box->installEventFilter(this);
        return box;
    };
    roundingUnitBox_ = textBox(UnitText);
    quantityFromBox_ = textBox(FromText);
    quantityToBox_ = textBox(ToText);
    quantityStepBox_ = textBox(StepText);
    taxPercentBox_ = textBox(TaxText);
    prefixBox_ = textBox(PrefixText);
    suffixBox_ = textBox(SuffixText);

    auto* roundingPanel = new QFrame(this);
    roundingPanel->setObjectName(QStringLiteral("Picture1"));
    auto* options = new QHBoxLayout(roundingPanel);
    options->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        roundingButtons_[i] = new QRadioButton(QString::fromUtf8(kOptions[i]), roundingPanel);
        roundingButtons_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        options->addWidget(roundingButtons_[i]);
    }

    auto checkBox = [this](PriceCheck which) {
        auto* box = new QCheckBox(QString::fromUtf8(kChecks[which]), this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(int(which)));
        return box;
    };
    separatorsBox_ = checkBox(SeparatorsCheck);
    padAfterPrefixBox_ = checkBox(PadAfterPrefixCheck);
    padBeforePrefixBox_ = checkBox(PadBeforePrefixCheck);
    formulaBox_ = checkBox(FormulaCheck);
    connect(padAfterPrefixBox_, &QCheckBox::toggled, this,
            [this] { keepOnePaddingPosition(PadAfterPrefixCheck); });
    connect(padBeforePrefixBox_, &QCheckBox::toggled, this,
            [this] { keepOnePaddingPosition(PadBeforePrefixCheck); });

    auto button = [this](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* calculateButton = button(QStringLiteral("Command2_0"), QStringLiteral("表示"));
    connect(calculateButton, &QPushButton::clicked, this, [this] { calculate(); });
    QPushButton* closeButton = button(QStringLiteral("Command2_1"), QStringLiteral("閉じる"));
    connect(closeButton, &QPushButton::clicked, this, [this] { close(); });
    QPushButton* clearHistoryButton = button(QStringLiteral("Command1"), QStringLiteral("単価の履歴を消す"));
    clearHistoryButton->setToolTip(QStringLiteral("単価の入力履歴を全て消します。"));
    connect(clearHistoryButton, &QPushButton::clicked, this, [this] { clearUnitPriceHistory(); });

    // unit price × quantities (smallest, largest, step) × tax
    auto* grid = new QGridLayout;
    grid->addWidget(captions[0], 0, 0);
    grid->addWidget(unitPriceBox_, 0, 1);
    grid->addWidget(captions[1], 0, 2);
    grid->addWidget(captions[2], 0, 3);
    const std::array<QLineEdit*, 3> quantities = {quantityFromBox_, quantityToBox_, quantityStepBox_};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(captions[3 + i], 0, 4 + 2 * i);
        grid->addWidget(quantities[i], 0, 5 + 2 * i);
    }
    grid->addWidget(captions[6], 1, 2);
    grid->addWidget(captions[7], 1, 3);
    grid->addWidget(taxPercentBox_, 1, 5);
    grid->addWidget(captions[8], 1, 6);

    auto* rounding = new QHBoxLayout;
    rounding->addWidget(roundingUnitBox_);
    rounding->addWidget(captions[11]);
    rounding->addWidget(roundingPanel);
    rounding->addStretch();

    auto* affixes = new QHBoxLayout;
    affixes->addWidget(captions[9]);
    affixes->addWidget(prefixBox_);
    affixes->addWidget(captions[10]);
    affixes->addWidget(suffixBox_);
    affixes->addStretch();

    auto* checks = new QGridLayout;
    checks->addWidget(separatorsBox_, 0, 0, 1, 2);
    checks->addWidget(padAfterPrefixBox_, 1, 0);
    checks->addWidget(captions[14], 1, 1);
    checks->addWidget(padBeforePrefixBox_, 2, 0);
    checks->addWidget(captions[15], 2, 1);
    checks->addWidget(formulaBox_, 3, 0);
    checks->addWidget(captions[12], 4, 0, 1, 2);
    checks->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clearHistoryButton);
    buttons->addStretch();
    buttons->addWidget(calculateButton);
    buttons->addWidget(closeButton);

    // Each box named by its caption; the quantities by theirs under "個数".
    nameAfter(captions[0], unitPriceBox_, QStringLiteral("単価"));
    for (int i = 0; i < 3; ++i)
        nameAfter(captions[3 + i], quantities[i]);
    nameAfter(captions[7], taxPercentBox_);
    nameAfter(captions[11], roundingUnitBox_);
    nameAfter(captions[9], prefixBox_);
    nameAfter(captions[10], suffixBox_);
    // The two "小数点を揃える。" boxes differ only by the note beside each,
    // so a reader hears the note in the name itself.
    nameControl(padAfterPrefixBox_, padAfterPrefixBox_->text() + captions[14]->text());
    nameControl(padBeforePrefixBox_, padBeforePrefixBox_->text() + captions[15]->text());
    formulaBox_->setAccessibleDescription(captions[12]->text());
    roundingUnitBox_->setAccessibleDescription(captions[13]->text());
    setReadingOrder({unitPriceBox_, quantityFromBox_, quantityToBox_, quantityStepBox_, taxPercentBox_,
                     roundingUnitBox_, roundingButtons_[0], roundingButtons_[1], roundingButtons_[2], prefixBox_,
                     suffixBox_, separatorsBox_, padAfterPrefixBox_, padBeforePrefixBox_, formulaBox_,
                     clearHistoryButton, calculateButton, closeButton});

    auto* all = new QVBoxLayout(this);
    all->addLayout(grid);
    all->addLayout(rounding);
    all->addWidget(captions[13]);
    all->addLayout(affixes);
    all->addLayout(checks);
    all->addLayout(buttons);
}

std::array<QLineEdit*, 7> PriceWindow::textBoxes() const
{
    return {roundingUnitBox_, quantityFromBox_, quantityToBox_, quantityStepBox_,
            taxPercentBox_,   prefixBox_,       suffixBox_};
}

std::array<QCheckBox*, 4> PriceWindow::checkBoxes() const
{
    return {separatorsBox_, padAfterPrefixBox_, padBeforePrefixBox_, formulaBox_};
}

void PriceWindow::loadSettings()
{
    open_ = true;
    count_ = 0;
    guarded(label("Form_Load"), [&] {
        doc_.liftTopmost();
        const PriceWindowSettings s = readPriceSettings(doc_.settings());
        place_.restore(*this, s.left, s.top);
        const std::array<QLineEdit*, 7> texts = textBoxes();
        for (int i = 0; i < 7; ++i)
            texts[i]->setText(s.input.text[i]);
        const std::array<QCheckBox*, 4> checks = checkBoxes();
        for (int i = 0; i < 4; ++i)
            checks[i]->setChecked(s.input.check[i]);
        roundingButtons_[static_cast<int>(s.input.rounding)]->setChecked(true);
        unitPriceBox_->clear();
        unitPriceBox_->addItems(s.history);
        unitPriceBox_->setEditText(s.input.unitPrice);
    });
}

void PriceWindow::showEvent(QShowEvent* e)
{
    // Shown again after it was closed: a new opening.
    if (!open_)
        loadSettings();
    QWidget::showEvent(e);
}

PriceInput PriceWindow::typedInput() const
{
    PriceInput in;
    in.unitPrice = unitPriceBox_->currentText();
    const std::array<QLineEdit*, 7> texts = textBoxes();
    for (int i = 0; i < 7; ++i)
        in.text[i] = texts[i]->text();
    const std::array<QCheckBox*, 4> checks = checkBoxes();
    for (int i = 0; i < 4; ++i)
        in.check[i] = checks[i]->isChecked();
    for (int i = 0; i < 3; ++i)
        if (roundingButtons_[i]->isChecked())
            in.rounding = static_cast<Rounding>(i);
    return in;
}

void PriceWindow::showNormalised(const PriceInput& in)
{
    roundingUnitBox_->setText(in.text[UnitText]);
    quantityFromBox_->setText(in.text[FromText]);
    quantityToBox_->setText(in.text[ToText]);
    quantityStepBox_->setText(in.text[StepText]);
    unitPriceBox_->setEditText(in.unitPrice);
}

QStringList PriceWindow::history() const
{
    QStringList items;
    for (int i = 0; i < unitPriceBox_->count(); ++i)
        items << unitPriceBox_->itemText(i);
    return items;
}

void PriceWindow::calculate()
{
    guarded(label("Command2_Click"), [&] {
        if (doc_.confirmDiscard() == DiscardAnswer::KeepDocument)
            return;
        PriceInput in = typedInput();
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
            unitPriceBox_->clear();
            unitPriceBox_->addItems(items);
            unitPriceBox_->setEditText(in.unitPrice);
        });
        try {
            doc_.replaceLinesAsMade(table.lines);
        } catch (const DocumentTooLarge& refusal) {
            doc_.showTooLarge(refusal, QStringLiteral("作成できません"));
            return;
        }
        doc_.refreshView();
        storeInputs();
        ++count_;
    });
}

void PriceWindow::storeInputs()
{
    guarded(label("rejikaki"), [&] { writePriceSettings(doc_.settings(), typedInput(), history()); });
}

void PriceWindow::clearUnitPriceHistory()
{
    guarded(label("Command1_Click"), [&] {
        const QString text = unitPriceBox_->currentText();
        unitPriceBox_->clear();
        unitPriceBox_->setEditText(text);
    });
}

void PriceWindow::keepOnePaddingPosition(PriceCheck clicked)
{
    guarded(label("Check1_Click"), [&] {
        if (clicked == PadAfterPrefixCheck && padAfterPrefixBox_->isChecked())
            padBeforePrefixBox_->setChecked(false);
        else if (clicked == PadBeforePrefixCheck && padBeforePrefixBox_->isChecked())
            padAfterPrefixBox_->setChecked(false);
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
        commitCalculations();
        storeSettings();
    }
    e->accept();
}

void PriceWindow::commitCalculations()
{
    guarded(label("Form_QueryUnload"), [&] {
        if (count_ >= 1)
            doc_.commitEdit(QString(), Commit::Modified, QStringLiteral("　価格　"), HexView::Drop);
    });
}

void PriceWindow::storeSettings()
{
    open_ = false;
    guarded(label("Form_Unload"), [&] {
        if (WindowPlace::worthStoring()) {
            const TwipsRect at = place_.current(*this);
            writePricePosition(doc_.settings(), at.top, at.left);
        }
    });
    // The main window goes back in front even when the place could not be kept.
    guarded(label("Form_Unload"), [&] { doc_.restoreTopmost(); });
}

}  // namespace petari
