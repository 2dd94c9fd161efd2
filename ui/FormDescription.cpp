#include "ui/FormDescription.h"

#include <algorithm>

namespace qmel {

bool isTabStop(ControlClass controlClass)
{
    switch (controlClass) {
    case ControlClass::GroupBox:
    case ControlClass::Image:
    case ControlClass::StatusBar:
        return false;
    default:
        return true;
    }
}

bool isWindowed(ControlClass controlClass) { return controlClass != ControlClass::Image; }

std::vector<std::string> childrenInTabOrder(const std::string& parent)
{
    std::vector<const ControlDescription*> children;
    for (const auto& control : MainWindowControls) {
        if (parent == control.parent && isWindowed(control.controlClass))
            children.push_back(&control);
    }
    // Ascending tab order, each moved to the index it names.
    std::vector<const ControlDescription*> ordered;
    for (const auto* child : children) {
        if (child->tabOrder != NoTabOrder)
            ordered.push_back(child);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto* a, const auto* b) { return a->tabOrder < b->tabOrder; });
    std::vector<const ControlDescription*> list = children;
    for (const auto* child : ordered) {
        if (child->tabOrder < 0 || child->tabOrder >= static_cast<int>(list.size()))
            continue;
        list.erase(std::find(list.begin(), list.end(), child));
        list.insert(list.begin() + child->tabOrder, child);
    }
    std::vector<std::string> names;
    for (const auto* child : list)
        names.emplace_back(child->name);
    return names;
}

namespace {
const ControlDescription& describe(const std::string& name)
{
    return *std::find_if(MainWindowControls.begin(), MainWindowControls.end(),
                         [&](const auto& control) { return name == control.name; });
}

void walk(const std::string& parent, std::vector<std::string>& order)
{
    for (const auto& name : childrenInTabOrder(parent)) {
        if (isTabStop(describe(name).controlClass))
            order.push_back(name);
        walk(name, order);
    }
}
}  // namespace

std::vector<std::string> keyboardOrder()
{
    std::vector<std::string> order;
    walk("", order);
    return order;
}

}  // namespace qmel
