#pragma once

#include <QString>

namespace qv {

// What a publish hands to the result window and on to the embed wizard: the ten texts the embed
// code is made from.
struct PublishContext {
    QString publishWidth;  // the publish width box's text, unchanged (may be empty)
    QString publishHeight; // the publish height box's text, unchanged
    QString baseFolder = QStringLiteral("quorvel/");
    QString embedSymbol = QStringLiteral("{plendix_flash_event_calendar}");
    QString scriptTemplatePath;   // <program>/files/embed_page.htm
    QString noScriptTemplatePath; // <program>/files/embed_page_nojs.htm
    QString widthPlaceholder = QStringLiteral("%_calendar_width_%");
    QString heightPlaceholder = QStringLiteral("%_calendar_height_%");
    QString baseFolderPlaceholder = QStringLiteral("%_calendar_base_folder_%");
    QString publishedFolder; // the chosen folder followed by one separator

    // The context of a publish of a calendar of the given size into chosenFolder, for a program
    // installed in programFolder.
    static PublishContext make(const QString& width, const QString& height,
                               const QString& programFolder, const QString& chosenFolder);

    // The template the embed code comes from: with the script or without it.
    const QString& templatePath(bool withScript) const {
        return withScript ? scriptTemplatePath : noScriptTemplatePath;
    }
    // The published stand-alone calendar page.
    QString publishedPage() const { return publishedFolder + QStringLiteral("Calendar.htm"); }
};

} // namespace qv
