#include "editor/ui/StyleEditor.h"

#include "document/CalendarDocument.h"
#include "document/CalendarModel.h"
#include "editor/MediaChoice.h"
#include "editor/OptionsRules.h"
#include "editor/ui/ClickLabel.h"
#include "editor/ui/EditTriggers.h"
#include "editor/ui/TfrmMonthBgImage.h"
#include "editor/ui/UpDown.h"
#include "platform/Platform.h"
#include "platform/ui/ShowWithoutWaiting.h"
#include "session/Folders.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

namespace qv {

namespace {

// Lets only digits, backspace and keys without text (arrows, shortcuts) into the opacity field.
class OpacityKeys : public QObject {
public:
    explicit OpacityKeys(QLineEdit* field) : QObject(field) { field->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            if (!text.isEmpty() && text.at(0).unicode() >= 32 && !opacityKeyAccepted(text.at(0)))
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// The caption is a text marked for translation in StyleEditor's context.
QPushButton* button(QWidget* owner, const char* name, const char* caption) {
    auto* b = new QPushButton(StyleEditor::tr(caption), owner);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// A picture button that browses for a file or removes one.
QPushButton* pictureButton(QWidget* owner, const char* name, bool browse) {
    auto* b = new QPushButton(owner);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(browse ? StyleEditor::tr("Browse") : StyleEditor::tr("Remove"));
    b->setIcon(owner->style()->standardIcon(browse ? QStyle::SP_DirOpenIcon
                                                   : QStyle::SP_DialogDiscardButton));
    return b;
}

QLineEdit* field(QWidget* owner, const char* name) {
    auto* f = new QLineEdit(owner);
    f->setObjectName(QString::fromLatin1(name));
    return f;
}

} // namespace

StyleEditor::StyleEditor(CalendarModel& model, Platform& platform, const Folders& folders,
                         MediaChooserFolders& mediaFolders, QWidget* body)
    : QObject(body), m_model(model), m_platform(platform), m_folders(folders),
      m_mediaFolders(mediaFolders), m_body(body) {
    setObjectName(QStringLiteral("StyleEditor"));
    m_runMonthDialog = [](TfrmMonthBgImage& dialog) { dialog.open(); };
    createControls(body);
    connect(&m_model, &CalendarModel::readStarting, this, &StyleEditor::resetBeforeRead);
    connect(&m_model, &CalendarModel::styleItemListed, this, &StyleEditor::styleItemRead);
    connect(&m_model, &CalendarModel::monthlyBackgroundFound, this,
            &StyleEditor::monthlyBackgroundRead);
    connect(&m_model, &CalendarModel::musicFound, this, &StyleEditor::musicRead);
    connect(&m_model, &CalendarModel::spinValueFound, this, &StyleEditor::spinValueRead);
    connect(&m_model, &CalendarModel::documentReset, this, &StyleEditor::readFinished);
}

QString StyleEditor::projectData() const {
    return m_folders.projectData();
}

void StyleEditor::createControls(QWidget* body) {
    CalendarOptions& o = m_model.document().Options;
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;

    CmbOItemSelect = new QComboBox(body);
    CmbOItemSelect->setObjectName(QStringLiteral("CmbOItemSelect"));
    CmbOItemSelect->setMaxVisibleItems(200);
    grid->addWidget(new QLabel(tr("Item"), body), row, 0);
    grid->addWidget(CmbOItemSelect, row++, 1, 1, 4);
    connect(CmbOItemSelect, &QComboBox::currentIndexChanged, this, &StyleEditor::StyleRefresh);

    LblColor = new QLabel(tr("Color"), body);
    EdtColor = new QFrame(body);
    EdtColor->setObjectName(QStringLiteral("EdtColor"));
    EdtColor->setFixedSize(25, 23);
    EdtColor->setFrameShape(QFrame::Box);
    EdtColor->setAutoFillBackground(true);
    LblColorText = new ClickLabel(EdtColor);
    LblColorText->setObjectName(QStringLiteral("LblColorText"));
    LblColorText->setGeometry(0, 0, 25, 23);
    LblColorText->setCursor(Qt::PointingHandCursor);
    PngBitBtn5 = button(body, "PngBitBtn5", QT_TR_NOOP("Select"));
    grid->addWidget(LblColor, row, 0);
    grid->addWidget(EdtColor, row, 1);
    grid->addWidget(PngBitBtn5, row++, 2);
    connect(LblColorText, &ClickLabel::clicked, this, &StyleEditor::ColorChoose);
    connect(LblColorText, &ClickLabel::released, this, &StyleEditor::ColorRefresh);
    connect(PngBitBtn5, &QPushButton::clicked, this, &StyleEditor::PngBitBtn5Click);

    LblOpacity = new QLabel(tr("Opacity"), body);
    EdtOpacity = field(body, "EdtOpacity");
    UpDownOpacity = new UpDown(EdtOpacity, {0, 100}, body);
    UpDownOpacity->setObjectName(QStringLiteral("UpDownOpacity"));
    new OpacityKeys(EdtOpacity);
    grid->addWidget(LblOpacity, row, 0);
    grid->addWidget(EdtOpacity, row, 1, 1, 2);
    grid->addWidget(UpDownOpacity, row++, 3, Qt::AlignLeft);
    connect(EdtOpacity, &QLineEdit::textChanged, this, &StyleEditor::EdtOpacityChange);
    onKeyReleased(EdtOpacity, [this](int key) { EditOpacityRefresh(key); });
    watchTypedField(EdtOpacity, m_model);
    connect(UpDownOpacity, &UpDown::released, &m_model, &CalendarModel::confirmValues);

    // No style item has a URI of its own yet; the controls appear only for one that has.
    LblURI = new QLabel(tr("URI"), body);
    LblURI->setObjectName(QStringLiteral("LblURI"));
    EdtURI = field(body, "EdtURI");
    BtnUri = button(body, "BtnUri", QT_TR_NOOP("Browse"));
    for (QWidget* w : {static_cast<QWidget*>(LblURI), static_cast<QWidget*>(EdtURI),
                       static_cast<QWidget*>(BtnUri)})
        w->hide();
    grid->addWidget(LblURI, row, 0);
    grid->addWidget(EdtURI, row, 1, 1, 2);
    grid->addWidget(BtnUri, row++, 3);
    connect(EdtURI, &QLineEdit::textChanged, this, &StyleEditor::EdtURIChange);
    onEnterReleased(EdtURI, [this] { m_model.confirmValues(); });
    watchTypedField(EdtURI, m_model);

    EdtOBackgroundURI = field(body, "EdtOBackgroundURI");
    PngBitBtn6 = pictureButton(body, "PngBitBtn6", true);
    PngBitBtn7 = pictureButton(body, "PngBitBtn7", false);
    grid->addWidget(new QLabel(tr("Background URI"), body), row, 0);
    grid->addWidget(EdtOBackgroundURI, row, 1, 1, 2);
    grid->addWidget(PngBitBtn6, row, 3);
    grid->addWidget(PngBitBtn7, row++, 4);
    connect(EdtOBackgroundURI, &QLineEdit::textChanged, this,
            [&o](const QString& text) { o.BackgroundImage = text; });
    onEnterReleased(EdtOBackgroundURI, [this] { m_model.confirmValues(); });
    watchTypedField(EdtOBackgroundURI, m_model);
    connect(PngBitBtn6, &QPushButton::clicked, this, &StyleEditor::BrowseImage);
    connect(PngBitBtn7, &QPushButton::clicked, this, &StyleEditor::RemoveImage);

    cbMonthBgImage = new QCheckBox(tr("Enable Monthly Background"), body);
    cbMonthBgImage->setObjectName(QStringLiteral("cbMonthBgImage"));
    cbMonthBgImage->setEnabled(false);
    pngbbMonthBgImage = button(body, "pngbbMonthBgImage", QT_TR_NOOP("Settings"));
    pngbbMonthBgImage->setEnabled(false);
    grid->addWidget(cbMonthBgImage, row, 1, 1, 2);
    grid->addWidget(pngbbMonthBgImage, row++, 3, 1, 2);
    connect(cbMonthBgImage, &QCheckBox::clicked, this, &StyleEditor::cbMonthBgImageClick);
    connect(pngbbMonthBgImage, &QPushButton::clicked, this, &StyleEditor::pngbbMonthBgImageClick);

    EdtOBackgroundMusic = field(body, "EdtOBackgroundMusic");
    EdtOBackgroundMusic->setReadOnly(true);
    pngbbBrowseMusic = pictureButton(body, "pngbbBrowseMusic", true);
    pngbbDeleteMusic = pictureButton(body, "pngbbDeleteMusic", false);
    cbMusicOnDef = new QCheckBox(tr("Play on startup"), body);
    cbMusicOnDef->setObjectName(QStringLiteral("cbMusicOnDef"));
    grid->addWidget(new QLabel(tr("Music"), body), row, 0);
    grid->addWidget(EdtOBackgroundMusic, row, 1, 1, 2);
    grid->addWidget(pngbbBrowseMusic, row, 3);
    grid->addWidget(pngbbDeleteMusic, row++, 4);
    grid->addWidget(cbMusicOnDef, row++, 1, 1, 2);
    connect(EdtOBackgroundMusic, &QLineEdit::textChanged, this,
            [&o](const QString& text) { o.MusicFile = text; });
    connect(pngbbBrowseMusic, &QPushButton::clicked, this, &StyleEditor::BrowseMusic);
    connect(pngbbDeleteMusic, &QPushButton::clicked, this, &StyleEditor::RemoveMusic);
    connect(cbMusicOnDef, &QCheckBox::clicked, this, &StyleEditor::cbMusicOnDefClick);

    EdtOBgMusicVolume = field(body, "EdtOBgMusicVolume");
    EdtOBgMusicVolume->setText(o.MusicVolume);
    UpDownBgMusicVolume = new UpDown(EdtOBgMusicVolume, {0, 100}, body);
    UpDownBgMusicVolume->setObjectName(QStringLiteral("UpDownBgMusicVolume"));
    grid->addWidget(new QLabel(tr("Volume"), body), row, 0);
    grid->addWidget(EdtOBgMusicVolume, row, 1, 1, 2);
    grid->addWidget(UpDownBgMusicVolume, row++, 3, Qt::AlignLeft);
    connect(EdtOBgMusicVolume, &QLineEdit::textChanged, this,
            [&o](const QString& text) { o.MusicVolume = text; });
    onEnterReleased(EdtOBgMusicVolume, [this] { m_model.confirmValues(); });
    watchTypedField(EdtOBgMusicVolume, m_model);
    connect(UpDownBgMusicVolume, &UpDown::released, &m_model, &CalendarModel::confirmValues);

    grid->setColumnStretch(2, 1);
    static_cast<QBoxLayout*>(body->layout())->addLayout(grid);
    setMusicEnabled(false);
}

int StyleEditor::selectedItem() const {
    if (CmbOItemSelect->count() == 0 || CmbOItemSelect->currentIndex() < 0)
        return -1;
    return CmbOItemSelect->currentData().toInt();
}

void StyleEditor::paintSwatch(quint32 color) {
    EdtColor->setStyleSheet(
        QStringLiteral("QFrame#EdtColor { background-color: #%1; }").arg(colorToRgbHex(color)));
}

void StyleEditor::StyleRefresh() {
    const int index = selectedItem();
    const QList<TLookRec>& items = m_model.document().StyleItems;
    if (index < 0 || index >= items.size())
        return;
    const TLookRec item = items[index];
    LblColor->setEnabled(item.HasColor);
    EdtColor->setVisible(item.HasColor);
    LblColorText->setVisible(item.HasColor);
    if (item.HasColor)
        paintSwatch(item.Color);
    else
        LblColorText->setToolTip(QString());

    LblOpacity->setEnabled(item.HasOpacity);
    EdtOpacity->setVisible(item.HasOpacity);
    UpDownOpacity->setVisible(item.HasOpacity);
    EdtOpacity->setText(item.HasOpacity ? item.Opacity : QString());

    LblURI->setEnabled(item.HasUri);
    EdtURI->setVisible(item.HasUri);
    BtnUri->setVisible(item.HasUri);
    EdtURI->setText(item.HasUri ? item.Uri : QString());
}

// The colour goes into the document in place; releasing the mouse on the swatch or "Select"
// confirms it, also when the dialog was cancelled.
void StyleEditor::ColorChoose() {
    const int index = selectedItem();
    CalendarDocument& doc = m_model.document();
    if (index < 0 || index >= doc.StyleItems.size())
        return;
    quint32 color = doc.StyleItems[index].Color;
    if (!m_platform.chooseColor(color))
        return;
    doc.SetField(doc.StyleItems[index].Id, QStringLiteral("color"), blueGreenRedDigits(color),
                 m_platform);
    StyleRefresh();
}

void StyleEditor::ColorRefresh() {
    m_model.confirmValues();
}

void StyleEditor::PngBitBtn5Click() {
    ColorChoose();
    m_model.confirmValues();
}

void StyleEditor::storeIntoSelected(const QString& key, const QString& text) {
    const int index = selectedItem();
    CalendarDocument& doc = m_model.document();
    if (index < 0 || index >= doc.StyleItems.size())
        return;
    doc.SetField(doc.StyleItems[index].Id, key, trimmedControl(text), m_platform);
}

void StyleEditor::EdtOpacityChange() {
    storeIntoSelected(QStringLiteral("opacity"), EdtOpacity->text());
}

void StyleEditor::EditOpacityRefresh(int key) {
    const int caret = EdtOpacity->cursorPosition();
    const QString text = EdtOpacity->text();
    const QString clamped = clampedOpacityText(text, UpDownOpacity->range());
    if (clamped != text)
        EdtOpacity->setText(clamped);
    EdtOpacity->setCursorPosition(std::min(caret, int(EdtOpacity->text().size())));
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        m_model.confirmValues();
}

void StyleEditor::EdtURIChange() {
    storeIntoSelected(QStringLiteral("uri"), EdtURI->text());
}

void StyleEditor::BrowseImage() {
    chooseMedia(QStringLiteral("image"), pictureFilter(), EdtOBackgroundURI,
                m_model.document().Options.BackgroundImage);
}

void StyleEditor::RemoveImage() {
    removeMedia(EdtOBackgroundURI, &removeImageQuestion);
}

void StyleEditor::chooseMedia(const QString& folder, const QString& filter, QLineEdit* field,
                              QString& slot) {
    const auto kind = folder == QLatin1String("music") ? MediaChooserFolders::Music
                                                       : MediaChooserFolders::Picture;
    const QString chosen = m_platform.openFile(tr("Open"), m_mediaFolders.startFor(kind), filter);
    if (chosen.isEmpty())
        return;
    m_mediaFolders.chosen(kind, chosen);
    if (!chooseMediaFile(m_model.document(), projectData(), folder, chosen, slot, true))
        return;
    // The field holds the value: showing the reference is the change.
    m_model.changeValue([field, &slot](CalendarDocument&) { field->setText(slot); });
}

void StyleEditor::removeMedia(QLineEdit* field, RemoveQuestion (*question)(const QString&)) {
    const QString former = field->text();
    if (!holdsReference(former))
        return;
    const RemoveQuestion q = question(former);
    if (m_platform.question(q.title, q.instruction, QuestionButton::Yes | QuestionButton::No,
                            QuestionIcon::Question, q.text) != QuestionResult::Yes)
        return;
    m_model.changeValue([field](CalendarDocument&) { field->clear(); });
    dropMediaFile(m_model.document(), projectData(), former);
}

void StyleEditor::cbMonthBgImageClick() {
    const bool on = cbMonthBgImage->isChecked();
    pngbbMonthBgImage->setEnabled(on);
    m_model.changeValue([on](CalendarDocument& doc) { doc.MonthlyBackground.Enabled = on; });
}

void StyleEditor::pngbbMonthBgImageClick() {
    // The dialog changes the document in place; closing it confirms what it changed.
    QWidget* window = m_body->window();
    window->setEnabled(false);
    auto* dialog = new TfrmMonthBgImage(m_model.document(), m_platform, projectData(), window);
    dialog->setChooserFolders(&m_mediaFolders);
    dialog->TntFormShow();
    showWithoutWaiting(dialog, m_runMonthDialog, [this, window = QPointer<QWidget>(window)] {
        if (window)
            window->setEnabled(true);
        m_model.confirmValues();
    });
}

void StyleEditor::BrowseMusic() {
    chooseMedia(QStringLiteral("music"), musicFilter(), EdtOBackgroundMusic,
                m_model.document().Options.MusicFile);
}

void StyleEditor::RemoveMusic() {
    removeMedia(EdtOBackgroundMusic, &removeMusicQuestion);
}

void StyleEditor::cbMusicOnDefClick() {
    const bool on = cbMusicOnDef->isChecked();
    m_model.changeValue([on](CalendarDocument& doc) { doc.Options.MusicOnStartup = on; });
}

void StyleEditor::setMusicEnabled(bool on) {
    for (QWidget* w :
         {static_cast<QWidget*>(EdtOBackgroundMusic), static_cast<QWidget*>(pngbbBrowseMusic),
          static_cast<QWidget*>(pngbbDeleteMusic), static_cast<QWidget*>(cbMusicOnDef),
          static_cast<QWidget*>(EdtOBgMusicVolume), static_cast<QWidget*>(UpDownBgMusicVolume)})
        w->setEnabled(on);
}

void StyleEditor::resetBeforeRead() {
    const QSignalBlocker block(CmbOItemSelect);
    CmbOItemSelect->clear();
}

void StyleEditor::styleItemRead(const QString& caption, int tableIndex) {
    const QSignalBlocker block(CmbOItemSelect);
    CmbOItemSelect->addItem(tr(qPrintable(caption)), tableIndex); // the caption in the user's words
}

void StyleEditor::monthlyBackgroundRead(bool available, bool enabled) {
    cbMonthBgImage->setEnabled(available);
    cbMonthBgImage->setChecked(enabled);
    pngbbMonthBgImage->setEnabled(enabled);
}

void StyleEditor::musicRead(bool available) {
    setMusicEnabled(available);
    if (!available)
        cbMusicOnDef->setChecked(false);
}

void StyleEditor::spinValueRead(const QString& optionId, int value) {
    if (optionId == u"volume")
        UpDownBgMusicVolume->setPosition(value);
}

void StyleEditor::readFinished() {
    const CalendarOptions o = m_model.document().Options;
    EdtOBackgroundURI->setText(o.BackgroundImage);
    EdtOBackgroundMusic->setText(o.MusicFile);
    EdtOBgMusicVolume->setText(o.MusicVolume);
    for (QLineEdit* field : {EdtOBackgroundURI, EdtOBackgroundMusic})
        field->setCursorPosition(0); // a long path shows from its start
    cbMusicOnDef->setChecked(o.MusicOnStartup);
    {
        const QSignalBlocker block(CmbOItemSelect);
        CmbOItemSelect->setCurrentIndex(CmbOItemSelect->count() > 0 ? 0 : -1);
    }
    StyleRefresh();
}

} // namespace qv
