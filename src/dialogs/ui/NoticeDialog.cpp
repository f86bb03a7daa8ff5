#include "dialogs/ui/NoticeDialog.h"

#include "platform/SettingsStore.h"
#include "editing/Document.h"
#include "services/Guard.h"
#include "platform/ui/WindowPlace.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

namespace petari {

namespace {
const QString kSection = QStringLiteral("F4");
constexpr int kDefaultPosition = 105;
constexpr int kButtonWidth = 1200;
constexpr int kButtonGap = 120;
constexpr int kCheckWidth = 3300;
constexpr int kCheckHeight = 300;
// Outer size on first opening; the text box then shows the whole report.
constexpr int kInitialWidth = 8100 + NoticeDialog::kFrameWidth;
constexpr int kInitialHeight = 6750 + NoticeDialog::kFrameHeight;

QString label(const char* procedure) { return QStringLiteral("F4 ") + QLatin1String(procedure); }
}  // namespace

NoticeDialog::NoticeDialog(const NoticeRequest& request, SettingsStore* settings, Document* document,
             QWidget* parent)
    : QDialog(parent), request_(request), settings_(settings), document_(document)
{
    setObjectName(QStringLiteral("Form4"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);

    // The design layout, which every mode then adjusts.
    text9_ = new QPlainTextEdit(this);
    text9_->setObjectName(QStringLiteral("Text9"));
    text9_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const char* captions[3] = {"OK", "キャンセル", "再表示"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(captions[i]), this);
        b->setObjectName(QStringLiteral("Command9_%1").arg(i));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { Command9_Click(i); });
        command9_[i] = b;
    }
    check1_ = new QCheckBox(QStringLiteral("次回起動時も表示する。"), this);
    check1_->setObjectName(QStringLiteral("Check1"));

    placeAlongTheRow();
    resize(twipsToPixels(kInitialWidth - kFrameWidth), twipsToPixels(kInitialHeight - kFrameHeight));

    Form_Load();
}

NoticeDialog::~NoticeDialog()
{
    if (!unloaded_)
        Form_Unload();
}

void NoticeDialog::Form_Load()
{
    guarded(label("Form_Load"), [&] {
        if (document_)
            document_->liftTopmost();
        if (settings_) {
            place_.restore(*this, *settings_, kSection, kDefaultPosition, kDefaultPosition);
        }
        F4_Main();
    });
}

void NoticeDialog::F4_Main()
{
    mode_ = noticeMode(request_.mode);
    setWindowTitle(request_.caption);
    text9_->setPlainText(noticeTextForDisplay(request_.body));
    const NoticeLayout layout = noticeLayout(mode_, request_.extra);
    for (int i = 0; i < 3; ++i) {
        command9_[i]->setText(layout.captions[i]);
        command9_[i]->setVisible(!layout.captions[i].isEmpty());
    }
    check1_->setVisible(layout.checkVisible);
    check1_->setChecked(layout.checkChecked);
    check1_->setEnabled(layout.checkEnabled);
    placeAlongTheRow();
}

void NoticeDialog::placeAlongTheRow()
{
    // The shown buttons side by side from the left, the check box after them.
    int left = kButtonGap;
    for (QPushButton* b : command9_) {
        b->setGeometry(twipsToPixels(left), b->y(), twipsToPixels(kButtonWidth),
                       twipsToPixels(kButtonHeight));
        if (!b->isHidden())
            left += kButtonWidth + kButtonGap;
    }
    check1_->setGeometry(twipsToPixels(left), check1_->y(),
                         std::max(twipsToPixels(kCheckWidth), check1_->sizeHint().width()),
                         twipsToPixels(kCheckHeight));
}

QString NoticeDialog::text() const { return noticeTextFromDisplay(text9_->toPlainText()); }

void NoticeDialog::Command9_Click(int index)
{
    guarded(label("Command9_Click"), [&] {
        const NoticeAction action = noticeAction(mode_, index);
        if (action == NoticeAction::Restore) {
            text9_->setPlainText(noticeTextForDisplay(request_.body));
            return;
        }
        result_.button = index;
        result_.action = action;
        accept();
    });
}

void NoticeDialog::done(int r)
{
    // However the dialog ends (a button, the close box, Esc), the caller
    // gets the box's text and the check box as they were.
    result_.checked = check1_->isChecked();
    result_.text = text();
    if (!unloaded_)
        Form_Unload();
    QDialog::done(r);
}

void NoticeDialog::Form_Unload()
{
    unloaded_ = true;
    guarded(label("Form_Unload"), [&] {
        if (settings_)
            place_.store(*this, *settings_, kSection);
        if (document_)
            document_->restoreTopmost();
    });
}

void NoticeDialog::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    Form_Resize();
}

void NoticeDialog::Form_Resize()
{
    // The rule counts the window with its frame; a nominal frame keeps the
    // layout the same whatever the window manager draws around it.
    const NoticeGeometry g = noticeGeometry(pixelsToTwips(height()) + kFrameHeight,
                                            pixelsToTwips(width()) + kFrameWidth, kButtonHeight);
    if (!g.applies)
        return;
    for (QPushButton* b : command9_)
        b->move(b->x(), twipsToPixels(g.buttonsTop));
    check1_->move(check1_->x(), twipsToPixels(g.checkTop));
    text9_->setGeometry(0, 0, twipsToPixels(g.textWidth), twipsToPixels(g.textHeight));
}

NoticeResult QtNoticePresenter::show(const NoticeRequest& request)
{
    NoticeDialog dialog(request, settings_, document_, parent_);
    dialog.exec();
    return dialog.result();
}

}  // namespace petari
