#pragma once
// The line break of the program's messages and of the files it writes for
// other Windows-born tools: CR LF.

#include <QString>

namespace petari {

inline const QString kLineBreak = QStringLiteral("\r\n");

}  // namespace petari
