#include "gallery/TemplateCatalogue.h"
#include "gallery/Thumbnail.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;
using qv::test::writeBytes;

namespace {

QByteArray pictureBytes(QSize size, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

// The template catalogue and the thumbnails of the gallery.
class TestGalleryFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void catalogueTakesVisibleFoldersInNameOrder() {
        QTemporaryDir dir;
        for (const char* name : {"winter", "Autumn", "spring", "Summer", ".git", "..more"})
            QVERIFY(QDir().mkpath(dir.filePath(name)));
        writeBytes(dir.filePath("readme.txt"), "not a template");
        writeBytes(dir.filePath("spring/data.xml"), "<calendar/>");
        QCOMPARE(TemplateRead(dir.path()), (QStringList{"Autumn", "spring", "Summer", "winter"}));
    }

    void catalogueOfNoFolderIsEmpty_data() {
        QTest::addColumn<QString>("relative");
        QTest::newRow("missing") << "nothing/here";
        QTest::newRow("empty") << "empty";
        QTest::newRow("files only") << "files";
    }
    void catalogueOfNoFolderIsEmpty() {
        QFETCH(QString, relative);
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("empty"));
        writeBytes(dir.filePath("files/thumb.jpg"), "x");
        QCOMPARE(TemplateRead(dir.filePath(relative)), QStringList());
    }

    void fitting_data() {
        QTest::addColumn<QSize>("image");
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QSize>("fitted");
        const QSize small = kSmallThumbnailArea, large = kLargeThumbnailArea;
        QTest::newRow("small enlarged") << QSize(100, 50) << small << QSize(133, 66);
        QTest::newRow("exact") << QSize(133, 73) << small << QSize(133, 73);
        QTest::newRow("twice the area") << QSize(266, 146) << small << QSize(133, 73);
        QTest::newRow("tall") << QSize(50, 100) << small << QSize(36, 73);
        QTest::newRow("wide strip") << QSize(1000, 10) << small << QSize(133, 1);
        QTest::newRow("large shrunk") << QSize(906, 730) << large << QSize(453, 365);
        QTest::newRow("large enlarged") << QSize(200, 100) << large << QSize(453, 226);
        QTest::newRow("large tall") << QSize(300, 600) << large << QSize(182, 365);
        QTest::newRow("empty image") << QSize(0, 0) << small << QSize();
    }
    void fitting() {
        QFETCH(QSize, image);
        QFETCH(QSize, area);
        QFETCH(QSize, fitted);
        QCOMPARE(fitThumbnail(image, area), fitted);
    }

    void loadsAndFitsJpeg() {
        QTemporaryDir dir;
        writeBytes(dir.filePath("thumb_s.jpg"), pictureBytes(QSize(100, 50), "JPG"));
        const Thumbnail thumb = loadThumbnail(dir.filePath("thumb_s.jpg"), kSmallThumbnailArea);
        QCOMPARE(thumb.status, Thumbnail::Status::Loaded);
        QCOMPARE(thumb.image.size(), QSize(133, 66));
        QVERIFY(thumb.error.isEmpty());
    }

    void missingThumbnail() {
        QTemporaryDir dir;
        const Thumbnail thumb = loadThumbnail(dir.filePath("thumb.jpg"), kLargeThumbnailArea);
        QCOMPARE(thumb.status, Thumbnail::Status::Missing);
        QVERIFY(thumb.image.isNull());
    }

    void unreadableThumbnail_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not a picture") << QByteArray("this is no picture");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("cut JPEG") << pictureBytes(QSize(100, 50), "JPG").left(20);
        QTest::newRow("PNG named .jpg") << pictureBytes(QSize(100, 50), "PNG");
    }
    void unreadableThumbnail() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath("thumb.jpg");
        writeBytes(path, bytes);
        const Thumbnail thumb = loadThumbnail(path, kLargeThumbnailArea);
        QCOMPARE(thumb.status, Thumbnail::Status::Unreadable);
        QVERIFY2(thumb.error.contains(QDir::toNativeSeparators(path)), qPrintable(thumb.error));
        QVERIFY2(!thumb.error.contains("Unknown error"), qPrintable(thumb.error));
        QVERIFY(thumb.image.isNull());
    }
};

QTEST_GUILESS_MAIN(TestGalleryFiles)
#include "test_gallery_files.moc"
