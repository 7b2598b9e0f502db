#pragma once

namespace qv {

// How a page label looks: a page that can be chosen, the page shown, or no page.
enum class PageLabelLook { Active, Current, Inactive };

// What the gallery has to change after the current template changed.
struct GalleryPreview {
    bool prevEnabled = false;
    bool nextEnabled = false;
    bool refillButtons = false; // the current page differs from the page last filled
    bool labelsMoved = false;   // the page labels show other pages now
    int downSlot = -1;          // the template button to put down
};

// The gallery's position: the templates four to a page, the current template, the page last
// filled into the four buttons, and the moving window of four page labels that always holds the
// current page.
class GalleryPaging {
public:
    static constexpr int kPerPage = 4;
    static constexpr int kLabels = 4;

    // A gallery showing from its first template on page 1 (or nothing when count is 0).
    explicit GalleryPaging(int count);

    int count() const { return m_count; }
    int current() const { return m_current; } // -1 when there are no templates
    int pageCount() const { return (m_count + kPerPage - 1) / kPerPage; }
    int currentPage() const { return m_current < 0 ? -1 : m_current / kPerPage; }
    int currentSlot() const { return m_current < 0 ? -1 : m_current - kPerPage * currentPage(); }

    // To be run after every change of the current template; does nothing without one.
    GalleryPreview preview();

    // The template on a button (slot 0 to 3) of the current page, or -1 when the button is
    // hidden there.
    int buttonTemplate(int slot) const;

    // The first page label's page; the labels show windowStart() + 0 .. + 3. The window is
    // placed by the first preview.
    int windowStart() const { return m_windowStart; }
    int labelPage(int label) const { return m_windowStart + label; }
    PageLabelLook labelLook(int label) const;
    bool prevPageActive() const { return m_current >= 0 && currentPage() > 0; }
    bool nextPageActive() const { return m_current >= 0 && currentPage() < pageCount() - 1; }

    // Navigation; each answers whether the current template changed.
    bool clickButton(int slot);
    bool prev();
    bool next();
    bool prevPage();            // four templates back, not before the first
    bool nextPage();            // four templates on, not beyond the last
    bool clickLabel(int label); // ignored on a label that is inactive or shows the current page
    bool goToPage(int page);    // the first template of page

private:
    bool select(int index);

    static constexpr int kNoTemplates = -2;
    static constexpr int kNotPlaced = -1;

    int m_count = 0;
    int m_current = -1;
    int m_lastBuiltPage = -1;
    int m_windowStart = kNoTemplates;
};

} // namespace qv
