#pragma once

#include <QString>

#include <functional>

#include <optional>

// Small stateless helpers shared across the program: folders, files, text, colours and icons.
namespace qv {

// Removes the folder and everything in it for good, without asking. False when the folder does
// not exist or could not be removed completely.
bool deleteFolder(const QString& folder);

// Creates the folder with its parents when missing and lets only its owner in (0700). False when
// it is not there afterwards.
bool makePrivateFolder(const QString& folder);

// Copies every file and sub-folder of sourceFolder into destinationFolder (created when missing),
// replacing files that exist there and keeping the others. False on any failure, with the first
// failure's file and reason in error. goOn, when given, is asked before each file: once it
// answers false the copy stops and fails, the files copied so far staying.
bool copyFolderContents(const QString& sourceFolder, const QString& destinationFolder,
                        QString* error = nullptr, const std::function<bool()>& goOn = {});

// Reads a whole file as UTF-8; a byte-order mark at the start is kept as a character.
// On failure returns nothing and puts the reason into error.
std::optional<QString> readUtf8TextFile(const QString& path, QString* error = nullptr);

// Writes text as UTF-8 without byte-order mark, replacing any file at path only once the whole
// text is written (writeFileAtomically).
bool writeUtf8TextFile(const QString& path, const QString& text, QString* error = nullptr);

// Writes bytes to path through a temporary file beside it that is renamed over the target only
// when complete, so a failed write leaves the previous file whole.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Text that came from a file, an archive or a server as it may be shown to the user: control
// characters (NUL, the escape of terminal sequences, the C1 range, DEL) become U+FFFD, except line
// feed and tab, which keep the text readable.
QString printableText(const QString& text);

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
