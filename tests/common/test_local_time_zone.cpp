#include "common/LocalTimeZone.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestLocalTimeZone : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A fake zone database beside the link, so the cases do not depend on the machine's zones.
    void zoneNameFromLink_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("name");
        QTest::newRow("absolute link") << "@/zoneinfo/Europe/Berlin"
                                       << "Europe/Berlin";
        QTest::newRow("relative link") << "db/zoneinfo/America/New_York"
                                       << "America/New_York";
        QTest::newRow("single-part name") << "@/zoneinfo/UTC"
                                          << "UTC";
        QTest::newRow("leap-second variant") << "@/zoneinfo/right/Asia/Tokyo"
                                             << "right/Asia/Tokyo";
        QTest::newRow("missing zone file") << "@/zoneinfo/Mars/Olympus"
                                           << "";
        QTest::newRow("outside a zone database") << "@/elsewhere/Europe/Berlin"
                                                 << "";
        QTest::newRow("the database folder itself") << "@/zoneinfo/"
                                                    << "";
        QTest::newRow("not a link") << ""
                                    << "";
    }
    void zoneNameFromLink() {
        QFETCH(QString, target);
        QFETCH(QString, name);
        QTemporaryDir tmp;
        const QString db = tmp.filePath("db");
        for (const char* zone :
             {"zoneinfo/Europe/Berlin", "zoneinfo/America/New_York", "zoneinfo/UTC",
              "zoneinfo/right/Asia/Tokyo", "elsewhere/Europe/Berlin"}) {
            const QString file = db + u'/' + QLatin1String(zone);
            QVERIFY(QDir().mkpath(QFileInfo(file).path()));
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString link = tmp.filePath("localtime");
        if (target.isEmpty()) {
            QFile f(link);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            target.replace(u'@', db);
            QVERIFY(QFile::link(target, link));
        }
        QCOMPARE(qv::zoneNameFromLink(link), name);
    }
};

QTEST_GUILESS_MAIN(TestLocalTimeZone)
#include "test_local_time_zone.moc"
