#include "copy/Invisibles.h"

#include "document/Cp932.h"

namespace petari {

QString spellOutInvisibles(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar ch : text) {
        const int code = cp932::codeOf(char32_t(ch.unicode()));
        if (code == 9)
            shown.append(QStringLiteral("[Tab]"));
        else if (code < 32)
            shown.append(u'[' + QString::number(code) + u']');
        else if (code == 32)
            shown.append(QStringLiteral("[半S]"));
        else if (code == 0x8140)
            shown.append(QStringLiteral("[全S]"));
        else
            shown.append(ch);
    }
    return shown;
}

}  // namespace petari
