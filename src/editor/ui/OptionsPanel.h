#pragma once

#include "document/EditorSync.h"

#include <QObject>

#include <array>

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;

namespace qv {

class TFormMain;
class UpDown;

// The general, size and publish options of the "Options" tab. Each field follows its option value
// of the document as it is typed; the data file gets it at the next refresh (Enter released in a
// field, an up-down released, a list choice, the formatting menu, "Original Size").
class OptionsPanel : public QObject, public EditorSync {
    Q_OBJECT
public:
    explicit OptionsPanel(TFormMain& window);

    // Handlers.
    void EditRefresh();
    void UpDownRefresh();
    void ComboRefresh();
    // The language field was left or a language chosen: the tag, or "auto" for anything else.
    void LanguageChosen();
    // Opens the formatting menu for the formatted text number 0 title, 1 subtitle, 2 copyright.
    void StartTextPopup(int number);
    void Bold1Click(bool checked);
    void Italic1Click(bool checked);
    void Underlined1Click(bool checked);
    void Color1Click();
    void PngbbOriginalSizeClick();

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

    // EditorSync: the fields show what was read.
    void spinValueRead(const QString& optionId, int value) override;
    void readFinished(int editorLayout) override;

    // Puts the document's option values into the fields.
    void showDocument();

private:
    void createGeneral(QWidget* body);
    void createSize(QWidget* body);
    void createPublish(QWidget* body);
    void createPopup();
    QLineEdit* boundField(QWidget* owner, const char* name, QString* value);
    void paintColorPicture();

    TFormMain& m_window;
    int m_popupTarget = 0;
    bool m_showing = false;
};

} // namespace qv
