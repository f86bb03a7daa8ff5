#include "platform/Clipboard.h"
#include "platform/ProgramFolder.h"
#include "platform/UserPrompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace petari;

TEST(UserPrompt, ClassicFiltersBecomeQtFilters)
{
    // Each pattern shown once, the words in Japanese and full-width katakana.
    EXPECT_EQ(qtFileFilters("All Files (*.*)|*.*|ﾃｷｽﾄ ﾌｧｲﾙ (*.txt)|*.txt"),
              QStringList({"すべてのファイル (*)", "テキスト ファイル (*.txt)"}));
    EXPECT_EQ(qtFileFilters("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)|*.txt"), QStringList({"テキスト ファイル (*.txt)"}));
    EXPECT_EQ(qtFileFilters("Text|*.txt;*.text"), QStringList({"Text (*.txt *.text)"}));
    EXPECT_TRUE(qtFileFilters("").isEmpty());
}

TEST(UserPrompt, ScriptedAnswersInOrderThenDefaults)
{
    ScriptedPrompt p;
    p.pushAnswer(Answer::No);
    p.pushFileName("/tmp/a.txt");
    EXPECT_EQ(p.askYesNo("ペタリ", "q1", Icon::Question), Answer::No);
    EXPECT_EQ(p.askYesNoCancel("ペタリ", "q2", Icon::Exclamation, Answer::Cancel), Answer::Cancel);
    EXPECT_EQ(p.saveFileName("", "x|*.txt", "s.txt"), "/tmp/a.txt");
    EXPECT_EQ(p.openFileName("", "x|*.*"), "");
    ASSERT_EQ(p.asked().size(), 4u);
    EXPECT_EQ(p.asked()[1].defaultButton, Answer::Cancel);
    EXPECT_EQ(p.asked()[2].suggested, "s.txt");
    EXPECT_EQ(p.unanswered(), 2);
}

TEST(Clipboard, SystemClipboardRoundTripsText)
{
    SystemClipboard cb;
    cb.setText(QStringLiteral("ｶﾞｷﾞ\r\n二行目"));
    EXPECT_EQ(cb.text(), QStringLiteral("ｶﾞｷﾞ\r\n二行目"));
    cb.clear();
    EXPECT_EQ(cb.text(), QString());
}

TEST(ProgramFolder, EnvironmentBeatsExecutableFolder)
{
    QTemporaryDir dir;
    qputenv("PETARI_HOME", dir.path().toUtf8());
    resetProgramFolder();
    EXPECT_EQ(programFolder(), QDir::cleanPath(dir.path()));
    qunsetenv("PETARI_HOME");
    resetProgramFolder();
    // The test binary's folder is writable, so it is chosen.
    EXPECT_EQ(programFolder(), QDir::cleanPath(QCoreApplication::applicationDirPath()));
    resetProgramFolder();
}

TEST(ProgramFolder, NamedFolderIsMadeWhenMissing)
{
    QTemporaryDir dir;
    const QString wanted = dir.filePath("not/yet");
    qputenv("PETARI_HOME", wanted.toUtf8());
    resetProgramFolder();
    EXPECT_EQ(programFolder(), wanted);
    EXPECT_TRUE(QDir(wanted).exists());
    qunsetenv("PETARI_HOME");
    resetProgramFolder();
}
