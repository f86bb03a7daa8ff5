// With nothing stored, start-up opens the read-me: the settings dialog shows
// that same choice, and ＯＫ keeps it.

#include "dialogs/ui/SettingsDialog.h"
#include "support/Fixture.h"

#include "platform/ProgramFolder.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace petari;

TEST(StartupFileDialog, EmptySettingsShowAndKeepTheReadMe)
{
    test::DocumentFixture f;
    const QString readMe = f.doc->programFolder() + QStringLiteral("/ペタリ_はじめに読んでください.txt");
    QFile file(readMe);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    SettingsDialog dialog(*f.doc, f.prompt);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_TRUE(test::child<QCheckBox>(dialog, "Check4")->isChecked());
    EXPECT_EQ(test::child<QLabel>(dialog, "Label4")->text(), readMe);
    QTest::mouseClick(test::child<QPushButton>(dialog, "Command2_0"), Qt::LeftButton);

    EXPECT_EQ(f.settings->read("F5", "s2"), QStringLiteral("1"));
    EXPECT_EQ(f.settings->read("F5", "s3"), readMe);
    const StartupFile next = storedStartupFile(*f.settings, f.doc->programFolder());
    EXPECT_TRUE(next.open);
    EXPECT_EQ(next.path, readMe);
}
