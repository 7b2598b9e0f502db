#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace qv {

// The four pages the preview is made from, indexed by the editor layout: 0 full, 1 left,
// 2 right, 3 center. Each is read once at start-up and held as its lines.
struct LayoutPages {
    static const std::array<QString, 4>& fileNames();

    std::array<QStringList, 4> pages;

    // Reads the four pages from filesFolder in index order. Stops at the first page that cannot
    // be read and reports why; the pages read so far are kept.
    bool read(const QString& filesFolder, QString* error = nullptr);
};

} // namespace qv
