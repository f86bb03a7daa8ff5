#pragma once
// The program's icon for its windows: the icon theme's, when the desktop has
// one installed under the program's id, else the one built into the program
// (PNG drawings of each size where the build made them, the SVG otherwise).

#include <QIcon>

namespace petari {

// "io.github.petari.Petari", the id of the desktop entry and the icon.
QString applicationId();
// The icon compiled into the program (resource ":/icons").
QIcon bundledIcon();
// QIcon::fromTheme(applicationId(), bundledIcon()).
QIcon applicationIcon();

}  // namespace petari
