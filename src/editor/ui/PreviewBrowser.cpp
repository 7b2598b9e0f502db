#include "editor/ui/PreviewBrowser.h"

#include <QVBoxLayout>
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
        connect(m_view, &QWebEngineView::loadFinished, this, &PreviewBrowser::loadFinished);
    }
    m_last = QUrl::fromLocalFile(localFile);
    ++m_count;
    m_view->load(m_last);
}

} // namespace qv
