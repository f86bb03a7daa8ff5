// The clipboard on Wayland.  The compositor hands the clipboard only to the
// focused window; where it offers the data-control protocol, wl-clipboard's
// `wl-paste --watch` sees every copy and `wl-copy` keeps one offered.

#include "platform/ClipboardDesktop.h"
#include "platform/ClipboardWatcher.h"

namespace petari {

namespace {

class WaylandClipboard : public ClipboardDesktop {
public:
    ClipboardCommand watchCommand(const QString& relayProgram) const override
    {
        if (relayProgram.isEmpty())
            return {};
        return {QStringLiteral("wl-paste"), ClipboardWatcher::watchArguments(relayProgram)};
    }

    ClipboardCommand keeperCommand() const override
    {
        return {QStringLiteral("wl-copy"), {QStringLiteral("--type"), QStringLiteral("text/plain;charset=utf-8")}};
    }
};

}  // namespace

std::unique_ptr<ClipboardDesktop> makeWaylandClipboard() { return std::make_unique<WaylandClipboard>(); }

}  // namespace petari
