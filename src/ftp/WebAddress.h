#pragma once

#include <QString>

namespace qv {

// The address under which an uploaded calendar can probably be opened, and the same without the
// usual web root folders of hosting companies.
struct WebAddress {
    QString url;
    QString suggestion;
};

// Builds the address from a text. An empty text or a bare "http://" starts again from the host
// and remote folder with "Calendar.htm". A last segment without a dot gets a "/" appended. With
// the page rule the text after the last "/" is replaced by "Calendar.htm". The suggestion drops
// every "/public_html", then every "/htdocs".
WebAddress makeWebAddress(const QString& text, bool pageRule, const QString& host,
                          const QString& remoteFolder);

// The address the upload window starts from: host, remote folder and "index.html", page rule on.
WebAddress defaultWebAddress(const QString& host, const QString& remoteFolder);

} // namespace qv
