#include "generators/ui/NumberEdit.h"

#include "services/Guard.h"

#include <QFocusEvent>
#include <QTimer>

namespace petari {

NumberEdit::NumberEdit(const QString& objectName, QString reportLabel, QWidget* parent)
    : QLineEdit(parent), reportLabel_(std::move(reportLabel))
{
    setObjectName(objectName);
    connect(this, &QLineEdit::textChanged, this, [this] { changed(); });
}

void NumberEdit::rememberAll(QWidget& widget)
{
    // No meta-object of its own: findChildren would take every line edit.
    for (QLineEdit* e : widget.findChildren<QLineEdit*>())
        if (auto* n = dynamic_cast<NumberEdit*>(e))
            n->remember();
}

void NumberEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    remember();
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void NumberEdit::changed()
{
    if (busy_ || !check)
        return;
    busy_ = true;
    if (!guarded(reportLabel_, check)) {
        setText(remembered_);
        try {
            check();   // the labels follow the text put back
        } catch (...) {
        }
    }
    busy_ = false;
}

}  // namespace petari
