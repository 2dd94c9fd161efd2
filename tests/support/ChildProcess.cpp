#include "support/ChildProcess.h"

#include <exception>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace qmel::test {

namespace {

void writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            return;
        done += static_cast<std::size_t>(written);
    }
}

// Fields are sent with their lengths, so they may hold any byte.
std::string encode(const std::vector<std::string>& fields)
{
    std::string bytes;
    for (const auto& field : fields)
        bytes += std::to_string(field.size()) + ":" + field;
    return bytes;
}

std::vector<std::string> decode(const std::string& bytes)
{
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t colon = bytes.find(':', at);
        if (colon == std::string::npos)
            throw std::runtime_error("truncated message from child");
        const std::size_t length = std::stoul(bytes.substr(at, colon - at));
        fields.push_back(bytes.substr(colon + 1, length));
        at = colon + 1 + length;
    }
    return fields;
}

}  // namespace

ChildResult runInChild(const std::function<std::vector<std::string>()>& body)
{
    int channel[2];
    if (pipe(channel) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        close(channel[0]);
        int status = 0;
        std::vector<std::string> fields;
        try {
            fields = body();
        } catch (const std::exception& error) {
            fields = {error.what()};
            status = 1;
        } catch (...) {
            fields = {"unknown exception"};
            status = 1;
        }
        writeAll(channel[1], encode(fields));
        _exit(status);
    }
    close(channel[1]);
    std::string bytes;
    char buffer[4096];
    ssize_t got;
    while ((got = read(channel[0], buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(got));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0, decode(bytes)};
}

}  // namespace qmel::test
