#include "document/DataFileReader.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "document/Categories.h"
#include "document/DataFileValues.h"
#include "document/EditorSync.h"
#include "document/Markup.h"
#include "document/XmlDocument.h"
#include "platform/MessageBoxes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string_view>
#include <utility>

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
        *error =
            QCoreApplication::translate("qv::DataFileReader", "'%1' is not a valid integer value")
                .arg(text);
    return n;
}

class Reader {
public:
    Reader(CalendarDocument& doc, EditorCalls& calls) : doc_(doc), calls_(calls) {}

    // False when the read stopped at an error; error() then tells why.
    bool read(pugi::xml_node calendar) {
        readCalendarAttributes(calendar);
        static constexpr const char* titleNames[] = {"title", "subtitle", "copyright"};
        for (int i = 0; i < 3; ++i)
            doc_.Titles[i] = fromMarkup(xmlText(calendar.child(titleNames[i])));
        doc_.Options.Language = QStringLiteral("auto"); // also when the file names none
        doc_.Options.TimeZone.clear();                  // none: this computer's zone
        for (pugi::xml_node item : calendar.child("option").children())
            readOption(item);
        if (!readStyle(calendar.child("style")) || !readMusic(calendar))
            return false;
        readCategories(calendar.child("categories"));
        readEvents(calendar);
        const int layout = doc_.EditorLayout;
        calls_.append([layout](EditorSync& e) { e.readFinished(layout); });
        return true;
    }

    const QString& error() const { return error_; }

private:
    void readCalendarAttributes(pugi::xml_node calendar) {
        doc_.EditorLayout = numberOr(xmlAttribute(calendar, "editor_layout"), 0);
        doc_.CalendarId = xmlAttribute(calendar, "id");
        doc_.DefaultWidth = numberOr(xmlAttribute(calendar, "defaultwidth"), 99);
        doc_.DefaultHeight = numberOr(xmlAttribute(calendar, "defaultheight"), 99);
        doc_.Options.PublishWidth =
            QString::number(numberOr(xmlAttribute(calendar, "publishwidth"), doc_.DefaultWidth));
        doc_.Options.PublishHeight =
            QString::number(numberOr(xmlAttribute(calendar, "publishheight"), doc_.DefaultHeight));
    }

    void spin(const QString& optionId, int value, int low, int high) {
        const int held = std::clamp(value, low, high);
        calls_.append([optionId, held](EditorSync& e) { e.spinValueRead(optionId, held); });
    }

    void readOption(pugi::xml_node item) {
        if (!item.attribute("id"))
            return;
        const QString id = xmlAttribute(item, "id");
        const QString value = xmlAttribute(item, "value");
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
        } else if (id == u"language") {
            o.Language = calendarLanguage(value);
        } else if (id == u"timezone") {
            o.TimeZone = value; // written back as read, also a name this computer does not know
        }
    }

    bool readStyle(pugi::xml_node style) {
        TMonthlyBgImage& monthly = doc_.MonthlyBackground;
        monthly.Available = false;
        monthly.Enabled = false;
        calls_.append([](EditorSync& e) { e.monthlyBackgroundRead(false, false); });
        NoMessages quiet;
        for (pugi::xml_node item : style.children()) {
            if (item.type() != pugi::node_element)
                continue;
            const QString id = xmlAttribute(item, "id");
            if (id == u"background_image") {
                doc_.Options.BackgroundImage = mediaPathFromFile(xmlAttribute(item, "uri"));
            } else if (id == u"monthly_background_image") {
                monthly.Available = true;
                monthly.Enabled = std::string_view(item.attribute("enable").value()) == "true";
                const bool enabled = monthly.Enabled;
                calls_.append([enabled](EditorSync& e) { e.monthlyBackgroundRead(true, enabled); });
                for (pugi::xml_node image : item.children()) {
                    if (image.type() != pugi::node_element)
                        continue;
                    const std::optional<int> n = strictNumber(xmlAttribute(image, "id"), &error_);
                    if (!n)
                        return false;
                    if (*n >= 1 && *n <= 12)
                        monthly.Images[*n] = mediaPathFromFile(xmlAttribute(image, "uri"));
                }
            } else if (TLookRec* look = doc_.findStyleItem(id)) {
                if (look->HasColor)
                    doc_.SetField(id, QStringLiteral("color"),
                                  swapColorPairs(xmlAttribute(item, "color")), quiet);
                if (look->HasOpacity)
                    doc_.SetField(id, QStringLiteral("opacity"), xmlAttribute(item, "opacity"),
                                  quiet);
                if (look->HasUri)
                    doc_.SetField(id, QStringLiteral("uri"), xmlAttribute(item, "uri"), quiet);
                look->Present = true;
                const QString caption = look->Caption;
                const int index = int(look - doc_.StyleItems.data());
                calls_.append([caption, index](EditorSync& e) { e.styleItemRead(caption, index); });
            }
        }
        return true;
    }

    bool readMusic(pugi::xml_node calendar) {
        doc_.MusicAvailable = false;
        doc_.Options.MusicOnStartup = false;
        calls_.append([](EditorSync& e) { e.musicRead(false); });
        if (!calendar.child("bgm"))
            return true;
        pugi::xml_node bgm = calendar.child("bgm");
        doc_.MusicAvailable = true;
        doc_.Options.MusicFile = mediaPathFromFile(xmlAttribute(bgm, "src"));
        doc_.Options.MusicOnStartup = std::string_view(bgm.attribute("startup").value()) == "on";
        calls_.append([](EditorSync& e) { e.musicRead(true); });
        const QString volume = xmlAttribute(bgm, "volume");
        const std::optional<int> n = strictNumber(volume, &error_);
        if (!n)
            return false;
        spin(QStringLiteral("volume"), *n, 0, 100);
        doc_.Options.MusicVolume = volume;
        return true;
    }

    // Categories in list order. One whose id is malformed or taken already is left out, as the
    // player leaves it out; its events keep the id and show no category.
    void readCategories(pugi::xml_node categories) {
        doc_.Categories.clear();
        for (pugi::xml_node element : categories.children("category")) {
            TCategoryRec category;
            category.Id = xmlAttribute(element, "id");
            if (!isCategoryId(category.Id) || categoryIndexOfId(doc_.Categories, category.Id) >= 0)
                continue;
            category.Name = cleanCategoryName(xmlAttribute(element, "name"));
            if (category.Name.isEmpty())
                category.Name = category.Id;
            category.Color = categoryColorFromText(xmlAttribute(element, "color"))
                                 .value_or(kUnreadableCategoryColor);
            doc_.Categories.append(category);
        }
    }

    void readEvents(pugi::xml_node calendar) {
        doc_.Events.clear();
        const QDateTime now = QDateTime::currentDateTime();
        const auto entries = calendar.children("entry");
        doc_.Events.reserve(std::distance(entries.begin(), entries.end()));
        for (pugi::xml_node entry : entries)
            doc_.Events.append(readEvent(entry, now));
    }

    // The elements of an entry, each the first of its name, found in one pass over the entry:
    // a calendar may hold a hundred thousand entries.
    struct EntryParts {
        pugi::xml_node title, content, wholeday, repeat, start, end, icon;

        explicit EntryParts(pugi::xml_node entry) {
            const std::pair<std::string_view, pugi::xml_node*> named[] = {
                {"title", &title}, {"content", &content}, {"start", &start},      {"end", &end},
                {"icon", &icon},   {"repeat", &repeat},   {"wholeday", &wholeday}};
            for (pugi::xml_node part = entry.first_child(); part; part = part.next_sibling()) {
                const std::string_view name = part.name();
                for (const auto& [wanted, slot] : named) {
                    if (name == wanted) {
                        if (!*slot)
                            *slot = part;
                        break;
                    }
                }
            }
        }
    };

    static TEventRec readEvent(pugi::xml_node entry, const QDateTime& now) {
        const EntryParts parts(entry);
        TEventRec event;
        event.Title = fromMarkup(xmlText(parts.title));
        event.Content = fromMarkup(xmlText(parts.content));
        event.Uid = xmlAttribute(entry, "uid");
        event.Category = xmlAttribute(entry, "category");
        event.WholeDay = parts.wholeday;
        event.RepeatKind = QStringLiteral("o");
        event.WeekDay.clear();
        event.MonthDay.clear();
        event.Month.clear();
        if (pugi::xml_node repeat = parts.repeat) {
            const std::string_view type = repeat.attribute("type").value();
            const QString value = xmlAttribute(repeat, "value");
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
        event.StartTime = dateTimeFromText(xmlText(parts.start), now);
        event.EndTime = dateTimeFromText(xmlText(parts.end), now);
        const pugi::xml_node icon = parts.icon;
        event.Icon = xmlAttribute(icon, "type");
        if (std::string_view(icon.attribute("type").value()) == "custom")
            event.Icon = mediaPathFromFile(xmlAttribute(icon, "uri"));
        return event;
    }

    CalendarDocument& doc_;
    EditorCalls& calls_;
    QString error_;
};

QString tooLarge() {
    return QCoreApplication::translate(
               "qv::DataFileReader",
               "The data file is larger than %1 MB; a calendar's data file is far "
               "smaller.")
        .arg(kDataFileSizeLimit / (1024 * 1024));
}

} // namespace

bool readDataFileBytes(const QByteArray& bytes, CalendarDocument& document, QString* errorText,
                       EditorSync* editor) {
    const auto fail = [errorText](const QString& text) {
        if (errorText)
            *errorText = text;
        return false;
    };
    if (bytes.size() > kDataFileSizeLimit)
        return fail(tooLarge());
    QString parseError;
    const std::unique_ptr<XmlDocument> parsed = parseXml(bytes, &parseError);
    if (!parsed)
        return fail(parseError);
    pugi::xml_node top = parsed->top();
    if (std::string_view(top.name()) != "calendar")
        return fail(
            QCoreApplication::translate("qv::DataFileReader",
                                        "The data file's top element is <%1>, not <calendar>.")
                .arg(QString::fromUtf8(top.name())));

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

std::optional<QByteArray> loadDataFileBytes(const QString& path, QString* errorText) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorText)
            *errorText =
                QCoreApplication::translate("qv::DataFileReader", "Cannot open file \"%1\". %2")
                    .arg(QDir::toNativeSeparators(path), file.errorString());
        return std::nullopt;
    }
    QByteArray bytes;
    if (file.size() <= kDataFileSizeLimit)
        bytes = file.read(kDataFileSizeLimit + 1);
    if (file.size() > kDataFileSizeLimit || bytes.size() > kDataFileSizeLimit) {
        if (errorText)
            *errorText = tooLarge();
        return std::nullopt;
    }
    return bytes;
}

bool readDataFile(const QString& path, CalendarDocument& document, MessageBoxes& messages,
                  EditorSync* editor) {
    QString error;
    bool ok = false;
    if (const std::optional<QByteArray> bytes = loadDataFileBytes(path, &error))
        ok = readDataFileBytes(*bytes, document, &error, editor);
    if (!ok)
        messages.message(QCoreApplication::translate("qv::DataFileReader", "ERROR: %1").arg(error));
    return ok;
}

} // namespace qv
