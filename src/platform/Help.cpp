#include "platform/Help.h"

#include "platform/Failure.h"
#include "platform/ProgramFolder.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace petari {

bool openHelp(const QString& programFolder, UserPrompt& prompt)
{
    const QString path = findReadOnlyFile(programFolder, helpFileName());
    if (path.isEmpty()) {
        QString text = QStringLiteral("ヘルプファイル「") + helpFileName()
                       + QStringLiteral("」が見つかりません。\r\n\r\n探した場所:");
        for (const QString& folder : readOnlyFolders(programFolder))
            text += QStringLiteral("\r\n　") + QDir::toNativeSeparators(folder);
        prompt.showMessage(QStringLiteral("ペタリ"), text, Icon::Exclamation);
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        throw Failure(err::FileNotFound,
                      QStringLiteral("ヘルプを表示するブラウザを起動できません　") + path);
    return true;
}

}  // namespace petari
