#include "document/DataFileReader.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "document/DataFileValues.h"
#include "document/EditorSync.h"
#include "document/Markup.h"
#include "document/XmlTree.h"
#include "platform/MessageBoxes.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <functional>

namespace qv {

namespace {

// What the editor is to be told, kept until the whole file has been read.
using EditorCalls = QList<std::function<void(EditorSync&)>>;

// SetField is only called for items and keys that exist, so it has nothing to show.
class NoMessages : public MessageBoxes {
public:
    void information(const QString&) override {}
    bool confirm(const QString&) override { return false; }
    void message(const QString&) override {}
    int question(const QString&, const QString&, int, int, const QString&) override {
        return QuestionResult::NotShown;
    }
};

// The number text holds; a text that holds none stops the read with the conversion error.
std::optional<int> strictNumber(const QString& text, QString* error) {
    const std::optional<int> n = decimalNumber(text);
    if (!n)
        *error = QStringLiteral("'%1' is not a valid integer value").arg(text);
    return n;
}

class Reader {
public:
    Reader(CalendarDocument& doc, EditorCalls& calls) : doc_(doc), calls_(calls) {}

    // False when the read stopped at an error; error() then tells why.
    bool read(const XmlElement& calendar) {
        readCalendarAttributes(calendar);
        static constexpr std::string_view titleNames[] = {"title", "subtitle", "copyright"};
        for (int i = 0; i < 3; ++i)
            doc_.Titles[i] = fromMarkup(calendar.child(titleNames[i]).text());
        for (const XmlElement& item : calendar.child("option").children())
            readOption(item);
        if (!readStyle(calendar.child("style")) || !readMusic(calendar))
            return false;
        readEvents(calendar);
        const int layout = doc_.EditorLayout;
        calls_.append([layout](EditorSync& e) { e.readFinished(layout); });
        return true;
    }

    const QString& error() const { return error_; }

private:
    void readCalendarAttributes(const XmlElement& calendar) {
        doc_.EditorLayout = numberOr(calendar.attributeText("editor_layout"), 0);
        doc_.CalendarId = calendar.attributeText("id");
        doc_.DefaultWidth = numberOr(calendar.attributeText("defaultwidth"), 99);
        doc_.DefaultHeight = numberOr(calendar.attributeText("defaultheight"), 99);
        doc_.Options.PublishWidth =
            QString::number(numberOr(calendar.attributeText("publishwidth"), doc_.DefaultWidth));
        doc_.Options.PublishHeight =
            QString::number(numberOr(calendar.attributeText("publishheight"), doc_.DefaultHeight));
    }

    void spin(const QString& optionId, int value, int low, int high) {
        const int held = std::clamp(value, low, high);
        calls_.append([optionId, held](EditorSync& e) { e.spinValueRead(optionId, held); });
    }

    void readOption(const XmlElement& item) {
        if (!item.hasAttribute("id"))
            return;
        const QString id = item.attributeText("id");
        const QString value = item.attributeText("value");
        CalendarOptions& o = doc_.Options;
        const auto size = [&](QString& field, int fallback, int low) {
            spin(id, numberOr(value, fallback), low, 200);
            field = value;
        };
        if (id == u"first_day_of_week") {
            o.FirstDayOfWeek = value == u"mon" ? CalendarOptions::Monday : CalendarOptions::Sunday;
        } else if (id == u"cell_width") {
            size(o.CellWidth, 39, 20);
        } else if (id == u"cell_height") {
            size(o.CellHeight, 39, 20);
        } else if (id == u"content_height") {
            size(o.ContentHeight, 99, 20);
        } else if (id == u"content_margin") {
            size(o.ContentMargin, 0, 0);
        } else if (id == u"time_format") {
            o.TimeFormat = value == u"12" ? CalendarOptions::Hour12 : CalendarOptions::Hour24;
        } else if (id == u"date_format") {
            const QStringList& formats = dateFormats();
            const auto it =
                std::find_if(formats.begin(), formats.end(), [&value](const QString& f) {
                    return f.compare(value, Qt::CaseInsensitive) == 0;
                });
            o.DateFormat = it == formats.end() ? QString() : *it;
        }
    }

    bool readStyle(const XmlElement& style) {
        TMonthlyBgImage& monthly = doc_.MonthlyBackground;
        monthly.Available = false;
        monthly.Enabled = false;
        calls_.append([](EditorSync& e) { e.monthlyBackgroundRead(false, false); });
        NoMessages quiet;
        for (const XmlElement& item : style.children()) {
            const QString id = item.attributeText("id");
            if (id == u"background_image") {
                doc_.Options.BackgroundImage = mediaPathFromFile(item.attributeText("uri"));
            } else if (id == u"monthly_background_image") {
                monthly.Available = true;
                monthly.Enabled = item.attribute("enable") == "true";
                const bool enabled = monthly.Enabled;
                calls_.append([enabled](EditorSync& e) { e.monthlyBackgroundRead(true, enabled); });
                for (const XmlElement& image : item.children()) {
                    const std::optional<int> n = strictNumber(image.attributeText("id"), &error_);
                    if (!n)
                        return false;
                    if (*n >= 1 && *n <= 12)
                        monthly.Images[*n] = mediaPathFromFile(image.attributeText("uri"));
                }
            } else if (TLookRec* look = doc_.findStyleItem(id)) {
                if (look->HasColor)
                    doc_.SetField(id, QStringLiteral("color"),
                                  swapColorPairs(item.attributeText("color")), quiet);
                if (look->HasOpacity)
                    doc_.SetField(id, QStringLiteral("opacity"), item.attributeText("opacity"),
                                  quiet);
                if (look->HasUri)
                    doc_.SetField(id, QStringLiteral("uri"), item.attributeText("uri"), quiet);
                look->Present = true;
                const QString caption = look->Caption;
                const int index = int(look - doc_.StyleItems.data());
                calls_.append([caption, index](EditorSync& e) { e.styleItemRead(caption, index); });
            }
        }
        return true;
    }

    bool readMusic(const XmlElement& calendar) {
        doc_.MusicAvailable = false;
        doc_.Options.MusicOnStartup = false;
        calls_.append([](EditorSync& e) { e.musicRead(false); });
        if (!calendar.hasChild("bgm"))
            return true;
        const XmlElement& bgm = calendar.child("bgm");
        doc_.MusicAvailable = true;
        doc_.Options.MusicFile = mediaPathFromFile(bgm.attributeText("src"));
        doc_.Options.MusicOnStartup = bgm.attribute("startup") == "on";
        calls_.append([](EditorSync& e) { e.musicRead(true); });
        const QString volume = bgm.attributeText("volume");
        const std::optional<int> n = strictNumber(volume, &error_);
        if (!n)
            return false;
        spin(QStringLiteral("volume"), *n, 0, 100);
        doc_.Options.MusicVolume = volume;
        return true;
    }

    void readEvents(const XmlElement& calendar) {
        doc_.Events.clear();
        const QDateTime now = QDateTime::currentDateTime();
        doc_.Events.reserve(
            std::count_if(calendar.children().begin(), calendar.children().end(),
                          [](const XmlElement& child) { return child.name == "entry"; }));
        for (const XmlElement& entry : calendar.children())
            if (entry.name == "entry")
                doc_.Events.append(readEvent(entry, now));
    }

    static TEventRec readEvent(const XmlElement& entry, const QDateTime& now) {
        TEventRec event;
        event.Title = fromMarkup(entry.child("title").text());
        event.Content = fromMarkup(entry.child("content").text());
        event.Uid = entry.attributeText("uid");
        event.WholeDay = entry.hasChild("wholeday");
        event.RepeatKind = QStringLiteral("o");
        event.WeekDay.clear();
        event.MonthDay.clear();
        event.Month.clear();
        if (entry.hasChild("repeat")) {
            const XmlElement& repeat = entry.child("repeat");
            const std::string_view type = repeat.attribute("type");
            const QString value = repeat.attributeText("value");
            if (type == "week") {
                event.RepeatKind = QStringLiteral("w");
                event.WeekDay = value;
            } else if (type == "month") {
                event.RepeatKind = QStringLiteral("m");
                event.MonthDay = value;
            } else if (type == "year") {
                event.RepeatKind = QStringLiteral("y");
                event.MonthDay = value.mid(3, 2);
                event.Month = value.mid(0, 2);
            }
        }
        const auto orDefault = [](QString& field, const QString& fallback) {
            if (field.trimmed().isEmpty())
                field = fallback;
        };
        orDefault(event.WeekDay, QStringLiteral("mon"));
        orDefault(event.MonthDay, QStringLiteral("01"));
        orDefault(event.Month, QStringLiteral("01"));
        event.StartTime = dateTimeFromText(entry.child("start").text(), now);
        event.EndTime = dateTimeFromText(entry.child("end").text(), now);
        const XmlElement& icon = entry.child("icon");
        event.Icon = icon.attributeText("type");
        if (icon.attribute("type") == "custom")
            event.Icon = mediaPathFromFile(icon.attributeText("uri"));
        return event;
    }

    CalendarDocument& doc_;
    EditorCalls& calls_;
    QString error_;
};

} // namespace

bool readDataFileBytes(const QByteArray& bytes, CalendarDocument& document, QString* errorText,
                       EditorSync* editor) {
    const auto fail = [errorText](const QString& text) {
        if (errorText)
            *errorText = text;
        return false;
    };
    QString parseError;
    const std::optional<XmlDocument> parsed = parseXml(bytes, &parseError);
    if (!parsed)
        return fail(parseError);
    const XmlElement& top = parsed->top();
    if (top.name != "calendar")
        return fail(QStringLiteral("The data file's top element is <%1>, not <calendar>.")
                        .arg(top.nameText()));

    CalendarDocument read = document;
    EditorCalls calls;
    calls.append([](EditorSync& e) { e.resetBeforeRead(); });
    Reader reader(read, calls);
    if (!reader.read(top))
        return fail(reader.error());
    const DocumentMarks marks = document.Marks;
    document = std::move(read);
    document.Marks = marks;
    if (editor)
        for (const auto& call : calls)
            call(*editor);
    return true;
}

bool readDataFile(const QString& path, CalendarDocument& document, MessageBoxes& messages,
                  EditorSync* editor) {
    QString error;
    QFile file(path);
    bool ok = false;
    if (!file.open(QIODevice::ReadOnly))
        error = QStringLiteral("Cannot open file \"%1\". %2")
                    .arg(QDir::toNativeSeparators(path), file.errorString());
    else
        ok = readDataFileBytes(file.readAll(), document, &error, editor);
    if (!ok)
        messages.message(QStringLiteral("ERROR: ") + error);
    return ok;
}

} // namespace qv
