// The help names the main window's menu commands by their captions; a reader
// looks for exactly those words in the menus.  These tests read the installed
// help page and compare it with the menus of a main window.
#include "support/Fixture.h"

#include "mainwindow/ui/MainWindow.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace petari;
using petari::test::Fixture;

namespace {

QString helpPage()
{
    QFile f(QStringLiteral(PETARI_SOURCE_DIR "/data/ペタリのヘルプ.html"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(f.fileName());
    return QString::fromUtf8(f.readAll());
}

QString plainText(QString html)
{
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return html.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"))
        .trimmed();
}

// Some captions carry what they act on: 戻す　(貼り付け)　3, 追加　(a.txt).
// The help names them by the part before the parenthesis.
bool captionMatches(const QString& menuText, const QString& named)
{
    return menuText == named || menuText.startsWith(named + QStringLiteral("　("));
}

// The caption as the help writes it: without the access key that follows it
// in the menus ("開く(&O)" is 「開く」), an ampersand of its own shown once.
QString caption(const QAction* a)
{
    QString text = a->text();
    text.remove(QRegularExpression(QStringLiteral("\\(&[A-Z0-9]\\)$")));
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

QMenu* topMenu(const QMenuBar* bar, const QString& title)
{
    for (QAction* a : bar->actions())
        if (a->menu() && caption(a) == title)
            return a->menu();
    return nullptr;
}

// Every caption under a menu, its submenus' own captions included.
QStringList captionsUnder(const QMenu* menu)
{
    QStringList all;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || a->text().isEmpty())
            continue;
        all << caption(a);
        if (a->menu())
            all << captionsUnder(a->menu());
    }
    return all;
}

bool anyMatches(const QStringList& captions, const QString& named)
{
    for (const QString& c : captions)
        if (captionMatches(c, named))
            return true;
    return false;
}

struct MenuWindow {
    Fixture f;
    MainWindow w{*f.c};
    const QMenuBar* bar() const { return w.menuBar(); }
};

}  // namespace

// Each menu's section of the help lists its commands in the first column of a
// table; "（ファイル名）" stands for the files listed there.  Two captions
// in one cell are parted by "／".
TEST(HelpCaptions, EveryCommandTheMenuSectionsListIsInThatMenu)
{
    MenuWindow win;
    const QString html = helpPage();
    const QRegularExpression section(
        QStringLiteral("<h2 id=\"m-[a-z]+\">[^<]*メニュー「([^」]+)」</h2>(.*?)(?=<h2)"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression firstCell(QStringLiteral("<tr><td>(.*?)</td>"));
    QStringList sections;
    for (auto s = section.globalMatch(html); s.hasNext();) {
        const auto m = s.next();
        const QString title = m.captured(1);
        sections << title;
        const QMenu* menu = topMenu(win.bar(), title);
        ASSERT_NE(menu, nullptr) << "no menu " << qPrintable(title);
        const QStringList captions = captionsUnder(menu);
        int named = 0;
        for (auto row = firstCell.globalMatch(m.captured(2)); row.hasNext();) {
            for (const QString& part : plainText(row.next().captured(1)).split(QStringLiteral(" ／ "))) {
                if (part.startsWith(QStringLiteral("（")))
                    continue;
                ++named;
                EXPECT_TRUE(anyMatches(captions, part))
                    << "the help names 「" << qPrintable(part) << "」 under " << qPrintable(title)
                    << ", the menu has: " << qPrintable(captions.join(QStringLiteral(" | ")));
            }
        }
        EXPECT_GT(named, 0) << qPrintable(title);
    }
    EXPECT_EQ(sections, QStringList({"ファイル", "履歴", "お気に入り", "編集", "設定", "ヘルプ"}));
}

// A way through the menus written as 「設定」→「右クリック」 follows the menus
// step by step.  Paths in other windows' menus start with no main menu title.
TEST(HelpCaptions, EveryMenuPathInTheHelpLeadsThroughTheMenus)
{
    MenuWindow win;
    const QString text = plainText(helpPage());
    const QRegularExpression path(QStringLiteral("「[^「」]+」(?:→「[^「」]+」)+"));
    const QRegularExpression step(QStringLiteral("「([^「」]+)」"));
    int followed = 0;
    for (auto p = path.globalMatch(text); p.hasNext();) {
        const QString whole = p.next().captured(0);
        QStringList steps;
        for (auto s = step.globalMatch(whole); s.hasNext();)
            steps << s.next().captured(1);
        const QMenu* menu = topMenu(win.bar(), steps.first());
        if (!menu)
            continue;
        ++followed;
        for (int i = 1; i < steps.size(); ++i) {
            const QAction* found = nullptr;
            for (QAction* a : menu->actions())
                if (!a->isSeparator() && captionMatches(caption(a), steps[i]))
                    found = a;
            ASSERT_NE(found, nullptr) << qPrintable(whole) << ": no 「" << qPrintable(steps[i]) << "」";
            if (i + 1 < steps.size()) {
                menu = found->menu();
                ASSERT_NE(menu, nullptr) << qPrintable(whole) << ": 「" << qPrintable(steps[i]) << "」 is no menu";
            }
        }
    }
    // 「設定」→「右クリック」, →「コピーの方法」 and →「レジストリの保存」 at least.
    EXPECT_GE(followed, 3);
}

// The other way round: no command of the menus is missing from the help.
TEST(HelpCaptions, EveryMenuCommandIsNamedInTheHelp)
{
    MenuWindow win;
    const QString text = plainText(helpPage());
    for (QAction* top : win.bar()->actions()) {
        ASSERT_NE(top->menu(), nullptr);
        for (const QString& named : captionsUnder(top->menu())) {
            const QString stable = named.left(named.indexOf(QStringLiteral("　(")));
            EXPECT_TRUE(text.contains(named) || text.contains(stable))
                << "「" << qPrintable(named) << "」 of " << qPrintable(caption(top)) << " is not in the help";
        }
    }
}
