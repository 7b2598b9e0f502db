#include "editor/PreviewRefresh.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "document/DataFileWriter.h"
#include "document/ScriptString.h"
#include "project/UnsavedWork.h"
#include "session/AppContext.h"

#include <QRegularExpression>

namespace qv {

QString previewPageText(const QStringList& layoutPage, const QString& width,
                        const QString& height) {
    QString text = layoutPage.join(QStringLiteral("\r\n"));
    if (text.isEmpty() && layoutPage.size() <= 1)
        return {};
    text.replace(QStringLiteral("%_width_%"), width, Qt::CaseSensitive);
    text.replace(QStringLiteral("%_height_%"), height, Qt::CaseSensitive);
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n|\u2028"));
    QStringList lines = text.split(lineBreak);
    QString page;
    for (const QString& line : lines)
        page += line + QStringLiteral("\r\n");
    return page;
}

const QStringList& layoutPageFor(const AppContext& context, int editorLayout) {
    const int index = (editorLayout >= 0 && editorLayout <= 3) ? editorLayout : 0;
    return context.layoutPages.pages[std::size_t(index)];
}

QString previewPageFor(const AppContext& context, const CalendarDocument& document) {
    return previewPageText(layoutPageFor(context, document.EditorLayout),
                           document.Options.PublishWidth, document.Options.PublishHeight);
}

bool writePreviewPage(const AppContext& context, const CalendarDocument& document, QString* error) {
    return writeUtf8TextFile(context.folders.previewPage(), previewPageFor(context, document),
                             error);
}

PreviewUpdate previewUpdateFor(const QString& loadedPage, const QString& newPage) {
    return !loadedPage.isEmpty() && loadedPage == newPage ? PreviewUpdate::Redraw
                                                          : PreviewUpdate::Load;
}

QString previewRedrawScript(const QByteArray& dataFile) {
    QByteArray text;
    appendScriptString(text, dataFile);
    return QStringLiteral(
               "(function (text) {\n"
               "  var player = window.QuorvelCalendar;\n"
               "  if (player && typeof player.refresh === 'function') player.refresh(text);\n"
               "  else location.reload();\n"
               "})(") +
           QString::fromUtf8(text) + QStringLiteral(");");
}

bool writeDocumentFiles(const CalendarDocument& document, const AppContext& context,
                        QString* error) {
    return writeDataFile(context.folders.dataFile(), document, error) &&
           writePreviewPage(context, document, error);
}

RefreshOutcome commitDocument(CalendarDocument& document, const AppContext& context,
                              QString* error) {
    if (!document.Marks.Loaded)
        return RefreshOutcome::NotLoaded;
    // The mark first: a run that ends between the two (killed, out of power, a write failing
    // after the data file) leaves the edit in the working folder, and the next start must find it
    // marked. Once written, the mark stays until the work is saved or discarded.
    DocumentMarks unsaved = document.Marks;
    unsaved.Modified = true;
    noteUnsavedWork(context.folders.working, unsaved);
    if (!writeDocumentFiles(document, context, error))
        return RefreshOutcome::Failed;
    document.Marks.Modified = true;
    return RefreshOutcome::Written;
}

} // namespace qv
