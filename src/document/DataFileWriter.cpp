#include "document/DataFileWriter.h"

#include "common/Functions.h"
#include "document/CalendarDocument.h"
#include "document/DataFileValues.h"
#include "document/Markup.h"
#include "document/XmlText.h"

#include <QDir>
#include <QFileInfo>

namespace qv {

namespace {

// Collects the lines of the file, each ended by CR LF, directly as UTF-8.
class Lines {
public:
    explicit Lines(qsizetype expectedSize) { bytes_.reserve(expectedSize); }

    Lines& operator<<(const QString& text) {
        bytes_ += text.toUtf8();
        return *this;
    }
    Lines& operator<<(const char* latin1) {
        bytes_ += latin1;
        return *this;
    }
    void endLine() { bytes_ += "\r\n"; }
    QByteArray take() { return std::move(bytes_); }

private:
    QByteArray bytes_;
};

QString attr(const QString& value) {
    return escapeAttribute(value);
}

QString mediaAttr(const QString& documentPath) {
    return escapeAttribute(mediaPathForFile(documentPath));
}

void writeCalendarHead(Lines& out, const CalendarDocument& doc) {
    const CalendarOptions& o = doc.Options;
    out << "<calendar id=\"" << attr(doc.CalendarId) << "\" defaultwidth=\""
        << QString::number(doc.DefaultWidth) << "\" defaultheight=\""
        << QString::number(doc.DefaultHeight) << "\" editor_layout=\""
        << QString::number(doc.EditorLayout) << "\" publishwidth=\"" << attr(o.PublishWidth)
        << "\" publishheight=\"" << attr(o.PublishHeight) << "\">";
    out.endLine();
    out << "    <title>" << toMarkup(doc.Titles[0]) << "</title>";
    out.endLine();
    out << "    <subtitle>" << toMarkup(doc.Titles[1]) << "</subtitle>";
    out.endLine();
    out << "    <copyright>" << toMarkup(doc.Titles[2]) << "</copyright>";
    out.endLine();
}

void writeOptions(Lines& out, const CalendarOptions& o) {
    const auto item = [&out](const char* id, const QString& value) {
        out << "        <item id=\"" << id << "\" value=\"" << attr(value) << "\"/>";
        out.endLine();
    };
    out << "    <option>";
    out.endLine();
    item("first_day_of_week",
         QLatin1String(o.FirstDayOfWeek == CalendarOptions::Monday ? "mon" : "sun"));
    item("cell_width", o.CellWidth);
    item("cell_height", o.CellHeight);
    item("content_height", o.ContentHeight);
    item("content_margin", o.ContentMargin);
    item("time_format", QLatin1String(o.TimeFormat == CalendarOptions::Hour12 ? "12" : "24"));
    item("date_format", o.DateFormat);
    out << "    </option>";
    out.endLine();
}

void writeStyle(Lines& out, const CalendarDocument& doc) {
    out << "    <style>";
    out.endLine();
    for (const TLookRec& item : doc.StyleItems) {
        if (!item.Present)
            continue;
        out << "        <item id=\"" << attr(item.Id) << "\" ";
        if (item.HasColor)
            out << "color=\"" << attr(item.ColorHex) << "\" ";
        if (item.HasOpacity)
            out << "opacity=\"" << attr(item.Opacity) << "\" ";
        if (item.HasUri)
            out << "uri=\"" << attr(item.Uri) << "\" ";
        out << " />";
        out.endLine();
    }
    out << "        <item id=\"background_image\" uri=\"" << mediaAttr(doc.Options.BackgroundImage)
        << "\"/>";
    out.endLine();
    const TMonthlyBgImage& monthly = doc.MonthlyBackground;
    if (monthly.Available) {
        out << "        <item id=\"monthly_background_image\" enable=\""
            << (monthly.Enabled ? "true" : "false") << "\">";
        out.endLine();
        for (int n = 1; n <= 12; ++n) {
            out << "            <image id=\"" << QString::number(n) << "\" uri=\""
                << mediaAttr(monthly.Images[n]) << "\" />";
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
    out << "    <bgm src=\"" << mediaAttr(o.MusicFile) << "\" volume=\"" << attr(o.MusicVolume)
        << "\" startup=\"" << (o.MusicOnStartup ? "on" : "off") << "\" />";
    out.endLine();
}

void writeEvent(Lines& out, const TEventRec& event) {
    out << "    <entry>";
    out.endLine();
    out << "        <title>" << toMarkup(event.Title) << "</title>";
    out.endLine();
    out << "        <content>" << toMarkup(event.Content) << "</content>";
    out.endLine();
    if (event.WholeDay) {
        out << "        <wholeday />";
        out.endLine();
    }
    if (event.RepeatKind == u"w") {
        out << "        <repeat type=\"week\" value=\"" << attr(event.WeekDay) << "\" />";
        out.endLine();
    } else if (event.RepeatKind == u"m") {
        out << "        <repeat type=\"month\" value=\"" << attr(event.MonthDay) << "\" />";
        out.endLine();
    } else if (event.RepeatKind == u"y") {
        out << "        <repeat type=\"year\" value=\"" << attr(event.Month + u'-' + event.MonthDay)
            << "\" />";
        out.endLine();
    }
    out << "        <start>" << dateTimeText(event.StartTime) << "</start>";
    out.endLine();
    out << "        <end>" << dateTimeText(event.EndTime) << "</end>";
    out.endLine();
    if (isBuiltInIcon(event.Icon)) {
        out << "        <icon type=\"" << event.Icon << "\" />";
        out.endLine();
    } else if (!event.Icon.isEmpty()) {
        out << "        <icon type=\"custom\" uri=\"" << mediaAttr(event.Icon) << "\" />";
        out.endLine();
    }
    out << "    </entry>";
    out.endLine();
}

// The JSON escape of one byte (or of U+2028 and U+2029 starting there), or null for a byte that
// stands as it is; length receives how many bytes the escape replaces.
const char* jsonEscape(const QByteArray& utf8, qsizetype i, int* length) {
    static const char* const controls[32] = {
        "\\u0000", "\\u0001", "\\u0002", "\\u0003", "\\u0004", "\\u0005", "\\u0006", "\\u0007",
        "\\b",     "\\t",     "\\n",     "\\u000b", "\\f",     "\\r",     "\\u000e", "\\u000f",
        "\\u0010", "\\u0011", "\\u0012", "\\u0013", "\\u0014", "\\u0015", "\\u0016", "\\u0017",
        "\\u0018", "\\u0019", "\\u001a", "\\u001b", "\\u001c", "\\u001d", "\\u001e", "\\u001f"};
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    *length = 1;
    if (c < 0x20)
        return controls[c];
    if (c == '"')
        return "\\\"";
    if (c == '\\')
        return "\\\\";
    // "</" would end a script element early.
    if (c == '/' && i > 0 && utf8[i - 1] == '<')
        return "\\/";
    // U+2028 and U+2029 end a line inside a script.
    if (c == 0xE2 && i + 2 < utf8.size() && uchar(utf8[i + 1]) == 0x80 &&
        (uchar(utf8[i + 2]) == 0xA8 || uchar(utf8[i + 2]) == 0xA9)) {
        *length = 3;
        return uchar(utf8[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
    }
    return nullptr;
}

void appendJsonString(QByteArray& out, const QByteArray& utf8) {
    out += '"';
    qsizetype done = 0;
    for (qsizetype i = 0; i < utf8.size();) {
        int length = 1;
        if (const char* escape = jsonEscape(utf8, i, &length)) {
            out.append(utf8.constData() + done, i - done);
            out += escape;
            i += length;
            done = i;
        } else {
            ++i;
        }
    }
    out.append(utf8.constData() + done, utf8.size() - done);
    out += '"';
}

} // namespace

QByteArray dataFileBytes(const CalendarDocument& document) {
    Lines out(1024 + document.Events.size() * 400);
    writeCalendarHead(out, document);
    writeOptions(out, document.Options);
    writeStyle(out, document);
    writeMusic(out, document);
    out.endLine();
    for (const TEventRec& event : document.Events)
        writeEvent(out, event);
    out << "</calendar>";
    out.endLine();
    return out.take();
}

QByteArray dataScriptBytes(const QByteArray& dataFile) {
    QByteArray out;
    out.reserve(dataFile.size() + dataFile.size() / 8 + 64);
    out += "window.QUORVEL_DATA_XML = ";
    appendJsonString(out, dataFile);
    out += ";\r\n";
    return out;
}

bool writeDataFile(const QString& path, const CalendarDocument& document, QString* error) {
    const QByteArray bytes = dataFileBytes(document);
    if (!writeFileAtomically(path, bytes, error))
        return false;
    const QString script = QFileInfo(path).dir().filePath(QStringLiteral("data.js"));
    return writeFileAtomically(script, dataScriptBytes(bytes), error);
}

} // namespace qv
