#pragma once

#include <QString>

namespace qv {

// How a file is kept in a project archive written at a level above 0.
enum class PackingHint {
    Store,   // pictures and music in formats that are compressed already
    Deflate, // text: pages, scripts, style sheets, data files
    Sample,  // anything else: stored when its first megabyte does not shrink
};

// The hint for a file by its name's suffix (case does not matter).
PackingHint packingHintFor(const QString& fileName);

// True when deflating the first megabyte of the file saves more than a sliver of it; false also
// when the file cannot be read (the archive write then reports the failure).
bool firstMegabyteShrinks(const QString& path);

} // namespace qv
