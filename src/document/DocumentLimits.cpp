#include "document/DocumentLimits.h"

#include <QLocale>

namespace petari {

QString withSeparators(qint64 n)
{
    // The C locale of Qt 6 leaves the separators out unless told.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    return c.toString(n);
}

QString documentTooLargeMessage(const DocumentTooLarge& refusal, const DocumentLimits& limits,
                                const QString& refused)
{
    return (refusal.tooManyLines() ? QStringLiteral("行") : QStringLiteral("文字")) +
           QStringLiteral("が多すぎるため、") + refused + QStringLiteral("。\r\n一つの文書に入るのは%1行、%2文字までです。")
                                                         .arg(withSeparators(limits.lines), withSeparators(limits.units));
}

}  // namespace petari
