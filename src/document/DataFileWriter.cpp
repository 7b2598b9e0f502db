#include "document/DataFileWriter.h"

#include "common/Functions.h"
#include "common/StagedFile.h"
#include "document/ByteSink.h"
#include "document/CalendarDocument.h"
#include "document/DataFileValues.h"
#include "document/Markup.h"
#include "document/ScriptString.h"
#include "document/XmlText.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

namespace qv {

namespace {

// Collects the lines of the file directly as UTF-8: ASCII pieces as they are, values through the
// escapes that keep the file well-formed.
class Lines {
public:
    // Every line kept until take().
    explicit Lines(qsizetype expectedSize) : bytes_(expectedSize) {}
    // Lines handed to drain in pieces of about pieceSize bytes, each ending with a line end, and
    // the last by finish().
    using Drain = std::function<void(QByteArrayView)>;
    Lines(qsizetype pieceSize, Drain drain)
        : bytes_(pieceSize + pieceSize / 4), pieceSize_(pieceSize), drain_(std::move(drain)) {}

    Lines& operator<<(const char* ascii) {
        bytes_.append(ascii, qsizetype(std::strlen(ascii)));
        return *this;
    }
    Lines& operator<<(int number) {
        char digits[16];
        const int n = std::snprintf(digits, sizeof digits, "%d", number);
        bytes_.append(digits, n);
        return *this;
    }
    Lines& operator<<(const TTitleRec& text) {
        appendMarkup(bytes_, text);
        return *this;
    }
    Lines& operator<<(const QDateTime& value) {
        appendDateTimeText(bytes_, value);
        return *this;
    }
    // An attribute value.
    Lines& operator<<(QStringView value) {
        appendEscapedAttribute(bytes_, value);
        return *this;
    }
    // A media path, held with "\" and written with "/", as an attribute value.
    Lines& media(const QString& documentPath) {
        appendEscapedAttribute(bytes_, documentPath, true);
        return *this;
    }
    void endLine() {
        bytes_.append("\r\n");
        if (drain_ && bytes_.filled().size() >= pieceSize_)
            finish();
    }
    QByteArray take() { return bytes_.take(); }
    void finish() {
        drain_(bytes_.filled());
        bytes_.restart();
    }

private:
    ByteSink bytes_;
    qsizetype pieceSize_ = 0;
    Drain drain_;
};

void writeCalendarHead(Lines& out, const CalendarDocument& doc) {
    const CalendarOptions& o = doc.Options;
    out << "<calendar id=\"" << doc.CalendarId << "\" defaultwidth=\"" << doc.DefaultWidth
        << "\" defaultheight=\"" << doc.DefaultHeight << "\" editor_layout=\"" << doc.EditorLayout
        << "\" publishwidth=\"" << o.PublishWidth << "\" publishheight=\"" << o.PublishHeight
        << "\">";
    out.endLine();
    out << "    <title>" << doc.Titles[0] << "</title>";
    out.endLine();
    out << "    <subtitle>" << doc.Titles[1] << "</subtitle>";
    out.endLine();
    out << "    <copyright>" << doc.Titles[2] << "</copyright>";
    out.endLine();
}

void writeOptions(Lines& out, const CalendarOptions& o) {
    const auto item = [&out](const char* id, QStringView value) {
        out << "        <item id=\"" << id << "\" value=\"" << value << "\"/>";
        out.endLine();
    };
    out << "    <option>";
    out.endLine();
    item("first_day_of_week", o.FirstDayOfWeek == CalendarOptions::Monday ? u"mon" : u"sun");
    item("cell_width", o.CellWidth);
    item("cell_height", o.CellHeight);
    item("content_height", o.ContentHeight);
    item("content_margin", o.ContentMargin);
    item("time_format", o.TimeFormat == CalendarOptions::Hour12 ? u"12" : u"24");
    item("date_format", o.DateFormat);
    if (const QString language = calendarLanguage(o.Language); language != u"auto")
        item("language", language); // no item means "auto"
    if (!o.TimeZone.isEmpty())
        item("timezone", o.TimeZone); // no item means this computer's zone
    out << "    </option>";
    out.endLine();
}

void writeStyle(Lines& out, const CalendarDocument& doc) {
    out << "    <style>";
    out.endLine();
    for (const TLookRec& item : doc.StyleItems) {
        if (!item.Present)
            continue;
        out << "        <item id=\"" << item.Id << "\" ";
        if (item.HasColor)
            out << "color=\"" << item.ColorHex << "\" ";
        if (item.HasOpacity)
            out << "opacity=\"" << item.Opacity << "\" ";
        if (item.HasUri)
            out << "uri=\"" << item.Uri << "\" ";
        out << " />";
        out.endLine();
    }
    out << "        <item id=\"background_image\" uri=\"";
    out.media(doc.Options.BackgroundImage) << "\"/>";
    out.endLine();
    const TMonthlyBgImage& monthly = doc.MonthlyBackground;
    if (monthly.Available) {
        out << "        <item id=\"monthly_background_image\" enable=\""
            << (monthly.Enabled ? "true" : "false") << "\">";
        out.endLine();
        for (int n = 1; n <= 12; ++n) {
            out << "            <image id=\"" << n << "\" uri=\"";
            out.media(monthly.Images[n]) << "\" />";
            out.endLine();
        }
        out << "        </item>";
        out.endLine();
    }
    out << "    </style>";
    out.endLine();
}

void writeMusic(Lines& out, const CalendarDocument& doc) {
    if (!doc.MusicAvailable)
        return;
    const CalendarOptions& o = doc.Options;
    out << "    <bgm src=\"";
    out.media(o.MusicFile) << "\" volume=\"" << o.MusicVolume << "\" startup=\""
                           << (o.MusicOnStartup ? "on" : "off") << "\" />";
    out.endLine();
}

// Written only when the calendar has categories: a calendar without any keeps its former bytes.
void writeCategories(Lines& out, const QList<TCategoryRec>& categories) {
    if (categories.isEmpty())
        return;
    out << "    <categories>";
    out.endLine();
    for (const TCategoryRec& category : categories) {
        out << "        <category id=\"" << category.Id << "\" name=\"" << category.Name
            << "\" color=\"" << colorToRgbHex(category.Color) << "\"/>";
        out.endLine();
    }
    out << "    </categories>";
    out.endLine();
}

void writeEvent(Lines& out, const TEventRec& event) {
    out << "    <entry";
    if (!event.Uid.isEmpty())
        out << " uid=\"" << event.Uid << "\"";
    if (!event.Category.isEmpty())
        out << " category=\"" << event.Category << "\"";
    out << ">";
    out.endLine();
    out << "        <title>" << event.Title << "</title>";
    out.endLine();
    out << "        <content>" << event.Content << "</content>";
    out.endLine();
    if (event.WholeDay) {
        out << "        <wholeday />";
        out.endLine();
    }
    if (event.RepeatKind == u"w") {
        out << "        <repeat type=\"week\" value=\"" << event.WeekDay << "\" />";
        out.endLine();
    } else if (event.RepeatKind == u"m") {
        out << "        <repeat type=\"month\" value=\"" << event.MonthDay << "\" />";
        out.endLine();
    } else if (event.RepeatKind == u"y") {
        out << "        <repeat type=\"year\" value=\""
            << QString(event.Month + u'-' + event.MonthDay) << "\" />";
        out.endLine();
    }
    out << "        <start>" << event.StartTime << "</start>";
    out.endLine();
    out << "        <end>" << event.EndTime << "</end>";
    out.endLine();
    if (isBuiltInIcon(event.Icon)) {
        // Built-in icon names are plain words that need no escape.
        out << "        <icon type=\"" << event.Icon << "\" />";
        out.endLine();
    } else if (!event.Icon.isEmpty()) {
        out << "        <icon type=\"custom\" uri=\"";
        out.media(event.Icon) << "\" />";
        out.endLine();
    }
    out << "    </entry>";
    out.endLine();
}

} // namespace

namespace {

void writeDocument(Lines& out, const CalendarDocument& document) {
    writeCalendarHead(out, document);
    writeOptions(out, document.Options);
    writeStyle(out, document);
    writeMusic(out, document);
    writeCategories(out, document.Categories);
    out.endLine();
    for (const TEventRec& event : document.Events)
        writeEvent(out, event);
    out << "</calendar>";
    out.endLine();
}

constexpr char kScriptHead[] = "window.QUORVEL_DATA_XML = \"";
constexpr char kScriptTail[] = "\";\r\n";

} // namespace

QByteArray dataFileBytes(const CalendarDocument& document) {
    Lines out(4096 + document.Events.size() * 640);
    writeDocument(out, document);
    return out.take();
}

QByteArray dataScriptBytes(const QByteArray& dataFile) {
    QByteArray out;
    out.reserve(dataFile.size() + dataFile.size() / 4 + 96);
    out += kScriptHead;
    appendScriptText(out, dataFile);
    out += kScriptTail;
    return out;
}

bool writeDataFile(const QString& path, const CalendarDocument& document, QString* error) {
    // Both files are complete before either replaces its earlier version. They are made and
    // written a piece at a time, in the same little memory, whatever the calendar's size: a
    // calendar of a hundred thousand events would otherwise hold a hundred megabytes of text.
    StagedFile xml(path);
    StagedFile script(QFileInfo(path).dir().filePath(QStringLiteral("data.js")));
    QString failure;
    QByteArray scriptPiece = kScriptHead;
    const auto written = [&](QByteArrayView piece) {
        if (!failure.isEmpty())
            return;
        appendScriptText(scriptPiece, piece);
        if (!xml.write(piece, &failure) || !script.write(scriptPiece, &failure))
            return;
        scriptPiece.resize(0);
    };
    constexpr qsizetype kPieceSize = 1 << 20;
    Lines out(kPieceSize, written);
    writeDocument(out, document);
    out.finish();
    scriptPiece += kScriptTail;
    if (failure.isEmpty())
        script.write(scriptPiece, &failure);
    if (failure.isEmpty() && xml.commit(&failure) && script.commit(&failure))
        return true;
    if (error)
        *error = failure;
    return false;
}

} // namespace qv
