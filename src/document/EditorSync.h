#pragma once

#include <QString>

namespace qv {

// What the data file reader tells the editor while it reads, so the windows show what was read.
// The core fills only the document; the editor's windows implement this.
class EditorSync {
public:
    virtual ~EditorSync() = default;

    // Before reading: the event list filters go back to "Show All Events" and the style item
    // chooser is emptied.
    virtual void resetBeforeRead() {}
    // A style item row was read: its caption goes into the style item chooser, with its position
    // in the style item table.
    virtual void styleItemRead(const QString& caption, int tableIndex) {
        Q_UNUSED(caption);
        Q_UNUSED(tableIndex);
    }
    // Monthly backgrounds: whether the file carries them, and whether they are switched on.
    virtual void monthlyBackgroundRead(bool available, bool enabled) {
        Q_UNUSED(available);
        Q_UNUSED(enabled);
    }
    // Music controls on or off.
    virtual void musicRead(bool available) { Q_UNUSED(available); }
    // The spin controls of the size fields and the volume after their numbers were read.
    virtual void spinValueRead(const QString& optionId, int value) {
        Q_UNUSED(optionId);
        Q_UNUSED(value);
    }
    // After reading: refresh the event list, select the first style item, run the layout
    // command of the editor layout (0 to 3; other values run none).
    virtual void readFinished(int editorLayout) { Q_UNUSED(editorLayout); }
};

} // namespace qv
