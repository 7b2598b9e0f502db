#pragma once

#include "document/CalendarDocument.h"

#include <QIcon>

namespace qv {

// The 16 by 16 picture of a "Text color" menu item: the colour with a black outline (pure red
// painted as red 254).
QIcon colorMenuPicture(ColorValue color);

} // namespace qv
