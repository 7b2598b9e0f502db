#pragma once

namespace qv {

// Ties the running designer to its menu entry: docks and task switchers group its windows under
// the entry's name and icon (the desktop file name on Wayland, the window class on X11, which the
// entry names in StartupWMClass), and every window carries the program's icon.
void applyDesktopIdentity();

} // namespace qv
