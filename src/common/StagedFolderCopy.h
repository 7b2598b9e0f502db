#pragma once

#include <QString>

#include <functional>

namespace qv {

// Copies every file and sub-folder of sourceFolder into targetFolder (created when missing) as
// copyFolderContents does, but all or nothing: the copy is made in a hidden staging folder inside
// targetFolder, on the same file system, and moved into place only once every file has been
// written: a folder that targetFolder lacks goes whole, each file replaces the one of its name. A
// failure while copying (a full disk, a file that cannot be read) leaves every file already in
// targetFolder as it was and puts the reason into error. Files of targetFolder that sourceFolder
// does not have stay. A staging folder left behind by a copy that never ended is removed first.
// goOn, when given, is asked before each file; once it answers false the copy fails as a failed
// write does.
bool copyFolderContentsStaged(const QString& sourceFolder, const QString& targetFolder,
                              QString* error = nullptr, const std::function<bool()>& goOn = {});

// Fills a staging folder made inside targetFolder (created when missing) through fill and, only
// when fill succeeded, moves what it wrote into targetFolder: each folder that targetFolder
// lacks in one rename, whole, and each file over the file of that name (a link where a folder
// goes is replaced, never followed). A file where a folder goes, or a folder where a file goes,
// is found before anything is moved and fails the whole. On any failure targetFolder keeps every
// file it had, the staging folder is removed and error holds fill's reason, with the staging
// folder's path replaced by targetFolder's.
bool fillFolderStaged(const QString& targetFolder,
                      const std::function<bool(const QString& staging, QString* reason)>& fill,
                      QString* error = nullptr);

// The name that staging folders inside a target folder start with.
inline constexpr const char* kStagingFolderPrefix = ".quorvel-staging-";

// The file that marks a staging folder as made by this program: only a real folder (not a link)
// holding it is ever removed as a leftover.
inline constexpr const char* kStagingMarkerName = ".quorvel-staging-marker";

// Removes what copies that never ended left in targetFolder: each staging folder made by this
// program (a real folder with the marker), and each link named like one, unlinked, never followed.
void removeLeftoverStaging(const QString& targetFolder);

} // namespace qv
