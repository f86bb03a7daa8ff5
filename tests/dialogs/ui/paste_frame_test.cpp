#include "dialogs/ui/PasteFrame.h"
#include "dialogs/ui/SettingsDialog.h"
#include "support/Fixture.h"

#include "platform/SettingsStore.h"

#include <QAccessible>
#include <QCheckBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace petari;

namespace {
struct PasteFrameTest : ::testing::Test, test::DocumentFixture {};
}  // namespace

TEST_F(PasteFrameTest, WhatTheDesktopCannotDoIsDisabledAndSaysWhy)
{
    SettingsDialog f(*doc, prompt, nullptr, DesktopAbilities{});
    auto* frame = test::child<PasteFrame>(f, "pasteFrame");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QStringLiteral("貼り付け"));
    auto* paste = test::child<QCheckBox>(f, "pasteToPrevious");
    EXPECT_EQ(paste->text(), QStringLiteral("クリックした行を前のウィンドウに貼り付ける"));
    EXPECT_FALSE(paste->isEnabled());
    EXPECT_EQ(test::child<QLabel>(f, "pasteNote")->text(), pasteUnavailableText());
    for (const char* name : {"trayIcon", "closeToTray"}) {
        EXPECT_FALSE(test::child<QCheckBox>(f, name)->isEnabled()) << name;
        EXPECT_EQ(test::child<QCheckBox>(f, name)->toolTip(), trayUnavailableText()) << name;
    }
    EXPECT_FALSE(test::child<QKeySequenceEdit>(f, "callKey")->isEnabled());
}

TEST_F(PasteFrameTest, TickedOptionsAndTheKeyAreSavedWithOk)
{
    SettingsDialog f(*doc, prompt, nullptr, DesktopAbilities{true, true, true});
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    auto* paste = test::child<QCheckBox>(f, "pasteToPrevious");
    auto* tray = test::child<QCheckBox>(f, "trayIcon");
    auto* closeToTray = test::child<QCheckBox>(f, "closeToTray");
    EXPECT_FALSE(closeToTray->isEnabled());   // only with the icon shown
    QTest::mouseClick(paste, Qt::LeftButton, {}, QPoint(8, paste->height() / 2));
    QTest::mouseClick(tray, Qt::LeftButton, {}, QPoint(8, tray->height() / 2));
    ASSERT_TRUE(closeToTray->isEnabled());
    QTest::mouseClick(closeToTray, Qt::LeftButton, {}, QPoint(8, closeToTray->height() / 2));
    auto* key = test::child<QKeySequenceEdit>(f, "callKey");
    // A second stroke is dropped: only one key can be grabbed.
    key->setKeySequence(QKeySequence(QStringLiteral("Ctrl+Alt+V, X")));
    f.saveAndClose();
    EXPECT_EQ(settings->read("F5", "s10", ""), "1");
    EXPECT_EQ(settings->read("F5", "s12", ""), "Ctrl+Alt+V");
    EXPECT_EQ(settings->read("F5", "s13", ""), "1");
    EXPECT_EQ(settings->read("F5", "s14", ""), "1");
}

TEST_F(PasteFrameTest, BoxesTurnedOffThroughTheirAccessibilityActionAreSavedWithOk)
{
    // A screen reader toggles a box without clicking it.
    for (const auto& [name, key] : {std::pair{"pasteToPrevious", "s10"}, {"trayIcon", "s13"}, {"closeToTray", "s14"}}) {
        for (const char* k : {"s10", "s13", "s14"})
            settings->write("F5", k, "1");
        SettingsDialog f(*doc, prompt, nullptr, DesktopAbilities{true, true, true});
        auto* box = test::child<QCheckBox>(f, name);
        ASSERT_TRUE(box->isChecked()) << name;
        QAccessible::queryAccessibleInterface(box)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
        ASSERT_FALSE(box->isChecked()) << name;
        f.saveAndClose();
        EXPECT_EQ(settings->read("F5", key, ""), "0") << name;
    }
}
