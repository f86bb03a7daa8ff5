#pragma once
// "バージョン情報" and the version notice shown at start-up, both through the
// notice dialog.

#include "services/NoticeRequest.h"

#include <QStringList>

namespace petari {

class SettingsStore;

// The 11 lines of the version information (index 0 to 10).
QStringList versionInformationLines(const QString& programFolder);

// Mode "3", caption "バージョン情報", the lines each followed by CR LF.
NoticeRequest versionInformationRequest(const QString& programFolder);

// The menu command, under the label "F1 mhb_Click".
void versionInformationCommand(NoticePresenter& presenter, const QString& programFolder);

// The keys of section "ver" for the running revision: "167b", "167a", "167".
QString versionNoticeStateKey();
QString versionNoticeTitleKey();
QString versionNoticeBodyKey();

// The version notice when one is pending for this revision ("ver"/"167b" is
// not "0"): mode "5" with the stored title and text, the stored state as the
// check box.  On "了解" the check box is stored back as "0" or "1", unless
// the state was the fixed "2".  Returns whether the notice was shown.  Runs
// inside start-up's own guard; storing the answer reports under
// "F4 Command9_Click".
bool showVersionNotice(SettingsStore& settings, NoticePresenter& presenter);

}  // namespace petari
