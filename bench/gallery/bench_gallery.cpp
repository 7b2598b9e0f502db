// The gallery window moving through 40 templates page by page (">" to the last page, "<" back
// to the first), against the same work done plainly in the same run: for each page, its four
// small thumbnails and the current template's large one read with QImageReader at the size they
// are shown (the JPEG decoder scaling while it decodes, the peer's best option) and painted by a
// widget of the gallery's size. The thumbnails are twice the size of their areas, so every one is
// scaled. Both warmed, the order alternated, median and spread of both and of the ratio over the
// rounds. Run it from an optimised build.
//   bench_gallery [rounds=9]
// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/ui/TFormTemplateSelect.h"
#include "platform/ScriptedPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <vector>

#include "../SideBySide.h"

namespace {

constexpr int kTemplates = 40;

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

// The peer: a widget that paints one page's thumbnails, read at the size they are shown.
class PlainPage : public QWidget {
public:
    explicit PlainPage(QString folder) : m_folder(std::move(folder)) {}

    void showPage(const QStringList& smallOnes, const QString& large) {
        m_small.clear();
        for (const QString& name : smallOnes)
            m_small.push_back(read(name + QStringLiteral("/thumb_s.jpg"), QSize(133, 73)));
        m_large = read(large + QStringLiteral("/thumb.jpg"), QSize(453, 365));
        repaint();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (size_t i = 0; i < m_small.size(); ++i)
            painter.drawImage(QPoint(10 + int(i) * 160, 10), m_small[i]);
        painter.drawImage(QPoint(10, 120), m_large);
    }

private:
    QImage read(const QString& file, QSize area) const {
        QImageReader reader(m_folder + QLatin1Char('/') + file);
        reader.setScaledSize(reader.size().scaled(area, Qt::KeepAspectRatio));
        return reader.read();
    }

    QString m_folder;
    std::vector<QImage> m_small;
    QImage m_large;
};

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
    const QStringList args = app.arguments();
    const int rounds = args.size() > 1 ? std::max(7, args.at(1).toInt()) : 9;

    std::unique_ptr<qv::TFormTemplateSelect> gallery;
    int changes = 0;
    const bench::Side ours{
        "gallery",
        [&] {
            gallery = std::make_unique<qv::TFormTemplateSelect>(qv::TFormTemplateSelect::Setup{
                catalogue, dir.path(), QStringLiteral("Benchmark"), &ui,
                [](const QString&, const std::function<void(bool)>& done) { done(true); }});
            gallery->show();
            QCoreApplication::processEvents();
            return true;
        },
        [&] {
            const int pages = gallery->paging().pageCount();
            changes = 0;
            for (int i = 1; i < pages; ++i, ++changes) {
                gallery->BtnNextPageClick();
                QCoreApplication::processEvents(); // paint what changed
            }
            for (int i = 1; i < pages; ++i, ++changes) {
                gallery->BtnPrevPageClick();
                QCoreApplication::processEvents();
            }
            return true;
        }};
    PlainPage plain(dir.path());
    plain.resize(700, 520);
    plain.show();
    QCoreApplication::processEvents();
    const bench::Side peer{"plain page", {}, [&] {
                               const int pages = int(catalogue.size() + 3) / 4;
                               const auto showPage = [&](int page) {
                                   plain.showPage(catalogue.mid(page * 4, 4),
                                                  catalogue.at(page * 4));
                               };
                               for (int page = 1; page < pages; ++page)
                                   showPage(page);
                               for (int page = pages - 2; page >= 0; --page)
                                   showPage(page);
                               return true;
                           }};
    std::printf("gallery, %d templates, one page = 4 small + 1 large thumbnail\n", kTemplates);
    bench::sideBySide("all pages forth and back, each painted", ours, peer, rounds);
    std::printf("  (%d page changes a round)\n", changes);
    return 0;
}
