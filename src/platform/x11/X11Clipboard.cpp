// The clipboard on X11.  Qt sees every copy itself; at exit a running
// clipboard manager gets the last copy from Qt, and without one a detached
// `xclip` keeps offering it.

#include "platform/ClipboardDesktop.h"

#include <QGuiApplication>

#ifdef PETARI_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <cstdlib>
#endif

namespace petari {

namespace {

// Whether an X11 clipboard manager runs: Qt then hands our clipboard to it at exit.
bool clipboardManagerRunning()
{
#ifdef PETARI_HAVE_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    xcb_connection_t* c = x11->connection();
    static const char name[] = "CLIPBOARD_MANAGER";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof name - 1, name), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t a = atom->atom;
    std::free(atom);
    if (a == XCB_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, a), nullptr);
    const bool running = owner && owner->owner != XCB_NONE;
    std::free(owner);
    return running;
#else
    return false;
#endif
}

class X11Clipboard : public ClipboardDesktop {
public:
    ClipboardCommand keeperCommand() const override
    {
        if (clipboardManagerRunning())
            return {};
        return {QStringLiteral("xclip"),
                {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i")}};
    }
};

}  // namespace

std::unique_ptr<ClipboardDesktop> makeX11Clipboard() { return std::make_unique<X11Clipboard>(); }

}  // namespace petari
