#pragma once

#include <libical/ical.h>

#include <memory>

namespace qv {

// Owners of libical's objects, so every way out of a function frees them.
struct IcalComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using IcalComponent = std::unique_ptr<icalcomponent, IcalComponentFree>;

class IcalRecurIterator {
public:
    IcalRecurIterator(const icalrecurrencetype& rule, const icaltimetype& start)
        : it_(icalrecur_iterator_new(rule, start)) {}
    ~IcalRecurIterator() {
        if (it_)
            icalrecur_iterator_free(it_);
    }
    IcalRecurIterator(const IcalRecurIterator&) = delete;
    IcalRecurIterator& operator=(const IcalRecurIterator&) = delete;

    // The next occurrence; the null time when there is none (or the rule is invalid).
    icaltimetype next() { return it_ ? icalrecur_iterator_next(it_) : icaltime_null_time(); }

private:
    icalrecur_iterator* it_;
};

} // namespace qv
