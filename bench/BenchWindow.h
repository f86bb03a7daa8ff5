#pragma once
// A main window as the program builds it, but with its settings, program
// folder (and so its work folder of undo snapshots) in a temporary folder,
// scripted answers and an in-memory clipboard: what the window benchmarks
// drive.

#include "mainwindow/MainController.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/LineListView.h"
#include "platform/ProcessMemory.h"
#include "platform/Clipboard.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/Guard.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <cstdlib>
#include <memory>

namespace petari::bench {

class CountingSink : public ErrorSink {
public:
    void report(const QString& label, int number, const QString& description) override
    {
        ++failures;
        std::fprintf(stderr, "failure %d in %s: %s\n", number, qPrintable(label), qPrintable(description));
    }
    int failures = 0;
};

struct MainWindowFixture {
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings;
    ScriptedPrompt prompt;
    MemoryClipboard clipboard;
    CountingSink sink;
    std::unique_ptr<MainController> controller;
    std::unique_ptr<MainWindow> form;

    MainWindowFixture()
    {
        if (!dir.isValid())
            std::abort();
        const QString home = dir.filePath(QStringLiteral("home"));
        QDir().mkpath(home);
        qputenv("PETARI_HOME", QFile::encodeName(home));
        settings = std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("config/petari.ini")));
        setErrorSink(&sink);
        controller = std::make_unique<MainController>(*settings, prompt, clipboard, home);
        form = std::make_unique<MainWindow>(*controller);
        form->show();
        QCoreApplication::processEvents();
    }
    ~MainWindowFixture()
    {
        form.reset();
        controller.reset();
        setErrorSink(nullptr);
    }
    MainWindowFixture(const MainWindowFixture&) = delete;
    MainWindowFixture& operator=(const MainWindowFixture&) = delete;

    // Until the window has caught up and painted.
    void showPending()
    {
        QCoreApplication::processEvents();
        form->lineList()->viewport()->repaint();
    }
};

// The main of a benchmark of windows: an application on the offscreen
// platform unless another is chosen, the benchmarks run, then beforeQuit
// (windows kept between benchmarks go while the application still exists).
inline int runWindowBenchmarks(int argc, char** argv, const std::function<void()>& beforeQuit = {})
{
    // Before the application object exists, or the platform is already chosen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    keepLargeBlocksMapped();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeQuit)
        beforeQuit();
    return 0;
}

}  // namespace petari::bench
