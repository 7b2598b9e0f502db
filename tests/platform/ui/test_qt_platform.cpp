#include "platform/ui/QtPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace qv;

namespace {

// Runs answer on the message box once it is shown.
void whenBoxShown(const std::function<void(QMessageBox&)>& answer) {
    QTimer::singleShot(0, [answer] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            answer(*box);
    });
}

} // namespace

class TestQtPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A file name the question names stays on a line of its own.
    void questionsKeepTheirLineBreaks() {
        QtPlatform platform;
        QString shown;
        whenBoxShown([&](QMessageBox& box) {
            shown = box.informativeText();
            box.button(QMessageBox::No)->click();
        });
        const int answer =
            platform.question("Delete Background Image", "You clicked \"remove image\" button",
                              QuestionButton::Yes | QuestionButton::No, QuestionIcon::Question,
                              "Would you like to remove background image?\r\n\r\nimage\\a b.png");
        QCOMPARE(answer, QuestionResult::No);
        QCOMPARE(shown, QString("Would you like to remove background image?\n\nimage\\a b.png"));
    }

    void choiceAnswersWithTheButtonsPosition_data() {
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("answer");
        QTest::newRow("default") << "" << 0;
        QTest::newRow("second") << "Discard" << 1;
    }
    void choiceAnswersWithTheButtonsPosition() {
        QFETCH(QString, click);
        QFETCH(int, answer);
        QtPlatform platform;
        QString title, defaultCaption;
        whenBoxShown([&](QMessageBox& box) {
            title = box.windowTitle();
            defaultCaption = box.defaultButton() ? box.defaultButton()->text() : QString();
            for (QAbstractButton* button : box.buttons())
                if (button->text() == (click.isEmpty() ? defaultCaption : click))
                    button->click();
        });
        QCOMPARE(platform.choice("Recover it?", {"Recover", "Discard"}, 0), answer);
        QCOMPARE(title, programTitle());
        QCOMPARE(defaultCaption, QString("Recover"));
    }
};

QTEST_MAIN(TestQtPlatform)
#include "test_qt_platform.moc"
