#pragma once
// Wayland never tells a window where it is on the screen (Qt then reports
// 0, 0) and never lets it choose: windows there keep the stored place
// instead of writing that 0, 0 back.

namespace petari {

bool desktopReportsWindowPosition();

}  // namespace petari
