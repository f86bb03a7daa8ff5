#pragma once
// A main window's logic wired to scripted answers, an in-memory clipboard and
// its own settings file and program folder, for tests.

#include "editing/Document.h"
#include "platform/InstanceRegistry.h"
#include "platform/SettingsStore.h"
#include "mainwindow/MainController.h"
#include "platform/Clipboard.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace petari::test {

struct Reported {
    QString label;
    int number;
    QString description;
};

class RecordingSink : public ErrorSink {
public:
    void report(const QString& label, int number, const QString& description) override
    {
        got.push_back({label, number, description});
    }
    QStringList labels() const
    {
        QStringList l;
        for (const Reported& r : got)
            l << r.label;
        return l;
    }
    std::vector<Reported> got;
};

// A real document on a configuration folder and program folder of its own,
// with failures recorded: what a secondary window's tests open it over.
struct DocumentFixture {
    QTemporaryDir dir;
    QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    std::unique_ptr<SettingsStore> settings;
    ScriptedPrompt prompt;
    RecordingSink sink;
    std::unique_ptr<Document> doc;

    DocumentFixture()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
        settings = std::make_unique<SettingsStore>();
        QDir().mkpath(dir.filePath(QStringLiteral("home")));
        doc = std::make_unique<Document>(*settings, prompt, dir.filePath(QStringLiteral("home")));
        setErrorSink(&sink);
    }
    ~DocumentFixture()
    {
        setErrorSink(nullptr);
        doc.reset();
        settings.reset();
        if (savedConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", savedConfig);
    }
};

// A window's control by its name; a missing one fails the test.
template <class T>
T* child(const QObject& window, const char* name)
{
    T* c = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings;
    ScriptedPrompt prompt;
    MemoryClipboard clipboard;
    RecordingSink sink;
    std::unique_ptr<MainController> c;

    Fixture()
    {
        settings = std::make_unique<SettingsStore>(dir.filePath("config/petari.ini"));
        setErrorSink(&sink);
        c = std::make_unique<MainController>(*settings, prompt, clipboard, dir.filePath("home"));
        QDir().mkpath(dir.filePath("home"));
    }
    ~Fixture()
    {
        c.reset();
        setErrorSink(nullptr);
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        const QString p = dir.filePath(name);
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return p;
    }

    static QByteArray readFile(const QString& p)
    {
        QFile f(p);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    void setOption(const char* key, const QString& value)
    {
        settings->write(QStringLiteral("F5"), QString::fromLatin1(key), value);
    }

    void select(std::initializer_list<int> rows)
    {
        c->document().selection().clearSelection();
        for (int r : rows)
            c->document().selection().select(r);
        if (rows.size())
            c->document().selection().setCurrentRow(*rows.begin());
    }
};

}  // namespace petari::test
