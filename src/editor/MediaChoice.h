#pragma once

#include <QString>

#include <optional>

namespace qv {

class CalendarDocument;

// Choosing and removing the pictures and music of the style group and the monthly backgrounds.
// slot is the document value that refers to the file (the background image, the music or one
// month's image); every file is deleted only when nothing in the document refers to it any more.

// Copies the chosen file into projectData/<folder> ("image" or "music") and refers to it from
// slot. With dropPrevious, the file slot referred to before is deleted unless it is the same file
// or something else still refers to it. False when the copy failed: nothing changed then.
bool chooseMediaFile(CalendarDocument& document, const QString& projectData, const QString& folder,
                     const QString& chosenFile, QString& slot, bool dropPrevious,
                     QString* error = nullptr);

// Empties slot and deletes the file it named when nothing else refers to it.
void removeMediaReference(CalendarDocument& document, const QString& projectData, QString& slot);

// Deletes the project's file behind storedPath when nothing refers to it and the path stays
// inside the project's "image" or "music" folder (a typed "image\..\x" deletes nothing).
bool dropMediaFile(const CalendarDocument& document, const QString& projectData,
                   const QString& storedPath);

// Whether a field holds anything besides spaces and control characters.
bool holdsReference(const QString& fieldText);

// The question asked before a picture or the music is removed, naming the file.
struct RemoveQuestion {
    QString title;
    QString instruction;
    QString text;
};
RemoveQuestion removeImageQuestion(const QString& reference);
RemoveQuestion removeMusicQuestion(const QString& reference);

// The month a row button stands for: its name without the prefix ("pngbbBrowse",
// "pngbbDelete") read as a decimal number from 1 to 12.
std::optional<int> monthOfButton(const QString& objectName, const QString& prefix);

// Open dialog filters: every format the player shows or plays.
QString pictureFilter();
QString musicFilter();

// Where the choosers of a run start: in the folder of the file last chosen of the same kind
// (pictures or music); nowhere in particular before the first.
class MediaChooserFolders {
public:
    enum Kind { Picture = 0, Music = 1 };
    QString startFor(Kind kind) const { return m_folders[kind]; }
    void chosen(Kind kind, const QString& file);

private:
    QString m_folders[2];
};

} // namespace qv
