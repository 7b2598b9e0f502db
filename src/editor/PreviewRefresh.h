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

// The preview page of the document's editor layout and publish size.
QString previewPageFor(const AppContext& context, const CalendarDocument& document);

// Writes "Calendar.htm" into the working folder from the current layout page.
bool writePreviewPage(const AppContext& context, const CalendarDocument& document,
                      QString* error = nullptr);

// How the preview shows a refresh: a page that is the same as the one loaded last is redrawn in
// place by its player (the month and day shown stay, no empty frame); another page (another
// layout or publish size), or none loaded yet, is loaded.
enum class PreviewUpdate { Load, Redraw };
PreviewUpdate previewUpdateFor(const QString& loadedPage, const QString& newPage);

// The script that hands the text of the data file to the players of the shown page, which redraw
// from it; a page whose player cannot do that is loaded again.
QString previewRedrawScript(const QByteArray& dataFile);

enum class RefreshOutcome {
    NotLoaded, // no data file has been read in this run: nothing was written
    Written,   // data file and preview page written, modified mark set
    Failed,    // a write failed: the reason is in error, the modified mark is unchanged
};

// Writes the data file and the preview page into the working folder.
bool writeDocumentFiles(const CalendarDocument& document, const AppContext& context,
                        QString* error = nullptr);

// Commits the document: writes the data file and the preview page and sets the modified mark
// (with the unsaved work mark beside the working folder).
RefreshOutcome commitDocument(CalendarDocument& document, const AppContext& context,
                              QString* error = nullptr);

} // namespace qv
