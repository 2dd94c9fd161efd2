#include "ui/FailureReport.h"

#include "core/Errors.h"

#include <exception>
#include <utility>

namespace qmel {

namespace {
FailureBox& installedBox()
{
    static FailureBox box;
    return box;
}
}  // namespace

void setFailureBox(FailureBox box) { installedBox() = std::move(box); }

bool reportFailures(const std::function<void()>& handler)
{
    std::string message;
    try {
        handler();
        return true;
    } catch (const Failure& failure) {
        message = failure.message();
    } catch (const std::exception& failure) {
        message = failure.what();
    }
    // Shown outside the catch block: the box runs an event loop of its own.
    if (installedBox())
        installedBox()(message);
    return false;
}

}  // namespace qmel
