// Reading the remote folder list out of LIST replies of Unix and DOS servers.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ftp/RemoteListing.h"

#include <QTest>

using qv::RemoteEntry;
using Entries = QList<RemoteEntry>;

Q_DECLARE_METATYPE(RemoteEntry)

namespace QTest {
template <> char* toString(const RemoteEntry& e) {
    return qstrdup(qPrintable((e.directory ? QStringLiteral("dir:") : QStringLiteral("file:")) +
                              QLatin1Char('[') + e.name + QLatin1Char(']')));
}
} // namespace QTest

namespace {
RemoteEntry dir(const char* name) {
    return {QString::fromUtf8(name), true};
}
RemoteEntry file(const char* name) {
    return {QString::fromUtf8(name), false};
}
} // namespace

class TestRemoteListing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Entries>("entries");

        QTest::newRow("unix, directories first, listing order kept")
            << QStringList{"-rw-r--r--   1 root     root          272 Dec 09 23:34 Calendar.htm",
                           "drwxr-xr-x   2 root     root         4096 Dec 09 23:34 quorvel",
                           "-rw-r--r--   1 root     root           10 Dec 09 23:34 a.swf",
                           "drwxr-xr-x   2 root     root         4096 Dec 09 23:34 image"}
            << Entries{dir("quorvel"), dir("image"), file("Calendar.htm"), file("a.swf")};
        QTest::newRow("unix, dot entries dropped")
            << QStringList{"drwxr-xr-x 2 a a 4096 Dec 09 23:34 .",
                           "drwxr-xr-x 2 a a 4096 Dec 09 23:34 ..",
                           "-rw-r--r-- 1 a a 1 Dec 09 23:34 .htaccess"}
            << Entries{file(".htaccess")};
        QTest::newRow("unix, two spaces become one, a comma a space")
            << QStringList{"-rw-r--r-- 1 a a 1 Dec 09 23:34 my  big,file.txt"}
            << Entries{file("my big file.txt")};
        QTest::newRow("unix, quoted field with doubled quote")
            << QStringList{"-rw-r--r-- 1 a a 1 Dec 09 23:34 \"say \"\"hi\"\"\" now"}
            << Entries{file("say \"hi\" now")};
        QTest::newRow("unix, fewer than nine fields gives an empty name")
            << QStringList{"-rw-r--r-- 1 a a 1 Dec 09 23:34 ok", "-rwx short line"}
            << Entries{file("ok"), file("")};
        QTest::newRow("unix, an empty line is skipped")
            << QStringList{"drwxr-xr-x 2 a a 4096 Dec 09 23:34 site", "", "  "}
            << Entries{dir("site")};
        QTest::newRow("unix, non-ASCII names")
            << QStringList{"drwxr-xr-x 2 a a 4096 Dec 09 23:34 \u00fcber uns"}
            << Entries{dir("\u00fcber uns")};
        QTest::newRow("dos") << QStringList{"12-09-25  11:34PM                  272 Calendar.htm",
                                            "12-09-25  11:34PM       <DIR>          quorvel",
                                            "12-09-25  11:34PM       <DIR>          .",
                                            "12-09-25  11:34PM                  272 web site.htm  "}
                             << Entries{dir("quorvel"), file("Calendar.htm"), file("web site.htm")};
        QTest::newRow("dos, short line gives an empty name")
            << QStringList{"12-09-25  11:34PM       <DIR>"} << Entries{dir("")};
        QTest::newRow("total line makes the listing read as dos")
            << QStringList{"total 12",
                           "drwxr-xr-x   2 root     root         4096 Dec 09 23:34 quorvel",
                           "-rw-r--r--   1 root     root          272 Dec 09 23:34 Calendar.htm"}
            << Entries{file(""), file("96 Dec 09 23:34 quorvel"),
                       file("72 Dec 09 23:34 Calendar.htm")};
        QTest::newRow("empty") << QStringList{} << Entries{};
    }

    void parse() {
        QFETCH(QStringList, lines);
        QFETCH(Entries, entries);
        QCOMPARE(qv::parseRemoteListing(lines), entries);
    }
};

QTEST_GUILESS_MAIN(TestRemoteListing)
#include "test_remote_listing.moc"
