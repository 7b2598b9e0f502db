// The calendar's time zone as projects are made and opened, and the zones it is chosen from.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/CalendarDocument.h"
#include "document/CalendarZone.h"
#include "document/DataFileReader.h"
#include "project/Archive.h"
#include "support/DesignerProject.h"
#include "support/TestSupport.h"

#include <QtTest>

#include <ctime>

using namespace qv;

class TestCalendarZone : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The computer these tests pretend to run on is in Chicago.
    void initTestCase() {
        qputenv("TZ", "America/Chicago");
        tzset();
    }

    // A calendar made from a template is in this computer's zone, written into its data file at
    // once; a project opened keeps the zone its data file names, and one whose data file names
    // none stays without (this computer's zone), its data file untouched and nothing changed.
    void zoneOfNewAndOpenedProjects_data() {
        QTest::addColumn<bool>("fromTemplate");
        QTest::addColumn<QByteArray>("zoneInFile");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("effective");
        QTest::newRow("new from a template") << true << QByteArray() << "America/Chicago"
                                             << "America/Chicago";
        QTest::newRow("new from a template made in Tokyo")
            << true << QByteArray("Asia/Tokyo") << "America/Chicago"
            << "America/Chicago";
        QTest::newRow("opened, made in Tokyo") << false << QByteArray("Asia/Tokyo") << "Asia/Tokyo"
                                               << "Asia/Tokyo";
        QTest::newRow("opened, older file without a zone") << false << QByteArray() << ""
                                                           << "America/Chicago";
        QTest::newRow("opened, a zone this computer does not know")
            << false << QByteArray("Mars/Olympus_Mons") << "Mars/Olympus_Mons"
            << "America/Chicago";
    }
    void zoneOfNewAndOpenedProjects() {
        QFETCH(bool, fromTemplate);
        QFETCH(QByteArray, zoneInFile);
        QFETCH(QString, zone);
        QFETCH(QString, effective);
        test::DesignerProject project;
        const QTemporaryDir& dir = project.dir;
        const CalendarDocument& document = project.document;

        QByteArray data = test::readBytes(test::dataPath("options/calendar.xml"));
        if (!zoneInFile.isEmpty())
            data.replace(QByteArray("    </option>"),
                         QByteArray("        <item id=\"timezone\" value=\"" + zoneInFile +
                                    "\"/>\n    </option>"));
        QString path = dir.filePath("template/classic");
        QVERIFY(test::writeBytes(path + "/data.xml", data));
        if (!fromTemplate) {
            QVERIFY(test::writeBytes(dir.filePath("packed/quorvel/data.xml"), data));
            path = dir.filePath("project.qvp");
            QVERIFY(createArchive(dir.filePath("packed"), path, 3));
        }
        bool ok = false;
        project.lifecycle.LoadContents(path, fromTemplate, [&ok](bool loaded) { ok = loaded; });
        QVERIFY(ok);
        QCOMPARE(project.platform.shown.size(), 0);
        QCOMPARE(document.Options.TimeZone, zone);
        QCOMPARE(QString::fromLatin1(calendarZoneId(document.Options)), effective);
        QVERIFY(!document.Marks.Modified);

        const QByteArray written = test::readBytes(project.context.folders.dataFile());
        if (fromTemplate) {
            CalendarDocument reread;
            reread.enrolStandardStyleItems();
            QVERIFY(readDataFileBytes(written, reread, nullptr));
            QCOMPARE(reread.Options.TimeZone, zone);
            QVERIFY(test::readBytes(project.context.folders.projectData() + "/data.js")
                        .contains(QByteArray("id=\\\"timezone\\\" value=\\\"" + zone.toLatin1())));
        } else {
            QCOMPARE(written, data);
        }
    }

    void zoneChoices() {
        const QStringList& zones = qv::zoneChoices();
        QCOMPARE(zones.first(), "UTC");
        for (const char* zone : {"Europe/Berlin", "America/Chicago", "Asia/Kolkata",
                                 "America/Argentina/Buenos_Aires", "Pacific/Auckland"})
            QVERIFY2(zones.contains(zone), zone);
        // Aliases of names in the list and offsets without a place are left out.
        for (const char* alias : {"US/Eastern", "Etc/GMT+5", "posix/Europe/Berlin", "GMT"})
            QVERIFY2(!zones.contains(alias), alias);
        QVERIFY(std::is_sorted(zones.begin() + 1, zones.end()));
        QCOMPARE(QSet<QString>(zones.begin(), zones.end()).size(), zones.size());
    }
};

QTEST_GUILESS_MAIN(TestCalendarZone)
#include "test_calendar_zone.moc"
