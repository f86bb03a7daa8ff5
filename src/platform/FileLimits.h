#pragma once
// Text files the program reads whole (a settings export, a rename log) are
// small.  A larger file chosen by mistake is refused before it is read:
// reading it would take several times its size in memory.

#include <QString>
#include <QtGlobal>

namespace petari {

constexpr qint64 kMaxWholeReadBytes = 16 * 1024 * 1024;

// The message for such a file: that it is too large, and the limit.
QString fileTooLargeMessage(const QString& path);

}  // namespace petari
