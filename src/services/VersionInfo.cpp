#include "services/VersionInfo.h"

#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "services/Guard.h"
#include "services/ProgramInfo.h"

#include <QDir>

namespace petari {

namespace {
// This revision's notice.
settings::Text noticeState() { return settings::versionNoticeState.at(programinfo::revision); }
settings::Text noticeTitle() { return settings::versionNoticeTitle.at(programinfo::revision); }
settings::Text noticeBody() { return settings::versionNoticeBody.at(programinfo::revision); }
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

QString versionNoticeStateKey() { return noticeState().place.key; }
QString versionNoticeTitleKey() { return noticeTitle().place.key; }
QString versionNoticeBodyKey() { return noticeBody().place.key; }

bool showVersionNotice(SettingsStore& settings, NoticePresenter& presenter)
{
    const QString state = settings.get(noticeState());
    if (state == QLatin1String("0"))
        return false;
    NoticeRequest r;
    r.mode = QStringLiteral("5");
    r.caption = settings.get(noticeTitle());
    r.body = settings.get(noticeBody());
    r.extra = state;
    const NoticeResult result = presenter.show(r);
    if (result.action == NoticeAction::Acknowledge && !isFixedNotice(r.extra)) {
        guarded(QStringLiteral("F4 Command9_Click"), [&] {
            settings.set(noticeState(), result.checked ? QStringLiteral("1") : QStringLiteral("0"));
        });
    }
    return true;
}

}  // namespace petari
