#include "dialogs/ui/NoticeDialog.h"

#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "platform/ui/KeyboardAccess.h"
#include "editing/Document.h"
#include "services/Guard.h"
#include "platform/ui/WindowPlace.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

namespace petari {

namespace {
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
    textBox_ = new QPlainTextEdit(this);
    textBox_->setObjectName(QStringLiteral("Text9"));
    textBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    textBox_->setAccessibleName(QStringLiteral("本文"));
    // Tab goes on to the buttons; Ctrl+Tab types a tab character.
    letTabMoveOn(textBox_);
    const char* captions[3] = {"OK", "キャンセル", "再表示"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(captions[i]), this);
        b->setObjectName(QStringLiteral("Command9_%1").arg(i));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { pressButton(i); });
        buttons_[i] = b;
    }
    showAgainBox_ = new QCheckBox(QStringLiteral("次回起動時も表示する。"), this);
    showAgainBox_->setObjectName(QStringLiteral("Check1"));

    placeAlongTheRow();
    resize(twipsToPixels(kInitialWidth - kFrameWidth), twipsToPixels(kInitialHeight - kFrameHeight));

    loadSettings();
}

NoticeDialog::~NoticeDialog()
{
    if (!closed_)
        storeSettings();
}

void NoticeDialog::loadSettings()
{
    guarded(label("Form_Load"), [&] {
        if (document_)
            document_->liftTopmost();
        if (settings_) {
            place_.restore(*this, *settings_, settings::noticeDialogArea);
        }
        applyMode();
    });
}

void NoticeDialog::applyMode()
{
    mode_ = noticeMode(request_.mode);
    setWindowTitle(request_.caption);
    textBox_->setPlainText(noticeTextForDisplay(request_.body));
    const NoticeLayout layout = noticeLayout(mode_, request_.extra);
    for (int i = 0; i < 3; ++i) {
        buttons_[i]->setText(layout.captions[i]);
        buttons_[i]->setVisible(!layout.captions[i].isEmpty());
    }
    showAgainBox_->setVisible(layout.checkVisible);
    showAgainBox_->setChecked(layout.checkChecked);
    showAgainBox_->setEnabled(layout.checkEnabled);
    placeAlongTheRow();
}

void NoticeDialog::placeAlongTheRow()
{
    // The shown buttons side by side from the left, the check box after them.
    int left = kButtonGap;
    for (QPushButton* b : buttons_) {
        b->setGeometry(twipsToPixels(left), b->y(), twipsToPixels(kButtonWidth),
                       twipsToPixels(kButtonHeight));
        if (!b->isHidden())
            left += kButtonWidth + kButtonGap;
    }
    showAgainBox_->setGeometry(twipsToPixels(left), showAgainBox_->y(),
                               std::max(twipsToPixels(kCheckWidth), showAgainBox_->sizeHint().width()),
                               twipsToPixels(kCheckHeight));
}

QString NoticeDialog::text() const { return noticeTextFromDisplay(textBox_->toPlainText()); }

void NoticeDialog::pressButton(int index)
{
    guarded(label("Command9_Click"), [&] {
        const NoticeAction action = noticeAction(mode_, index);
        if (action == NoticeAction::Restore) {
            textBox_->setPlainText(noticeTextForDisplay(request_.body));
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
    result_.checked = showAgainBox_->isChecked();
    result_.text = text();
    if (!closed_)
        storeSettings();
    QDialog::done(r);
}

void NoticeDialog::storeSettings()
{
    closed_ = true;
    guarded(label("Form_Unload"), [&] {
        if (settings_)
            place_.store(*this, *settings_, settings::noticeDialogArea);
        if (document_)
            document_->restoreTopmost();
    });
}

void NoticeDialog::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    fitToWindowSize();
}

void NoticeDialog::fitToWindowSize()
{
    // The rule counts the window with its frame; a nominal frame keeps the
    // layout the same whatever the window manager draws around it.
    const NoticeGeometry g = noticeGeometry(pixelsToTwips(height()) + kFrameHeight,
                                            pixelsToTwips(width()) + kFrameWidth, kButtonHeight);
    if (!g.applies)
        return;
    for (QPushButton* b : buttons_)
        b->move(b->x(), twipsToPixels(g.buttonsTop));
    showAgainBox_->move(showAgainBox_->x(), twipsToPixels(g.checkTop));
    textBox_->setGeometry(0, 0, twipsToPixels(g.textWidth), twipsToPixels(g.textHeight));
}

NoticeResult QtNoticePresenter::show(const NoticeRequest& request)
{
    NoticeDialog dialog(request, settings_, document_, parent_);
    dialog.exec();
    return dialog.result();
}

}  // namespace petari
