#include "services/NoticeRequest.h"

#include "platform/StringUtils.h"

#include <algorithm>

namespace petari {

namespace {
constexpr int KnownError = 0;
constexpr int UnexpectedError = 1;
constexpr int VersionInformation = 3;
constexpr int EditLines = 4;
constexpr int VersionNotice = 5;

// The notice whose check box the author fixed: shown at every start.
const QString kFixedNotice = QStringLiteral("2");
}  // namespace

int noticeMode(const QString& modeText) { return leadingInt(modeText); }

NoticeAction noticeAction(int mode, int button)
{
    if (button == 2)
        return NoticeAction::Restore;
    switch (mode) {
    case KnownError:
        return button == 1 ? NoticeAction::EndProgram : NoticeAction::Close;
    case UnexpectedError:
        return button == 0 ? NoticeAction::EndProgram : NoticeAction::Close;
    case EditLines:
        return button == 0 ? NoticeAction::Modify : NoticeAction::Close;
    case VersionNotice:
        return button == 0 ? NoticeAction::Acknowledge : NoticeAction::Close;
    default:
        return NoticeAction::Close;
    }
}

NoticeLayout noticeLayout(int mode, const QString& extra)
{
    NoticeLayout l;
    const QString restore = QStringLiteral("再表示");
    switch (mode) {
    case KnownError:
        l.captions = {QStringLiteral("OK"), QStringLiteral("終了"), restore};
        l.checkVisible = false;
        break;
    case UnexpectedError:
        l.captions = {QStringLiteral("はい"), QStringLiteral("いいえ"), restore};
        l.checkVisible = false;
        break;
    case VersionInformation:
        l.captions = {QStringLiteral("OK"), QString(), restore};
        l.checkVisible = false;
        break;
    case EditLines:
        l.captions = {QStringLiteral("修正"), QStringLiteral("キャンセル"), restore};
        l.checkVisible = false;
        break;
    case VersionNotice:
        l.captions = {QStringLiteral("了解"), QString(), restore};
        if (extra == kFixedNotice) {
            l.checkChecked = true;
            l.checkEnabled = false;
        } else {
            // The stored state is "0" or "1"; anything else that is not 0 was
            // meant to show the notice, so the box stays checked.
            l.checkChecked = leadingInt(extra) != 0;
        }
        break;
    default:
        // The layout as designed.
        l.captions = {QStringLiteral("OK"), QStringLiteral("キャンセル"), restore};
        break;
    }
    return l;
}

QString noticeTextForDisplay(const QString& text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

QString noticeTextFromDisplay(const QString& text)
{
    QString out = noticeTextForDisplay(text);
    out.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return out;
}

QString joinNoticeLines(const QStringList& lines)
{
    QString out;
    for (const QString& line : lines)
        out += line + QStringLiteral("\r\n");
    return out;
}

NoticeGeometry noticeGeometry(int windowHeight, int windowWidth, int buttonHeight)
{
    NoticeGeometry g;
    if (windowHeight <= 800 || windowWidth <= 120)
        return g;
    g.applies = true;
    g.buttonsTop = windowHeight - 900;
    g.checkTop = g.buttonsTop + 120;
    // A window only a little taller than 800 twips would give the text box a
    // negative height; it just shrinks to nothing instead.
    g.textHeight = std::max(0, windowHeight - buttonHeight - 600);
    g.textWidth = windowWidth - 70;
    return g;
}

bool isFixedNotice(const QString& extra) { return extra == kFixedNotice; }

}  // namespace petari
