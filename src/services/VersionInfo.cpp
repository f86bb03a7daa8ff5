#include "services/VersionInfo.h"

#include "platform/SettingsStore.h"
#include "services/Guard.h"
#include "services/ProgramInfo.h"

#include <QDir>

namespace petari {

namespace {
const QString kVersionSection = QStringLiteral("ver");
QString revisionText() { return QString::number(programinfo::revision); }
}  // namespace

QStringList versionInformationLines(const QString& programFolder)
{
    QStringList l;
    for (int i = 0; i < 11; ++i)
        l << QString();
    l[0] = QStringLiteral("　ソフト名　　　") + programinfo::caption();
    l[1] = QStringLiteral("　バージョン　　") + programInformation(QStringLiteral("1"));
    l[2] = QStringLiteral("　使用言語　　　") + programInformation(QStringLiteral("8"));
    l[3] = QStringLiteral("　作成年　　　　1999年～2003年");
    l[4] = QStringLiteral("　作成者　　　　") + programInformation(QStringLiteral("4"));
    l[5] = QStringLiteral("　ホームページ　") + programInformation(QStringLiteral("7"));
    l[10] = QStringLiteral("　場所　　　　　") + QDir::toNativeSeparators(programFolder);
    return l;
}

NoticeRequest versionInformationRequest(const QString& programFolder)
{
    NoticeRequest r;
    r.mode = QStringLiteral("3");
    r.caption = QStringLiteral("バージョン情報");
    r.body = joinNoticeLines(versionInformationLines(programFolder));
    return r;
}

void versionInformationCommand(NoticePresenter& presenter, const QString& programFolder)
{
    guarded(QStringLiteral("F1 mhb_Click"),
            [&] { presenter.show(versionInformationRequest(programFolder)); });
}

QString versionNoticeStateKey() { return revisionText() + QLatin1Char('b'); }
QString versionNoticeTitleKey() { return revisionText() + QLatin1Char('a'); }
QString versionNoticeBodyKey() { return revisionText(); }

bool showVersionNotice(SettingsStore& settings, NoticePresenter& presenter)
{
    const QString state = settings.read(kVersionSection, versionNoticeStateKey(), QStringLiteral("0"));
    if (state == QLatin1String("0"))
        return false;
    NoticeRequest r;
    r.mode = QStringLiteral("5");
    r.caption = settings.read(kVersionSection, versionNoticeTitleKey(), QStringLiteral("お知らせ"));
    r.body = settings.read(kVersionSection, versionNoticeBodyKey(), QString());
    r.extra = state;
    const NoticeResult result = presenter.show(r);
    if (result.action == NoticeAction::Acknowledge && !isFixedNotice(r.extra)) {
        guarded(QStringLiteral("F4 Command9_Click"), [&] {
            settings.write(kVersionSection, versionNoticeStateKey(),
                           result.checked ? QStringLiteral("1") : QStringLiteral("0"));
        });
    }
    return true;
}

}  // namespace petari
