#pragma once
// ヘルプを開く: the help is an HTML page shown in the user's own browser.

#include "platform/Failure.h"
#include "platform/UserPrompt.h"

#include <QString>
#include <functional>

class QObject;

namespace petari {

// Opens "ペタリのヘルプ.html", found like every read-only file (see
// findReadOnlyFile), with the desktop's opener for it (xdg-open) and returns
// true.  A help file that is nowhere to be found is told through prompt, with
// the folders looked in, and gives false.  An opener that cannot be started
// throws a Failure (53), so the caller's guard reports it; one that starts
// and then fails (no browser to hand the page to) gives the same Failure to
// failedLater, on context's thread, with what the opener said.
bool openHelp(const QString& programFolder, UserPrompt& prompt, QObject* context,
              std::function<void(const Failure&)> failedLater);

}  // namespace petari
