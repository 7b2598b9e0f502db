#pragma once

#include <QString>

#include <optional>

// Small stateless helpers shared across the program: folders, files, text, colours and icons.
namespace qv {

// Removes the folder and everything in it for good, without asking. False when the folder does
// not exist or could not be removed completely.
bool deleteFolder(const QString& folder);

// Copies every file and sub-folder of sourceFolder into destinationFolder (created when missing),
// replacing files that exist there and keeping the others. False on any failure.
bool copyFolderContents(const QString& sourceFolder, const QString& destinationFolder);

// Reads a whole file as UTF-8; a byte-order mark at the start is kept as a character.
// On failure returns nothing and puts the reason into error.
std::optional<QString> readUtf8TextFile(const QString& path, QString* error = nullptr);

// Writes text as UTF-8 without byte-order mark, replacing any file at path.
bool writeUtf8TextFile(const QString& path, const QString& text, QString* error = nullptr);

// Writes bytes to path through a temporary file beside it that is renamed over the target only
// when complete, so a failed write leaves the previous file whole.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// "0012" gives "12"; "0" and "00" give an empty text.
QString stripLeadingZeros(const QString& text);

// Swaps the first and last pair of a six-digit colour text: BBGGRR to RRGGBB and back. A shorter
// text yields only the pairs it has.
QString swapColorPairs(const QString& text);

// The built-in event icons, in order.
inline constexpr const char* kBuiltInIcons = "@star!@party!@travel!@phone!@sun!@clock!";

// True for one of the built-in icon names; case counts, an empty name is not built-in.
bool isBuiltInIcon(const QString& name);

// The per-user application-data folder, without creating it; empty when there is none.
QString applicationDataFolder();

} // namespace qv
