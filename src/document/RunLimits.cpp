#include "document/RunLimits.h"

#include "document/DocumentLimits.h"

namespace petari {

RunRefused::RunRefused(QString message) : message_(std::move(message)), what_(message_.toStdString())
{
}

QString tooManyLinesMessage()
{
    return QStringLiteral("作成する行が多すぎます。一度に作成できるのは%1行までです。").arg(withSeparators(kMaxLines));
}

QString tooManyCharactersMessage()
{
    return QStringLiteral("作成する文字が多すぎます。一度に作成できるのは%1文字までです。")
        .arg(withSeparators(kMaxCharacters));
}

void checkRunSize(qint64 lines, qint64 characters)
{
    if (lines > kMaxLines)
        throw RunRefused(tooManyLinesMessage());
    if (characters > kMaxCharacters)
        throw RunRefused(tooManyCharactersMessage());
}

}  // namespace petari
