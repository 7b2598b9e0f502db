#pragma once

#include <QString>

namespace qv {

// The zone database name /etc/localtime (or the link given) points at, such as "Europe/Berlin";
// empty when it is no symbolic link into a zone database folder or its zone file is missing.
QString zoneNameFromLink(const QString& linkPath);

// Names the system's time zone in TZ when TZ is unset and /etc/localtime links into the zone
// database. Without a TZ the C library looks at /etc/localtime again on every local-time
// conversion, which Qt asks for on each local date-time it builds (two for every event of a data
// file). The zone stays the same; the name rather than the file's path is set because the
// browser engine of the preview, which inherits the environment, understands only names. Call it
// first thing in main, before any other thread runs.
void nameSystemTimeZone();

} // namespace qv
