// The calendar document as the editor's windows share it, announcing its changes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/CalendarDocument.h"
#include "document/EditorSync.h"

#include <QObject>

#include <functional>

namespace qv {

// How the event list changed.
enum class EventChange {
    Added,    // one event appended at the index given
    Replaced, // the event at the index given got new values
    Removed,  // the event at the index given went; the later ones moved up
    Merged,   // events added and replaced at once (an imported calendar); the index is 0
};

// The one calendar document of the editor with signals for its changes. The editors change the
// document through here; what follows the document (the options, the style group, the event list,
// the preview refresh) subscribes to the signals instead of being called by every editor.
//
// A change is announced when it is confirmed. Text typed into a field that holds a document value
// is in the document at once and only noted (noteTyped); Enter, an up-down released or the field
// left confirms it (confirmValues), as does a click or a choice that changes a value
// (changeValue). The data file reader tells the model what it read, which it passes on as
// signals ending with documentReset.
class CalendarModel : public QObject, public EditorSync {
    Q_OBJECT
public:
    explicit CalendarModel(CalendarDocument& document, QObject* parent = nullptr);

    // The document, to read it and to change values in place before confirming them.
    CalendarDocument& document() { return m_document; }
    const CalendarDocument& document() const { return m_document; }

    // A confirmed change of document values (not of the event list): change runs on the document,
    // then valueChanged is emitted once.
    void changeValue(const std::function<void(CalendarDocument&)>& change);
    // Confirms the values typed or changed in place since the last confirmation: valueChanged is
    // emitted once, also when nothing changed (a refresh trigger always refreshes).
    void confirmValues();

    // Text was typed into a field that holds a document value: the typed mark goes on and
    // valueTyped is emitted.
    void noteTyped();
    // Whether text was typed that the data file does not hold yet.
    bool hasTypedText() const { return m_typed; }
    // The data file now holds everything typed: the typed mark goes off.
    void typedTextWritten() { m_typed = false; }

    // The event list operations; each emits eventsChanged once.
    // Appends an event, giving it a new identity (Uid) when it has none; answers its index.
    int addEvent(const TEventRec& event);
    // Gives the event at index new values, keeping its identity (Uid; for an event without one,
    // the one feeds derived for it); an index outside the list changes nothing.
    void replaceEvent(int index, const TEventRec& event);
    // Removes the event at index; an index outside the list changes nothing.
    void removeEvent(int index);
    // Changes the event list as a whole (an import merged into it).
    void mergeEvents(const std::function<void(QList<TEventRec>&)>& change);

    // The category list operations; each that changes something emits categoriesChanged once.
    // Appends a category of this name (cleaned) with a new id and the next palette colour;
    // answers its position.
    int addCategory(const QString& name);
    // Gives the category at index a new name (cleaned); its id stays, so links to it keep working.
    void renameCategory(int index, const QString& name);
    void recolorCategory(int index, ColorValue color);
    // Removes the category at index; its events are left without a category.
    void removeCategory(int index);
    // Moves the category at from to position to.
    void moveCategory(int from, int to);

    // EditorSync: what the data file reader read, passed on as the signals below.
    void resetBeforeRead() override;
    void styleItemRead(const QString& caption, int tableIndex) override;
    void monthlyBackgroundRead(bool available, bool enabled) override;
    void musicRead(bool available) override;
    void spinValueRead(const QString& optionId, int value) override;
    void readFinished(int editorLayout) override;

Q_SIGNALS:
    // A document value other than the event list changed and was confirmed.
    void valueChanged();
    // Text was typed into a field that holds a document value; nothing is confirmed yet.
    void valueTyped();
    // The event list changed.
    void eventsChanged(qv::EventChange change, int index);
    // The category list changed (and, when one was removed, its events lost their category).
    void categoriesChanged();

    // A data file is being read into the document (a project opened, created from a template or
    // recovered): the signals up to documentReset tell what was read.
    void readStarting();
    // A style item row of the file, with its position in the style item table, in file order.
    void styleItemListed(const QString& caption, int tableIndex);
    // Whether the file carries monthly backgrounds, and whether they are switched on.
    void monthlyBackgroundFound(bool available, bool enabled);
    // Whether the file carries background music.
    void musicFound(bool available);
    // The number an up-down of a size field ("cell_width", ...) or of the volume ("volume") shows.
    void spinValueFound(const QString& optionId, int value);
    // The document now holds what the file holds; editorLayout is the layout read (0 to 3, or
    // another value that selects no layout command).
    void documentReset(int editorLayout);

private:
    CalendarDocument& m_document;
    bool m_typed = false;
};

} // namespace qv
