#include "bench/ProbeProcess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qmel::bench {

namespace {

constexpr const char* self = "/proc/self/exe";

std::string variableName(const std::string& setting)
{
    return setting.substr(0, setting.find('='));
}

// Ours, with each setting in place of a variable of the same name.
std::vector<std::string> childEnvironment(const std::vector<std::string>& settings)
{
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable) {
        const std::string name = variableName(*variable);
        bool replaced = false;
        for (const std::string& setting : settings)
            replaced = replaced || variableName(setting) == name;
        if (!replaced)
            environment.emplace_back(*variable);
    }
    environment.insert(environment.end(), settings.begin(), settings.end());
    return environment;
}

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> result;
    for (std::string& text : strings)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

class FileActions {
public:
    FileActions() { posix_spawn_file_actions_init(&actions_); }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

std::string readAll(int fd)
{
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

}  // namespace

std::string runSelf(const std::vector<std::string>& arguments, const std::string& directory,
                    const std::vector<std::string>& settings)
{
    std::vector<std::string> argumentStrings{self};
    argumentStrings.insert(argumentStrings.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environmentStrings = childEnvironment(settings);
    const std::vector<char*> argv = pointers(argumentStrings);
    const std::vector<char*> envp = pointers(environmentStrings);

    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    FileActions actions;
    posix_spawn_file_actions_adddup2(actions.get(), output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addchdir_np(actions.get(), directory.c_str());
    pid_t child = 0;
    const int error = posix_spawn(&child, self, actions.get(), nullptr, argv.data(), envp.data());
    close(output[1]);
    if (error != 0) {
        close(output[0]);
        throw std::runtime_error(std::string("cannot run ") + self + ": " + std::strerror(error));
    }
    const std::string printed = readAll(output[0]);
    close(output[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the child failed (status " + std::to_string(status) + ")");
    return printed;
}

}  // namespace qmel::bench
