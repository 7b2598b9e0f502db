// The running designer is tied to its menu entry and carries the program's icon.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ui/DesktopIdentity.h"

#include <QApplication>
#include <QFileInfo>
#include <QtTest>

class TestDesktopIdentity : public QObject {
    Q_OBJECT

    static QString desktopEntry() {
        return QStringLiteral(QUORVEL_TEST_DATA "/../../packaging/io.quorvel.Designer.desktop");
    }

private Q_SLOTS:
    void theWindowsBelongToTheMenuEntry() {
        qv::applyDesktopIdentity();
        QVERIFY(QFileInfo::exists(desktopEntry()));
        // Wayland docks match the running program to the entry by this name.
        QCOMPARE(QGuiApplication::desktopFileName() + ".desktop",
                 QFileInfo(desktopEntry()).fileName());
    }

    void everyWindowCarriesTheIcon() {
        qv::applyDesktopIdentity();
        QWidget window;
        const QIcon icon = window.windowIcon();
        QVERIFY(!icon.isNull());
        for (const int size : {16, 48, 256}) {
            const QImage picture = icon.pixmap(QSize(size, size)).toImage();
            QCOMPARE(picture.size(), QSize(size, size));
            QVERIFY2(picture.pixelColor(size / 2, size / 2).alpha() > 0, "an empty picture");
        }
    }
};

QTEST_MAIN(TestDesktopIdentity)
#include "test_desktop_identity.moc"
