#pragma once

// How a list's rules tell its control to repaint: the control registers these
// once and never polls.

#include <functional>

namespace qmel {

struct ListObservers {
    std::function<void()> rowsAboutToChange;
    std::function<void()> rowsChanged;
    std::function<void()> selectionChanged;
};

inline void notify(const std::function<void()>& observer)
{
    if (observer)
        observer();
}

}  // namespace qmel
