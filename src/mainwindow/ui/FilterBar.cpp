#include "mainwindow/ui/FilterBar.h"

#include "platform/ui/KeyboardAccess.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace petari {

namespace {
constexpr int kGap = 4;
}  // namespace

FilterBar::FilterBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("filterBar"));
    label_ = new QLabel(QStringLiteral("絞り込み"), this);
    label_->setObjectName(QStringLiteral("filterLabel"));
    box_ = new QLineEdit(this);
    box_->setObjectName(QStringLiteral("filterBox"));
    box_->setToolTip(QStringLiteral("空白で区切った言葉をすべて含む行だけを表示します。"));
    nameAfter(label_, box_);
    auto check = [this](const char* name, const char* caption) {
        auto* c = new QCheckBox(QString::fromUtf8(caption), this);
        c->setObjectName(QString::fromLatin1(name));
        c->setChecked(true);
        // The state, not a click: a key or an accessibility action counts too.
        connect(c, &QCheckBox::toggled, this, &FilterBar::foldingChanged);
        c->installEventFilter(this);
        return c;
    };
    widthBox_ = check("filterWidth", "全角と半角を区別しない");
    kanaBox_ = check("filterKana", "ひらがなとカタカナを区別しない");
    caseBox_ = check("filterCase", "大文字と小文字を区別しない");
    box_->installEventFilter(this);
    connect(box_, &QLineEdit::textChanged, this, &FilterBar::queryEdited);
    setReadingOrder({box_, widthBox_, kanaBox_, caseBox_});
}

QWidget* FilterBar::lastControl() const { return caseBox_; }

QString FilterBar::query() const { return box_->text(); }

SearchFolding FilterBar::folding() const
{
    return SearchFolding{widthBox_->isChecked(), kanaBox_->isChecked(), caseBox_->isChecked()};
}

bool FilterBar::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, e);
    const auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        emit closeRequested();
        return true;
    }
    const bool onward = key->key() == Qt::Key_Down || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == box_ && onward && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        emit enterList();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

FilterBar::Arrangement FilterBar::arrangement(int width) const
{
    Arrangement a;
    const int rowHeight = std::max(box_->sizeHint().height(), widthBox_->sizeHint().height());
    const int labelWidth = label_->sizeHint().width();
    a.label = QRect(0, 0, labelWidth, rowHeight);
    a.box = QRect(labelWidth + kGap, 0, std::max(1, width - labelWidth - kGap), rowHeight);
    // As many check boxes to a line as the width holds (Qt has no layout that wraps).
    int x = 0, y = rowHeight + kGap / 2;
    const std::array<const QCheckBox*, 3> checks = {widthBox_, kanaBox_, caseBox_};
    for (size_t i = 0; i < checks.size(); ++i) {
        const int w = checks[i]->sizeHint().width();
        if (x > 0 && x + w > width) {
            x = 0;
            y += rowHeight;
        }
        a.checks[i] = QRect(x, y, std::min(w, width), rowHeight);
        x += w + 2 * kGap;
    }
    a.height = y + rowHeight;
    return a;
}

int FilterBar::heightForWidth(int width) const { return arrangement(width).height; }

void FilterBar::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    const Arrangement a = arrangement(width());
    label_->setGeometry(a.label);
    box_->setGeometry(a.box);
    const std::array<QCheckBox*, 3> checks = {widthBox_, kanaBox_, caseBox_};
    for (size_t i = 0; i < checks.size(); ++i)
        checks[i]->setGeometry(a.checks[i]);
}

}  // namespace petari
