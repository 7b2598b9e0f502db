#include "editor/ui/PnlEventEdit.h"

#include "editor/CategoryFilter.h"
#include "editor/ui/CategoryList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimeEdit>
#include <QToolButton>

namespace qv {

namespace {

const char* const kIcons[] = {"star", "party", "travel", "phone", "sun", "clock"};
// Shown in the user's language; the lists are read by position, never by text.
const char* const kTypes[] = {QT_TRANSLATE_NOOP("qv::PnlEventEdit", "Occurs once"),
                              QT_TRANSLATE_NOOP("qv::PnlEventEdit", "Weekly event"),
                              QT_TRANSLATE_NOOP("qv::PnlEventEdit", "Monthly event"),
                              QT_TRANSLATE_NOOP("qv::PnlEventEdit", "Once a year event")};
const char* const kWeekDays[] = {QT_TRANSLATE_NOOP("qv::PnlEventEdit", "Monday"),
                                 QT_TRANSLATE_NOOP("qv::PnlEventEdit", "Tuesday"),
                                 QT_TRANSLATE_NOOP("qv::PnlEventEdit", "Wednesday"),
                                 QT_TRANSLATE_NOOP("qv::PnlEventEdit", "Thursday"),
                                 QT_TRANSLATE_NOOP("qv::PnlEventEdit", "Friday"),
                                 QT_TRANSLATE_NOOP("qv::PnlEventEdit", "Saturday"),
                                 QT_TRANSLATE_NOOP("qv::PnlEventEdit", "Sunday")};
const char* const kMonths[] = {QT_TRANSLATE_NOOP("qv::PnlEventEdit", "January"),
                               QT_TRANSLATE_NOOP("qv::PnlEventEdit", "February"),
                               QT_TRANSLATE_NOOP("qv::PnlEventEdit", "March"),
                               QT_TRANSLATE_NOOP("qv::PnlEventEdit", "April"),
                               QT_TRANSLATE_NOOP("qv::PnlEventEdit", "May"),
                               QT_TRANSLATE_NOOP("qv::PnlEventEdit", "June"),
                               QT_TRANSLATE_NOOP("qv::PnlEventEdit", "July"),
                               QT_TRANSLATE_NOOP("qv::PnlEventEdit", "August"),
                               QT_TRANSLATE_NOOP("qv::PnlEventEdit", "September"),
                               QT_TRANSLATE_NOOP("qv::PnlEventEdit", "October"),
                               QT_TRANSLATE_NOOP("qv::PnlEventEdit", "November"),
                               QT_TRANSLATE_NOOP("qv::PnlEventEdit", "December")};

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

template <std::size_t N>
QComboBox* list(QWidget* parent, const char* name, const char* const (&items)[N]) {
    auto* box = named(new QComboBox(parent), name);
    for (const char* item : items)
        box->addItem(PnlEventEdit::tr(item)); // icon names have no translation and stay
    return box;
}

QToolButton* settingsButton(QWidget* parent, const char* name) {
    auto* button = named(new QToolButton(parent), name);
    button->setText(PnlEventEdit::tr("Settings"));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

QDateEdit* datePicker(QWidget* parent, const char* name) {
    auto* picker = named(new QDateEdit(parent), name);
    picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    picker->setCalendarPopup(true);
    picker->setMinimumDate(QDate(1753, 1, 1));
    return picker;
}

QTimeEdit* timePicker(QWidget* parent, const char* name) {
    auto* picker = named(new QTimeEdit(parent), name);
    picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return picker;
}

QWidget* hint(QWidget* parent) {
    auto* label = new QLabel(PnlEventEdit::tr("(yyyy-mm-dd)"), parent);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    label->setFont(small);
    return label;
}

} // namespace

PnlEventEdit::PnlEventEdit(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PnlEventEdit"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    const auto label = [&](const QString& text) {
        auto* l = new QLabel(text, this);
        grid->addWidget(l, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        return l;
    };
    const auto line = [&](QWidget* a, QWidget* b = nullptr, QWidget* c = nullptr) {
        auto* box = new QHBoxLayout;
        box->setContentsMargins(0, 0, 0, 0);
        for (QWidget* w : {a, b, c})
            if (w)
                box->addWidget(w, w == a ? 1 : 0);
        grid->addLayout(box, row++, 1);
    };

    label(tr("Title"));
    ETitle = named(new QLineEdit(this), "ETitle");
    PngBitBtn1 = settingsButton(this, "PngBitBtn1");
    line(ETitle, PngBitBtn1);

    label(tr("Content"));
    EContent = named(new QLineEdit(this), "EContent");
    PngBitBtn8 = settingsButton(this, "PngBitBtn8");
    line(EContent, PngBitBtn8);

    label(tr("Icon"));
    EComboIcon = list(this, "EComboIcon", kIcons);
    EComboIcon->setEditable(true);
    EComboIcon->setInsertPolicy(QComboBox::NoInsert);
    BtnBrowseIcon = named(new QToolButton(this), "BtnBrowseIcon");
    BtnBrowseIcon->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    BtnBrowseIcon->setToolTip(tr("Browse"));
    BtnDeleteIcon = named(new QToolButton(this), "BtnDeleteIcon");
    BtnDeleteIcon->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    BtnDeleteIcon->setToolTip(tr("Remove"));
    line(EComboIcon, BtnBrowseIcon, BtnDeleteIcon);

    label(tr("Category"));
    ECategory = named(new QComboBox(this), "ECategory");
    fillCategoryList(ECategory, categoryChoiceCaptions({}), {}, 0);
    line(ECategory);

    label(tr("Type of event"));
    EEventType = list(this, "EEventType", kTypes);
    line(EEventType);

    EWholeDay = named(new QCheckBox(tr("Whole day event"), this), "EWholeDay");
    line(EWholeDay);

    label(tr("Start-end date"));
    EStartDate = datePicker(this, "EStartDate");
    EEndDate = datePicker(this, "EEndDate");
    {
        auto* dates = new QGridLayout;
        dates->setContentsMargins(0, 0, 0, 0);
        dates->addWidget(EStartDate, 0, 0);
        dates->addWidget(new QLabel(QStringLiteral("-"), this), 0, 1);
        dates->addWidget(EEndDate, 0, 2);
        dates->addWidget(hint(this), 1, 0);
        dates->addWidget(hint(this), 1, 2);
        grid->addLayout(dates, row++, 1);
    }

    LblTime = label(tr("Start-end time"));
    EStartTime = timePicker(this, "EStartTime");
    LblTimeDash = new QLabel(QStringLiteral("-"), this);
    EEndTime = timePicker(this, "EEndTime");
    {
        auto* times = new QHBoxLayout;
        times->setContentsMargins(0, 0, 0, 0);
        times->addWidget(EStartTime, 1);
        times->addWidget(LblTimeDash);
        times->addWidget(EEndTime, 1);
        grid->addLayout(times, row++, 1);
    }

    LblWeekDay = label(tr("Week day"));
    EWeekDay = list(this, "EWeekDay", kWeekDays);
    line(EWeekDay);

    LblMonthDay = label(tr("Month day"));
    EMonthDay = named(new QComboBox(this), "EMonthDay");
    for (int day = 0; day < 31; ++day)
        EMonthDay->addItem(monthDayCode(day));
    line(EMonthDay);

    LblMonth = label(tr("Month"));
    EMonth = list(this, "EMonth", kMonths);
    line(EMonth);

    PnlEditOptions = named(new QFrame(this), "PnlEditOptions");
    PnlEditOptions->setAutoFillBackground(true);
    QPalette light = PnlEditOptions->palette();
    light.setColor(QPalette::Window, QColor(255, 210, 210));
    light.setColor(QPalette::WindowText, Qt::black);
    PnlEditOptions->setPalette(light);
    auto* options = new QVBoxLayout(PnlEditOptions);
    auto* buttons = new QHBoxLayout;
    BtnSave = named(new QPushButton(tr("Save"), PnlEditOptions), "BtnSave");
    BtnCancel = named(new QPushButton(tr("Cancel"), PnlEditOptions), "BtnCancel");
    buttons->addWidget(BtnSave);
    buttons->addWidget(BtnCancel);
    buttons->addStretch(1);
    options->addLayout(buttons);
    auto* note =
        new QLabel(tr("Please note that all changes must be saved or canceled"), PnlEditOptions);
    note->setWordWrap(true);
    options->addWidget(note);
    grid->addWidget(PnlEditOptions, row++, 0, 1, 2);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
}

EventFields PnlEventEdit::fields() const {
    EventFields f;
    f.title = ETitle->text();
    f.content = EContent->text();
    f.icon = EComboIcon->currentText();
    f.eventType = EEventType->currentIndex();
    f.wholeDay = EWholeDay->isChecked();
    f.startDate = EStartDate->date();
    f.startTime = EStartTime->time();
    f.endDate = EEndDate->date();
    f.endTime = EEndTime->time();
    f.weekDay = EWeekDay->currentIndex();
    f.monthDay = EMonthDay->currentIndex();
    f.month = EMonth->currentIndex();
    f.category = categoryChoiceId(ECategory->currentIndex(), m_categories);
    return f;
}

void PnlEventEdit::setFields(const EventFields& f) {
    const QSignalBlocker blockers[] = {
        QSignalBlocker(ETitle),     QSignalBlocker(EContent),  QSignalBlocker(EComboIcon),
        QSignalBlocker(EEventType), QSignalBlocker(EWholeDay), QSignalBlocker(EStartDate),
        QSignalBlocker(EStartTime), QSignalBlocker(EEndDate),  QSignalBlocker(EEndTime),
        QSignalBlocker(EWeekDay),   QSignalBlocker(EMonthDay), QSignalBlocker(EMonth),
        QSignalBlocker(ECategory)};
    ETitle->setText(f.title);
    EContent->setText(f.content);
    ETitle->setCursorPosition(0); // a long text shows from its start
    EContent->setCursorPosition(0);
    EComboIcon->setCurrentText(f.icon);
    EEventType->setCurrentIndex(f.eventType);
    EWholeDay->setChecked(f.wholeDay);
    EStartDate->setDate(f.startDate);
    EStartTime->setTime(f.startTime);
    EEndDate->setDate(f.endDate);
    EEndTime->setTime(f.endTime);
    EWeekDay->setCurrentIndex(f.weekDay);
    EMonthDay->setCurrentIndex(f.monthDay);
    EMonth->setCurrentIndex(f.month);
    ECategory->setCurrentIndex(categoryChoiceIndex(f.category, m_categories));
}

void PnlEventEdit::setCategories(const QList<TCategoryRec>& categories) {
    const QString chosen = categoryChoiceId(ECategory->currentIndex(), m_categories);
    m_categories = categories;
    fillCategoryList(ECategory, categoryChoiceCaptions(categories), categories,
                     categoryChoiceIndex(chosen, categories));
}

void PnlEventEdit::showTimeFields(bool show) {
    for (QWidget* w : {static_cast<QWidget*>(LblTime), static_cast<QWidget*>(LblTimeDash),
                       static_cast<QWidget*>(EStartTime), static_cast<QWidget*>(EEndTime)})
        w->setVisible(show);
}

void PnlEventEdit::showRepeatFields(int eventType) {
    LblWeekDay->setVisible(eventType == 1);
    EWeekDay->setVisible(eventType == 1);
    LblMonthDay->setVisible(eventType == 2 || eventType == 3);
    EMonthDay->setVisible(eventType == 2 || eventType == 3);
    LblMonth->setVisible(eventType == 3);
    EMonth->setVisible(eventType == 3);
}

void PnlEventEdit::showEditControls(bool show) {
    for (QWidget* w : {static_cast<QWidget*>(PngBitBtn1), static_cast<QWidget*>(PngBitBtn8),
                       static_cast<QWidget*>(BtnBrowseIcon), static_cast<QWidget*>(BtnDeleteIcon),
                       static_cast<QWidget*>(PnlEditOptions)})
        w->setVisible(show);
}

} // namespace qv
