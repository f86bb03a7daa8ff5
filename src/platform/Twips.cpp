#include "platform/Twips.h"

#include <algorithm>

namespace petari {

int storedTwips(double value)
{
    constexpr double kLimit = kStoredTwipsLimit;
    if (!(value == value))
        return 0;
    return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

TwipsRect fitToScreens(TwipsRect r, const std::vector<TwipsRect>& screens, int minWidth, int minHeight)
{
    if (screens.empty())
        return r;
    int maxWidth = 0, maxHeight = 0;
    for (const TwipsRect& s : screens) {
        maxWidth = std::max(maxWidth, s.width);
        maxHeight = std::max(maxHeight, s.height);
    }
    r.width = std::clamp(r.width, std::min(minWidth, maxWidth), maxWidth);
    r.height = std::clamp(r.height, std::min(minHeight, maxHeight), maxHeight);
    const auto on = [&](const TwipsRect& s) {
        return r.left >= s.left && r.left < s.left + s.width && r.top >= s.top && r.top < s.top + s.height;
    };
    if (std::none_of(screens.begin(), screens.end(), on)) {
        r.left = screens.front().left;
        r.top = screens.front().top;
    }
    return r;
}

}  // namespace petari
