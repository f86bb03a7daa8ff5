#include "generators/ui/GeneratorWindow.h"

#include "platform/ui/Widgets.h"
#include "copy/Invisibles.h"
#include "editing/Favourites.h"
#include "generators/DateSeries.h"
#include "generators/GeneratorRuns.h"
#include "generators/LineEdits.h"
#include "generators/RandomLines.h"
#include "generators/RunLimits.h"
#include "platform/Failure.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"
#include "platform/ui/WindowPlace.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

namespace petari {

namespace {

const QString kSection = QStringLiteral("F2");
constexpr int kDefaultPosition = 105;

QString label(const char* procedure) { return QStringLiteral("F2 ") + QLatin1String(procedure); }
QString indexed(const char* name, int i) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(i); }
QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// A box that takes a number.  On gaining the focus it selects its text and
// remembers it; every change runs `check` under the box's label, and when
// that fails the failure is reported and the remembered text comes back.
class NumberEdit : public QLineEdit {
public:
    NumberEdit(const QString& objectName, QString procedure, QWidget* parent)
        : QLineEdit(parent), procedure_(std::move(procedure))
    {
        setObjectName(objectName);
        connect(this, &QLineEdit::textChanged, this, [this] { changed(); });
    }
    std::function<void()> check;
    void remember() { remembered_ = text(); }

protected:
    void focusInEvent(QFocusEvent* e) override
    {
        QLineEdit::focusInEvent(e);
        remember();
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
    }

private:
    void changed()
    {
        if (busy_ || !check)
            return;
        busy_ = true;
        if (!guarded(procedure_, check)) {
            setText(remembered_);
            try {
                check();   // the labels follow the text put back
            } catch (...) {
            }
        }
        busy_ = false;
    }

    QString procedure_;
    QString remembered_;
    bool busy_ = false;
};

QButtonGroup* radioGroup(QWidget* owner, const char* name, const std::vector<const char*>& captions,
                         QLayout* into)
{
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < int(captions.size()); ++i) {
        auto* b = new QRadioButton(text(captions[i]), owner);
        b->setObjectName(indexed(name, i));
        group->addButton(b, i);
        into->addWidget(b);
    }
    return group;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const char* caption)
{
    auto* c = new QCheckBox(text(caption), parent);
    c->setObjectName(name);
    return c;
}

QPushButton* button(QWidget* parent, const QString& name, const char* caption)
{
    return namedButton(parent, name, text(caption));
}

QLineEdit* lineEdit(QWidget* parent, const QString& name) { return namedLineEdit(parent, name); }

// The option groups keep their index as text; a stored index no button has
// falls back to the default.
void checkIndex(QButtonGroup* group, int index, int fallback)
{
    QAbstractButton* b = group->button(index);
    if (!b)
        b = group->button(fallback);
    b->setChecked(true);
}

}  // namespace

// ============================================================== the window

GeneratorWindow::GeneratorWindow(Document& doc, UserPrompt& prompt, Favourites& favourites, int page, QWidget* parent)
    : QDialog(parent), doc_(doc), prompt_(prompt), favourites_(favourites),
      page_(page >= TemplatePage && page <= FavouritesPage ? page : TemplatePage)
{
    setObjectName(QStringLiteral("Form2"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Only the opening command's page is built and shown.
    auto* panel = new QWidget(this);
    panel->setObjectName(indexed("Picture1", page_));
    layout->addWidget(panel);
    static const char* const captions[] = {"雛形", "乱数", "文字の追加", "空行の追加", "お気に入りの編集"};
    setWindowTitle(text(captions[page_]));
    switch (page_) {
    case TemplatePage: buildTemplatePage(panel); break;
    case RandomPage: buildRandomPage(panel); break;
    case CharacterPage: buildCharacterPage(panel); break;
    case EmptyLinePage: buildEmptyLinePage(panel); break;
    default: buildFavouritesPage(panel); break;
    }
    lift_.emplace(doc_);
    guarded(label("Form_Load"), [&] {
        restorePosition();
        load();
    });
}

GeneratorWindow::~GeneratorWindow()
{
    if (!unloaded_)
        unload();
}

void GeneratorWindow::done(int r)
{
    // However the window ends (a button, the close box, Esc) its page's
    // settings are written, once.
    if (!unloaded_)
        unload();
    QDialog::done(r);
}

void GeneratorWindow::restorePosition()
{
    const SettingsStore& s = doc_.settings();
    place_.restore(*this, s, kSection, kDefaultPosition, kDefaultPosition);
}

void GeneratorWindow::load()
{
    SettingsStore& s = doc_.settings();
    auto read = [&](const char* key, const char* def) { return s.read(kSection, QString::fromLatin1(key), text(def)); };
    auto on = [&](const char* key, bool def) { return s.isOn(kSection, QString::fromLatin1(key), def); };
    auto index = [&](const char* key, int def) {
        return static_cast<int>(s.number(kSection, QString::fromLatin1(key), def));
    };
    auto rememberAll = [this] {
        // No meta-object of its own: findChildren would take every line edit.
        for (QLineEdit* e : findChildren<QLineEdit*>())
            if (auto* n = dynamic_cast<NumberEdit*>(e))
                n->remember();
    };

    switch (page_) {
    case TemplatePage: {
        check3_->setChecked(on("a2", true));
        check8_->setChecked(on("a3", false));
        check1_[1]->setChecked(on("b8", true));
        check1_[0]->setChecked(on("b2", true));
        check1_[0]->setEnabled(check1_[1]->isChecked());
        text2_[3]->setEnabled(check1_[1]->isChecked());
        text2_[0]->setText(read("b3", "1"));
        text2_[1]->setText(read("b4", "100"));
        text2_[2]->setText(read("b5", "1"));
        text2_[3]->setText(read("b1", "3"));
        text1_[0]->setText(read("b6", ""));
        text1_[1]->setText(read("b7", ""));
        check2_[0]->setChecked(on("c1", true));
        check2_[1]->setChecked(on("c2", true));
        text4_->setText(QString::number(QDate::currentDate().year()));
        combo3_->addItems(timeIntervalCaptions());
        const int interval = index("d1", 0);
        combo3_->setCurrentIndex(interval >= 0 && interval < combo3_->count() ? interval : 0);
        checkIndex(option6_, index("d2", 0), 0);
        checkIndex(option3_, index("e1", 0), 0);
        checkIndex(option4_, index("f1", 1), 1);
        for (int i = 0; i < LineUpHistory::kKept; ++i)
            history_.setEntry(i, read(QByteArray::number(30 + i).constData(), ""));
        fillLineUpCombo(QString());
        text8_[1]->setText(read("g1", "10"));
        text8_[2]->setText(read("g2", "1"));
        const int kind = index("a1", 0);
        showKind(kind >= 0 && kind <= 6 ? kind : 0);
        break;
    }
    case RandomPage: {
        static const char* const checkKeys[9] = {"j0", "j1", "j2", "j3", "j9", "j10", "j11", "j12", "j13"};
        static const bool checkDefaults[9] = {true, false, true, true, false, true, true, true, false};
        for (int i = 0; i < 9; ++i)
            check4_[i]->setChecked(on(checkKeys[i], checkDefaults[i]));
        static const char* const boxDefaults[5] = {"1", "43", "6", "6", "8"};
        for (int i = 0; i < 5; ++i)
            text3_[i]->setText(read(QByteArray("j" + QByteArray::number(4 + i)).constData(), boxDefaults[i]));
        for (int set = 0; set < 4; ++set)
            text3_[5 + set]->setText(s.read(kSection, QStringLiteral("j%1").arg(14 + set), characterSetDefault(set)));
        for (int box = 5; box <= 8; ++box)
            normaliseCharacterSet(box);
        enableRandomMode();
        break;
    }
    case CharacterPage: {
        checkIndex(option5_, index("h1", 0), 0);
        static const char* const defaults[6] = {"", "", "", "3", "1", "1"};
        check6_->setChecked(on("h2", false));
        check5_[0]->setChecked(on("h3", true));
        check5_[1]->setChecked(on("h4", true));
        for (int i = 0; i < 6; ++i)
            text6_[i]->setText(read(QByteArray::number(10 + i).constData(), defaults[i]));
        enableNumbering();
        previewFirstNumber();
        break;
    }
    case EmptyLinePage:
        checkIndex(option2_, index("i1", 0), 0);
        text7_->setText(read("i2", "1"));
        previewEmptyLines();
        break;
    default:
        favouritesEditor_ = std::make_unique<FavouritesEditor>(favourites_);
        listFavourites(-1);
        break;
    }
    rememberAll();
}

void GeneratorWindow::unload()
{
    unloaded_ = true;
    guarded(label("Form_Unload"), [&] {
        if (page_ == RandomPage && randomRuns_ > 0)
            commitRandom(doc_);
        SettingsStore& s = doc_.settings();
        auto write = [&](const char* key, const QString& value) { s.write(kSection, QString::fromLatin1(key), value); };
        auto flag = [&](const char* key, const QAbstractButton* b) { write(key, b->isChecked() ? "1" : "0"); };
        auto number = [&](const char* key, int v) { write(key, QString::number(v)); };
        place_.store(*this, s, kSection);
        switch (page_) {
        case TemplatePage:
            number("a1", kind_);
            flag("a2", check3_);
            flag("a3", check8_);
            write("b1", text2_[3]->text());
            flag("b2", check1_[0]);
            flag("b8", check1_[1]);
            write("b3", text2_[0]->text());
            write("b4", text2_[1]->text());
            write("b5", text2_[2]->text());
            write("b6", text1_[0]->text());
            write("b7", text1_[1]->text());
            flag("c1", check2_[0]);
            flag("c2", check2_[1]);
            number("d1", combo3_->currentIndex());
            number("d2", option6_->checkedId());
            number("e1", option3_->checkedId());
            number("f1", option4_->checkedId());
            for (int i = 0; i < LineUpHistory::kKept; ++i)
                write(QByteArray::number(30 + i).constData(), history_.entry(i));
            write("g1", text8_[1]->text());
            write("g2", text8_[2]->text());
            break;
        case RandomPage: {
            static const char* const checkKeys[9] = {"j0", "j1", "j2", "j3", "j9", "j10", "j11", "j12", "j13"};
            for (int i = 0; i < 9; ++i)
                flag(checkKeys[i], check4_[i]);
            for (int i = 0; i < 5; ++i)
                write(QByteArray("j" + QByteArray::number(4 + i)).constData(), text3_[i]->text());
            for (int set = 0; set < 4; ++set)
                write(QByteArray("j" + QByteArray::number(14 + set)).constData(), text3_[5 + set]->text());
            break;
        }
        case CharacterPage:
            number("h1", option5_->checkedId());
            for (int i = 0; i < 6; ++i)
                write(QByteArray::number(10 + i).constData(), text6_[i]->text());
            flag("h2", check6_);
            flag("h3", check5_[0]);
            flag("h4", check5_[1]);
            break;
        case EmptyLinePage:
            number("i1", option2_->checkedId());
            write("i2", text7_->text());
            break;
        default:
            break;   // the favourites are the main window's to keep
        }
    });
    lift_.reset();
}

bool GeneratorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (int i = 0; i < int(text3_.size()); ++i) {
            if (watched != text3_[i])
                continue;
            if (event->type() == QEvent::FocusIn) {
                lastText3_ = i;
                if (i <= 4)
                    QTimer::singleShot(0, text3_[i], &QLineEdit::selectAll);
            } else if (i >= 5) {
                guarded(label("Text3_LostFocus"), [&] { normaliseCharacterSet(lastText3_); });
            }
        }
        for (int i = 0; i < int(text6_.size()); ++i)
            if (watched == text6_[i] && event->type() == QEvent::FocusIn)
                lastText6_ = i;
    }
    return QDialog::eventFilter(watched, event);
}

// ========================================================== template page

void GeneratorWindow::buildTemplatePage(QWidget* panel)
{
    auto* grid = new QGridLayout(panel);
    auto* kinds = new QVBoxLayout;
    static const char* const kindCaptions[7] = {"数字の連番", "月日", "時間", "A～Z", "あ～ん", "文字を並べる", "桁数の確認用"};
    static const char* const frameCaptions[7] = {"連番の書式設定", "月日の書式設定", "時間の書式設定", "英文字の設定",
                                                 "かなの設定", "文字を並べる", ":桁数確認用"};
    auto* frames = new QVBoxLayout;
    for (int k = 0; k < 7; ++k) {
        option1_[k] = new QRadioButton(text(kindCaptions[k]), panel);
        option1_[k]->setObjectName(indexed("Option1", k));
        connect(option1_[k], &QRadioButton::clicked, this, [this, k] { showKind(k); });
        kinds->addWidget(option1_[k]);
        frame1_[k] = new QGroupBox(text(frameCaptions[k]), panel);
        frame1_[k]->setObjectName(indexed("Frame1", k));
        frame1_[k]->hide();
        frames->addWidget(frame1_[k]);
    }
    kinds->addStretch();
    grid->addLayout(kinds, 0, 0);
    grid->addLayout(frames, 0, 1);

    // Numbering.
    {
        auto* g = new QGridLayout(frame1_[0]);
        static const char* const captions[4] = {"開始", "終了", "間隔", "桁数"};
        for (int i = 0; i < 4; ++i) {
            auto* e = new NumberEdit(indexed("Text2", i), label("Text2_Change"), frame1_[0]);
            text2_[i] = e;
            e->check = [this, e, i] {
                if (i == 3) {
                    boxDigits(e->text());
                } else if (boxNumber(e->text()) == 0 && i == 2) {
                    e->setText(QStringLiteral("1"));
                }
            };
            g->addWidget(new QLabel(text(captions[i]), frame1_[0]), i < 3 ? 0 : 2, i < 3 ? i : 0);
            g->addWidget(e, i < 3 ? 1 : 3, i < 3 ? i : 0);
        }
        check1_[1] = checkBox(frame1_[0], QStringLiteral("Check1_1"), "桁を指定");
        check1_[0] = checkBox(frame1_[0], QStringLiteral("Check1_0"), "０で埋める");
        connect(check1_[1], &QCheckBox::toggled, this, [this](bool on) {
            check1_[0]->setEnabled(on);
            text2_[3]->setEnabled(on);
        });
        g->addWidget(check1_[1], 3, 1);
        g->addWidget(check1_[0], 3, 2);
        static const char* const wraps[2] = {"前に付ける文字", "後ろに付ける文字"};
        for (int i = 0; i < 2; ++i) {
            text1_[i] = lineEdit(frame1_[0], indexed("Text1", i));
            text1Shown_[i] = new QLabel(frame1_[0]);
            text1Shown_[i]->setObjectName(indexed("Label1", i));
            connect(text1_[i], &QLineEdit::textChanged, this,
                    [this, i](const QString& t) { text1Shown_[i]->setText(spellOutInvisibles(t)); });
            g->addWidget(new QLabel(text(wraps[i]), frame1_[0]), 4 + 2 * i, 0);
            g->addWidget(text1_[i], 5 + 2 * i, 0);
            g->addWidget(text1Shown_[i], 5 + 2 * i, 1, 1, 2);
        }
    }
    // Days of a year.
    {
        auto* g = new QVBoxLayout(frame1_[1]);
        g->addWidget(new QLabel(text("西暦年を入力"), frame1_[1]));
        auto* year = new NumberEdit(QStringLiteral("Text4"), label("Text4_Change"), frame1_[1]);
        year->check = [year] { monthDayYear(year->text()); };
        text4_ = year;
        g->addWidget(year);
        check2_[0] = checkBox(frame1_[1], QStringLiteral("Check2_0"), "曜日を表示する。");
        check2_[1] = checkBox(frame1_[1], QStringLiteral("Check2_1"), "祝祭日を表示する。");
        g->addWidget(check2_[0]);
        g->addWidget(check2_[1]);
    }
    // Times of a day.
    {
        auto* g = new QVBoxLayout(frame1_[2]);
        combo3_ = new QComboBox(frame1_[2]);
        combo3_->setObjectName(QStringLiteral("Combo3"));
        g->addWidget(combo3_);
        option6_ = radioGroup(frame1_[2], "Option6", {"12:00", "12時 00分", "PM 12時 00分", "午後 12時 00分"}, g);
    }
    {
        auto* g = new QVBoxLayout(frame1_[3]);
        option3_ = radioGroup(frame1_[3], "Option3", {"半角　大文字", "半角　小文字", "全角　大文字", "全角小文字"}, g);
    }
    {
        auto* g = new QVBoxLayout(frame1_[4]);
        option4_ = radioGroup(frame1_[4], "Option4", {"半角　カタカナ", "全角　ひらがな", "全角　カタカナ"}, g);
    }
    // Line-up.
    {
        auto* g = new QGridLayout(frame1_[5]);
        combo1_ = new QComboBox(frame1_[5]);
        combo1_->setObjectName(QStringLiteral("Combo1"));
        combo1_->setEditable(true);
        combo1_->setInsertPolicy(QComboBox::NoInsert);
        label9_ = new QLabel(frame1_[5]);
        label9_->setObjectName(QStringLiteral("Label9_4"));
        connect(combo1_, &QComboBox::currentTextChanged, this,
                [this](const QString& t) { label9_->setText(spellOutInvisibles(t)); });
        g->addWidget(combo1_, 0, 0, 1, 2);
        g->addWidget(label9_, 1, 0, 1, 2);
        g->addWidget(new QLabel(text("個数"), frame1_[5]), 2, 0);
        const char* captions[3] = {nullptr, "横", "×　縦"};
        for (int i = 1; i <= 2; ++i) {
            auto* e = new NumberEdit(indexed("Text8", i), label("Text8_Change"), frame1_[5]);
            // The box always shows its whole number: text that is none becomes "0".
            e->check = [e] {
                const QString n = QString::number(boxNumber(e->text()));
                if (n != e->text())
                    e->setText(n);
            };
            text8_[i] = e;
            g->addWidget(new QLabel(text(captions[i]), frame1_[5]), 3, i - 1);
            g->addWidget(e, 4, i - 1);
        }
        auto* forget = button(frame1_[5], QStringLiteral("Command8"), "追加になった文字を消す。");
        connect(forget, &QPushButton::clicked, this, [this] {
            guarded(label("Command8_Click"), [&] {
                history_.clear();
                fillLineUpCombo(QString());
            });
        });
        g->addWidget(forget, 5, 0, 1, 2);
    }
    // Ruler.
    {
        auto* g = new QVBoxLayout(frame1_[6]);
        text5_ = lineEdit(frame1_[6], QStringLiteral("Text5"));
        text5_->setText(QStringLiteral("100"));
        g->addWidget(text5_);
        option7_ = radioGroup(frame1_[6], "Option7", {"半角", "全角"}, g);
        option7_->button(0)->setChecked(true);
        auto* remark = new QLabel(text("　動作確認に使用しているもので、何の使い道もないと思います。"), frame1_[6]);
        remark->setWordWrap(true);
        g->addWidget(remark);
    }

    check8_ = checkBox(panel, QStringLiteral("Check8"), "今のデータに追加する。");
    check3_ = checkBox(panel, QStringLiteral("Check3"), "目次用空行を入れる。");
    grid->addWidget(check8_, 1, 0, 1, 2);
    grid->addWidget(check3_, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    auto* ok = button(panel, QStringLiteral("Command1_0"), "OK");
    auto* cancel = button(panel, QStringLiteral("Command1_1"), "キャンセル");
    connect(ok, &QPushButton::clicked, this, &GeneratorWindow::templateOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
}

void GeneratorWindow::showKind(int kind)
{
    kind_ = kind;
    option1_[kind]->setChecked(true);
    for (int k = 0; k < 7; ++k)
        frame1_[k]->setVisible(k == kind);
    check3_->setEnabled(kind != 3);
}

void GeneratorWindow::fillLineUpCombo(const QString& remember)
{
    history_.remember(remember);
    combo1_->clear();
    combo1_->addItems(history_.comboItems());
    combo1_->setCurrentIndex(0);
    label9_->setText(spellOutInvisibles(combo1_->currentText()));
}

QStringList GeneratorWindow::makeTemplate(int kind)
{
    const bool blanks = check3_->isChecked();
    switch (kind) {
    case 0: {
        NumberingOptions o;
        o.start = boxMagnitude(text2_[0]->text());
        o.end = boxMagnitude(text2_[1]->text());
        o.step = boxMagnitude(text2_[2]->text());
        o.digits = boxDigits(text2_[3]->text());
        o.fixedDigits = check1_[1]->isChecked();
        o.zeroFill = check1_[0]->isChecked();
        o.before = text1_[0]->text();
        o.after = text1_[1]->text();
        o.tocBlanks = blanks;
        return numberingSeries(o);
    }
    case 1: {
        MonthDayOptions o;
        o.weekday = check2_[0]->isChecked();
        o.holidays = check2_[1]->isChecked();
        o.blankAfterMonth = blanks;
        return monthDaySeries(monthDayYear(text4_->text()), o);
    }
    case 2: return timeSeries(combo3_->currentIndex(), option6_->checkedId(), blanks);
    case 3: return alphabetSeries(option3_->checkedId());
    case 4: return kanaSeries(option4_->checkedId(), blanks);
    case 5:
        return lineUp(combo1_->currentText(), boxNumber(text8_[1]->text()), boxNumber(text8_[2]->text()), blanks);
    default: return ruler(boxNumber(text5_->text()), option7_->checkedId() == 1);
    }
}

void GeneratorWindow::templateOk()
{
    static const char* const labels[7] = {"HG00H", "HG01H", "HG02H", "HG03H", "HG04H", "HG05H", "HG06H"};
    const int kind = kind_;
    const QString lineUpText = combo1_->currentText();
    if (!runTemplate(doc_, prompt_, label(labels[kind]), [&] { return makeTemplate(kind); }, check8_->isChecked()))
        return;
    if (kind == 5)
        guarded(label("HMHL"), [&] { fillLineUpCombo(lineUpText); });
    accept();
}

// ============================================================ random page

void GeneratorWindow::buildRandomPage(QWidget* panel)
{
    auto* grid = new QGridLayout(panel);
    auto box = [&](int i) {
        text3_[i] = lineEdit(panel, indexed("Text3", i));
        text3_[i]->installEventFilter(this);
        return text3_[i];
    };
    check4_[4] = checkBox(panel, QStringLiteral("Check4_4"), "数の範囲");
    check4_[3] = checkBox(panel, QStringLiteral("Check4_3"), "桁数を指定する");
    for (int mode : {3, 4}) {
        const int other = mode == 3 ? 4 : 3;
        connect(check4_[mode], &QCheckBox::toggled, this, [this, other](bool on) {
            check4_[other]->setChecked(!on);
            enableRandomMode();
        });
    }

    // Numbers.
    static const char* const numberCaptions[5] = {"最小数", "最大数", "表示個数 (行数)", "最小", "最大"};
    for (int i = 0; i < 5; ++i) {
        text3Labels_[i] = new QLabel(text(numberCaptions[i]), panel);
        box(i);
    }
    grid->addWidget(check4_[4], 0, 0, 1, 2);
    grid->addWidget(text3Labels_[0], 1, 0);
    grid->addWidget(text3_[0], 1, 1);
    grid->addWidget(text3Labels_[1], 2, 0);
    grid->addWidget(text3_[1], 2, 1);
    static const char* const numberChecks[3] = {"同じ数を出さない。", "順に並べて表示する。", "右をそろえて表示する。"};
    for (int i = 0; i < 3; ++i) {
        check4_[i] = checkBox(panel, indexed("Check4", i), numberChecks[i]);
        grid->addWidget(check4_[i], 3 + i, 0, 1, 2);
    }
    grid->addWidget(text3Labels_[2], 6, 0);
    grid->addWidget(text3_[2], 6, 1);

    // Strings.
    grid->addWidget(check4_[3], 0, 2, 1, 3);
    grid->addWidget(text3Labels_[3], 1, 2);
    grid->addWidget(text3_[3], 1, 3);
    grid->addWidget(text3Labels_[4], 2, 2);
    grid->addWidget(text3_[4], 2, 3);
    grid->addWidget(new QLabel(text("有効"), panel), 3, 3);
    grid->addWidget(new QLabel(text("無効"), panel), 3, 4);
    static const char* const sets[4] = {"数字", "英小文字", "英大文字", "記号"};
    for (int set = 0; set < 4; ++set) {
        check4_[5 + set] = checkBox(panel, indexed("Check4", 5 + set), sets[set]);
        grid->addWidget(check4_[5 + set], 4 + set, 2);
        grid->addWidget(box(5 + set), 4 + set, 3);
        grid->addWidget(box(9 + set), 4 + set, 4);
        text3_[5 + set]->setMinimumWidth(240);
        text3_[9 + set]->setMinimumWidth(240);
    }

    auto* buttons = new QHBoxLayout;
    static const char* const captions[3] = {"表示", "閉じる", "修正"};
    for (int i = 0; i < 3; ++i) {
        auto* b = button(panel, indexed("Command2", i), captions[i]);
        buttons->addWidget(b);
        if (i == 0)
            connect(b, &QPushButton::clicked, this, &GeneratorWindow::showRandom);
        else if (i == 1)
            connect(b, &QPushButton::clicked, this, &QDialog::reject);
        else
            connect(b, &QPushButton::clicked, this, [this] {
                guarded(label("Command2_Click"), [&] { normaliseCharacterSet(lastText3_); });
            });
        // The buttons keep the focus where it was, so that "修正" knows
        // which box was meant.
        b->setFocusPolicy(Qt::NoFocus);
    }
    grid->addLayout(buttons, 8, 0, 1, 5);
}

void GeneratorWindow::enableRandomMode()
{
    const bool numbers = check4_[4]->isChecked();
    for (int i : {0, 1}) {
        text3_[i]->setEnabled(numbers);
        text3Labels_[i]->setEnabled(numbers);
    }
    for (int i : {0, 1, 2})
        check4_[i]->setEnabled(numbers);
    for (int i : {3, 4}) {
        text3_[i]->setEnabled(!numbers);
        text3Labels_[i]->setEnabled(!numbers);
    }
    for (int i = 5; i <= 8; ++i)
        check4_[i]->setEnabled(!numbers);
}

void GeneratorWindow::normaliseCharacterSet(int box)
{
    if (box < 5 || box > 12)
        return;
    const int set = (box - 5) % 4;
    const CharacterSplit split = splitCharacterSet(set, text3_[box]->text());
    text3_[box]->setText(split.present);
    text3_[box <= 8 ? box + 4 : box - 4]->setText(split.absent);
}

void GeneratorWindow::showRandom()
{
    RandomRequest request;
    auto check = [&] {
        request.strings = check4_[3]->isChecked();
        for (int i = 0; i < 5; ++i)
            request.boxes[i] = boxNumber(text3_[i]->text());
        request.noRepeats = check4_[0]->isChecked();
        request.sorted = check4_[1]->isChecked();
        request.rightAlign = check4_[2]->isChecked();
        for (int set = 0; set < 4; ++set)
            if (check4_[5 + set]->isChecked())
                request.pool += text3_[5 + set]->text();
        return randomRequestProblem(request);
    };
    auto make = [&] {
        std::mt19937_64 engine = seededEngine();
        return request.strings ? randomStrings(request, engine) : randomNumbers(request, engine);
    };
    if (runRandom(doc_, prompt_, check, make))
        ++randomRuns_;
}

// ================================================ character addition page

void GeneratorWindow::buildCharacterPage(QWidget* panel)
{
    auto* grid = new QGridLayout(panel);
    static const char* const captions[6] = {"連番の前に付ける文字", "本文の前に付ける文字", "本文の後ろに付ける文字",
                                            "桁数", "開始", "間隔"};
    for (int i = 0; i < 3; ++i) {
        text6_[i] = lineEdit(panel, indexed("Text6", i));
        label3_[i] = new QLabel(panel);
        label3_[i]->setObjectName(indexed("Label3", i));
        connect(text6_[i], &QLineEdit::textChanged, this,
                [this, i](const QString& t) { label3_[i]->setText(spellOutInvisibles(t)); });
    }
    for (int i = 3; i < 6; ++i) {
        auto* e = new NumberEdit(indexed("Text6", i), label("Text6_Change"), panel);
        e->check = [this] {
            if (check6_)
                previewFirstNumber();
        };
        text6_[i] = e;
    }
    for (QLineEdit* e : text6_)
        e->installEventFilter(this);
    label3_[3] = new QLabel(panel);
    label3_[3]->setObjectName(QStringLiteral("Label3_3"));

    // The layout reads as the line will: number, text, the line, text.
    int col = 0;
    for (int i : {0, 1}) {
        grid->addWidget(new QLabel(text(captions[i]), panel), 0, col);
        grid->addWidget(text6_[i], 1, col);
        grid->addWidget(label3_[i], 2, col);
        ++col;
    }
    grid->addWidget(new QLabel(text("本文"), panel), 1, col++);
    grid->addWidget(new QLabel(text(captions[2]), panel), 0, col);
    grid->addWidget(text6_[2], 1, col);
    grid->addWidget(label3_[2], 2, col);

    check6_ = checkBox(panel, QStringLiteral("Check6"), "連番を入れる");
    check5_[1] = checkBox(panel, QStringLiteral("Check5_1"), "桁を指定する");
    check5_[0] = checkBox(panel, QStringLiteral("Check5_0"), "０で埋める");
    check5_[0]->setToolTip(text("指定した桁数に満たない場合０で埋めます。"));
    for (QCheckBox* c : {check6_, check5_[0], check5_[1]})
        connect(c, &QCheckBox::toggled, this, [this] {
            enableNumbering();
            guarded(label("Check6_Click"), [&] { previewFirstNumber(); });
        });
    grid->addWidget(check6_, 3, 0);
    grid->addWidget(label3_[3], 3, 1);
    auto* numbers = new QGridLayout;
    for (int i = 3; i < 6; ++i) {
        numberLabels_[i - 3] = new QLabel(text(captions[i]), panel);
        numbers->addWidget(numberLabels_[i - 3], 0, i - 3);
        numbers->addWidget(text6_[i], 1, i - 3);
    }
    numbers->addWidget(check5_[1], 2, 0);
    numbers->addWidget(check5_[0], 2, 1);
    grid->addLayout(numbers, 4, 0, 1, 4);

    auto* where = new QVBoxLayout;
    option5_ = radioGroup(panel, "Option5", {"全ての行に追加する。", "選択されている行に追加する。"}, where);
    grid->addLayout(where, 5, 0, 1, 4);

    auto* tab = button(panel, QStringLiteral("Command5"), "[Tab]　の入力");
    tab->setToolTip(text("タブの入力には、このボタンを使用して下さい。"));
    tab->setFocusPolicy(Qt::NoFocus);
    connect(tab, &QPushButton::clicked, this, &GeneratorWindow::insertTab);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(tab);
    buttons->addStretch();
    auto* run = button(panel, QStringLiteral("Command4_0"), "実行");
    auto* cancel = button(panel, QStringLiteral("Command4_1"), "キャンセル");
    connect(run, &QPushButton::clicked, this, &GeneratorWindow::addCharacters);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(run);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 6, 0, 1, 4);
}

void GeneratorWindow::enableNumbering()
{
    const bool number = check6_->isChecked();
    const bool digits = number && check5_[1]->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(text6_[4]), static_cast<QWidget*>(text6_[5]),
                       static_cast<QWidget*>(check5_[1]), static_cast<QWidget*>(numberLabels_[1]),
                       static_cast<QWidget*>(numberLabels_[2])})
        w->setEnabled(number);
    for (QWidget* w : {static_cast<QWidget*>(text6_[3]), static_cast<QWidget*>(check5_[0]),
                       static_cast<QWidget*>(numberLabels_[0])})
        w->setEnabled(digits);
}

void GeneratorWindow::previewFirstNumber()
{
    CharacterAddition a;
    a.number = check6_->isChecked();
    a.fixedDigits = check5_[1]->isChecked();
    a.zeroFill = check5_[0]->isChecked();
    a.digits = boxDigits(text6_[3]->text());
    a.first = boxMagnitude(text6_[4]->text());
    boxMagnitude(text6_[5]->text());
    label3_[3]->setText(firstNumberPreview(a));
}

void GeneratorWindow::insertTab()
{
    if (lastText6_ < 0 || lastText6_ > 2)
        return;
    text6_[lastText6_]->insert(QStringLiteral("\t"));
    text6_[lastText6_]->setFocus();
}

void GeneratorWindow::addCharacters()
{
    auto read = [this] {
        CharacterAddition a;
        a.beforeNumber = text6_[0]->text();
        a.beforeLine = text6_[1]->text();
        a.afterLine = text6_[2]->text();
        a.number = check6_->isChecked();
        a.fixedDigits = check5_[1]->isChecked();
        a.zeroFill = check5_[0]->isChecked();
        a.digits = boxDigits(text6_[3]->text());
        a.first = boxMagnitude(text6_[4]->text());
        a.step = boxMagnitude(text6_[5]->text());
        a.selectedOnly = option5_->checkedId() == 1;
        return a;
    };
    if (runCharacterAddition(doc_, prompt_, read))
        accept();
}

// ======================================================== empty line page

void GeneratorWindow::buildEmptyLinePage(QWidget* panel)
{
    auto* grid = new QGridLayout(panel);
    auto* modes = new QVBoxLayout;
    option2_ = radioGroup(panel, "Option2", {"各行に指定した数の空白行を入れる。", "指定した行毎に空白行をいれる。"}, modes);
    connect(option2_, &QButtonGroup::idClicked, this,
            [this] { guarded(label("Option2_Click"), [&] { previewEmptyLines(); }); });
    grid->addLayout(modes, 0, 0, 1, 2);
    grid->addWidget(new QLabel(text("行数の指定"), panel), 1, 0);
    auto* n = new NumberEdit(QStringLiteral("Text7"), label("Text7_Change"), panel);
    n->check = [this] { previewEmptyLines(); };
    text7_ = n;
    grid->addWidget(text7_, 1, 1);

    auto* preview = new QWidget;
    auto* columns = new QHBoxLayout(preview);
    for (int i = 0; i < 2; ++i) {
        label8_[i] = new QLabel(preview);
        label8_[i]->setObjectName(indexed("Label8", i));
        label8_[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        columns->addWidget(label8_[i]);
    }
    columns->addStretch();
    auto* scroll = new QScrollArea(panel);
    scroll->setWidget(preview);
    scroll->setWidgetResizable(true);
    scroll->setMinimumSize(260, 320);
    grid->addWidget(scroll, 2, 0, 1, 2);

    auto* notice = new QLabel(text("注意　目次の作成がしてある場合、その内容が変わってしまいます。"), panel);
    notice->setWordWrap(true);
    grid->addWidget(notice, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* run = button(panel, QStringLiteral("Command6_0"), "実行");
    auto* cancel = button(panel, QStringLiteral("Command6_1"), "キャンセル");
    connect(run, &QPushButton::clicked, this, &GeneratorWindow::insertEmptyLines);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(run);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 4, 0, 1, 2);
}

void GeneratorWindow::previewEmptyLines()
{
    // The example takes 0 to 255; anything else is refused as it is typed.
    const int n = boxNumber(text7_->text());
    if (n < 0 || n > 255)
        throw Failure(err::Overflow);
    const EmptyLinePreview p = emptyLinePreview(EmptyLineMode(option2_->checkedId() == 1 ? 1 : 0), n);
    label8_[0]->setText(p.left.join(QLatin1Char('\n')));
    label8_[1]->setText(p.right.join(QLatin1Char('\n')));
}

void GeneratorWindow::insertEmptyLines()
{
    const EmptyLineMode mode = option2_->checkedId() == 1 ? EmptyLineMode::EveryNthLine : EmptyLineMode::BeforeEveryLine;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool done = runEmptyLines(doc_, prompt_, mode, [this] { return boxNumber(text7_->text()); });
    QApplication::restoreOverrideCursor();
    if (done)
        accept();
}

// ======================================================== favourites page

void GeneratorWindow::buildFavouritesPage(QWidget* panel)
{
    auto* grid = new QGridLayout(panel);
    list1_ = new QListWidget(panel);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setSelectionMode(QAbstractItemView::SingleSelection);
    list1_->setMinimumSize(420, 200);
    connect(list1_, &QListWidget::currentRowChanged, this, [this] { enableFavouriteButtons(); });
    connect(list1_, &QListWidget::itemSelectionChanged, this, [this] { enableFavouriteButtons(); });
    grid->addWidget(list1_, 0, 0, 5, 1);
    static const char* const captions[5] = {"ＯＫ", "キャンセル", "削除", "上へ移動", "下へ移動"};
    static const int rows[5] = {3, 4, 0, 1, 2};
    for (int i = 0; i < 5; ++i) {
        command7_[i] = button(panel, indexed("Command7", i), captions[i]);
        connect(command7_[i], &QPushButton::clicked, this, [this, i] { favouritesButton(i); });
        grid->addWidget(command7_[i], rows[i], 1);
    }
}

void GeneratorWindow::listFavourites(int select)
{
    list1_->clear();
    list1_->addItems(favouritesEditor_->rows());
    if (select >= 0)
        list1_->setCurrentRow(select);
    enableFavouriteButtons();
}

void GeneratorWindow::enableFavouriteButtons()
{
    const int s = list1_->selectedItems().isEmpty() ? -1 : list1_->currentRow();
    command7_[2]->setEnabled(favouritesEditor_->canRemove(s));
    command7_[3]->setEnabled(favouritesEditor_->canMoveUp(s));
    command7_[4]->setEnabled(favouritesEditor_->canMoveDown(s));
}

void GeneratorWindow::favouritesButton(int index)
{
    guarded(label("Command7_Click"), [&] {
        const int s = list1_->selectedItems().isEmpty() ? -1 : list1_->currentRow();
        switch (index) {
        case 0:
            favouritesEditor_->applyTo(favourites_);
            accept();
            break;
        case 1: reject(); break;
        case 2: listFavourites(favouritesEditor_->remove(s)); break;
        case 3: listFavourites(favouritesEditor_->moveUp(s)); break;
        default: listFavourites(favouritesEditor_->moveDown(s)); break;
        }
    });
}

}  // namespace petari
