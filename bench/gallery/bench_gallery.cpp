// The gallery window moving through 40 templates page by page (">" to the last page, "<" back
// to the first), against the peer measured in the same run: decoding and scaling all 40
// templates' thumbnails at once, as a gallery that loads everything when it opens would. The
// thumbnails are twice the size of their areas, so every one is scaled. Prints the time of one
// page change, the peer's time and the ratio page change / peer. Run it from an optimised build.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/ui/TFormTemplateSelect.h"
#include "platform/ScriptedPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kTemplates = 40;
constexpr int kRounds = 5;

QString nameOf(int i) {
    return QStringLiteral("template%1").arg(i, 2, 10, QLatin1Char('0'));
}

// A picture with some detail, so the JPEG is not trivially small.
void writeThumbnail(const QString& path, QSize size, int seed) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 160, 220));
    gradient.setColorAt(1, QColor::fromHsv((seed * 37 + 120) % 360, 200, 120));
    painter.fillRect(image.rect(), gradient);
    for (int i = 0; i < 60; ++i)
        painter.drawText(QPoint((i * 53) % size.width(), (i * 29) % size.height()),
                         QStringLiteral("Event %1").arg(i));
    painter.end();
    image.save(path, "JPG", 85);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QStringList catalogue;
    for (int i = 0; i < kTemplates; ++i) {
        const QString folder = dir.filePath(nameOf(i));
        QDir().mkpath(folder);
        writeThumbnail(folder + QStringLiteral("/thumb.jpg"), QSize(906, 730), i);
        writeThumbnail(folder + QStringLiteral("/thumb_s.jpg"), QSize(266, 146), i);
        catalogue.append(nameOf(i));
    }
    qv::ScriptedPlatform ui;

    std::vector<double> pageChanges, peers;
    for (int round = 0; round < kRounds; ++round) {
        qv::TFormTemplateSelect gallery(
            {catalogue, dir.path(), QStringLiteral("Benchmark"), &ui,
             [](const QString&, const std::function<void(bool)>& done) { done(true); }});
        gallery.show();
        QCoreApplication::processEvents();
        const int pages = gallery.paging().pageCount();
        QElapsedTimer timer;
        timer.start();
        int changes = 0;
        for (int i = 1; i < pages; ++i, ++changes) {
            gallery.BtnNextPageClick();
            QCoreApplication::processEvents(); // paint what changed
        }
        for (int i = 1; i < pages; ++i, ++changes) {
            gallery.BtnPrevPageClick();
            QCoreApplication::processEvents();
        }
        pageChanges.push_back(double(timer.nsecsElapsed()) / 1e6 / changes);

        timer.restart();
        std::vector<QImage> all;
        for (const QString& name : catalogue) {
            for (const auto& [file, area] :
                 {std::pair{QStringLiteral("/thumb.jpg"), QSize(453, 365)},
                  std::pair{QStringLiteral("/thumb_s.jpg"), QSize(133, 73)}}) {
                QImage image(dir.filePath(name) + file);
                all.push_back(image.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            }
        }
        peers.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    const double page = median(pageChanges), peer = median(peers);
    std::printf("gallery, %d templates, median of %d rounds\n", kTemplates, kRounds);
    std::printf("  one page change (4 small + 1 large thumbnail, painted): %8.2f ms\n", page);
    std::printf("  peer: decoding and scaling all %d templates' thumbnails: %8.2f ms\n", kTemplates,
                peer);
    std::printf("  ratio page change / peer: %.3f\n", page / peer);
    return 0;
}
