// The X11 side of DesktopHooks, on a connection of its own to the X server
// (so that its event masks and grabs never mix with Qt's): it follows the
// window manager's _NET_ACTIVE_WINDOW to know which window had the focus
// before this program, activates that window again as a pager does, sends the
// paste key through the XTEST extension and grabs the calling key on the root
// window.

#include "platform/DesktopHooks.h"
#include "platform/x11/X11Keys.h"

#include <QSocketNotifier>
#include <QTimer>

#if defined(PETARI_HAVE_XTEST)
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace petari {

namespace {

// Caps Lock and Num Lock must not keep the key from working.
constexpr quint16 kLockMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

class X11Hooks : public DesktopHooks {
public:
    explicit X11Hooks(xcb_connection_t* c, int screen) : c_(c)
    {
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c_));
        for (int i = 0; i < screen && it.rem; ++i)
            xcb_screen_next(&it);
        root_ = it.data->root;
        activeAtom_ = atom("_NET_ACTIVE_WINDOW");
        wmClassAtom_ = atom("WM_CLASS");
        const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(c_, &xcb_test_id);
        xtest_ = xtest && xtest->present;
        keysyms_ = xcb_key_symbols_alloc(c_);
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
        noteActiveWindow();
        notifier_ = new QSocketNotifier(xcb_get_file_descriptor(c_), QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &X11Hooks::readEvents);
        xcb_flush(c_);
    }
    ~X11Hooks() override
    {
        bindKey(QKeySequence());
        xcb_key_symbols_free(keysyms_);
        xcb_disconnect(c_);
    }

    bool canPaste() const override { return xtest_ && activeAtom_ != XCB_NONE; }
    bool canBindKey() const override { return true; }

    void pasteToPrevious(const QString& text, const QStringList& terminals) override
    {
        const xcb_window_t target = previous_;
        if (!canPaste() || target == XCB_NONE) {
            emit pasted(false);
            return;
        }
        const PasteKey how = pasteKeyFor(windowClasses(target), terminals);
        if (how == PasteKey::ShiftInsert)
            setPrimarySelection(text);
        requestActive(target);
        // The paste key must reach the target, not this program: wait until
        // the window manager has made it active (at most 2 s).
        waitActive(target, 0, [this, how](bool active) {
            if (!active) {
                emit pasted(false);
                return;
            }
            emit pasted(sendPasteKey(how));
        });
    }

    void focusPrevious() override
    {
        if (previous_ != XCB_NONE)
            requestActive(previous_);
    }

    void activate(QWindow* window) override
    {
        if (window && window->handle())
            requestActive(xcb_window_t(window->winId()));
    }

    bool bindKey(const QKeySequence& key) override
    {
        for (const Grab& g : grabs_)
            for (quint16 lock : kLockMasks)
                xcb_ungrab_key(c_, g.code, root_, g.modifiers | lock);
        grabs_.clear();
        xcb_flush(c_);
        if (key.isEmpty())
            return true;
        const std::optional<X11Key> k = x11KeyFor(key[0]);
        if (!k)
            return false;
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(keysyms_, k->keysym);
        if (!codes)
            return false;
        bool taken = true;
        for (xcb_keycode_t* code = codes; *code != XCB_NO_SYMBOL; ++code) {
            grabs_.push_back({*code, k->modifiers});
            for (quint16 lock : kLockMasks) {
                xcb_void_cookie_t ck = xcb_grab_key_checked(c_, 1, root_, k->modifiers | lock, *code,
                                                            XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
                if (xcb_generic_error_t* e = xcb_request_check(c_, ck)) {
                    taken = false;   // another program holds this key
                    std::free(e);
                }
            }
        }
        std::free(codes);
        if (!taken)
            bindKey(QKeySequence());
        deferRead();
        return taken;
    }

private:
    struct Grab {
        xcb_keycode_t code;
        quint16 modifiers;
    };

    xcb_atom_t atom(const char* name)
    {
        xcb_intern_atom_reply_t* r =
            xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : XCB_NONE;
        std::free(r);
        return a;
    }

    xcb_window_t activeWindow()
    {
        xcb_get_property_reply_t* r = xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, root_, activeAtom_, XCB_ATOM_WINDOW, 0, 1), nullptr);
        xcb_window_t w = XCB_NONE;
        if (r && r->format == 32 && xcb_get_property_value_length(r) >= 4)
            w = *static_cast<xcb_window_t*>(xcb_get_property_value(r));
        std::free(r);
        deferRead();
        return w;
    }

    // WM_CLASS holds the instance and the class name, each ended by a NUL.
    QStringList windowClasses(xcb_window_t w)
    {
        xcb_get_property_reply_t* r = xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, w, wmClassAtom_, XCB_ATOM_STRING, 0, 256), nullptr);
        QStringList names;
        if (r) {
            const QByteArray raw(static_cast<const char*>(xcb_get_property_value(r)),
                                 xcb_get_property_value_length(r));
            for (const QByteArray& part : raw.split('\0'))
                if (!part.isEmpty())
                    names << QString::fromLatin1(part);
        }
        std::free(r);
        deferRead();
        return names;
    }

    void noteActiveWindow()
    {
        const xcb_window_t w = activeWindow();
        if (w != XCB_NONE && w != root_ && !isOwnWindow(w))
            previous_ = w;
    }

    // _NET_ACTIVE_WINDOW with source 2: the request of a pager, which window
    // managers grant without their focus-stealing rules.
    void requestActive(xcb_window_t w)
    {
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = w;
        ev.type = activeAtom_;
        ev.data.data32[0] = 2;
        ev.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c_, 0, root_, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&ev));
        xcb_flush(c_);
    }

    void waitActive(xcb_window_t w, int tries, const std::function<void(bool)>& then)
    {
        if (activeWindow() == w) {
            // A moment more for the window to take the keyboard focus itself.
            QTimer::singleShot(60, this, [then] { then(true); });
            return;
        }
        if (tries >= 50) {
            then(false);
            return;
        }
        QTimer::singleShot(40, this, [this, w, tries, then] { waitActive(w, tries + 1, then); });
    }

    xcb_keycode_t keycode(quint32 keysym)
    {
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(keysyms_, keysym);
        const xcb_keycode_t code = codes ? codes[0] : xcb_keycode_t(XCB_NO_SYMBOL);
        std::free(codes);
        return code;
    }

    // False, with nothing pressed, when the keyboard map lacks one of the keys.
    bool sendPasteKey(PasteKey how)
    {
        std::vector<xcb_keycode_t> codes;
        for (quint32 keysym : pasteKeysyms(how)) {
            codes.push_back(keycode(keysym));
            if (codes.back() == XCB_NO_SYMBOL)
                return false;
        }
        for (xcb_keycode_t code : codes)
            xcb_test_fake_input(c_, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        for (auto code = codes.rbegin(); code != codes.rend(); ++code)
            xcb_test_fake_input(c_, XCB_KEY_RELEASE, *code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(c_);
        return true;
    }

    // Replies may have brought events in with them, which the socket will
    // not announce again.
    void deferRead()
    {
        if (!readQueued_) {
            readQueued_ = true;
            QTimer::singleShot(0, this, &X11Hooks::readEvents);
        }
    }

    void readEvents()
    {
        readQueued_ = false;
        bool activeChanged = false;
        while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
            const uint8_t type = e->response_type & 0x7f;
            if (type == XCB_PROPERTY_NOTIFY &&
                reinterpret_cast<xcb_property_notify_event_t*>(e)->atom == activeAtom_)
                activeChanged = true;
            else if (type == XCB_KEY_PRESS)
                QTimer::singleShot(0, this, [this] { emit keyPressed(); });
            std::free(e);
        }
        if (activeChanged)
            noteActiveWindow();
    }

    xcb_connection_t* c_;
    xcb_window_t root_ = XCB_NONE;
    xcb_atom_t activeAtom_ = XCB_NONE;
    xcb_atom_t wmClassAtom_ = XCB_NONE;
    xcb_key_symbols_t* keysyms_ = nullptr;
    bool xtest_ = false;
    bool readQueued_ = false;
    xcb_window_t previous_ = XCB_NONE;
    std::vector<Grab> grabs_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace

std::unique_ptr<DesktopHooks> makeX11Hooks()
{
    int screen = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screen);
    if (!c || xcb_connection_has_error(c)) {
        if (c)
            xcb_disconnect(c);
        return nullptr;
    }
    return std::make_unique<X11Hooks>(c, screen);
}

}  // namespace petari

#else

namespace petari {
std::unique_ptr<DesktopHooks> makeX11Hooks() { return nullptr; }
}  // namespace petari

#endif
