// --export-settings FILE and --import-settings FILE: the two settings menu
// commands without a window, on the settings of $XDG_CONFIG_HOME.

#include "app/Cli.h"
#include "platform/SettingsStore.h"
#include "platform/UserPrompt.h"
#include "services/SettingsExport.h"

#include <cstdio>

namespace petari {

namespace {

// Messages go to standard error; nothing is asked, a file named on the
// command line is meant.
class ConsolePrompt : public UserPrompt {
public:
    Answer askYesNo(const QString&, const QString&, Icon, Answer) override { return Answer::No; }
    Answer askYesNoCancel(const QString&, const QString&, Icon, Answer) override { return Answer::Cancel; }
    void showMessage(const QString&, const QString& text, Icon) override
    {
        std::fprintf(stderr, "petari: %s\n", text.trimmed().toLocal8Bit().constData());
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

bool oneFileArgument(const QStringList& args, const char* option)
{
    if (args.size() == 1 && !args.front().isEmpty())
        return true;
    std::fprintf(stderr, "usage: petari %s FILE\n", option);
    return false;
}

// A settings path that is no file has nothing to export and takes no import.
bool refused(const SettingsStore& store, UserPrompt& prompt)
{
    if (store.refusal().isEmpty())
        return false;
    prompt.showMessage(QString(), store.refusal(), Icon::Exclamation);
    return true;
}

}  // namespace

int runExportSettingsMode(const QStringList& args)
{
    if (!oneFileArgument(args, "--export-settings"))
        return 2;
    SettingsStore store;
    ConsolePrompt prompt;
    if (refused(store, prompt))
        return 1;
    return exportSettingsTo(store, prompt, args.front()) ? 0 : 1;
}

int runImportSettingsMode(const QStringList& args)
{
    if (!oneFileArgument(args, "--import-settings"))
        return 2;
    SettingsStore store;
    ConsolePrompt prompt;
    if (refused(store, prompt))
        return 1;
    return importSettingsFrom(store, prompt, args.front()) == SettingsImport::Replaced ? 0 : 1;
}

}  // namespace petari
