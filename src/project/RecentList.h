#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class QSettings;

namespace qv {

// The five project archives saved most recently, kept across runs in the settings of the user
// (organisation "Quorvel", group "Recent": "Count" and "Item1" to "Item5"). Slot 1 is the most
// recent; filled slots always come first.
class RecentList {
public:
    static constexpr int kSlots = 5;

    // settings may be null: the list then lives only in memory.
    explicit RecentList(QSettings* settings);

    // The settings of the current user where the list is kept between runs.
    static std::unique_ptr<QSettings> userSettings();

    // Empties the slots and fills them from the settings; empty or missing items are skipped so
    // the filled slots stay first. Ends by telling the menu.
    void RecentRead();
    // Puts path into slot 1: an equal path (case counts) moves up from its slot, otherwise the
    // path in slot 5 drops out. Then saves.
    void RecentAdd(const QString& path);
    // Writes "Item<n>" for every filled slot, then "Count". Items of slots now empty are left
    // as they are. Ends by telling the menu, also when nothing could be written.
    void RecentSave();

    const std::array<QString, kSlots>& slots() const { return m_slots; }
    // The filled slots in order: what the "Recent" menu lists.
    QStringList paths() const;

    // Called whenever the menu has to be rebuilt (the end of RecentRead and RecentSave).
    void setChangedHandler(std::function<void()> handler) { m_changed = std::move(handler); }

    // A menu caption for a path: "&" doubled, so the menu shows it and makes no shortcut of it.
    static QString captionOf(const QString& path);
    // The path behind a menu caption: shortcut marks "&" removed, "&&" read as one "&".
    static QString pathOfCaption(const QString& caption);

private:
    void changed();

    QSettings* m_settings;
    std::array<QString, kSlots> m_slots;
    std::function<void()> m_changed;
};

} // namespace qv
