// Digits typed with the input method on are full-width: the size boxes read
// them as the generator window's boxes do.

#include "support/Fixture.h"

#include "table/ui/TableWindow.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace petari;

TEST(TableSizeBoxes, FullWidthDigitsAreTheirNumbers)
{
    test::DocumentFixture f;
    TableWindow window(*f.doc, f.prompt);
    window.show();
    test::child<QAction>(window, "ssh")->trigger();
    const char* typed[] = {"１", "１", "２", "７０"};
    const char* shown[] = {"1", "1", "2", "55"};
    for (int i = 0; i < 4; ++i) {
        auto* box = test::child<QComboBox>(window, ("Combo1_" + std::to_string(i)).c_str());
        box->lineEdit()->clear();
        // As the input method hands over each character it composed.
        for (QChar c : QString::fromUtf8(typed[i])) {
            QInputMethodEvent composed;
            composed.setCommitString(c);
            QApplication::sendEvent(box->lineEdit(), &composed);
        }
        EXPECT_EQ(box->currentText(), QString::fromUtf8(shown[i])) << i;
    }
    test::child<QComboBox>(window, "Combo1_3")->setEditText(QStringLiteral("２"));
    QTest::mouseClick(test::child<QPushButton>(window, "Command1_0"), Qt::LeftButton);
    EXPECT_EQ(window.grid().lastUsedRow(), 3);
    EXPECT_TRUE(window.grid().lines().first().startsWith(QStringLiteral("┌──┬──┐　")));
}
