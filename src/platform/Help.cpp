#include "platform/Help.h"

#include "platform/ExternalProgram.h"
#include "platform/ProgramFolder.h"

#include <QDir>

namespace petari {

namespace {
Failure browserFailure(const QString& path, const QString& said)
{
    QString text = QStringLiteral("ヘルプを表示するブラウザを起動できません　") + path;
    if (!said.isEmpty())
        text += QStringLiteral("\r\n") + said;
    return Failure(err::FileNotFound, text);
}
}  // namespace

bool openHelp(const QString& programFolder, UserPrompt& prompt, QObject* context,
              std::function<void(const Failure&)> failedLater)
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
    const bool started = startWatched(QStringLiteral("xdg-open"), {path}, context,
                                      [path, failedLater](const QString& said) {
                                          failedLater(browserFailure(path, said));
                                      });
    if (!started)
        throw browserFailure(path, QString());
    return true;
}

}  // namespace petari
