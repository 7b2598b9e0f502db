#pragma once

#include <QString>

#include <functional>

namespace qv {

// What a walk over a local folder tree does at each entry. A callback that returns false stops
// the walk.
struct FolderWalkVisitor {
    // A sub-folder is about to be walked: its bare name and its path below the walked folder.
    std::function<bool(const QString& name, const QString& relativePath)> enterFolder;
    // The sub-folder entered last has been walked.
    std::function<bool()> leaveFolder;
    // A file: its path below the walked folder ("/" between names, no leading "/"), its full
    // path and its size when the walk met it.
    std::function<bool(const QString& relativePath, const QString& fullPath, qint64 size)> file;
    // A symbolic link, never followed: it may lead out of the walked folder (to the home folder)
    // or back into it (a loop). Its path below the walked folder.
    std::function<void(const QString& relativePath)> skippedLink;
    // Anything else that is neither a file nor a folder (a named pipe, a device, a socket), never
    // read: a pipe would wait forever, a device never ends. Its path below the walked folder.
    std::function<void(const QString& relativePath)> skippedSpecial;
    // Read after each entry; true skips the rest of the tree.
    std::function<bool()> cancelled;
};

enum class FolderWalkEnd { Completed, Stopped, Cancelled };

// Walks the folder depth first: every entry, hidden ones included, in the order the file system
// lists them; a sub-folder is walked where it stands, before the entries after it. Symbolic links
// are skipped, whatever they point to, and so is anything but regular files and folders. The
// staging folders a publish that never ended left (named kStagingFolderPrefix...) are no part of
// the site and are passed over without a word. The upload
// window's local list and the upload itself both walk this way, so they count files alike.
FolderWalkEnd walkFolder(const QString& folder, const FolderWalkVisitor& visitor);

} // namespace qv
