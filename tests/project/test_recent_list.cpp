#include "project/RecentList.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;

namespace {

using Values = QMap<QString, QString>; // key in group "Recent" -> value

// The group "Recent" of a settings file as text values.
Values groupOf(QSettings& settings) {
    Values values;
    settings.sync();
    settings.beginGroup("Recent");
    for (const QString& key : settings.childKeys())
        values.insert(key, settings.value(key).toString());
    settings.endGroup();
    return values;
}

void writeGroup(QSettings& settings, const Values& values) {
    settings.beginGroup("Recent");
    for (auto it = values.begin(); it != values.end(); ++it)
        settings.setValue(it.key(), it.value());
    settings.endGroup();
    settings.sync();
}

} // namespace

class TestRecentList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saving_data() {
        QTest::addColumn<Values>("stored");     // the group before the run
        QTest::addColumn<QStringList>("saves"); // archives saved in this run, in order
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<Values>("storedAfter");
        QTest::newRow("A, B, A") << Values{} << QStringList{"/p/A.qvp", "/p/B.qvp", "/p/A.qvp"}
                                 << QStringList{"/p/A.qvp", "/p/B.qvp"}
                                 << Values{{"Count", "2"},
                                           {"Item1", "/p/A.qvp"},
                                           {"Item2", "/p/B.qvp"}};
        QTest::newRow("six saves keep five")
            << Values{} << QStringList{"A", "B", "C", "D", "E", "F"}
            << QStringList{"F", "E", "D", "C", "B"}
            << Values{{"Count", "5"}, {"Item1", "F"}, {"Item2", "E"},
                      {"Item3", "D"}, {"Item4", "C"}, {"Item5", "B"}};
        QTest::newRow("slot 3 moves to slot 1")
            << Values{{"Count", "5"}, {"Item1", "1"}, {"Item2", "2"},
                      {"Item3", "3"}, {"Item4", "4"}, {"Item5", "5"}}
            << QStringList{"3"} << QStringList{"3", "1", "2", "4", "5"}
            << Values{{"Count", "5"}, {"Item1", "3"}, {"Item2", "1"},
                      {"Item3", "2"}, {"Item4", "4"}, {"Item5", "5"}};
        QTest::newRow("case counts")
            << Values{} << QStringList{"/p/a.qvp", "/p/A.qvp"}
            << QStringList{"/p/A.qvp", "/p/a.qvp"}
            << Values{{"Count", "2"}, {"Item1", "/p/A.qvp"}, {"Item2", "/p/a.qvp"}};
        QTest::newRow("stale items of empty slots stay")
            << Values{{"Count", "1"}, {"Item1", "X"}, {"Item3", "old"}, {"Item4", "older"}}
            << QStringList{"Y"} << QStringList{"Y", "X"}
            << Values{{"Count", "2"},
                      {"Item1", "Y"},
                      {"Item2", "X"},
                      {"Item3", "old"},
                      {"Item4", "older"}};
        QTest::newRow("count 9 gives five")
            << Values{{"Count", "9"}, {"Item1", "1"}, {"Item2", "2"}, {"Item3", "3"},
                      {"Item4", "4"}, {"Item5", "5"}, {"Item6", "6"}, {"Item7", "7"},
                      {"Item8", "8"}, {"Item9", "9"}}
            << QStringList{} << QStringList{"1", "2", "3", "4", "5"}
            << Values{{"Count", "9"}, {"Item1", "1"}, {"Item2", "2"}, {"Item3", "3"},
                      {"Item4", "4"}, {"Item5", "5"}, {"Item6", "6"}, {"Item7", "7"},
                      {"Item8", "8"}, {"Item9", "9"}};
        QTest::newRow("count not a number")
            << Values{{"Count", "many"}, {"Item1", "1"}} << QStringList{} << QStringList{}
            << Values{{"Count", "many"}, {"Item1", "1"}};
        QTest::newRow("missing item keeps filled slots first")
            << Values{{"Count", "3"}, {"Item1", "1"}, {"Item3", "3"}} << QStringList{"N"}
            << QStringList{"N", "1", "3"}
            << Values{{"Count", "3"}, {"Item1", "N"}, {"Item2", "1"}, {"Item3", "3"}};
        QTest::newRow("& in a path")
            << Values{} << QStringList{"/p/Tom & Jerry.qvp"} << QStringList{"/p/Tom & Jerry.qvp"}
            << Values{{"Count", "1"}, {"Item1", "/p/Tom & Jerry.qvp"}};
    }
    void saving() {
        QFETCH(Values, stored);
        QFETCH(QStringList, saves);
        QFETCH(QStringList, listed);
        QFETCH(Values, storedAfter);
        QTemporaryDir dir;
        QSettings settings(dir.filePath("recent.ini"), QSettings::IniFormat);
        writeGroup(settings, stored);

        RecentList recent(&settings);
        recent.RecentRead();
        for (const QString& path : saves)
            recent.RecentAdd(path);
        QCOMPARE(recent.paths(), listed);
        QCOMPARE(groupOf(settings), storedAfter);

        // The next run reads what this one left.
        QSettings again(dir.filePath("recent.ini"), QSettings::IniFormat);
        RecentList next(&again);
        next.RecentRead();
        QCOMPARE(next.paths(), listed);
    }

    void withoutStoredListTheMenuIsEmpty() {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("recent.ini"), QSettings::IniFormat);
        RecentList recent(&settings);
        int rebuilt = 0;
        recent.setChangedHandler([&] { ++rebuilt; });
        recent.RecentRead();
        QVERIFY(recent.paths().isEmpty());
        QCOMPARE(rebuilt, 1);
        recent.RecentAdd("A");
        QCOMPARE(rebuilt, 2);
    }

    void unwritableSettingsStillUpdateTheList() {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("recent.ini"))); // a folder where the file should be
        QSettings settings(dir.filePath("recent.ini"), QSettings::IniFormat);
        RecentList recent(&settings);
        int rebuilt = 0;
        recent.setChangedHandler([&] { ++rebuilt; });
        recent.RecentAdd("A");
        recent.RecentAdd("B");
        QCOMPARE(recent.paths(), (QStringList{"B", "A"}));
        QCOMPARE(rebuilt, 2);
    }

    void captions_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        QTest::newRow("plain") << "/home/u/a.qvp"
                               << "/home/u/a.qvp";
        QTest::newRow("one &") << "/home/u/Tom & Jerry.qvp"
                               << "/home/u/Tom && Jerry.qvp";
        QTest::newRow("two &") << "/a&&b.qvp"
                               << "/a&&&&b.qvp";
    }
    void captions() {
        QFETCH(QString, path);
        QFETCH(QString, caption);
        QCOMPARE(RecentList::captionOf(path), caption);
        QCOMPARE(RecentList::pathOfCaption(caption), path);
    }

    void shortcutMarksAreNotPartOfThePath_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("path");
        QTest::newRow("leading mark") << "&1 /p/a.qvp"
                                      << "1 /p/a.qvp";
        QTest::newRow("inner mark") << "/p/&a.qvp"
                                    << "/p/a.qvp";
        QTest::newRow("trailing &") << "/p/a.qvp&"
                                    << "/p/a.qvp";
    }
    void shortcutMarksAreNotPartOfThePath() {
        QFETCH(QString, caption);
        QFETCH(QString, path);
        QCOMPARE(RecentList::pathOfCaption(caption), path);
    }
};

QTEST_GUILESS_MAIN(TestRecentList)
#include "test_recent_list.moc"
