#include "platform/ui/WindowPlace.h"

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

namespace {

int storedKey(const SettingsStore& settings, const QString& section, const char* key, int byDefault)
{
    return storedTwips(settings, section, QString::fromLatin1(key), byDefault);
}

}  // namespace

void WindowPlace::restore(QWidget& window, const SettingsStore& settings, const QString& section, int defaultLeft,
                          int defaultTop)
{
    restore(window, storedKey(settings, section, "Left", defaultLeft), storedKey(settings, section, "top", defaultTop));
}

void WindowPlace::restore(QWidget& window, const SettingsStore& settings, const QString& section,
                          const TwipsRect& defaults, int minWidth, int minHeight)
{
    restore(window,
            {storedKey(settings, section, "Left", defaults.left), storedKey(settings, section, "top", defaults.top),
             storedKey(settings, section, "Width", defaults.width),
             storedKey(settings, section, "Height", defaults.height)},
            minWidth, minHeight);
}

void WindowPlace::store(const QWidget& window, SettingsStore& settings, const QString& section) const
{
    const TwipsRect at = current(window);
    if (worthStoring()) {
        settings.write(section, QStringLiteral("top"), QString::number(at.top));
        settings.write(section, QStringLiteral("Left"), QString::number(at.left));
    }
    if (sized_) {
        settings.write(section, QStringLiteral("Height"), QString::number(at.height));
        settings.write(section, QStringLiteral("Width"), QString::number(at.width));
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
