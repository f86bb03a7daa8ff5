#include "platform/FileLimits.h"

namespace petari {

QString fileTooLargeMessage(const QString& path)
{
    return QStringLiteral("このファイルは大きすぎるため読み込みません（%1 MiB まで）。")
               .arg(kMaxWholeReadBytes / (1024 * 1024)) +
           QStringLiteral("\r\n") + path;
}

}  // namespace petari
