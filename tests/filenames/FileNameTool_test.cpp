#include "filenames/FileNameTool.h"

#include "document/Cp932.h"
#include "editing/Document.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace petari {
namespace {

TEST(FileNameTool, ARunWithNothingToChangeIsToldAndLogged)
{
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath(QStringLiteral("petari.ini")));
    ScriptedPrompt prompt;
    QDir().mkpath(dir.filePath(QStringLiteral("prog")));
    QDir().mkpath(dir.filePath(QStringLiteral("web")));
    QFile(dir.filePath(QStringLiteral("web/a.txt"))).open(QIODevice::WriteOnly);
    Document doc(settings, prompt, dir.filePath(QStringLiteral("prog")));
    FileNameTool tool(doc, prompt);

    tool.renameFiles(dir.filePath(QStringLiteral("web")), {QStringLiteral("a.txt")}, LetterCase::Lower);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, QStringLiteral("0 個のファイル名を変更しました。"));
    QFile log(tool.lastLogPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(cp932::decode(log.readAll()),
              ",Path =,," + dir.filePath(QStringLiteral("web")) + "/,\r\na.txt, → ,,,\r\n");

    // Undo from a log that names a file no longer there: told, not hidden.
    QFile edited(dir.filePath(QStringLiteral("edited.txt")));
    ASSERT_TRUE(edited.open(QIODevice::WriteOnly));
    edited.write(cp932::encode(",Path =,," + dir.filePath(QStringLiteral("web")) +
                               "/,\r\nB.txt, → ,b.txt,,\r\n"));
    edited.close();
    prompt.pushFileName(edited.fileName());
    tool.undoFromLog(dir.filePath(QStringLiteral("web")));
    ASSERT_EQ(prompt.asked().size(), 3u);
    EXPECT_EQ(prompt.asked()[1].suggested,
              dir.filePath(QStringLiteral("prog/作・ペタリ/Log/")));
    EXPECT_EQ(prompt.asked().back().text,
              QStringLiteral("0 個のファイル名を変更しました。\n1 行は元に戻せなかったので、そのままにしました。"));
}

}  // namespace
}  // namespace petari
