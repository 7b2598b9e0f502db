// The web address the upload window proposes, and its corrections.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ftp/UploadTarget.h"
#include "ftp/WebAddress.h"

#include <QTest>

class TestWebAddress : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fromFolder_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("suggestion");
        QTest::newRow("root") << QString() << QStringLiteral("http://h.com/Calendar.htm")
                              << QStringLiteral("http://h.com/Calendar.htm");
        QTest::newRow("public_html") << QStringLiteral("public_html")
                                     << QStringLiteral("http://h.com/public_html/Calendar.htm")
                                     << QStringLiteral("http://h.com/Calendar.htm");
        QTest::newRow("/htdocs/site/") << QStringLiteral("/htdocs/site/")
                                       << QStringLiteral("http://h.com/htdocs/site/Calendar.htm")
                                       << QStringLiteral("http://h.com/site/Calendar.htm");
        QTest::newRow("backslashes")
            << QStringLiteral("\\www\\site") << QStringLiteral("http://h.com/www/site/Calendar.htm")
            << QStringLiteral("http://h.com/www/site/Calendar.htm");
        QTest::newRow("letter case counts")
            << QStringLiteral("Public_HTML")
            << QStringLiteral("http://h.com/Public_HTML/Calendar.htm")
            << QStringLiteral("http://h.com/Public_HTML/Calendar.htm");
    }
    void fromFolder() {
        QFETCH(QString, setting);
        QFETCH(QString, url);
        QFETCH(QString, suggestion);
        const QString folder = qv::UploadTarget::remoteFolderFromSetting(setting);
        const qv::WebAddress a = qv::defaultWebAddress(QStringLiteral("h.com"), folder);
        QCOMPARE(a.url, url);
        QCOMPARE(a.suggestion, suggestion);
    }

    // Addresses typed through "Click Here": taken as they are, page rule off.
    void typed_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("url");
        QTest::newRow("folder without slash")
            << QStringLiteral("http://me.org/cal") << QStringLiteral("http://me.org/cal/");
        QTest::newRow("folder with slash")
            << QStringLiteral("http://me.org/cal/") << QStringLiteral("http://me.org/cal/");
        QTest::newRow("bare host has a dot")
            << QStringLiteral("http://me.org") << QStringLiteral("http://me.org");
        QTest::newRow("page kept") << QStringLiteral("http://me.org/a/page.htm")
                                   << QStringLiteral("http://me.org/a/page.htm");
        QTest::newRow("empty starts again")
            << QString() << QStringLiteral("http://h.com/x/Calendar.htm");
        QTest::newRow("bare scheme starts again")
            << QStringLiteral("http://") << QStringLiteral("http://h.com/x/Calendar.htm");
        QTest::newRow("public_html dropped from suggestion only")
            << QStringLiteral("http://me.org/public_html/cal")
            << QStringLiteral("http://me.org/public_html/cal/");
    }
    void typed() {
        QFETCH(QString, typed);
        QFETCH(QString, url);
        const qv::WebAddress a =
            qv::makeWebAddress(typed, false, QStringLiteral("h.com"), QStringLiteral("/x/"));
        QCOMPARE(a.url, url);
        QVERIFY(!a.suggestion.contains(QStringLiteral("/public_html")));
    }

    void port_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port");
        QTest::newRow("2121") << QStringLiteral("2121") << 2121;
        QTest::newRow("abc") << QStringLiteral("abc") << 21;
        QTest::newRow("70000") << QStringLiteral("70000") << 21;
        QTest::newRow("0") << QStringLiteral("0") << 21;
        QTest::newRow("65535") << QStringLiteral("65535") << 65535;
    }
    void port() {
        QFETCH(QString, text);
        QFETCH(int, port);
        QCOMPARE(int(qv::UploadTarget::portFromText(text)), port);
    }
};

QTEST_GUILESS_MAIN(TestWebAddress)
#include "test_web_address.moc"
