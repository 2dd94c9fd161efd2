#include "support/Recorder.h"

#include "support/TempDir.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

namespace qmel::test {

namespace fs = std::filesystem;

std::string recorderProgram() { return QMEL_RECORDER_PATH; }

void installRecorder(const std::string& path)
{
    fs::copy_file(recorderProgram(), path, fs::copy_options::overwrite_existing);
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
}

std::vector<RecordedStart> readRecords(const std::string& directory)
{
    std::vector<std::pair<fs::file_time_type, std::string>> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        if (entry.path().extension() == ".rec")
            files.emplace_back(entry.last_write_time(), entry.path().string());
    }
    std::sort(files.begin(), files.end());
    std::vector<RecordedStart> records;
    for (const auto& [time, file] : files) {
        const std::string bytes = readBytes(file);
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\0') {
                fields.push_back(bytes.substr(start, i - start));
                start = i + 1;
            }
        }
        RecordedStart record;
        if (!fields.empty()) {
            record.workingDirectory = fields.front();
            record.arguments.assign(fields.begin() + 1, fields.end());
        }
        records.push_back(record);
    }
    return records;
}

std::vector<RecordedStart> waitForRecords(const std::string& directory, std::size_t count)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        auto records = readRecords(directory);
        if (records.size() >= count || std::chrono::steady_clock::now() > deadline)
            return records;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace qmel::test
