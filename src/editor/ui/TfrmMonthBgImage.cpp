#include "editor/ui/TfrmMonthBgImage.h"

#include "document/CalendarDocument.h"
#include "editor/MediaChoice.h"
#include "platform/Platform.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qv {

TfrmMonthBgImage::TfrmMonthBgImage(CalendarDocument& document, Platform& platform,
                                   const QString& projectData, QWidget* parent)
    : QDialog(parent), m_document(document), m_platform(platform), m_projectData(projectData) {
    setObjectName(QStringLiteral("TfrmMonthBgImage"));
    setWindowTitle(tr("Monthly Background Image"));
    resize(411, 415);
    auto* column = new QVBoxLayout(this);
    auto* group = new QGroupBox(tr("Add background image for each month below:"), this);
    auto* grid = new QGridLayout(group);
    for (int m = 1; m <= 12; ++m) {
        const QString mm = QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
        lbMonth[m] = new QLabel(mm, group);
        lbMonth[m]->setObjectName(QStringLiteral("lbMonth") + mm);
        edMonth[m] = new QLineEdit(group);
        edMonth[m]->setObjectName(QStringLiteral("edMonth") + mm);
        edMonth[m]->setReadOnly(true);
        pngbbBrowse[m] = new QPushButton(style()->standardIcon(QStyle::SP_DirOpenIcon), {}, group);
        pngbbBrowse[m]->setObjectName(QStringLiteral("pngbbBrowse") + mm);
        pngbbBrowse[m]->setToolTip(tr("Browse"));
        pngbbDelete[m] =
            new QPushButton(style()->standardIcon(QStyle::SP_DialogDiscardButton), {}, group);
        pngbbDelete[m]->setObjectName(QStringLiteral("pngbbDelete") + mm);
        pngbbDelete[m]->setToolTip(tr("Remove"));
        grid->addWidget(lbMonth[m], m - 1, 0);
        grid->addWidget(edMonth[m], m - 1, 1);
        grid->addWidget(pngbbBrowse[m], m - 1, 2);
        grid->addWidget(pngbbDelete[m], m - 1, 3);
        connect(pngbbBrowse[m], &QPushButton::clicked, this, &TfrmMonthBgImage::BrowseImage);
        connect(pngbbDelete[m], &QPushButton::clicked, this, &TfrmMonthBgImage::DeleteImage);
    }
    column->addWidget(group);
    pngbbClose = new QPushButton(tr("Close"), this);
    pngbbClose->setObjectName(QStringLiteral("pngbbClose"));
    connect(pngbbClose, &QPushButton::clicked, this, &TfrmMonthBgImage::pngbbCloseClick);
    column->addWidget(pngbbClose, 0, Qt::AlignRight);
    if (parent)
        move(parent->geometry().center() - rect().center());
}

void TfrmMonthBgImage::TntFormShow() {
    for (int m = 1; m <= 12; ++m)
        edMonth[m]->setText(m_document.MonthlyBackground.Images[std::size_t(m)]);
}

void TfrmMonthBgImage::BrowseImage() {
    if (const auto month = monthOfButton(sender() ? sender()->objectName() : QString(),
                                         QStringLiteral("pngbbBrowse")))
        browseMonth(*month);
}

void TfrmMonthBgImage::DeleteImage() {
    if (const auto month = monthOfButton(sender() ? sender()->objectName() : QString(),
                                         QStringLiteral("pngbbDelete")))
        deleteMonth(*month);
}

void TfrmMonthBgImage::browseMonth(int month) {
    const QString start =
        m_chooserFolders ? m_chooserFolders->startFor(MediaChooserFolders::Picture) : QString();
    const QString chosen = m_platform.openFile(tr("Open"), start, pictureFilter());
    if (chosen.isEmpty())
        return;
    if (m_chooserFolders)
        m_chooserFolders->chosen(MediaChooserFolders::Picture, chosen);
    QString& slot = m_document.MonthlyBackground.Images[std::size_t(month)];
    // The month's previous picture stays in the image folder.
    if (!chooseMediaFile(m_document, m_projectData, QStringLiteral("image"), chosen, slot, false))
        return;
    edMonth[month]->setText(slot);
}

void TfrmMonthBgImage::deleteMonth(int month) {
    const QString former = edMonth[month]->text();
    if (!holdsReference(former))
        return;
    const RemoveQuestion q = removeImageQuestion(former);
    if (m_platform.question(q.title, q.instruction, QuestionButton::Yes | QuestionButton::No,
                            QuestionIcon::Question, q.text) != QuestionResult::Yes)
        return;
    edMonth[month]->clear();
    removeMediaReference(m_document, m_projectData,
                         m_document.MonthlyBackground.Images[std::size_t(month)]);
}

void TfrmMonthBgImage::pngbbCloseClick() {
    close();
}

} // namespace qv
