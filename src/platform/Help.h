#pragma once
// ヘルプを開く: the help is an HTML page shown in the user's own browser.

#include "platform/UserPrompt.h"

#include <QString>

namespace petari {

// Opens "ペタリのヘルプ.html", found like every read-only file (see
// findReadOnlyFile), with the desktop's handler for HTML files and returns
// true.  A help file that is nowhere to be found is told through prompt, with
// the folders looked in, and gives false.  A desktop that cannot open the
// file throws a Failure (53), so the caller's guard reports it.
bool openHelp(const QString& programFolder, UserPrompt& prompt);

}  // namespace petari
