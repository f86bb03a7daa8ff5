// The input box pastes the clipboard's plain text, taken once; nothing
// happens when the clipboard holds none.

#include "mainwindow/ui/InputArea.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

using namespace petari;

TEST(InputAreaPaste, PlainTextOnceAndNothingFromAnEmptyClipboard)
{
    InputArea box;
    box.show();
    box.setFocus();
    QClipboard* clipboard = QGuiApplication::clipboard();
    struct Case {
        const char* html;   // offered beside the text, never pasted
        QString text;
        QString boxAfter;
    };
    const Case cases[] = {
        {nullptr, QStringLiteral("貼り付け"), QStringLiteral("貼り付け")},
        {"<b>太字</b>", QStringLiteral("太字"), QStringLiteral("貼り付け太字")},
        {nullptr, QString(), QStringLiteral("貼り付け太字")},
    };
    for (const Case& c : cases) {
        auto* data = new QMimeData;
        if (c.html)
            data->setHtml(QString::fromUtf8(c.html));
        if (!c.text.isEmpty())
            data->setText(c.text);
        clipboard->setMimeData(data);
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box.toPlainText(), c.boxAfter) << c.text.toStdString();
    }
    box.setReadOnly(true);
    clipboard->setText(QStringLiteral("x"));
    box.pasteText();
    EXPECT_EQ(box.toPlainText(), QStringLiteral("貼り付け太字"));
}
