#pragma once

#include <QIcon>

namespace qv {

// The fifteen pictures of the main window's commands, each at 16 and 48 pixels, drawn in one
// style: a rounded tile in the command's colour with a white symbol.
enum class Picture {
    Open = 0,
    Save = 1,
    PreviewInBrowser = 2,
    Refresh = 3,
    Layout = 4,
    About = 5,
    Full = 6,
    Left = 7,
    Right = 8,
    Center = 9,
    New = 10,
    Publish = 11,
    AddEvent = 12,
    DeleteEvent = 13,
    EditEvent = 14,
};
inline constexpr int kPictureCount = 15;

QIcon commandPicture(Picture picture);
QPixmap commandPixmap(Picture picture, int size);

} // namespace qv
