#pragma once

// Runs part of a test in a forked child, for what must not touch the test
// process: another user, a file-size limit, a changed root.

#include <functional>
#include <string>
#include <vector>

namespace qmel::test {

struct ChildResult {
    bool exitedCleanly = false;        // returned from body without an exception
    std::vector<std::string> fields;   // what body returned, or the exception's text
};

// The child returns fields to the parent; it never returns into the test.
ChildResult runInChild(const std::function<std::vector<std::string>()>& body);

// The text a child returns when it cannot set up what the test needs.
inline const std::string SkipMarker = "skip";

}  // namespace qmel::test
