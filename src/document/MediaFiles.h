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
// the project is used as it is. An existing file of the same name is replaced. Nothing on failure,
// with the reason in error.
QString importMediaFile(const QString& chosenFile, const QString& projectData,
                        const QString& folder, QString* error);

// The file in the project data folder that a stored path names.
QString mediaFilePath(const QString& projectData, const QString& storedPath);

} // namespace qv
