#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

class CalendarDocument;
class MediaChooserFolders;
class Platform;

// "Monthly Background Image": one picture per month. Changes go straight into the document;
// there is no cancel. The opener runs the refresh after it closes.
class TfrmMonthBgImage : public QDialog {
    Q_OBJECT
public:
    TfrmMonthBgImage(CalendarDocument& document, Platform& platform, const QString& projectData,
                     QWidget* parent = nullptr);

    // Where the picture chooser starts, kept across the choosers of the run.
    void setChooserFolders(MediaChooserFolders* folders) { m_chooserFolders = folders; }
    // Fills the rows from the document.
    void TntFormShow();
    // Row buttons: the sender's name tells the month.
    void BrowseImage();
    void DeleteImage();
    void pngbbCloseClick();

    // Index 1 (January) to 12; 0 unused.
    std::array<QLabel*, 13> lbMonth{};
    std::array<QLineEdit*, 13> edMonth{};
    std::array<QPushButton*, 13> pngbbBrowse{};
    std::array<QPushButton*, 13> pngbbDelete{};
    QPushButton* pngbbClose = nullptr;

    // The row actions for month 1 to 12, as the buttons run them.
    void browseMonth(int month);
    void deleteMonth(int month);

private:
    CalendarDocument& m_document;
    Platform& m_platform;
    QString m_projectData;
    MediaChooserFolders* m_chooserFolders = nullptr;
};

} // namespace qv
