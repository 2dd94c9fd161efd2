#pragma once

// The failure report: runs one handler and shows any failure that leaves it in
// the failure box, then lets the program go on. Every event that can run
// program code goes through it.

#include <functional>
#include <string>

namespace qmel {

// How a failure is shown; the window installs the real box, tests a recorder.
using FailureBox = std::function<void(const std::string& message)>;
void setFailureBox(FailureBox box);

// Runs handler; a qmel::Failure or std::exception that leaves it is shown.
// Returns true when the handler ran to its end.
bool reportFailures(const std::function<void()>& handler);

}  // namespace qmel
