#include "gallery/GalleryPaging.h"

#include <QTest>

using namespace qv;

Q_DECLARE_METATYPE(QList<int>)

namespace {

QList<int> labelPages(const GalleryPaging& paging) {
    QList<int> pages;
    for (int i = 0; i < GalleryPaging::kLabels; ++i)
        pages.append(paging.labelPage(i) + 1);
    return pages;
}

} // namespace

class TestGalleryPaging : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pageCount_data() {
        QTest::addColumn<int>("templates");
        QTest::addColumn<int>("pages");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("four") << 4 << 1;
        QTest::newRow("five") << 5 << 2;
        QTest::newRow("nine") << 9 << 3;
        QTest::newRow("twenty") << 20 << 5;
    }
    void pageCount() {
        QFETCH(int, templates);
        QFETCH(int, pages);
        QCOMPARE(GalleryPaging(templates).pageCount(), pages);
    }

    void lastPageOfNine() {
        GalleryPaging paging(9);
        paging.preview();
        QVERIFY(!paging.prevPageActive());
        QVERIFY(paging.nextPageActive());
        QVERIFY(paging.goToPage(2));
        const GalleryPreview preview = paging.preview();
        QCOMPARE(paging.current(), 8);
        QVERIFY(preview.refillButtons);
        QCOMPARE(preview.downSlot, 0);
        QCOMPARE(paging.buttonTemplate(0), 8);
        for (int slot : {1, 2, 3})
            QCOMPARE(paging.buttonTemplate(slot), -1);
        QCOMPARE(labelPages(paging), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(paging.labelLook(0), PageLabelLook::Active);
        QCOMPARE(paging.labelLook(2), PageLabelLook::Current);
        QCOMPARE(paging.labelLook(3), PageLabelLook::Inactive); // there is no page 4
        QVERIFY(paging.prevPageActive());
        QVERIFY(!paging.nextPageActive());
        QVERIFY(!preview.nextEnabled);
        QVERIFY(preview.prevEnabled);
    }

    // The window of four page labels moves just far enough to hold the current page.
    void labelWindow_data() {
        QTest::addColumn<int>("templates");
        QTest::addColumn<QList<int>>("visits"); // pages, 1-based, in order
        QTest::addColumn<QList<int>>("labels"); // what P1 to P4 show at the end
        QTest::addColumn<bool>("movedLast");
        QTest::newRow("first showing") << 20 << QList<int>{} << QList<int>{1, 2, 3, 4} << true;
        QTest::newRow("page 4 keeps 1..4")
            << 20 << QList<int>{4} << QList<int>{1, 2, 3, 4} << false;
        QTest::newRow("page 4 then 5") << 20 << QList<int>{4, 5} << QList<int>{2, 3, 4, 5} << true;
        QTest::newRow("straight to 5") << 20 << QList<int>{5} << QList<int>{2, 3, 4, 5} << true;
        QTest::newRow("5 then back to 1")
            << 20 << QList<int>{4, 5, 1} << QList<int>{1, 2, 3, 4} << true;
        QTest::newRow("5 then 2 stays")
            << 20 << QList<int>{5, 2} << QList<int>{2, 3, 4, 5} << false;
        QTest::newRow("one page") << 3 << QList<int>{} << QList<int>{1, 2, 3, 4} << true;
    }
    void labelWindow() {
        QFETCH(int, templates);
        QFETCH(QList<int>, visits);
        QFETCH(QList<int>, labels);
        QFETCH(bool, movedLast);
        GalleryPaging paging(templates);
        GalleryPreview last = paging.preview();
        for (int page : visits) {
            QVERIFY(paging.goToPage(page - 1));
            last = paging.preview();
        }
        QCOMPARE(labelPages(paging), labels);
        QCOMPARE(last.labelsMoved, movedLast);
        for (int i = 0; i < GalleryPaging::kLabels; ++i) {
            const int page = paging.labelPage(i);
            const PageLabelLook expected = page >= paging.pageCount()     ? PageLabelLook::Inactive
                                           : page == paging.currentPage() ? PageLabelLook::Current
                                                                          : PageLabelLook::Active;
            QCOMPARE(paging.labelLook(i), expected);
        }
    }

    void navigation_data() {
        QTest::addColumn<int>("templates");
        QTest::addColumn<int>("from"); // index
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("arg");
        QTest::addColumn<int>("to");
        QTest::newRow("NP from 7 of 9 stops at 9") << 9 << 6 << "nextPage" << 0 << 8;
        QTest::newRow("NP keeps the slot") << 9 << 1 << "nextPage" << 0 << 5;
        QTest::newRow("NP on the last does nothing") << 9 << 8 << "nextPage" << 0 << 8;
        QTest::newRow("PP from 2 goes to 1") << 9 << 1 << "prevPage" << 0 << 0;
        QTest::newRow("PP keeps the slot") << 9 << 6 << "prevPage" << 0 << 2;
        QTest::newRow("PP on the first does nothing") << 9 << 0 << "prevPage" << 0 << 0;
        QTest::newRow("next") << 9 << 3 << "next" << 0 << 4;
        QTest::newRow("next on the last") << 9 << 8 << "next" << 0 << 8;
        QTest::newRow("prev") << 9 << 4 << "prev" << 0 << 3;
        QTest::newRow("prev on the first") << 9 << 0 << "prev" << 0 << 0;
        QTest::newRow("button on page 2") << 9 << 4 << "button" << 2 << 6;
        QTest::newRow("hidden button") << 9 << 8 << "button" << 1 << 8;
        QTest::newRow("label of another page") << 9 << 1 << "label" << 2 << 8;
        QTest::newRow("label of the current page") << 9 << 5 << "label" << 1 << 5;
        QTest::newRow("label of no page") << 9 << 0 << "label" << 3 << 0;
        QTest::newRow("page beyond the last") << 9 << 0 << "page" << 3 << 0;
    }
    void navigation() {
        QFETCH(int, templates);
        QFETCH(int, from);
        QFETCH(QString, step);
        QFETCH(int, arg);
        QFETCH(int, to);
        GalleryPaging paging(templates);
        paging.preview();
        while (paging.current() < from) {
            QVERIFY(paging.next());
            paging.preview();
        }
        bool changed = false;
        if (step == "nextPage")
            changed = paging.nextPage();
        else if (step == "prevPage")
            changed = paging.prevPage();
        else if (step == "next")
            changed = paging.next();
        else if (step == "prev")
            changed = paging.prev();
        else if (step == "button")
            changed = paging.clickButton(arg);
        else if (step == "label")
            changed = paging.clickLabel(arg);
        else if (step == "page")
            changed = paging.goToPage(arg);
        else
            QFAIL("unknown step");
        QCOMPARE(paging.current(), to);
        QCOMPARE(changed, to != from);
    }

    // The buttons are filled again only when the page changes.
    void buttonsRefilledOnPageChangeOnly() {
        GalleryPaging paging(9);
        QVERIFY(paging.preview().refillButtons);
        QVERIFY(paging.next());
        GalleryPreview preview = paging.preview();
        QVERIFY(!preview.refillButtons);
        QCOMPARE(preview.downSlot, 1);
        QVERIFY(paging.nextPage());
        preview = paging.preview();
        QVERIFY(preview.refillButtons);
        QCOMPARE(preview.downSlot, 1);
        QVERIFY(paging.prev());
        QVERIFY(!paging.preview().refillButtons);
    }

    void noTemplates() {
        GalleryPaging paging(0);
        QCOMPARE(paging.current(), -1);
        const GalleryPreview preview = paging.preview();
        QVERIFY(!preview.refillButtons);
        QCOMPARE(preview.downSlot, -1);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(paging.labelLook(i), PageLabelLook::Inactive);
            QCOMPARE(paging.buttonTemplate(i), -1);
            QVERIFY(!paging.clickButton(i));
            QVERIFY(!paging.clickLabel(i));
        }
        QVERIFY(!paging.prevPageActive());
        QVERIFY(!paging.nextPageActive());
        QVERIFY(!paging.next());
        QVERIFY(!paging.nextPage());
    }
};

QTEST_GUILESS_MAIN(TestGalleryPaging)
#include "test_gallery_paging.moc"
