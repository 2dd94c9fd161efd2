#pragma once

// The recorder stands in for the emulator and the mail handler: each start
// leaves one record with its working directory and its arguments, bytes exact.
// Records go to $QMEL_RECORDER_DIR, or to "records/" beside the program.

#include <string>
#include <vector>

namespace qmel::test {

struct RecordedStart {
    std::string workingDirectory;
    std::vector<std::string> arguments;  // argv[0] first
};

// Path of the built recorder program.
std::string recorderProgram();
// Copies the recorder to path (e.g. dir + "/dboy.exe"), executable.
void installRecorder(const std::string& path);
// The records found in a directory, oldest first.
std::vector<RecordedStart> readRecords(const std::string& directory);
// Waits (bounded, 10 s) until at least count records exist; returns them.
std::vector<RecordedStart> waitForRecords(const std::string& directory, std::size_t count);

}  // namespace qmel::test
