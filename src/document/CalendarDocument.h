#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>

namespace qv {

class MessageBoxes;

// Colours are 24-bit values with red in the low byte: 0x00BBGGRR.
using ColorValue = quint32;
inline constexpr ColorValue kWhite = 0xFFFFFF;

// A formatted text: the calendar's titles and each event's title and content.
struct TTitleRec {
    QString Text;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    ColorValue Color = kWhite;

    bool operator==(const TTitleRec&) const = default;
};

// One style item: an element of the calendar's look with a colour and, for most, an opacity.
struct TLookRec {
    QString Caption;
    QString Id;
    ColorValue Color = kWhite;
    QString ColorHex; // RRGGBB, upper case, as written to the data file
    QString Opacity;  // as read or typed, not validated
    QString Uri;
    bool HasColor = true;
    bool HasOpacity = true;
    bool HasUri = false;
    bool Present = false; // the item occurs in the data file read last

    bool operator==(const TLookRec&) const = default;
};

// One calendar event.
struct TEventRec {
    TTitleRec Title;
    TTitleRec Content;
    QString Icon;             // empty, a built-in icon name, or "image\<file>"
    QString RepeatKind = "o"; // "o" once, "w" weekly, "m" monthly, "y" yearly
    bool WholeDay = false;
    QDateTime StartTime;
    QDateTime EndTime;
    QString WeekDay = "mon"; // "mon" .. "sun"
    QString MonthDay = "01"; // "01" .. "31"
    QString Month = "01";    // "01" .. "12"
    QString Uid;      // the identity the event came with from a calendar feed; empty when none
    QString Category; // the id of the event's category; empty for none. An id that names no
                      // category of the calendar is kept as read and counts as none.

    bool operator==(const TEventRec&) const = default;
};

// One category of events: visitors see its name and colour, and filter by it.
struct TCategoryRec {
    QString Id;   // lowercase ASCII letters, digits and "-"; kept when the category is renamed
    QString Name; // plain text, 1 to 60 characters
    ColorValue Color = 0;

    bool operator==(const TCategoryRec&) const = default;
};

struct TMonthlyBgImage {
    bool Available = false;
    bool Enabled = false;
    std::array<QString, 13> Images; // index 1 (January) to 12 (December); 0 unused

    bool operator==(const TMonthlyBgImage&) const = default;
};

// The option values edited in the options panel. The panel's fields show and change these; the
// data file writer takes them from here exactly as they stand.
struct CalendarOptions {
    enum WeekStart { Monday = 0, Sunday = 1 };
    enum Clock { Hour12 = 0, Hour24 = 1 };

    QString PublishWidth = QStringLiteral("20");
    QString PublishHeight = QStringLiteral("20");
    int FirstDayOfWeek = Monday;
    QString CellWidth = QStringLiteral("20");
    QString CellHeight = QStringLiteral("20");
    QString ContentHeight = QStringLiteral("20");
    QString ContentMargin = QStringLiteral("20");
    int TimeFormat = Hour24;
    QString DateFormat = QStringLiteral("yyyy-mm-dd"); // empty when none is selected
    QString Language = QStringLiteral("auto"); // "auto" or a language tag, see calendarLanguage
    // The zone database name of the zone the calendar's times are in ("Europe/Berlin"); empty
    // for a data file without one, which means this computer's zone (see calendarZone).
    QString TimeZone;
    QString BackgroundImage; // "image\<file>" or empty
    QString MusicFile;       // "music\<file>" or empty
    QString MusicVolume = QStringLiteral("0");
    bool MusicOnStartup = false;

    bool operator==(const CalendarOptions&) const = default;
};

// The eight date formats offered for the calendar, in list order.
const QStringList& dateFormats();

// The language option's value for a read or typed text: "auto" (the visitor's language) for an
// empty text, "auto" in any case and anything that is not a language tag; a tag such as "de",
// "pt-BR" or "zh-Hant-TW" in its usual letter case.
QString calendarLanguage(const QString& text);

// The languages the options panel offers, "auto" first; any other tag may be typed.
const QStringList& languageChoices();

// Whether the document holds unsaved changes, has been read from a data file in this run, and
// which project archive it came from.
struct DocumentMarks {
    bool Modified = false;
    bool Loaded = false;
    QString ProjectPath;

    bool operator==(const DocumentMarks&) const = default;
};

// The one calendar the program edits at a time.
class CalendarDocument {
public:
    CalendarDocument();

    // The process-wide document. Code that works on it takes it by reference.
    static CalendarDocument& instance();

    QString CalendarId;
    int DefaultWidth = 0;
    int DefaultHeight = 0;
    int EditorLayout = 0;            // 0 full, 1 left, 2 right, 3 center
    std::array<TTitleRec, 3> Titles; // title, subtitle, copyright line
    QList<TLookRec> StyleItems;
    TMonthlyBgImage MonthlyBackground;
    bool MusicAvailable = false;
    QList<TEventRec> Events;
    QList<TCategoryRec> Categories; // in the order of the legend and the choosers
    CalendarOptions Options;
    DocumentMarks Marks;

    // Appends one style item row with its present mark off.
    void enrolStyleItem(const QString& caption, const QString& id, ColorValue color,
                        const QString& opacity, const QString& uri, bool hasColor, bool hasOpacity,
                        bool hasUri);
    // Empties the table and enrols the thirteen style items of the calendar, in order.
    void enrolStandardStyleItems();

    void clearPresentMarks();

    // The first style item whose id equals id exactly (case counts), or null.
    TLookRec* findStyleItem(const QString& id);
    const TLookRec* findStyleItem(const QString& id) const;

    // Sets "color" (digits BBGGRR), "opacity" or "uri" of a style item. An unknown id or key shows
    // an information box and changes nothing; returns whether a value was set.
    bool SetField(const QString& id, const QString& key, const QString& value,
                  MessageBoxes& messages);

    // Everything but the marks: what a data file carries.
    bool sameContentAs(const CalendarDocument& other) const;
};

// Six upper-case hexadecimal digits RRGGBB of a 0x00BBGGRR colour.
QString colorToRgbHex(ColorValue color);

} // namespace qv
