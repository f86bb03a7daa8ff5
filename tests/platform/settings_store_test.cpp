#include "platform/SettingsStore.h"
#include "platform/Failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using petari::SettingsStore;

namespace {

struct Value {
    const char* section;
    const char* key;
    QString value;
};

// Values people really store: paths, typed texts with blanks and commas, line
// breaks from the notice texts, the annotation mark, Japanese keys.
std::vector<Value> awkwardValues()
{
    return {
        {"F5", "st_t100", QStringLiteral("''")},
        {"F5", "exe2", QStringLiteral("  テキスト, エディタ  ")},
        {"F5", "s3", QStringLiteral("/home/u/My Docs/ペタリ_はじめに読んでください.txt")},
        {"ver", "167", QStringLiteral("一行目\r\n二行目\r\n")},
        {"ver", "167a", QStringLiteral("お知らせ")},
        {"F2", "レジストリ保存", QStringLiteral("1")},
        {"F2", "T1", QStringLiteral("a,b,c")},
        {"F2", "T2", QStringLiteral("@Variant(x)")},
        {"F2", "T3", QStringLiteral("\"quoted\" ; semicolon = equals \\ backslash")},
        {"F2", "T4", QStringLiteral("\t tab \t")},
        {"F2", "T5", QString()},
        {"F2", "T6", QStringLiteral("true")},
        {"rireki", "1", QStringLiteral("C:\\old\\path.txt")},
    };
}

}  // namespace

TEST(SettingsStore, DefaultsWhenAbsent)
{
    QTemporaryDir dir;
    SettingsStore s(dir.filePath("petari.ini"));
    EXPECT_EQ(s.read("F1", "top", "105"), "105");
    EXPECT_EQ(s.read("F1", "none"), QString());
    EXPECT_FALSE(s.contains("F1", "top"));
    EXPECT_EQ(s.number("F1", "Width", 7000), 7000);
}

TEST(SettingsStore, ValuesRoundTripExactlyInOneStoreAndAcrossReopen)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("petari.ini");
    {
        SettingsStore s(path);
        for (const auto& v : awkwardValues())
            s.write(v.section, v.key, v.value);
        for (const auto& v : awkwardValues())
            EXPECT_EQ(s.read(v.section, v.key, "default"), v.value) << v.key;
    }
    SettingsStore again(path);
    for (const auto& v : awkwardValues()) {
        EXPECT_TRUE(again.contains(v.section, v.key)) << v.key;
        EXPECT_EQ(again.read(v.section, v.key, "default"), v.value) << v.key;
    }
}

// The child half of the cross-process test when the parent asks; run on its
// own, the other way round: written here, read back by a child of its own.
TEST(SettingsStoreChild, WriteForParent)
{
    const QString path = qEnvironmentVariable("PETARI_SETTINGS_CHILD");
    const QString toRead = qEnvironmentVariable("PETARI_SETTINGS_CHILD_READS");
    if (!toRead.isEmpty()) {
        const SettingsStore s(toRead);
        for (const auto& v : awkwardValues())
            EXPECT_EQ(s.read(v.section, v.key, "default"), v.value) << v.key;
        return;
    }
    if (!path.isEmpty()) {
        SettingsStore s(path);
        for (const auto& v : awkwardValues())
            s.write(v.section, v.key, v.value);
        return;
    }
    QTemporaryDir dir;
    const QString written = dir.filePath("sub/petari.ini");
    {
        SettingsStore s(written);
        for (const auto& v : awkwardValues())
            s.write(v.section, v.key, v.value);
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PETARI_SETTINGS_CHILD_READS", written);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=SettingsStoreChild.WriteForParent"});
    ASSERT_TRUE(child.waitForFinished(30000));
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
}

TEST(SettingsStore, WrittenByOneProcessReadByAnother)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/petari.ini");
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PETARI_SETTINGS_CHILD", path);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=SettingsStoreChild.WriteForParent"});
    ASSERT_TRUE(child.waitForFinished(30000));
    ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
    SettingsStore s(path);
    for (const auto& v : awkwardValues())
        EXPECT_EQ(s.read(v.section, v.key, "default"), v.value) << v.key;
}

TEST(SettingsStore, SectionListsKeysAndValues)
{
    QTemporaryDir dir;
    SettingsStore s(dir.filePath("petari.ini"));
    s.write("okiniiri", "1", "/a.txt");
    s.write("okiniiri", "2", "");
    s.write("F1", "top", "1");
    auto sec = s.section("okiniiri");
    ASSERT_EQ(sec.size(), 2);
    EXPECT_EQ(sec[0].first, "1");
    EXPECT_EQ(sec[0].second, "/a.txt");
    EXPECT_EQ(sec[1].second, "");
    EXPECT_TRUE(s.section("none").isEmpty());
}

TEST(SettingsStore, DeleteAllRemovesEverySection)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("petari.ini");
    {
        SettingsStore s(path);
        s.write("F1", "top", "1");
        s.write("rireki", "1", "x");
        s.deleteAll();
        EXPECT_FALSE(s.contains("F1", "top"));
    }
    SettingsStore again(path);
    EXPECT_TRUE(again.section("F1").isEmpty());
    EXPECT_TRUE(again.section("rireki").isEmpty());
}

TEST(SettingsStore, OnOffRule)
{
    struct Case { QString value; bool on; };
    const Case cases[] = {{"1", true}, {"0", false}, {"", false}, {"abc", false},
                          {"1.0", true}, {" 1", true}, {"2", false}, {"-1", false},
                          {"1abc", true}, {"True", false}};
    for (const auto& c : cases)
        EXPECT_EQ(SettingsStore::isOnValue(c.value), c.on) << c.value.toStdString();

    QTemporaryDir dir;
    SettingsStore s(dir.filePath("petari.ini"));
    EXPECT_TRUE(s.isOn("F5", "s7", true));
    EXPECT_FALSE(s.isOn("F5", "s7", false));
    s.write("F5", "s7", "0");
    EXPECT_FALSE(s.isOn("F5", "s7", true));
}

TEST(SettingsStore, DefaultPathFollowsXdgConfigHome)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/xdg-test");
    EXPECT_EQ(SettingsStore::defaultPath(), "/tmp/xdg-test/petari/petari.ini");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_TRUE(SettingsStore::defaultPath().endsWith("/.config/petari/petari.ini"));
    if (!saved.isEmpty())
        qputenv("XDG_CONFIG_HOME", saved);
}

TEST(SettingsStore, GarbageFileLoadsWithDefaultsAndIsKeptAside)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("petari.ini");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    static const char bytes[] = "\x00\x01\xff[[[unclosed\n=novalue\nkey without equals\n[F1]\ntop=7\n";
    const QByteArray junk(bytes, sizeof bytes - 1);
    f.write(junk);
    f.close();
    {
        SettingsStore s(path);
        // Whatever Qt makes of it, reading never fails and defaults still apply.
        EXPECT_EQ(s.read("F5", "s1", "100"), "100");
        s.write("F5", "s1", "80");
    }
    SettingsStore again(path);
    EXPECT_EQ(again.read("F5", "s1", "100"), "80");
}

// A folder or a named pipe in the file's place is never opened (a pipe would
// block the start for ever): the store starts empty, keeps what is written
// for this run only, and says so naming the path.  A regular file is no refusal.
TEST(SettingsStore, PathThatIsNoRegularFileIsRefused)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("folder.ini"), pipe = dir.filePath("pipe.ini");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& path : {folder, pipe}) {
        SCOPED_TRACE(path.toStdString());
        SettingsStore s(path);
        EXPECT_FALSE(s.isWritable());
        EXPECT_TRUE(s.refusal().endsWith("\r\n" + path));
        EXPECT_EQ(s.read("F1", "top", "105"), "105");
        s.write("F1", "top", "300");
        s.sync();
        EXPECT_EQ(s.read("F1", "top", "105"), "300");
        EXPECT_FALSE(s.isWritable());
        EXPECT_THROW(s.replaceAll({{"F1", "top", "1"}}), petari::Failure);
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size(), 2);
    SettingsStore plain(dir.filePath("plain.ini"));
    EXPECT_EQ(plain.refusal(), QString());
    EXPECT_TRUE(plain.isWritable());
}
