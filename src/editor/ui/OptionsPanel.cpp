#include "editor/ui/OptionsPanel.h"

#include "document/CalendarDocument.h"
#include "document/CalendarModel.h"
#include "document/CalendarZone.h"
#include "editor/OptionsRules.h"
#include "editor/ui/ColorMenuPicture.h"
#include "editor/ui/EditTriggers.h"
#include "editor/ui/TfrmCategories.h"
#include "editor/ui/UpDown.h"
#include "platform/Platform.h"
#include "platform/ui/ShowWithoutWaiting.h"

#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>

namespace qv {

namespace {

QPushButton* settingsButton(QWidget* owner, const char* name) {
    auto* button = new QPushButton(OptionsPanel::tr("Settings"), owner);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QComboBox* list(QWidget* owner, const char* name, const QStringList& items) {
    auto* combo = new QComboBox(owner);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(items);
    return combo;
}

// The caption is a text marked for translation in OptionsPanel's context.
QLabel* label(QWidget* owner, const char* text) {
    return new QLabel(OptionsPanel::tr(text), owner);
}

} // namespace

OptionsPanel::OptionsPanel(CalendarModel& model, Platform& platform, const Sections& sections,
                           QWidget* window)
    : QObject(window), m_model(model), m_platform(platform), m_window(window) {
    setObjectName(QStringLiteral("OptionsPanel"));
    m_runCategoriesDialog = [](TfrmCategories& dialog) { dialog.open(); };
    createGeneral(sections.general);
    createSize(sections.size);
    createPublish(sections.publish);
    createPopup();
    showDocument();
    connect(&m_model, &CalendarModel::spinValueFound, this, &OptionsPanel::spinValueRead);
    connect(&m_model, &CalendarModel::documentReset, this, &OptionsPanel::showDocument);
}

QLineEdit* OptionsPanel::boundField(QWidget* owner, const char* name, QString* value) {
    auto* field = new QLineEdit(owner);
    field->setObjectName(QString::fromLatin1(name));
    // The field holds the option value: what is typed is the value, exactly as typed.
    connect(field, &QLineEdit::textChanged, this, [value](const QString& text) { *value = text; });
    onEnterReleased(field, [this] { EditRefresh(); });
    watchTypedField(field, m_model);
    return field;
}

void OptionsPanel::createGeneral(QWidget* body) {
    CalendarDocument& doc = m_model.document();
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    EdtOTitle = boundField(body, "EdtOTitle", &doc.Titles[0].Text);
    EdtOSubtitle = boundField(body, "EdtOSubtitle", &doc.Titles[1].Text);
    EdtOCopyright = boundField(body, "EdtOCopyright", &doc.Titles[2].Text);
    PngBitBtn2 = settingsButton(body, "PngBitBtn2");
    PngBitBtn3 = settingsButton(body, "PngBitBtn3");
    PngBitBtn4 = settingsButton(body, "PngBitBtn4");
    const std::array<const char*, 3> captions = {QT_TR_NOOP("Title"), QT_TR_NOOP("Subtitle"),
                                                 QT_TR_NOOP("Copyright")};
    const std::array<QLineEdit*, 3> fields = {EdtOTitle, EdtOSubtitle, EdtOCopyright};
    const std::array<QPushButton*, 3> buttons = {PngBitBtn2, PngBitBtn3, PngBitBtn4};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(label(body, captions[std::size_t(i)]), i, 0);
        grid->addWidget(fields[std::size_t(i)], i, 1, 1, 2);
        grid->addWidget(buttons[std::size_t(i)], i, 3);
        connect(buttons[std::size_t(i)], &QPushButton::clicked, this,
                [this, i] { StartTextPopup(i); });
    }

    CmbOWeekStart =
        list(body, "CmbOWeekStart", {tr("Week starts on Monday"), tr("Week starts on Sunday")});
    CmbODateFormat = list(body, "CmbODateFormat", dateFormats());
    CmbOTimeFormat = list(body, "CmbOTimeFormat", {tr("12 hour"), tr("24 hour")});
    grid->addWidget(label(body, QT_TR_NOOP("Week Start")), 3, 0);
    grid->addWidget(CmbOWeekStart, 3, 1, 1, 3);
    grid->addWidget(label(body, QT_TR_NOOP("Format")), 4, 0);
    grid->addWidget(CmbODateFormat, 4, 1);
    grid->addWidget(CmbOTimeFormat, 4, 2, 1, 2);
    // The visitors' language: "auto" or a language tag, chosen or typed.
    CmbOLanguage = list(body, "CmbOLanguage", languageChoices());
    CmbOLanguage->setEditable(true);
    CmbOLanguage->setInsertPolicy(QComboBox::NoInsert);
    CmbOLanguage->setToolTip(tr("auto: the language of the visitor's page or browser; "
                                "or a language tag such as de or pt-BR"));
    grid->addWidget(label(body, QT_TR_NOOP("Language")), 5, 0);
    grid->addWidget(CmbOLanguage, 5, 1, 1, 3);
    // The zone the calendar's times are in: chosen from the list or typed, a part of the name
    // being enough to find it ("Berlin").
    CmbOTimeZone = list(body, "CmbOTimeZone", zoneChoices());
    CmbOTimeZone->setEditable(true);
    CmbOTimeZone->setInsertPolicy(QComboBox::NoInsert);
    CmbOTimeZone->completer()->setFilterMode(Qt::MatchContains);
    CmbOTimeZone->completer()->setCompletionMode(QCompleter::PopupCompletion);
    CmbOTimeZone->setToolTip(tr("The time zone of the calendar's times: imported "
                                "events are converted to it, and the calendar feed "
                                "and iCalendar exports name it"));
    grid->addWidget(label(body, QT_TR_NOOP("Time Zone")), 6, 0);
    grid->addWidget(CmbOTimeZone, 6, 1, 1, 3);
    // The categories visitors filter events by.
    PngbbCategories = new QPushButton(tr("Categories…"), body);
    PngbbCategories->setObjectName(QStringLiteral("PngbbCategories"));
    connect(PngbbCategories, &QPushButton::clicked, this, &OptionsPanel::PngbbCategoriesClick);
    grid->addWidget(PngbbCategories, 7, 1, 1, 3, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);

    connect(CmbOWeekStart, &QComboBox::currentIndexChanged, this, [this](int index) {
        chosen([index](CalendarDocument& d) {
            d.Options.FirstDayOfWeek =
                index == 0 ? CalendarOptions::Monday : CalendarOptions::Sunday;
        });
    });
    connect(CmbODateFormat, &QComboBox::currentIndexChanged, this, [this](int index) {
        const QString format = index < 0 ? QString() : CmbODateFormat->itemText(index);
        chosen([format](CalendarDocument& d) { d.Options.DateFormat = format; });
    });
    connect(CmbOTimeFormat, &QComboBox::currentIndexChanged, this, [this](int index) {
        chosen([index](CalendarDocument& d) {
            d.Options.TimeFormat = index == 0 ? CalendarOptions::Hour12 : CalendarOptions::Hour24;
        });
    });
    connect(CmbOLanguage, &QComboBox::activated, this, &OptionsPanel::LanguageChosen);
    connect(CmbOLanguage->lineEdit(), &QLineEdit::editingFinished, this,
            &OptionsPanel::LanguageChosen);
    connect(CmbOTimeZone, &QComboBox::activated, this, &OptionsPanel::TimeZoneChosen);
    connect(CmbOTimeZone->lineEdit(), &QLineEdit::editingFinished, this,
            &OptionsPanel::TimeZoneChosen);
    static_cast<QBoxLayout*>(body->layout())->addLayout(grid);
}

void OptionsPanel::createSize(QWidget* body) {
    CalendarOptions& o = m_model.document().Options;
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    struct Row {
        const char* caption;
        const char* field;
        const char* upDown;
        const char* optionId;
        QString* value;
        QLineEdit** edit;
        UpDown** spin;
    };
    const Row rows[] = {
        {QT_TR_NOOP("Cell Width"), "EdtOCellwidth", "UpDownCellWidth", "cell_width", &o.CellWidth,
         &EdtOCellwidth, &UpDownCellWidth},
        {QT_TR_NOOP("Cell Height"), "EdtOCellheight", "UpDownCellHeight", "cell_height",
         &o.CellHeight, &EdtOCellheight, &UpDownCellHeight},
        {QT_TR_NOOP("Content Height"), "EdtOContentheight", "UpDownContentHeight", "content_height",
         &o.ContentHeight, &EdtOContentheight, &UpDownContentHeight},
        {QT_TR_NOOP("Content Margin"), "EdtOContentmargin", "UpDownContentmargin", "content_margin",
         &o.ContentMargin, &EdtOContentmargin, &UpDownContentmargin},
    };
    int r = 0;
    for (const Row& row : rows) {
        *row.edit = boundField(body, row.field, row.value);
        *row.spin = new UpDown(*row.edit, *spinRangeFor(QString::fromLatin1(row.optionId)), body);
        (*row.spin)->setObjectName(QString::fromLatin1(row.upDown));
        connect(*row.spin, &UpDown::released, this, &OptionsPanel::UpDownRefresh);
        grid->addWidget(label(body, row.caption), r, 0);
        grid->addWidget(*row.edit, r, 1);
        grid->addWidget(*row.spin, r, 2);
        ++r;
    }
    grid->setColumnStretch(1, 1);
    static_cast<QBoxLayout*>(body->layout())->addLayout(grid);
}

void OptionsPanel::createPublish(QWidget* body) {
    CalendarOptions& o = m_model.document().Options;
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    EdtOPublishwidth = boundField(body, "EdtOPublishwidth", &o.PublishWidth);
    EdtOPublishheight = boundField(body, "EdtOPublishheight", &o.PublishHeight);
    PngbbOriginalSize = new QPushButton(tr("Original Size"), body);
    PngbbOriginalSize->setObjectName(QStringLiteral("PngbbOriginalSize"));
    connect(PngbbOriginalSize, &QPushButton::clicked, this, &OptionsPanel::PngbbOriginalSizeClick);
    grid->addWidget(label(body, QT_TR_NOOP("Width")), 0, 0);
    grid->addWidget(EdtOPublishwidth, 0, 1);
    grid->addWidget(label(body, QT_TR_NOOP("Height")), 1, 0);
    grid->addWidget(EdtOPublishheight, 1, 1);
    grid->addWidget(PngbbOriginalSize, 0, 2, 2, 1);
    grid->setColumnStretch(1, 1);
    static_cast<QBoxLayout*>(body->layout())->addLayout(grid);
}

void OptionsPanel::createPopup() {
    PopupText = new QMenu(m_window);
    PopupText->setObjectName(QStringLiteral("PopupText"));
    const auto item = [this](const char* name, const char* caption, bool checkable) {
        QAction* action = PopupText->addAction(tr(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(checkable);
        return action;
    };
    Bold1 = item("Bold1", QT_TR_NOOP("Bold"), true);
    Italic1 = item("Italic1", QT_TR_NOOP("Italic"), true);
    Underlined1 = item("Underlined1", QT_TR_NOOP("Underlined"), true);
    PopupText->addSeparator();
    Color1 = item("Color1", QT_TR_NOOP("Text color"), false);
    connect(Bold1, &QAction::triggered, this, &OptionsPanel::Bold1Click);
    connect(Italic1, &QAction::triggered, this, &OptionsPanel::Italic1Click);
    connect(Underlined1, &QAction::triggered, this, &OptionsPanel::Underlined1Click);
    connect(Color1, &QAction::triggered, this, &OptionsPanel::Color1Click);
}

void OptionsPanel::EditRefresh() {
    m_model.confirmValues();
}

void OptionsPanel::UpDownRefresh() {
    m_model.confirmValues();
}

void OptionsPanel::ComboRefresh() {
    if (!m_showing)
        m_model.confirmValues();
}

void OptionsPanel::chosen(const std::function<void(CalendarDocument&)>& change) {
    if (m_showing)
        change(m_model.document());
    else
        m_model.changeValue(change);
}

void OptionsPanel::LanguageChosen() {
    const QString value = calendarLanguage(CmbOLanguage->currentText());
    CmbOLanguage->setEditText(value);
    if (value == m_model.document().Options.Language)
        return;
    chosen([value](CalendarDocument& d) { d.Options.Language = value; });
}

void OptionsPanel::TimeZoneChosen() {
    const CalendarOptions& o = m_model.document().Options;
    const QString shown = QString::fromUtf8(calendarZoneId(o));
    const int at = CmbOTimeZone->findText(CmbOTimeZone->currentText().trimmed(),
                                          Qt::MatchFixedString); // any letter case
    if (at < 0) {
        CmbOTimeZone->setEditText(shown);
        return;
    }
    const QString value = CmbOTimeZone->itemText(at);
    CmbOTimeZone->setEditText(value);
    // The zone shown for a data file without one is already the calendar's.
    if (value == o.TimeZone || (value == shown && o.TimeZone.isEmpty()))
        return;
    chosen([value](CalendarDocument& d) { d.Options.TimeZone = value; });
}

void OptionsPanel::StartTextPopup(int number) {
    m_popupTarget = std::clamp(number, 0, 2);
    const TTitleRec& text = m_model.document().Titles[std::size_t(m_popupTarget)];
    Bold1->setChecked(text.Bold);
    Italic1->setChecked(text.Italic);
    Underlined1->setChecked(text.Underline);
    paintColorPicture();
    const std::array<QPushButton*, 3> buttons = {PngBitBtn2, PngBitBtn3, PngBitBtn4};
    QPushButton* button = buttons[std::size_t(m_popupTarget)];
    PopupText->popup(button->mapToGlobal(QPoint(0, button->height())));
}

void OptionsPanel::paintColorPicture() {
    Color1->setIcon(colorMenuPicture(m_model.document().Titles[std::size_t(m_popupTarget)].Color));
}

void OptionsPanel::Bold1Click(bool checked) {
    m_model.changeValue([this, checked](CalendarDocument& d) {
        setTextFlag(d.Titles[std::size_t(m_popupTarget)], TextFlag::Bold, checked);
    });
}

void OptionsPanel::Italic1Click(bool checked) {
    m_model.changeValue([this, checked](CalendarDocument& d) {
        setTextFlag(d.Titles[std::size_t(m_popupTarget)], TextFlag::Italic, checked);
    });
}

void OptionsPanel::Underlined1Click(bool checked) {
    m_model.changeValue([this, checked](CalendarDocument& d) {
        setTextFlag(d.Titles[std::size_t(m_popupTarget)], TextFlag::Underline, checked);
    });
}

void OptionsPanel::Color1Click() {
    quint32 color = m_model.document().Titles[std::size_t(m_popupTarget)].Color;
    if (!m_platform.chooseColor(color))
        return;
    m_model.changeValue([this, color](CalendarDocument& d) {
        d.Titles[std::size_t(m_popupTarget)].Color = color & 0xFFFFFF;
    });
}

void OptionsPanel::PngbbOriginalSizeClick() {
    m_model.changeValue([this](CalendarDocument& d) {
        applyOriginalSize(d);
        EdtOPublishwidth->setText(d.Options.PublishWidth);
        EdtOPublishheight->setText(d.Options.PublishHeight);
    });
}

void OptionsPanel::PngbbCategoriesClick() {
    // Each change in the dialog is announced as it is made.
    QWidget* window = m_window->window();
    window->setEnabled(false);
    auto* dialog = new TfrmCategories(m_model, m_platform, window);
    showWithoutWaiting(dialog, m_runCategoriesDialog, [window = QPointer<QWidget>(window)] {
        if (window)
            window->setEnabled(true);
    });
}

void OptionsPanel::spinValueRead(const QString& optionId, int value) {
    const std::pair<const char*, UpDown*> spins[] = {{"cell_width", UpDownCellWidth},
                                                     {"cell_height", UpDownCellHeight},
                                                     {"content_height", UpDownContentHeight},
                                                     {"content_margin", UpDownContentmargin}};
    for (const auto& [id, spin] : spins)
        if (optionId == QLatin1String(id))
            spin->setPosition(value);
}

void OptionsPanel::showDocument() {
    const CalendarDocument& doc = m_model.document();
    const CalendarOptions o = doc.Options; // the fields write back into the document as they fill
    const std::array<TTitleRec, 3> titles = doc.Titles;
    m_showing = true;
    EdtOTitle->setText(titles[0].Text);
    EdtOSubtitle->setText(titles[1].Text);
    EdtOCopyright->setText(titles[2].Text);
    CmbOWeekStart->setCurrentIndex(o.FirstDayOfWeek == CalendarOptions::Monday ? 0 : 1);
    CmbODateFormat->setCurrentIndex(int(dateFormats().indexOf(o.DateFormat)));
    CmbOTimeFormat->setCurrentIndex(o.TimeFormat == CalendarOptions::Hour12 ? 0 : 1);
    CmbOLanguage->setEditText(o.Language);
    CmbOTimeZone->setEditText(QString::fromUtf8(calendarZoneId(o)));
    EdtOCellwidth->setText(o.CellWidth);
    EdtOCellheight->setText(o.CellHeight);
    EdtOContentheight->setText(o.ContentHeight);
    EdtOContentmargin->setText(o.ContentMargin);
    EdtOPublishwidth->setText(o.PublishWidth);
    EdtOPublishheight->setText(o.PublishHeight);
    // A text longer than its field shows from its start.
    for (QLineEdit* field :
         {EdtOTitle, EdtOSubtitle, EdtOCopyright, EdtOCellwidth, EdtOCellheight, EdtOContentheight,
          EdtOContentmargin, EdtOPublishwidth, EdtOPublishheight})
        field->setCursorPosition(0);
    m_showing = false;
}

} // namespace qv
