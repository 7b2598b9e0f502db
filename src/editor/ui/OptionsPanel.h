#pragma once

#include <QObject>

#include <array>
#include <functional>

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;

namespace qv {

class CalendarDocument;
class CalendarModel;
class Platform;
class TfrmCategories;
class UpDown;

// The general, size and publish options of the "Options" tab. Each field follows its option value
// of the document as it is typed; the model announces the change when it is confirmed (Enter
// released in a field, an up-down released, a list choice, the formatting menu, "Original Size").
// The fields show every data file read.
class OptionsPanel : public QObject {
    Q_OBJECT
public:
    // The sections the panel fills: general options, size, publish size.
    struct Sections {
        QWidget* general;
        QWidget* size;
        QWidget* publish;
    };
    // window owns the panel and its formatting menu.
    OptionsPanel(CalendarModel& model, Platform& platform, const Sections& sections,
                 QWidget* window);

    // Handlers.
    void EditRefresh();
    void UpDownRefresh();
    void ComboRefresh();
    // The language field was left or a language chosen: the tag, or "auto" for anything else.
    void LanguageChosen();
    // A time zone chosen, or the zone field left: a zone of the list becomes the calendar's;
    // anything else gives the field back the calendar's zone.
    void TimeZoneChosen();
    // Opens the formatting menu for the formatted text number 0 title, 1 subtitle, 2 copyright.
    void StartTextPopup(int number);
    void Bold1Click(bool checked);
    void Italic1Click(bool checked);
    void Underlined1Click(bool checked);
    void Color1Click();
    void PngbbOriginalSizeClick();
    // Opens the "Categories" dialog; the window is disabled until it closes.
    void PngbbCategoriesClick();

    // Shows the categories dialog; tests replace it to drive the dialog.
    void setCategoriesDialogRunner(std::function<void(TfrmCategories&)> run) {
        m_runCategoriesDialog = std::move(run);
    }

    // Which formatted text the formatting menu acts on.
    int popupTarget() const { return m_popupTarget; }

    QLineEdit* EdtOTitle = nullptr;
    QLineEdit* EdtOSubtitle = nullptr;
    QLineEdit* EdtOCopyright = nullptr;
    QPushButton* PngBitBtn2 = nullptr;
    QPushButton* PngBitBtn3 = nullptr;
    QPushButton* PngBitBtn4 = nullptr;
    QComboBox* CmbOWeekStart = nullptr;
    QComboBox* CmbODateFormat = nullptr;
    QComboBox* CmbOTimeFormat = nullptr;
    QComboBox* CmbOLanguage = nullptr;
    QComboBox* CmbOTimeZone = nullptr;
    QPushButton* PngbbCategories = nullptr;
    QLineEdit* EdtOCellwidth = nullptr;
    QLineEdit* EdtOCellheight = nullptr;
    QLineEdit* EdtOContentheight = nullptr;
    QLineEdit* EdtOContentmargin = nullptr;
    UpDown* UpDownCellWidth = nullptr;
    UpDown* UpDownCellHeight = nullptr;
    UpDown* UpDownContentHeight = nullptr;
    UpDown* UpDownContentmargin = nullptr;
    QLineEdit* EdtOPublishwidth = nullptr;
    QLineEdit* EdtOPublishheight = nullptr;
    QPushButton* PngbbOriginalSize = nullptr;
    QMenu* PopupText = nullptr;
    QAction* Bold1 = nullptr;
    QAction* Italic1 = nullptr;
    QAction* Underlined1 = nullptr;
    QAction* Color1 = nullptr;

    // The up-down of a size field shows the number read.
    void spinValueRead(const QString& optionId, int value);

    // Puts the document's option values into the fields.
    void showDocument();

private:
    void createGeneral(QWidget* body);
    void createSize(QWidget* body);
    void createPublish(QWidget* body);
    void createPopup();
    QLineEdit* boundField(QWidget* owner, const char* name, QString* value);
    void paintColorPicture();
    // A list choice: change runs on the document; announced unless the fields are being filled.
    void chosen(const std::function<void(CalendarDocument&)>& change);

    CalendarModel& m_model;
    Platform& m_platform;
    QWidget* m_window;
    std::function<void(TfrmCategories&)> m_runCategoriesDialog;
    int m_popupTarget = 0;
    bool m_showing = false;
};

} // namespace qv
