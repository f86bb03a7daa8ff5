#include "dialogs/ui/SettingsDialog.h"

#include "dialogs/ui/PasteFrame.h"
#include "platform/ui/KeyboardAccess.h"
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

SettingsDialog::SettingsDialog(Document& doc, UserPrompt& prompt, QWidget* parent,
                               const DesktopAbilities& abilities)
    : QDialog(parent), doc_(doc), prompt_(prompt), abilities_(abilities)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("設定"));
    setModal(true);
    build();
    loadSettings();
    connectControls();
}

SettingsDialog::~SettingsDialog()
{
    storeSettings();
}

void SettingsDialog::build()
{
    auto* grid = new QGridLayout(this);
    enum Frame { Startup, InUse, Copying, Monitor, Exit };
    const char* titles[5] = {"起動時の設定", "使用中の設定", "コピー時の変換",
                             "クリップボードの内容を入力場所に", "終了時の設定"};
    std::array<QGroupBox*, 5> frames{};
    for (int i = 0; i < 5; ++i) {
        frames[i] = new QGroupBox(QString::fromUtf8(titles[i]), this);
        frames[i]->setObjectName(indexed("Frame1", i));
    }

    {
        QGroupBox* f = frames[Startup];
        auto* v = new QVBoxLayout(f);
        openAtStartupBox_ = checkBox(f, QStringLiteral("Check4"), "「ペタリ」の起動時に自動的にファイルを開く");
        chooseStartupFileButton_ = button(f, QStringLiteral("Command3"), "ファイルを指定");
        startupFileLabel_ = textLabel(f, QStringLiteral("Label4"), QString());
        startupFileLabel_->setWordWrap(true);
        refuseSecondCopyBox_ = checkBox(f, indexed("Check9", 1), "「ペタリ」の重複起動をしない。");
        auto* row = new QHBoxLayout;
        row->addWidget(openAtStartupBox_);
        row->addWidget(chooseStartupFileButton_);
        row->addStretch();
        v->addLayout(row);
        v->addWidget(startupFileLabel_);
        v->addWidget(refuseSecondCopyBox_);
    }
    {
        QGroupBox* f = frames[InUse];
        auto* v = new QVBoxLayout(f);
        alwaysOnTopBox_ = checkBox(f, QStringLiteral("Check7"), "「ペタリ」を常に手前に表示する。");
        keepBackupsBox_ = checkBox(f, indexed("Check9", 2), "バックアップを保存する。");
        breakLongLinesBox_ = checkBox(f, indexed("Check9", 3), "改行する文字数を指定する。");
        lineLengthLabel_ = textLabel(f, indexed("Label3", 4), QStringLiteral("改行文字数"));
        lineLengthBox_ = lineEdit(f, QStringLiteral("Text5"));
        lineLengthBox_->setMaximumWidth(80);
        QLabel* lineLengthNote = note(f, indexed("Label3", 11),
                                      "　ファイルを開く時や追加時に、１行の文字数が多い場合に、指定した文字数で改行します。");
        QLabel* splitTextCaption = textLabel(f, indexed("Label3", 9), QStringLiteral("分割する指定文字"));
        splitTextBox_ = lineEdit(f, indexed("Text10", 1));
        splitTextBox_->setMaximumWidth(80);
        splitTextShownLabel_ = textLabel(f, indexed("Label3", 1), QString());
        splitTextShownLabel_->setFrameShape(QFrame::StyledPanel);
        QLabel* splitTextNote = note(f, indexed("Label3", 10),
                                     "　分割機能の指定文字で分割するための文字を指定します。後ろになる文字を指定します。");
        QLabel* editorCaption = textLabel(f, indexed("Label3", 2), QStringLiteral("テキストエディタの指定"));
        editorPathLabel_ = textLabel(f, indexed("Label3", 13), QString());
        editorPathLabel_->setFrameShape(QFrame::StyledPanel);
        editorPathLabel_->setWordWrap(true);
        chooseEditorButton_ = button(f, QStringLiteral("Command4"), "参照");
        QLabel* menuCaption = textLabel(f, indexed("Label3", 3), QStringLiteral("メニューバーの表示"));
        editorNameBox_ = lineEdit(f, indexed("Text10", 3));
        QLabel* menuSuffix = textLabel(f, indexed("Label3", 5), QStringLiteral("を起動する"));
        nameAfter(splitTextCaption, splitTextBox_);
        // The row reads 「メニューバーの表示」[name]「を起動する」: said alone,
        // its first label sounds like a switch for the menu bar.
        nameAfter(menuCaption, editorNameBox_, QStringLiteral("メニューバーに表示するテキストエディタの名前"));

        v->addWidget(alwaysOnTopBox_);
        v->addWidget(keepBackupsBox_);
        v->addWidget(breakLongLinesBox_);
        auto* length = new QHBoxLayout;
        length->addWidget(lineLengthLabel_);
        length->addWidget(lineLengthBox_);
        length->addStretch();
        v->addLayout(length);
        v->addWidget(lineLengthNote);
        auto* split = new QHBoxLayout;
        split->addWidget(splitTextCaption);
        split->addWidget(splitTextBox_);
        split->addWidget(splitTextShownLabel_, 1);
        v->addLayout(split);
        v->addWidget(splitTextNote);
        auto* editor = new QHBoxLayout;
        editor->addWidget(editorCaption);
        editor->addWidget(editorPathLabel_, 1);
        editor->addWidget(chooseEditorButton_);
        v->addLayout(editor);
        auto* menu = new QHBoxLayout;
        menu->addWidget(menuCaption);
        menu->addWidget(editorNameBox_, 1);
        menu->addWidget(menuSuffix);
        v->addLayout(menu);
    }
    {
        QGroupBox* f = frames[Copying];
        auto* v = new QVBoxLayout(f);
        clearChecksButton_ = button(f, QStringLiteral("Command1"), "全てのチェックを外す");
        annotationOnBox_ = checkBox(f, indexed("Check9", 4), "注釈を有効にする。");
        annotationLabel_ = textLabel(f, indexed("Label3", 7), QStringLiteral("注釈文字"));
        annotationBox_ = lineEdit(f, indexed("Text10", 0));
        annotationBox_->setMaximumWidth(80);
        annotationShownLabel_ = textLabel(f, indexed("Label3", 0), QString());
        annotationShownLabel_->setFrameShape(QFrame::StyledPanel);
        QLabel* annotationNote = note(f, indexed("Label3", 8),
                                      "　「注釈文字」以降の文字がコピーされなくなりますので、注釈として使用できます。");
        const char* conversions[7] = {
            "[a]　大文字を小文字にする。",       "[A]　小文字を大文字にする。",
            "[Abc]　単語の先頭を大文字にする。", "[全]　半角を全角にする。",
            "[半]　全角を半角にする。",          "[カ]　ひらがなをカタカナにする。",
            "[あ]　カタカナをひらがなにする",
        };
        for (int i = 0; i < 7; ++i)
            conversionBoxes_[i] = checkBox(f, indexed("Check2", i), conversions[i]);
        trimLeadingBox_ = checkBox(f, indexed("Check3", 0), "[_←]　前部のスペースを省く。");
        trimTrailingBox_ = checkBox(f, indexed("Check3", 1), "[→_]　後部のスペースを省く。");
        breakSingleLineBox_ = checkBox(f, QStringLiteral("Check1"), "[改行]　一行選択時に改行を入れる");
        QLabel* conversionNote = note(f, indexed("Label3", 12),
                                      "　ここでの変換設定は保存され、メニューバーでの変換はその時のみで有効となります。");

        auto* top = new QHBoxLayout;
        top->addWidget(annotationOnBox_);
        top->addStretch();
        top->addWidget(clearChecksButton_);
        v->addLayout(top);
        auto* mark = new QHBoxLayout;
        mark->addWidget(annotationLabel_);
        mark->addWidget(annotationBox_);
        mark->addWidget(annotationShownLabel_, 1);
        v->addLayout(mark);
        v->addWidget(annotationNote);
        for (QCheckBox* c : conversionBoxes_)
            v->addWidget(c);
        v->addWidget(trimLeadingBox_);
        v->addWidget(trimTrailingBox_);
        v->addWidget(breakSingleLineBox_);
        v->addWidget(conversionNote);
    }
    {
        QGroupBox* f = frames[Monitor];
        auto* v = new QVBoxLayout(f);
        const char* captions[3] = {"表示する。", "追加する", "改行して追加する。"};
        auto* row = new QHBoxLayout;
        for (int i = 0; i < 3; ++i) {
            monitorBoxes_[i] = checkBox(f, indexed("Check10", i), captions[i]);
            row->addWidget(monitorBoxes_[i]);
        }
        v->addLayout(row);
        v->addWidget(note(f, indexed("Label3", 6),
                          "　クリップボードの内容を監視して、新しい内容がコピーされると、入力場所に表示します。"));
    }
    {
        QGroupBox* f = frames[Exit];
        auto* v = new QVBoxLayout(f);
        askOnExitBox_ = checkBox(f, indexed("Check9", 0), "終了時にメッセージで確認する。");
        v->addWidget(askOnExitBox_);
    }
    QPushButton* okButton = button(this, indexed("Command2", 0), "ＯＫ");
    QPushButton* cancelButton = button(this, indexed("Command2", 1), "キャンセル");
    updateButton_ = button(this, indexed("Command2", 2), "更新");
    connect(okButton, &QPushButton::clicked, this, &SettingsDialog::saveAndClose);
    connect(cancelButton, &QPushButton::clicked, this, &SettingsDialog::closeWithoutSaving);
    connect(updateButton_, &QPushButton::clicked, this, &SettingsDialog::saveAndKeepOpen);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {okButton, cancelButton, updateButton_})
        buttons->addWidget(b);

    auto* left = new QVBoxLayout;
    left->addWidget(frames[Startup]);
    left->addWidget(frames[InUse]);
    left->addWidget(frames[Exit]);
    // Under the short frames: the right column is the taller one.
    pasteFrame_ = new PasteFrame(abilities_, this);
    connect(pasteFrame_, &PasteFrame::edited, this, [this] { form_.markChanged(); });
    left->addWidget(pasteFrame_);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(frames[Copying]);
    right->addWidget(frames[Monitor]);
    right->addStretch();
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);

    for (QLineEdit* e : {lineLengthBox_, annotationBox_, splitTextBox_, editorNameBox_})
        e->installEventFilter(this);
    nameAfter(lineLengthLabel_, lineLengthBox_);
    nameAfter(annotationLabel_, annotationBox_);
    // Down the left column, then the right, as the dialog reads.
    setReadingOrder({openAtStartupBox_, chooseStartupFileButton_, refuseSecondCopyBox_, alwaysOnTopBox_,
                     keepBackupsBox_, breakLongLinesBox_, lineLengthBox_, splitTextBox_, chooseEditorButton_,
                     editorNameBox_, askOnExitBox_, annotationOnBox_, clearChecksButton_, annotationBox_,
                     conversionBoxes_[0], conversionBoxes_[1], conversionBoxes_[2], conversionBoxes_[3],
                     conversionBoxes_[4], conversionBoxes_[5], conversionBoxes_[6], trimLeadingBox_,
                     trimTrailingBox_, breakSingleLineBox_, monitorBoxes_[0], monitorBoxes_[1], monitorBoxes_[2],
                     okButton, cancelButton, updateButton_});

    // A window does not grow by itself for the lines its wrapped notes need.
    const int width = sizeHint().width();
    setMinimumSize(width, grid->totalHeightForWidth(width));
    resize(minimumSize());
}

void SettingsDialog::loadSettings()
{
    guarded(label("Form_Load"), [&] {
        lift_ = std::make_unique<TopmostLift>(doc_);
        const DialogPosition p = DialogPosition::load(doc_.settings());
        place_.restore(*this, p.left, p.top);
        form_.load(doc_.settings(), doc_.programFolder());
        pasteFrame_->setOptions(PasteOptions::load(doc_.settings()));
        showValues();
    });
}

void SettingsDialog::showValues()
{
    const SettingsFormValues& v = form_.values;
    setChecked(openAtStartupBox_, v.openAtStartup);
    startupFileLabel_->setText(v.startupFile);
    setChecked(askOnExitBox_, v.askOnExit);
    setChecked(refuseSecondCopyBox_, v.refuseSecondCopy);
    setChecked(keepBackupsBox_, v.keepBackups);
    setChecked(breakLongLinesBox_, v.breakLongLines);
    setChecked(annotationOnBox_, v.annotationOn);
    setChecked(alwaysOnTopBox_, v.alwaysOnTop);
    setText(lineLengthBox_, v.lineLength);
    setText(annotationBox_, v.annotation);
    setText(splitTextBox_, v.splitText);
    setText(editorNameBox_, v.editorName);
    editorPathLabel_->setText(v.editorPath);
    for (int i = 0; i < 7; ++i)
        setChecked(conversionBoxes_[i], v.conversions[i]);
    setChecked(trimLeadingBox_, v.trimLeading);
    setChecked(trimTrailingBox_, v.trimTrailing);
    setChecked(breakSingleLineBox_, v.breakSingleLine);
    for (int i = 0; i < 3; ++i)
        setChecked(monitorBoxes_[i], v.monitor[i]);

    annotationShownLabel_->setText(form_.annotationShown());
    splitTextShownLabel_->setText(form_.splitTextShown());
    lineLengthLabel_->setEnabled(form_.lineLengthEnabled());
    lineLengthBox_->setEnabled(form_.lineLengthEnabled());
    annotationLabel_->setEnabled(form_.annotationEnabled());
    annotationBox_->setEnabled(form_.annotationEnabled());
    chooseStartupFileButton_->setEnabled(form_.chooseStartupFileEnabled());
    updateButton_->setEnabled(form_.updateEnabled());
}

void SettingsDialog::connectControls()
{
    // Every box acts on its state, so a click, the space bar and an
    // accessibility action all do the same.  The dialog's own changes
    // (showValues) are made with the box's signals blocked: what arrives
    // here is always the user's.
    SettingsFormValues& v = form_.values;
    auto onToggle = [this](QCheckBox* box, bool& value) {
        connect(box, &QCheckBox::toggled, this, [this, &value](bool on) {
            value = on;
            form_.markChanged();
            showValues();
        });
    };
    onToggle(openAtStartupBox_, v.openAtStartup);
    onToggle(askOnExitBox_, v.askOnExit);
    onToggle(refuseSecondCopyBox_, v.refuseSecondCopy);
    onToggle(keepBackupsBox_, v.keepBackups);
    onToggle(breakLongLinesBox_, v.breakLongLines);
    onToggle(annotationOnBox_, v.annotationOn);
    onToggle(alwaysOnTopBox_, v.alwaysOnTop);
    onToggle(trimLeadingBox_, v.trimLeading);
    onToggle(trimTrailingBox_, v.trimTrailing);
    onToggle(breakSingleLineBox_, v.breakSingleLine);

    for (int i = 0; i < 7; ++i) {
        // The conversions that exclude this one go first, then the box's own.
        connect(conversionBoxes_[i], &QCheckBox::toggled, this, [this, i](bool on) {
            guarded(label("Check2_MouseDown"), [&] { form_.conversionPressed(i); });
            form_.setConversion(i, on);
            showValues();
        });
    }
    for (int i = 0; i < 3; ++i) {
        connect(monitorBoxes_[i], &QCheckBox::toggled, this, [this, i](bool on) {
            const bool stop = form_.setMonitor(i, on);
            showValues();
            if (stop)
                emit monitorModeChanged(0);
        });
    }

    connect(lineLengthBox_, &QLineEdit::textEdited, this, [this](const QString& text) {
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
    onEdit(annotationBox_, v.annotation);
    onEdit(splitTextBox_, v.splitText);
    onEdit(editorNameBox_, v.editorName);

    connect(chooseStartupFileButton_, &QPushButton::clicked, this, [this] {
        guarded(label("Command3_Click"), [&] { form_.chooseStartupFile(prompt_); });
        showValues();
    });
    connect(chooseEditorButton_, &QPushButton::clicked, this, [this] {
        guarded(label("Command4_Click"), [&] { form_.chooseEditor(prompt_); });
        showValues();
    });
    connect(clearChecksButton_, &QPushButton::clicked, this, [this] {
        guarded(label("Command1_Click"), [&] { form_.clearAllChecks(); });
        showValues();
    });
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == lineLengthBox_)
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
        pasteFrame_->options().save(doc_.settings());
        form_.save(doc_.settings());
        // The main window takes it when the dialog no longer lifts it.
        doc_.setAlwaysOnTop(form_.values.alwaysOnTop);
    });
}

void SettingsDialog::saveAndClose()
{
    save();
    accept();
}

void SettingsDialog::closeWithoutSaving()
{
    QDialog::reject();   // no question: the user chose to drop the changes
}

void SettingsDialog::saveAndKeepOpen()
{
    if (!form_.updateEnabled())
        return;
    guarded(label("nkakunin"), [&] {
        pasteFrame_->options().save(doc_.settings());
        form_.saveAndKeepOpen(doc_.settings());
        doc_.setAlwaysOnTop(form_.values.alwaysOnTop);
    });
    showValues();
}

void SettingsDialog::reject()
{
    if (form_.confirmCloseBox(prompt_))
        QDialog::reject();
}

void SettingsDialog::done(int r)
{
    storeSettings();
    QDialog::done(r);
}

void SettingsDialog::storeSettings()
{
    if (closed_)
        return;
    closed_ = true;
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
