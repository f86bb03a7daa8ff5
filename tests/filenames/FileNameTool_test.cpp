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

// A listing is a document like any other: one line past its limits and it
// is refused, the document kept.
TEST(FileNameTool, AListingFitsTheDocumentOrIsRefused)
{
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath(QStringLiteral("petari.ini")));
    QDir().mkpath(dir.filePath(QStringLiteral("prog")));
    QDir().mkpath(dir.filePath(QStringLiteral("web")));
    const QString web = dir.filePath(QStringLiteral("web"));
    // 【パス名】, a line for every folder of the path, an empty line; 【フォルダ名】
    // and an empty line; 【ファイル名】, a.txt and an empty line.
    const qint64 lines = web.split(QLatin1Char('/')).size() + 7;
    for (const qint64 limit : {lines, lines - 1}) {
        ScriptedPrompt prompt;
        Document doc(settings, prompt, dir.filePath(QStringLiteral("prog")));
        doc.setLimits({limit, 1000});
        doc.replaceLinesAsMade({QStringLiteral("kept")});
        FileNameTool tool(doc, prompt);
        EXPECT_EQ(tool.showListings(web, {QStringLiteral("a.txt")}, false, false), limit == lines);
        if (limit == lines) {
            EXPECT_EQ(doc.lines().count(), lines);
            EXPECT_TRUE(prompt.asked().empty());
            continue;
        }
        EXPECT_EQ(doc.lines().toStringList(), QStringList({QStringLiteral("kept")}));
        ASSERT_EQ(prompt.asked().size(), 1u);
        EXPECT_TRUE(prompt.asked()[0].text.startsWith(QStringLiteral("行が多すぎるため、表示できません。")));
    }
}

}  // namespace
}  // namespace petari
