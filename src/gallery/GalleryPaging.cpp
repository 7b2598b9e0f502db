#include "gallery/GalleryPaging.h"

#include <algorithm>

namespace qv {

GalleryPaging::GalleryPaging(int count) : m_count(std::max(0, count)) {
    if (m_count > 0) {
        m_current = 0;
        m_windowStart = kNotPlaced;
    }
}

GalleryPreview GalleryPaging::preview() {
    GalleryPreview result;
    if (m_current < 0)
        return result;
    result.prevEnabled = m_current > 0;
    result.nextEnabled = m_current < m_count - 1;
    const int page = currentPage();
    if (page != m_lastBuiltPage) {
        result.refillButtons = true;
        m_lastBuiltPage = page;
    }
    result.downSlot = currentSlot();

    // Move the window of page labels just far enough to hold the current page.
    int start = m_windowStart;
    if (page > start)
        start = std::max({start, page - (kLabels - 1), 0});
    else if (page < start)
        start = page;
    result.labelsMoved = start != m_windowStart;
    m_windowStart = start;
    return result;
}

int GalleryPaging::buttonTemplate(int slot) const {
    if (m_current < 0 || slot < 0 || slot >= kPerPage)
        return -1;
    const int index = currentPage() * kPerPage + slot;
    return index < m_count ? index : -1;
}

PageLabelLook GalleryPaging::labelLook(int label) const {
    if (m_current < 0 || m_windowStart < 0)
        return PageLabelLook::Inactive;
    const int page = labelPage(label);
    if (page > pageCount() - 1)
        return PageLabelLook::Inactive;
    return page == currentPage() ? PageLabelLook::Current : PageLabelLook::Active;
}

bool GalleryPaging::select(int index) {
    if (m_current < 0 || index < 0 || index >= m_count || index == m_current)
        return false;
    m_current = index;
    return true;
}

bool GalleryPaging::clickButton(int slot) {
    const int index = buttonTemplate(slot);
    return index >= 0 && select(index);
}

bool GalleryPaging::prev() {
    return select(m_current - 1);
}

bool GalleryPaging::next() {
    return select(m_current + 1);
}

bool GalleryPaging::prevPage() {
    if (m_current <= 0)
        return false;
    return select(std::max(0, m_current - kPerPage));
}

bool GalleryPaging::nextPage() {
    if (m_current < 0 || m_current >= m_count - 1)
        return false;
    return select(std::min(m_count - 1, m_current + kPerPage));
}

bool GalleryPaging::clickLabel(int label) {
    if (label < 0 || label >= kLabels || labelLook(label) != PageLabelLook::Active)
        return false;
    return goToPage(labelPage(label));
}

bool GalleryPaging::goToPage(int page) {
    if (page < 0 || page >= pageCount())
        return false;
    return select(page * kPerPage);
}

} // namespace qv
