#include "platform/ui/WindowPlace.h"

#include "platform/SettingsSchema.h"
#include "platform/SettingsStore.h"
#include "platform/WindowPosition.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <vector>

namespace petari {

namespace {

std::vector<TwipsRect> screenAreas()
{
    std::vector<TwipsRect> screens;
    for (const QScreen* s : QGuiApplication::screens()) {
        const QRect a = s->availableGeometry();
        screens.push_back({pixelsToTwips(a.left()), pixelsToTwips(a.top()), pixelsToTwips(a.width()),
                           pixelsToTwips(a.height())});
    }
    return screens;
}

}  // namespace

void WindowPlace::restore(QWidget& window, double left, double top)
{
    apply(window, {storedTwips(left), storedTwips(top), pixelsToTwips(window.width()), pixelsToTwips(window.height())},
          false, 0, 0);
}

void WindowPlace::restore(QWidget& window, const TwipsRect& stored, int minWidth, int minHeight)
{
    apply(window, stored, true, minWidth, minHeight);
}

void WindowPlace::restore(QWidget& window, const SettingsStore& settings, const settings::WindowArea& area,
                          int minWidth, int minHeight)
{
    if (!area.sized()) {
        restore(window, settings.get(area.left()), settings.get(area.top()));
        return;
    }
    restore(window,
            {settings.get(area.left()), settings.get(area.top()), settings.get(area.width()),
             settings.get(area.height())},
            minWidth, minHeight);
}

void WindowPlace::store(const QWidget& window, SettingsStore& settings, const settings::WindowArea& area) const
{
    const TwipsRect at = current(window);
    if (worthStoring()) {
        settings.set(area.top(), at.top);
        settings.set(area.left(), at.left);
    }
    if (sized_) {
        settings.set(area.height(), at.height);
        settings.set(area.width(), at.width);
    }
}

void WindowPlace::apply(QWidget& window, const TwipsRect& stored, bool sized, int minWidth, int minHeight)
{
    const TwipsRect r = fitToScreens(stored, screenAreas(), minWidth, minHeight);
    const QPoint at(twipsToPixels(r.left), twipsToPixels(r.top));
    // What was asked for: a window its minimum size made larger stores
    // what it became.
    const QSize size = sized ? QSize(twipsToPixels(r.width), twipsToPixels(r.height)) : window.size();
    window.move(at);
    if (sized)
        window.resize(size);
    applied_ = r;
    sized_ = sized;
    appliedPixels_ = QRect(at, size);
}

TwipsRect WindowPlace::current(const QWidget& window) const
{
    const QPoint p = window.pos();
    const QSize s = window.size();
    TwipsRect r;
    r.left = p.x() == appliedPixels_.x() ? applied_.left : pixelsToTwips(p.x());
    r.top = p.y() == appliedPixels_.y() ? applied_.top : pixelsToTwips(p.y());
    r.width = s.width() == appliedPixels_.width() ? applied_.width : pixelsToTwips(s.width());
    r.height = s.height() == appliedPixels_.height() ? applied_.height : pixelsToTwips(s.height());
    return r;
}

bool WindowPlace::worthStoring() { return desktopReportsWindowPosition(); }

}  // namespace petari
