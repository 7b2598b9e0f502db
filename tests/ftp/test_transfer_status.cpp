// The bytes and speed line of the upload window.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ftp/TransferStatus.h"

#include <QTest>

class TestTransferStatus : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void text_data() {
        QTest::addColumn<qint64>("sent");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<double>("speed");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << qint64(0) << qint64(4096) << 0.0
                               << QStringLiteral("0 bytes of 4.0 KB, 0 bytes/s");
        QTest::newRow("megabytes")
            << qint64(1536 * 1024) << qint64(300) * 1024 * 1024 << 85.21 * 1024 * 1024
            << QStringLiteral("1.5 MB of 300.0 MB, 85.2 MB/s");
        QTest::newRow("gigabytes")
            << qint64(3) * 1024 * 1024 * 1024 << qint64(4) * 1024 * 1024 * 1024 << 1023.0
            << QStringLiteral("3.00 GB of 4.00 GB, 1023 bytes/s");
    }
    void text() {
        QFETCH(qint64, sent);
        QFETCH(qint64, total);
        QFETCH(double, speed);
        QFETCH(QString, text);
        QCOMPARE(qv::transferStatusText(sent, total, speed), text);
    }

    void fileInFlight_data() {
        QTest::addColumn<int>("others");
        QTest::addColumn<QString>("text");
        QTest::newRow("alone") << 0 << QStringLiteral("/site/a.png");
        QTest::newRow("beside two others") << 2 << QStringLiteral("/site/a.png and 2 more");
    }
    void fileInFlight() {
        QFETCH(int, others);
        QFETCH(QString, text);
        QCOMPARE(qv::fileInFlightText(QStringLiteral("/site/a.png"), others), text);
    }
};

QTEST_GUILESS_MAIN(TestTransferStatus)
#include "test_transfer_status.moc"
