#include "platform/Clipboard.h"

#include "platform/Failure.h"

#include <QClipboard>
#include <QGuiApplication>

namespace petari {

namespace {
QClipboard* board()
{
    QClipboard* cb = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                         ? QGuiApplication::clipboard()
                         : nullptr;
    if (!cb)
        throw Failure(err::ClipboardBusy);
    return cb;
}
}  // namespace

void SystemClipboard::clear() { board()->clear(QClipboard::Clipboard); }

QString SystemClipboard::text() const { return board()->text(QClipboard::Clipboard); }

void SystemClipboard::setText(const QString& text) { board()->setText(text, QClipboard::Clipboard); }

}  // namespace petari
