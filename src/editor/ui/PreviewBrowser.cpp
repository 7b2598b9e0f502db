#include "editor/ui/PreviewBrowser.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace qv {

PreviewBrowser::PreviewBrowser(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(200, 150);
}

void PreviewBrowser::navigate(const QString& localFile) {
    if (!m_view) {
        m_view = new QWebEngineView(this);
        m_view->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        layout()->addWidget(m_view);
        connect(m_view, &QWebEngineView::loadFinished, this, [this](bool ok) {
            m_loaded = ok;
            Q_EMIT loadFinished(ok);
        });
    }
    m_last = QUrl::fromLocalFile(localFile);
    ++m_count;
    m_loaded = false;
    m_view->load(m_last);
}

bool PreviewBrowser::showsLoaded(const QString& localFile) const {
    // The player keeps the shown month or day in the address's fragment: still the same page.
    return m_view && m_loaded &&
           m_view->url().adjusted(QUrl::RemoveFragment) == QUrl::fromLocalFile(localFile);
}

void PreviewBrowser::redraw(const QString& script) {
    ++m_redraws;
    m_view->page()->runJavaScript(script);
}

} // namespace qv
