#pragma once
#include <QString>

namespace petari {

// The folder the program keeps its work folder, read-me and help beside:
// $PETARI_HOME when set (created when missing), else the executable's folder when it is writable,
// else ~/.local/share/petari (created on demand).
QString programFolder();

// For tests: forget the cached folder so the rule is applied again.
void resetProgramFolder();

}  // namespace petari
