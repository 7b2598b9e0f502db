#pragma once

#include <QString>
#include <QStringList>

namespace qv {

class AppContext;
class CalendarDocument;

// The preview page made from a layout page: "%_width_%" and "%_height_%" replaced by the publish
// size texts exactly as typed, every line ended by CR LF. An empty page stays empty.
QString previewPageText(const QStringList& layoutPage, const QString& width, const QString& height);

// The layout page the editor layout selects; a layout outside 0 to 3 uses the full page.
const QStringList& layoutPageFor(const AppContext& context, int editorLayout);

// Writes "Calendar.htm" into the working folder from the current layout page.
bool writePreviewPage(const AppContext& context, const CalendarDocument& document,
                      QString* error = nullptr);

enum class RefreshOutcome {
    NotLoaded, // no data file has been read in this run: nothing was written
    Written,   // data file and preview page written, modified mark set
    Failed,    // a write failed: the reason is in error, the modified mark is unchanged
};

// Commits the document: writes the data file and the preview page and sets the modified mark.
RefreshOutcome commitDocument(CalendarDocument& document, const AppContext& context,
                              QString* error = nullptr);

} // namespace qv
