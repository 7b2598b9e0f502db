#include "ical/ui/IcalCommands.h"

#include "document/CalendarDocument.h"
#include "document/CalendarModel.h"
#include "document/CalendarZone.h"
#include "document/EventIdentity.h"
#include "editor/ui/EventsEditor.h"
#include "editor/ui/FormMain.h"
#include "ical/IcsExport.h"
#include "platform/Platform.h"

#include <QAction>
#include <QMenu>
#include <QThread>

#include <memory>

namespace qv {

namespace {

QString icsFilter() {
    return IcalCommands::tr("iCalendar (*.ics);;All files (*)");
}

} // namespace

IcalCommands::IcalCommands(TFormMain& window) : QObject(&window), m_window(window) {
    aimportical = new QAction(tr("Import from iCalendar…"), &window);
    aimportical->setObjectName(QStringLiteral("aimportical"));
    aexportical = new QAction(tr("Export iCalendar…"), &window);
    aexportical->setObjectName(QStringLiteral("aexportical"));
    window.Events1->addSeparator();
    window.Events1->addAction(aimportical);
    window.File1->insertAction(window.aupdateproject, aexportical);
    connect(aimportical, &QAction::triggered, this, &IcalCommands::aimporticalExecute);
    connect(aexportical, &QAction::triggered, this, &IcalCommands::aexporticalExecute);
    // Both need an open project, as publishing does.
    connect(window.apublish, &QAction::changed, this, &IcalCommands::followPublish);
    followPublish();
}

void IcalCommands::followPublish() {
    const bool on = m_window.apublish->isEnabled();
    aimportical->setEnabled(on && !m_reading);
    aexportical->setEnabled(on);
}

void IcalCommands::aimporticalExecute() {
    if (m_reading || !m_window.document().Marks.Loaded)
        return;
    const QString path =
        m_window.platform().openFile(tr("Import from iCalendar"), QString(), icsFilter());
    if (path.isEmpty())
        return;
    m_reading = true;
    followPublish();
    IcsImportOptions options;
    options.zone = calendarZone(m_window.document().Options);
    options.windowStart = windowStart;
    // The thread fills these; its end is delivered to this object on the window thread, and not
    // at all once the window is gone.
    struct Outcome {
        std::optional<IcsReadResult> read;
        QString error;
    };
    const auto outcome = std::make_shared<Outcome>();
    QThread* reader = QThread::create(
        [outcome, path, options] { outcome->read = readIcsFile(path, options, &outcome->error); });
    connect(reader, &QThread::finished, this,
            [this, outcome] { merge(outcome->read, outcome->error); });
    connect(reader, &QThread::finished, reader, &QObject::deleteLater);
    reader->start();
}

void IcalCommands::merge(const std::optional<IcsReadResult>& read, const QString& error) {
    m_reading = false;
    followPublish();
    if (!read) {
        m_window.platform().message(error);
        return;
    }
    CalendarDocument& document = m_window.document();
    if (!document.Marks.Loaded)
        return;                            // the project was closed while the file was read
    m_window.eventsEditor->storeEditing(); // an event being typed is kept, not lost
    // Events of an older data file are found by the identity feeds gave them.
    giveEventsUids(document);
    IcsImportSummary summary;
    m_window.model().mergeEvents([&](QList<TEventRec>& events) {
        summary = mergeIcsEntries(events, document.Categories, *read);
    });
    m_window.platform().information(summary.text());
}

void IcalCommands::aexporticalExecute() {
    if (!m_window.document().Marks.Loaded)
        return;
    const QString path =
        m_window.platform().saveFile(tr("Export iCalendar"), QString::fromLatin1(kCalendarFeedName),
                                     icsFilter(), QStringLiteral("ics"));
    if (path.isEmpty())
        return;
    QString error;
    if (!writeCalendarFeed(path, m_window.document(), &error))
        m_window.platform().message(error);
}

IcalCommands* installIcalCommands(TFormMain& window) {
    return new IcalCommands(window);
}

} // namespace qv
