#pragma once

#include <QUrl>
#include <QWidget>

class QWebEngineView;

namespace qv {

// The quick preview's browser. The browser engine starts on the first navigation, so a window
// that never shows a preview does not pay for it.
class PreviewBrowser : public QWidget {
    Q_OBJECT
public:
    explicit PreviewBrowser(QWidget* parent = nullptr);

    void navigate(const QString& localFile);
    QUrl lastNavigation() const { return m_last; }
    int navigationCount() const { return m_count; }
    // Whether the page at localFile is shown, completely loaded.
    bool showsLoaded(const QString& localFile) const;
    // Runs script in the shown page (the player redraws from new data).
    void redraw(const QString& script);
    int redrawCount() const { return m_redraws; }
    QWebEngineView* view() const { return m_view; }

Q_SIGNALS:
    void loadFinished(bool ok);

private:
    QWebEngineView* m_view = nullptr;
    QUrl m_last;
    int m_count = 0;
    int m_redraws = 0;
    bool m_loaded = false;
};

} // namespace qv
