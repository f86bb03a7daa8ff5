#pragma once
// The whole interface speaks Japanese, Qt's own buttons and dialogs
// included, whatever the user's locale.

class QCoreApplication;

namespace petari {

// Loads Qt's Japanese translation into app; false when it is not installed
// (the program then runs with Qt's English texts).
bool installJapaneseTranslation(QCoreApplication& app);

}  // namespace petari
