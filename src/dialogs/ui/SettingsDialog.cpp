#include "dialogs/ui/SettingsDialog.h"

#include "platform/ui/Widgets.h"
#include "editing/Document.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"
#include "platform/ui/WindowPlace.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace petari {

namespace {

QString label(const char* procedure) { return QStringLiteral("F5 ") + QLatin1String(procedure); }

QString indexed(const char* name, int i) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(i); }

QCheckBox* checkBox(QWidget* parent, const QString& name, const char* caption)
{
    auto* c = new QCheckBox(QString::fromUtf8(caption), parent);
    c->setObjectName(name);
    return c;
}

QLabel* textLabel(QWidget* parent, const QString& name, const QString& caption)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel* note(QWidget* parent, const QString& name, const char* caption)
{
    QLabel* l = textLabel(parent, name, QString::fromUtf8(caption));
    l->setWordWrap(true);
    return l;
}

QPushButton* button(QWidget* parent, const QString& name, const char* caption)
{
    return namedButton(parent, name, QString::fromUtf8(caption));
}

QLineEdit* lineEdit(QWidget* parent, const QString& name) { return namedLineEdit(parent, name); }

void setText(QLineEdit* e, const QString& text)
{
    if (e->text() != text) {
        const QSignalBlocker block(e);
        e->setText(text);
    }
}

void setChecked(QCheckBox* c, bool on)
{
    const QSignalBlocker block(c);
    c->setChecked(on);
}

}  // namespace

SettingsDialog::SettingsDialog(Document& doc, UserPrompt& prompt, QWidget* parent)
    : QDialog(parent), doc_(doc), prompt_(prompt)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("設定"));
    setModal(true);
    build();
    load();
    connectControls();
}

SettingsDialog::~SettingsDialog()
{
    unload();
}

void SettingsDialog::build()
{
    auto* grid = new QGridLayout(this);
    const char* titles[5] = {"起動時の設定", "使用中の設定", "コピー時の変換",
                             "クリップボードの内容を入力場所に", "終了時の設定"};
    for (int i = 0; i < 5; ++i) {
        frame1_[i] = new QGroupBox(QString::fromUtf8(titles[i]), this);
        frame1_[i]->setObjectName(indexed("Frame1", i));
    }

    // Frame "起動時の設定"
    {
        QGroupBox* f = frame1_[0];
        auto* v = new QVBoxLayout(f);
        check4_ = checkBox(f, QStringLiteral("Check4"), "「ペタリ」の起動時に自動的にファイルを開く");
        command3_ = button(f, QStringLiteral("Command3"), "ファイルを指定");
        label4_ = textLabel(f, QStringLiteral("Label4"), QString());
        label4_->setWordWrap(true);
        check9_[1] = checkBox(f, indexed("Check9", 1), "「ペタリ」の重複起動をしない。");
        auto* row = new QHBoxLayout;
        row->addWidget(check4_);
        row->addWidget(command3_);
        row->addStretch();
        v->addLayout(row);
        v->addWidget(label4_);
        v->addWidget(check9_[1]);
    }
    // Frame "使用中の設定"
    {
        QGroupBox* f = frame1_[1];
        auto* v = new QVBoxLayout(f);
        check7_ = checkBox(f, QStringLiteral("Check7"), "「ペタリ」を常に手前に表示する。");
        check9_[2] = checkBox(f, indexed("Check9", 2), "バックアップを保存する。");
        check9_[3] = checkBox(f, indexed("Check9", 3), "改行する文字数を指定する。");
        label3_[4] = textLabel(f, indexed("Label3", 4), QStringLiteral("改行文字数"));
        text5_ = lineEdit(f, QStringLiteral("Text5"));
        text5_->setMaximumWidth(80);
        label3_[11] = note(f, indexed("Label3", 11),
                           "　ファイルを開く時や追加時に、１行の文字数が多い場合に、指定した文字数で改行します。");
        label3_[9] = textLabel(f, indexed("Label3", 9), QStringLiteral("分割する指定文字"));
        text10_[1] = lineEdit(f, indexed("Text10", 1));
        text10_[1]->setMaximumWidth(80);
        label3_[1] = textLabel(f, indexed("Label3", 1), QString());
        label3_[1]->setFrameShape(QFrame::StyledPanel);
        label3_[10] = note(f, indexed("Label3", 10),
                           "　分割機能の指定文字で分割するための文字を指定します。後ろになる文字を指定します。");
        label3_[2] = textLabel(f, indexed("Label3", 2), QStringLiteral("テキストエディタの指定"));
        label3_[13] = textLabel(f, indexed("Label3", 13), QString());
        label3_[13]->setFrameShape(QFrame::StyledPanel);
        label3_[13]->setWordWrap(true);
        command4_ = button(f, QStringLiteral("Command4"), "参照");
        label3_[3] = textLabel(f, indexed("Label3", 3), QStringLiteral("メニューバーの表示"));
        text10_[3] = lineEdit(f, indexed("Text10", 3));
        label3_[5] = textLabel(f, indexed("Label3", 5), QStringLiteral("を起動する"));

        v->addWidget(check7_);
        v->addWidget(check9_[2]);
        v->addWidget(check9_[3]);
        auto* length = new QHBoxLayout;
        length->addWidget(label3_[4]);
        length->addWidget(text5_);
        length->addStretch();
        v->addLayout(length);
        v->addWidget(label3_[11]);
        auto* split = new QHBoxLayout;
        split->addWidget(label3_[9]);
        split->addWidget(text10_[1]);
        split->addWidget(label3_[1], 1);
        v->addLayout(split);
        v->addWidget(label3_[10]);
        auto* editor = new QHBoxLayout;
        editor->addWidget(label3_[2]);
        editor->addWidget(label3_[13], 1);
        editor->addWidget(command4_);
        v->addLayout(editor);
        auto* menu = new QHBoxLayout;
        menu->addWidget(label3_[3]);
        menu->addWidget(text10_[3], 1);
        menu->addWidget(label3_[5]);
        v->addLayout(menu);
    }
    // Frame "コピー時の変換"
    {
        QGroupBox* f = frame1_[2];
        auto* v = new QVBoxLayout(f);
        command1_ = button(f, QStringLiteral("Command1"), "全てのチェックを外す");
        check9_[4] = checkBox(f, indexed("Check9", 4), "注釈を有効にする。");
        label3_[7] = textLabel(f, indexed("Label3", 7), QStringLiteral("注釈文字"));
        text10_[0] = lineEdit(f, indexed("Text10", 0));
        text10_[0]->setMaximumWidth(80);
        label3_[0] = textLabel(f, indexed("Label3", 0), QString());
        label3_[0]->setFrameShape(QFrame::StyledPanel);
        label3_[8] = note(f, indexed("Label3", 8),
                          "　「注釈文字」以降の文字がコピーされなくなりますので、注釈として使用できます。");
        const char* conversions[7] = {
            "[a]　大文字を小文字にする。",       "[A]　小文字を大文字にする。",
            "[Abc]　単語の先頭を大文字にする。", "[全]　半角を全角にする。",
            "[半]　全角を半角にする。",          "[カ]　ひらがなをカタカナにする。",
            "[あ]　カタカナをひらがなにする",
        };
        for (int i = 0; i < 7; ++i)
            check2_[i] = checkBox(f, indexed("Check2", i), conversions[i]);
        check3_[0] = checkBox(f, indexed("Check3", 0), "[_←]　前部のスペースを省く。");
        check3_[1] = checkBox(f, indexed("Check3", 1), "[→_]　後部のスペースを省く。");
        check1_ = checkBox(f, QStringLiteral("Check1"), "[改行]　一行選択時に改行を入れる");
        label3_[12] = note(f, indexed("Label3", 12),
                           "　ここでの変換設定は保存され、メニューバーでの変換はその時のみで有効となります。");

        auto* top = new QHBoxLayout;
        top->addWidget(check9_[4]);
        top->addStretch();
        top->addWidget(command1_);
        v->addLayout(top);
        auto* mark = new QHBoxLayout;
        mark->addWidget(label3_[7]);
        mark->addWidget(text10_[0]);
        mark->addWidget(label3_[0], 1);
        v->addLayout(mark);
        v->addWidget(label3_[8]);
        for (QCheckBox* c : check2_)
            v->addWidget(c);
        for (QCheckBox* c : check3_)
            v->addWidget(c);
        v->addWidget(check1_);
        v->addWidget(label3_[12]);
    }
    // Frame "クリップボードの内容を入力場所に"
    {
        QGroupBox* f = frame1_[3];
        auto* v = new QVBoxLayout(f);
        const char* captions[3] = {"表示する。", "追加する", "改行して追加する。"};
        auto* row = new QHBoxLayout;
        for (int i = 0; i < 3; ++i) {
            check10_[i] = checkBox(f, indexed("Check10", i), captions[i]);
            row->addWidget(check10_[i]);
        }
        v->addLayout(row);
        label3_[6] = note(f, indexed("Label3", 6),
                          "　クリップボードの内容を監視して、新しい内容がコピーされると、入力場所に表示します。");
        v->addWidget(label3_[6]);
    }
    // Frame "終了時の設定"
    {
        QGroupBox* f = frame1_[4];
        auto* v = new QVBoxLayout(f);
        check9_[0] = checkBox(f, indexed("Check9", 0), "終了時にメッセージで確認する。");
        v->addWidget(check9_[0]);
    }
    const char* captions[3] = {"ＯＫ", "キャンセル", "更新"};
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (int i = 0; i < 3; ++i) {
        command2_[i] = button(this, indexed("Command2", i), captions[i]);
        buttons->addWidget(command2_[i]);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(frame1_[0]);
    left->addWidget(frame1_[1]);
    left->addWidget(frame1_[4]);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(frame1_[2]);
    right->addWidget(frame1_[3]);
    right->addStretch();
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);

    for (QLineEdit* e : {text5_, text10_[0], text10_[1], text10_[3]})
        e->installEventFilter(this);

    // A window does not grow by itself for the lines its wrapped notes need.
    const int width = sizeHint().width();
    setMinimumSize(width, grid->totalHeightForWidth(width));
    resize(minimumSize());
}

void SettingsDialog::load()
{
    guarded(label("Form_Load"), [&] {
        lift_ = std::make_unique<TopmostLift>(doc_);
        const DialogPosition p = DialogPosition::load(doc_.settings());
        place_.restore(*this, p.left, p.top);
        form_.load(doc_.settings(), doc_.programFolder());
        showValues();
    });
}

void SettingsDialog::showValues()
{
    const SettingsFormValues& v = form_.values;
    setChecked(check4_, v.openAtStartup);
    label4_->setText(v.startupFile);
    setChecked(check9_[0], v.askOnExit);
    setChecked(check9_[1], v.refuseSecondCopy);
    setChecked(check9_[2], v.keepBackups);
    setChecked(check9_[3], v.breakLongLines);
    setChecked(check9_[4], v.annotationOn);
    setChecked(check7_, v.alwaysOnTop);
    setText(text5_, v.lineLength);
    setText(text10_[0], v.annotation);
    setText(text10_[1], v.splitText);
    setText(text10_[3], v.editorName);
    label3_[13]->setText(v.editorPath);
    for (int i = 0; i < 7; ++i)
        setChecked(check2_[i], v.conversions[i]);
    setChecked(check3_[0], v.trimLeading);
    setChecked(check3_[1], v.trimTrailing);
    setChecked(check1_, v.breakSingleLine);
    for (int i = 0; i < 3; ++i)
        setChecked(check10_[i], v.monitor[i]);

    label3_[0]->setText(form_.annotationShown());
    label3_[1]->setText(form_.splitTextShown());
    label3_[4]->setEnabled(form_.lineLengthEnabled());
    text5_->setEnabled(form_.lineLengthEnabled());
    label3_[7]->setEnabled(form_.annotationEnabled());
    text10_[0]->setEnabled(form_.annotationEnabled());
    command3_->setEnabled(form_.chooseStartupFileEnabled());
    command2_[2]->setEnabled(form_.updateEnabled());
}

void SettingsDialog::connectControls()
{
    SettingsFormValues& v = form_.values;
    auto onClick = [this](QCheckBox* box, bool& value) {
        connect(box, &QCheckBox::clicked, this, [this, &value](bool on) {
            value = on;
            form_.markChanged();
            showValues();
        });
    };
    onClick(check4_, v.openAtStartup);
    onClick(check9_[0], v.askOnExit);
    onClick(check9_[1], v.refuseSecondCopy);
    onClick(check9_[2], v.keepBackups);
    onClick(check9_[3], v.breakLongLines);
    onClick(check9_[4], v.annotationOn);
    onClick(check7_, v.alwaysOnTop);
    onClick(check3_[0], v.trimLeading);
    onClick(check3_[1], v.trimTrailing);
    onClick(check1_, v.breakSingleLine);

    for (int i = 0; i < 7; ++i) {
        // "pressed" comes with the mouse button going down (or the space
        // bar), before the box toggles.
        connect(check2_[i], &QCheckBox::pressed, this, [this, i] {
            guarded(label("Check2_MouseDown"), [&] { form_.conversionPressed(i); });
            showValues();
        });
        connect(check2_[i], &QCheckBox::clicked, this, [this, i](bool on) {
            form_.setConversion(i, on);
            showValues();
        });
    }
    for (int i = 0; i < 3; ++i) {
        connect(check10_[i], &QCheckBox::clicked, this, [this, i](bool on) {
            const bool stop = form_.setMonitor(i, on);
            showValues();
            if (stop)
                emit monitorModeChanged(0);
        });
    }

    connect(text5_, &QLineEdit::textEdited, this, [this](const QString& text) {
        guarded(label("Text5_Change"), [&] { form_.lineLengthEdited(text); });
        showValues();
    });
    auto onEdit = [this](QLineEdit* e, QString& value) {
        connect(e, &QLineEdit::textEdited, this, [this, &value](const QString& text) {
            value = text;
            form_.markChanged();
            showValues();
        });
    };
    onEdit(text10_[0], v.annotation);
    onEdit(text10_[1], v.splitText);
    onEdit(text10_[3], v.editorName);

    connect(command3_, &QPushButton::clicked, this, [this] {
        guarded(label("Command3_Click"), [&] { form_.chooseStartupFile(prompt_); });
        showValues();
    });
    connect(command4_, &QPushButton::clicked, this, [this] {
        guarded(label("Command4_Click"), [&] { form_.chooseEditor(prompt_); });
        showValues();
    });
    connect(command1_, &QPushButton::clicked, this, [this] {
        guarded(label("Command1_Click"), [&] { form_.clearAllChecks(); });
        showValues();
    });
    for (int i = 0; i < 3; ++i)
        connect(command2_[i], &QPushButton::clicked, this, [this, i] { pressButton(i); });
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == text5_)
            form_.lineLengthFocused();
        // After the click that gave the focus has placed the cursor.
        if (auto* e = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, e, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

void SettingsDialog::save()
{
    guarded(label("nkakunin"), [&] {
        form_.save(doc_.settings());
        // The main window takes it when the dialog no longer lifts it.
        doc_.setAlwaysOnTop(form_.values.alwaysOnTop);
    });
}

void SettingsDialog::saveAndKeepOpen()
{
    guarded(label("nkakunin"), [&] {
        form_.saveAndKeepOpen(doc_.settings());
        doc_.setAlwaysOnTop(form_.values.alwaysOnTop);
    });
    showValues();
}

void SettingsDialog::pressButton(int index)
{
    switch (index) {
    case 0:
        save();
        accept();
        break;
    case 1:
        QDialog::reject();   // no question: the user chose to drop the changes
        break;
    case 2:
        if (form_.updateEnabled())
            saveAndKeepOpen();
        break;
    default:
        break;
    }
}

void SettingsDialog::reject()
{
    if (form_.confirmCloseBox(prompt_))
        QDialog::reject();
}

void SettingsDialog::done(int r)
{
    unload();
    QDialog::done(r);
}

void SettingsDialog::unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    guarded(label("Form_Unload"), [&] {
        if (WindowPlace::worthStoring()) {
            const TwipsRect at = place_.current(*this);
            DialogPosition p;
            p.top = at.top;
            p.left = at.left;
            p.save(doc_.settings());
        }
        doc_.settings().sync();
    });
    lift_.reset();
}

}  // namespace petari
