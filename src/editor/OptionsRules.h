#pragma once

#include "document/CalendarDocument.h"

#include <QString>

#include <optional>

namespace qv {

// Decisions of the "Options" tab that do not depend on widgets.

// The colour the "Text color" menu picture is filled with. Pure red is painted as red 254 (the
// menu would otherwise treat it as its transparent colour); every other colour as it is.
ColorValue colorPictureFill(ColorValue color);

// The six hexadecimal digits of a colour in blue-green-red order, as SetField takes "color".
QString blueGreenRedDigits(ColorValue color);

enum class TextFlag { Bold, Italic, Underline };
bool textFlag(const TTitleRec& text, TextFlag flag);
void setTextFlag(TTitleRec& text, TextFlag flag, bool on);

// "Original Size": the publish size becomes the calendar's default size.
void applyOriginalSize(CalendarDocument& document);

// The range of an up-down: its lowest and highest position.
struct SpinRange {
    int low = 0;
    int high = 100;
    bool operator==(const SpinRange&) const = default;
};

// The up-down range of a size option or the music volume, by the option's id in the data file
// ("cell_width", "cell_height", "content_height", "content_margin", "volume").
std::optional<SpinRange> spinRangeFor(const QString& optionId);

// The up-down's next position after a step: from the number in its field when the field holds
// one (brought into the range first), otherwise from its current position; never outside range.
int steppedPosition(const QString& fieldText, int position, SpinRange range, int step);

// The text without leading and trailing spaces and control characters.
QString trimmedControl(const QString& text);

// Whether a typed character may go into the opacity field: digits and backspace only.
bool opacityKeyAccepted(QChar typed);

// The opacity field's text after a key was released: above the range it becomes the highest
// number, below it the lowest; anything else (also an empty text) stays as it is.
QString clampedOpacityText(const QString& text, SpinRange range = {0, 100});

} // namespace qv
