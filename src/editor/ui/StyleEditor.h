#pragma once

#include "editor/MediaChoice.h"

#include <QObject>

#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace qv {

class CalendarModel;
class ClickLabel;
class Folders;
class Platform;
class TfrmMonthBgImage;
class UpDown;

// The "Style" group of the "Options" tab: colour and opacity of the style items, the background
// image, the monthly background images and the background music. It changes the document through
// the model, which announces each confirmed change, and shows every data file read.
class StyleEditor : public QObject {
    Q_OBJECT
public:
    // Fills body; media files go into the project data folder of folders, and the choosers start
    // where mediaFolders says. The window of body is disabled while the monthly background images
    // dialog is open.
    StyleEditor(CalendarModel& model, Platform& platform, const Folders& folders,
                MediaChooserFolders& mediaFolders, QWidget* body);

    // Shows the monthly background images dialog modally; tests replace it to drive the dialog.
    void setMonthDialogRunner(std::function<void(TfrmMonthBgImage&)> run) {
        m_runMonthDialog = std::move(run);
    }

    // Handlers.
    void StyleRefresh();
    void ColorChoose();
    void ColorRefresh();
    void PngBitBtn5Click();
    void EdtOpacityChange();
    void EditOpacityRefresh(int key);
    void EdtURIChange();
    void BrowseImage();
    void RemoveImage();
    void cbMonthBgImageClick();
    void pngbbMonthBgImageClick();
    void BrowseMusic();
    void RemoveMusic();
    void cbMusicOnDefClick();

    // The style item index of the selected row, or -1.
    int selectedItem() const;

    QComboBox* CmbOItemSelect = nullptr;
    QLabel* LblColor = nullptr;
    QFrame* EdtColor = nullptr;
    ClickLabel* LblColorText = nullptr;
    QPushButton* PngBitBtn5 = nullptr;
    QLabel* LblOpacity = nullptr;
    QLineEdit* EdtOpacity = nullptr;
    UpDown* UpDownOpacity = nullptr;
    QLabel* LblURI = nullptr;
    QLineEdit* EdtURI = nullptr;
    QPushButton* BtnUri = nullptr;
    QLineEdit* EdtOBackgroundURI = nullptr;
    QPushButton* PngBitBtn6 = nullptr;
    QPushButton* PngBitBtn7 = nullptr;
    QCheckBox* cbMonthBgImage = nullptr;
    QPushButton* pngbbMonthBgImage = nullptr;
    QLineEdit* EdtOBackgroundMusic = nullptr;
    QPushButton* pngbbBrowseMusic = nullptr;
    QPushButton* pngbbDeleteMusic = nullptr;
    QCheckBox* cbMusicOnDef = nullptr;
    QLineEdit* EdtOBgMusicVolume = nullptr;
    UpDown* UpDownBgMusicVolume = nullptr;

    // What a data file read brings: the chooser emptied, a row listed, the monthly background
    // switch, the music controls, the volume's up-down, and at the end the values read.
    void resetBeforeRead();
    void styleItemRead(const QString& caption, int tableIndex);
    void monthlyBackgroundRead(bool available, bool enabled);
    void musicRead(bool available);
    void spinValueRead(const QString& optionId, int value);
    void readFinished();

private:
    void createControls(QWidget* body);
    void paintSwatch(quint32 color);
    void setMusicEnabled(bool on);
    // SetField on the selected style item with the text trimmed of spaces and control characters.
    void storeIntoSelected(const QString& key, const QString& text);
    // Copies a chosen file into the folder and refers to it from slot and field; the change is
    // announced.
    void chooseMedia(const QString& folder, const QString& filter, QLineEdit* field, QString& slot);
    // Asks, empties the field (and so its value), announces the change and deletes the file when
    // nothing refers to it any more.
    void removeMedia(QLineEdit* field, RemoveQuestion (*question)(const QString&));
    QString projectData() const;

    CalendarModel& m_model;
    Platform& m_platform;
    const Folders& m_folders;
    MediaChooserFolders& m_mediaFolders;
    QWidget* m_body;
    std::function<void(TfrmMonthBgImage&)> m_runMonthDialog;
};

} // namespace qv
