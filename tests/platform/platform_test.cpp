#include "platform/Clipboard.h"
#include "platform/ProgramFolder.h"
#include "platform/UserPrompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

namespace {
// Sets an environment variable for a scope, or unsets it (null), and puts
// the old value back.
struct ScopedEnv {
    ScopedEnv(const char* name, const QString& value) : name_(name), old_(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, QFile::encodeName(value));
    }
    ~ScopedEnv()
    {
        if (old_.isNull())
            qunsetenv(name_);
        else
            qputenv(name_, old_);
        resetProgramFolder();
    }
    const char* name_;
    QByteArray old_;
};
}  // namespace

TEST(ProgramFolder, EnvironmentThenTheUsersDataFolderNeverTheExecutables)
{
    QTemporaryDir dir;
    const ScopedEnv home("HOME", dir.filePath("home"));
    const ScopedEnv data("XDG_DATA_HOME", dir.filePath("data"));
    {
        const ScopedEnv named("PETARI_HOME", dir.filePath("named"));
        resetProgramFolder();
        EXPECT_EQ(programFolder(), dir.filePath("named"));
    }
    const ScopedEnv unnamed("PETARI_HOME", QString());
    resetProgramFolder();
    EXPECT_EQ(programFolder(), dir.filePath("data/petari"));
    EXPECT_TRUE(QDir(dir.filePath("data/petari")).exists());
    EXPECT_NE(programFolder(), QDir::cleanPath(QCoreApplication::applicationDirPath()));

    struct Case { QString dataHome; QString folder; };
    const Case cases[] = {
        {QString(), dir.filePath("home/.local/share/petari")},
        {QStringLiteral(""), dir.filePath("home/.local/share/petari")},
        {QStringLiteral("relative/data"), dir.filePath("home/.local/share/petari")},
        {QStringLiteral("/x/data/"), QStringLiteral("/x/data/petari")},
    };
    for (const Case& c : cases) {
        const ScopedEnv xdg("XDG_DATA_HOME", c.dataHome);
        EXPECT_EQ(defaultProgramFolder(), c.folder) << c.dataHome.toStdString();
    }
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
