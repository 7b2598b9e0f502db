// The event list with 10,000 events: a rebuild (filters worked out, rows replaced, the first
// screen painted) and a scroll through the whole list page by page, against a QListView on a
// QStringListModel that is handed the same 10,000 ready-made row texts, measured in the same
// run: both warmed, the order alternated, median and spread of both and of the ratios ours / peer
// over the rounds. Runs headless (QT_QPA_PLATFORM=offscreen is
// set when no platform is given). Run it from an optimised build.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/CalendarDocument.h"
#include "editor/EventListModel.h"
#include "editor/EventOccurrence.h"
#include "editor/EventRowText.h"
#include "editor/ui/EventListPanel.h"
#include "editor/ui/EventRowDelegate.h"

#include "../SideBySide.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QScrollBar>
#include <QStringListModel>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kEvents = 10000;
constexpr int kRounds = 9;

qv::CalendarDocument largeDocument() {
    qv::CalendarDocument doc;
    const QDateTime start(QDate(2026, 1, 1), QTime(9, 0));
    static const char* kinds[] = {"o", "w", "m", "y"};
    for (int i = 0; i < kEvents; ++i) {
        qv::TEventRec e;
        e.Title.Text = QStringLiteral("Event %1: team meeting & review").arg(i);
        e.Content.Text = QStringLiteral("Room %1, second floor.").arg(i % 40);
        e.RepeatKind = QString::fromLatin1(kinds[i % 4]);
        e.WholeDay = i % 5 == 0;
        e.StartTime = start.addSecs(qint64(i) * 3600);
        e.EndTime = e.StartTime.addSecs(7200);
        e.MonthDay = QStringLiteral("%1").arg(i % 31 + 1, 2, 10, QLatin1Char('0'));
        e.Month = QStringLiteral("%1").arg(i % 12 + 1, 2, 10, QLatin1Char('0'));
        doc.Events.append(e);
    }
    return doc;
}

// Paints what the view shows now, as the window system would.
void paint(QListView& view) {
    view.viewport()->repaint();
}

void scrollThrough(QListView& view) {
    QScrollBar* bar = view.verticalScrollBar();
    bar->setValue(0);
    for (int value = 0; value <= bar->maximum(); value += std::max(1, bar->pageStep())) {
        bar->setValue(value);
        paint(view);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qv::CalendarDocument doc = largeDocument();
    const QDateTime now(QDate(2026, 6, 1), QTime(8, 0));
    const QLocale locale = QLocale::system();

    QAction add(nullptr), edit(nullptr), remove(nullptr);
    qv::EventListPanel panel(doc, &add, &edit, &remove);
    panel.resize(400, 700);
    panel.show();
    QListView& ours = *panel.LstEvent;

    QListView peer;
    auto* peerModel = new QStringListModel(&peer);
    peer.setModel(peerModel);
    peer.setUniformItemSizes(true);
    peer.resize(ours.size());
    peer.show();
    // The peer is given its texts ready-made; making them is not counted.
    QStringList texts;
    texts.reserve(kEvents);
    for (const qv::TEventRec& e : doc.Events) {
        const qv::EventRowLines lines = qv::eventRowLines(e, locale);
        texts << lines.title + QLatin1Char('\n') + lines.content + QLatin1Char('\n') + lines.repeat;
    }
    QCoreApplication::processEvents();

    int listed = 0;
    const bench::Side rebuildOurs{"list", {}, [&] {
                                      const QList<int> rows =
                                          qv::listedEventPositions(doc.Events, qv::TypeFilter::All,
                                                                   qv::TimeRange::NextYear, now);
                                      listed = int(rows.size());
                                      panel.setRows(rows, 0);
                                      paint(ours);
                                      return true;
                                  }};
    const bench::Side rebuildPeer{"QStringListModel", {}, [&] {
                                      peerModel->setStringList(texts);
                                      peer.setCurrentIndex(peerModel->index(0));
                                      paint(peer);
                                      return true;
                                  }};
    std::printf("event list, %d events\n", kEvents);
    bench::sideBySide("rebuild and first paint", rebuildOurs, rebuildPeer, kRounds);
    std::printf("  (%d listed by \"Next year\")\n", listed);
    panel.setRows(
        qv::listedEventPositions(doc.Events, qv::TypeFilter::All, qv::TimeRange::All, now), 0);
    const bench::Side scrollOurs{"list", {}, [&] {
                                     scrollThrough(ours);
                                     return true;
                                 }};
    const bench::Side scrollPeer{"QStringListModel", {}, [&] {
                                     scrollThrough(peer);
                                     return true;
                                 }};
    bench::sideBySide("scroll through all rows, page by page", scrollOurs, scrollPeer, kRounds);
    return 0;
}
