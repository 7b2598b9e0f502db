#pragma once

#include <QString>

namespace qv {

class CalendarDocument;

// Pictures and music of a project live in the project data folder's "image" and "music" folders
// and are referred to in the document as "image\<file>" or "music\<file>" (also read with "/").

// How many places of the document refer to the stored path: the background image, the twelve
// monthly images, the music and every event icon. Letter case and the separator do not count.
int mediaReferenceCount(const CalendarDocument& document, const QString& storedPath);

// Deletes the project's file behind storedPath when nothing in the document refers to it any
// more. Answers whether a file was deleted. Built-in icon names and empty paths delete nothing.
bool deleteMediaIfUnreferenced(const CalendarDocument& document, const QString& projectData,
                               const QString& storedPath);

// A file name the data file and the player carry safely: letters, digits, "-", "_", "." and
// non-ASCII letters stay; anything else becomes "_". The extension is kept; an empty stem
// becomes "file".
QString safeMediaFileName(const QString& fileName);

// Copies the chosen file into projectData/<folder> (created when missing) under a safe name and
// returns the stored path ("image\<file>" or "music\<file>"); a file already in that folder of
// the project is used as it is. Another media file never gets overwritten: when the safe name is
// taken by different content, a free name is used (freeMediaFileName). Nothing on failure, with
// the reason in error.
QString importMediaFile(const QString& chosenFile, const QString& projectData,
                        const QString& folder, QString* error);

// The name under which content goes into folder: safeName when it is free or already holds the
// same bytes, otherwise the first "<stem>-2.<ext>", "<stem>-3.<ext>", ... that is.
QString freeMediaFileName(const QString& folder, const QString& safeName,
                          const QByteArray& content);

// The file in the project data folder that a stored path names.
QString mediaFilePath(const QString& projectData, const QString& storedPath);

} // namespace qv
