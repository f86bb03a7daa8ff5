#include "dialogs/PasteOptions.h"
#include "platform/DesktopHooks.h"
#include "platform/SettingsStore.h"
#include "platform/x11/X11Keys.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace petari;

TEST(DesktopHooks, TerminalsAreToldByTheirWindowClass)
{
    const QStringList terminals = terminalClassList(QStringLiteral(" xterm; URxvt ,foot\tkitty"));
    EXPECT_EQ(terminals, QStringList({"xterm", "URxvt", "foot", "kitty"}));
    struct Case { QStringList classes; bool terminal; };
    const Case cases[] = {
        {{"xterm", "XTerm"}, true},
        {{"urxvt", "URxvt"}, true},
        {{"FOOT"}, true},
        {{"petari", "petari"}, false},
        {{"footer"}, false},
        {{}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isTerminalWindow(c.classes, terminals), c.terminal) << c.classes.join(',').toStdString();
    EXPECT_TRUE(isTerminalWindow({"gnome-terminal-server"}, terminalClassList(defaultTerminalClasses())));
}

TEST(DesktopHooks, TheXtermFamilyPastesThePrimarySelectionWithShiftInsert)
{
    // A list stored before names xterm among the Ctrl+Shift+V terminals.
    const QStringList stored = terminalClassList(QStringLiteral("xterm;URxvt;foot"));
    struct Case { QStringList classes; PasteKey key; };
    const Case cases[] = {
        {{"xterm", "XTerm"}, PasteKey::ShiftInsert},
        {{"uxterm", "UXTerm"}, PasteKey::ShiftInsert},
        {{"urxvt", "URxvt"}, PasteKey::ShiftInsert},
        {{"Eterm"}, PasteKey::ShiftInsert},
        {{"foot"}, PasteKey::CtrlShiftV},
        {{"kitty"}, PasteKey::CtrlV},   // not in this list
        {{"xterms"}, PasteKey::CtrlV},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pasteKeyFor(c.classes, stored), c.key) << c.classes.join(',').toStdString();
    EXPECT_EQ(pasteKeyFor({"xterm"}, {}), PasteKey::ShiftInsert);
    EXPECT_FALSE(isTerminalWindow({"xterm"}, terminalClassList(defaultTerminalClasses())));

    // Control_L 0xffe3, Shift_L 0xffe1, v 0x76, Insert 0xff63.
    EXPECT_EQ(pasteKeysyms(PasteKey::CtrlV), (std::vector<quint32>{0xffe3, 0x76}));
    EXPECT_EQ(pasteKeysyms(PasteKey::CtrlShiftV), (std::vector<quint32>{0xffe3, 0xffe1, 0x76}));
    EXPECT_EQ(pasteKeysyms(PasteKey::ShiftInsert), (std::vector<quint32>{0xffe1, 0xff63}));
}

TEST(DesktopHooks, KeysAsX11GrabsThem)
{
    struct Case { const char* key; quint32 keysym; quint16 modifiers; };
    const Case cases[] = {
        {"Ctrl+Alt+V", 0x76, 4 | 8},
        {"Meta+F12", 0xffc9, 64},
        {"Shift+Ins", 0xff63, 1},
        {"Ctrl+1", 0x31, 4},
        {"F1", 0xffbe, 0},
    };
    for (const Case& c : cases) {
        const QKeySequence k = QKeySequence::fromString(QString::fromLatin1(c.key), QKeySequence::PortableText);
        const std::optional<X11Key> x = x11KeyFor(k[0]);
        ASSERT_TRUE(x.has_value()) << c.key;
        EXPECT_EQ(*x, (X11Key{c.keysym, c.modifiers})) << c.key;
    }
    EXPECT_FALSE(x11KeyFor(QKeyCombination(Qt::ControlModifier, Qt::Key_Control)).has_value());
}

TEST(DesktopHooks, KeysAsThePortalNamesThem)
{
    struct Case { const char* key; const char* trigger; };
    const Case cases[] = {
        {"Ctrl+Shift+V", "CTRL+SHIFT+v"},
        {"Meta+F12", "LOGO+F12"},
        {"Ctrl+Alt+PgUp", "CTRL+ALT+Page_Up"},
        {"Ctrl+;", ""},   // no name here: the desktop lets the user choose
    };
    for (const Case& c : cases) {
        const QKeySequence k = QKeySequence::fromString(QString::fromLatin1(c.key), QKeySequence::PortableText);
        EXPECT_EQ(portalTrigger(k[0]), QString::fromLatin1(c.trigger)) << c.key;
    }
}

TEST(PasteOptions, OffUntilTurnedOnAndKeptInF5)
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("petari.ini")));
    const PasteOptions fresh = PasteOptions::load(store);
    EXPECT_FALSE(fresh.pasteToPrevious);
    EXPECT_FALSE(fresh.trayIcon);
    EXPECT_FALSE(fresh.closeToTray);
    EXPECT_EQ(fresh.callKey, "");
    EXPECT_EQ(fresh.terminalClasses, defaultTerminalClasses());

    PasteOptions o{true, QStringLiteral("xterm"), QStringLiteral("Ctrl+Alt+V"), true, true};
    o.save(store);
    EXPECT_EQ(store.read("F5", "s10", ""), "1");
    EXPECT_EQ(store.read("F5", "s11", ""), "xterm");
    EXPECT_EQ(store.read("F5", "s12", ""), "Ctrl+Alt+V");
    EXPECT_EQ(store.read("F5", "s13", ""), "1");
    EXPECT_EQ(store.read("F5", "s14", ""), "1");
}
