#include "filenames/ui/FileNameWindow.h"

#include "editing/Document.h"
#include "editing/UndoChain.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace petari {
namespace {

struct Sink : ErrorSink {
    QStringList got;
    void report(const QString& label, int, const QString& description) override
    {
        got << label + QLatin1Char(' ') + description;
    }
};

QStringList onDisk(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    names.sort();
    return names;
}

template <class T>
T* control(QWidget& form, const char* name)
{
    T* c = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

// The case boxes answer each other whatever ticks them: a click, the space
// bar or a screen reader's action.
TEST(FileNameWindowTest, TheCaseBoxesAnswerEachOtherOnTheirState)
{
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath(QStringLiteral("petari.ini")));
    ScriptedPrompt prompt;
    Document doc(settings, prompt, dir.path());
    FileNameWindow form(doc, prompt);
    auto* lower = control<QCheckBox>(form, "Check2_0");
    auto* upper = control<QCheckBox>(form, "Check2_1");
    upper->toggle();
    EXPECT_FALSE(lower->isChecked());
    lower->setChecked(true);
    EXPECT_FALSE(upper->isChecked());
}

TEST(FileNameWindowTest, ListsRenamesAndUndoesThroughTheWindow)
{
    QTemporaryDir dir;
    Sink sink;
    setErrorSink(&sink);
    SettingsStore settings(dir.filePath(QStringLiteral("petari.ini")));
    ScriptedPrompt prompt;
    const QString program = dir.filePath(QStringLiteral("prog"));
    QDir().mkpath(program);
    Document doc(settings, prompt, program);
    doc.setAlwaysOnTop(true);

    const QString web = dir.filePath(QStringLiteral("web"));
    QDir().mkpath(web + QStringLiteral("/img"));
    const QStringList names{QStringLiteral("My File-1.htm"), QStringLiteral("Readme.TXT"),
                            QStringLiteral("カナ.txt")};
    for (const QString& n : names) {
        QFile f(web + QLatin1Char('/') + n);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    {
        FileNameWindow form(doc, prompt);
        form.show();
        EXPECT_EQ(form.windowTitle(), QStringLiteral("ファイル名の表示"));
        EXPECT_FALSE(doc.view().placedOnTop());

        // Choose the folder in the tree.
        auto* tree = control<QTreeView>(form, "Dir1");
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        ASSERT_NE(model, nullptr);
        tree->setCurrentIndex(model->index(web));
        EXPECT_EQ(control<QLabel>(form, "Label1_0")->text(), web);
        EXPECT_EQ(control<QListWidget>(form, "File1")->count(), 3);

        QTest::mouseClick(control<QPushButton>(form, "Command1_0"), Qt::LeftButton);
        const QStringList lines = doc.lines().toStringList();
        // The folder and each of its trailing parts.
        const int paths = int(web.count(QLatin1Char('/'))) + 1;
        ASSERT_EQ(lines.size(), 1 + paths + 1 + 3 + 5);
        EXPECT_EQ(lines.mid(0, 2), (QStringList{QStringLiteral("【パス名】"), web + QLatin1Char('/')}));
        EXPECT_EQ(lines[paths], QStringLiteral("web/"));
        EXPECT_EQ(lines.mid(paths + 1),
                  (QStringList{"", "【フォルダ名】", "img", "", "【ファイル名】", "My File-1.htm",
                               "Readme.TXT", "カナ.txt", ""}));

        // 変更 with lower case chosen, as it is at first.
        EXPECT_TRUE(control<QCheckBox>(form, "Check2_0")->isChecked());
        QTest::mouseClick(control<QPushButton>(form, "Command2_0"), Qt::LeftButton);
        EXPECT_EQ(onDisk(web), (QStringList{"my file-1.htm", "readme.txt", "カナ.txt"}));
        ASSERT_FALSE(prompt.asked().empty());
        EXPECT_EQ(prompt.asked().back().text, QStringLiteral("2 個のファイル名を変更しました。"));
        EXPECT_EQ(control<QListWidget>(form, "File1")->item(0)->text(), QStringLiteral("my file-1.htm"));

        // 元に戻す with the log that run wrote.
        const QString logFolder = program + QStringLiteral("/作・ペタリ/Log");
        const QStringList logs = QDir(logFolder).entryList({QStringLiteral("*.txt")}, QDir::Files);
        ASSERT_EQ(logs.size(), 1);
        prompt.pushFileName(logFolder + QLatin1Char('/') + logs.first());
        QTest::mouseClick(control<QPushButton>(form, "Command2_1"), Qt::LeftButton);
        EXPECT_EQ(onDisk(web), (QStringList{"My File-1.htm", "Readme.TXT", "カナ.txt"}));
        EXPECT_EQ(prompt.asked().back().text, QStringLiteral("2 個のファイル名を変更しました。"));
        EXPECT_TRUE(prompt.scriptUsedUp());

        // The two cases exclude each other.
        auto* upper = control<QCheckBox>(form, "Check2_1");
        QTest::mouseClick(upper, Qt::LeftButton, {}, QPoint(8, upper->height() / 2));
        EXPECT_TRUE(upper->isChecked());
        EXPECT_FALSE(control<QCheckBox>(form, "Check2_0")->isChecked());

        QTest::mouseClick(control<QPushButton>(form, "Command1_1"), Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
    }
    // Closing after a listing records it; the window's place and folder stay.
    EXPECT_EQ(doc.undo().undoName(doc.undo().undoPosition()), QStringLiteral("ファイル"));
    EXPECT_EQ(doc.state().modified, 1);
    EXPECT_TRUE(doc.view().placedOnTop());
    EXPECT_EQ(settings.read(QStringLiteral("F6"), QStringLiteral("a3")), web);
    EXPECT_TRUE(sink.got.isEmpty()) << sink.got.join('\n').toStdString();
    setErrorSink(nullptr);
}

}  // namespace
}  // namespace petari
