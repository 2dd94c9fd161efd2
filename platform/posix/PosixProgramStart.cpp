// Program starts on POSIX: detached, without a shell, bytes exact.

#include "platform/posix/PosixPlatform.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qmel {

namespace {

// --- program start helpers -------------------------------------------------------

std::string findOnPath(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return program;
    std::string searchPath;
    if (const char* fromEnvironment = std::getenv("PATH")) {
        searchPath = fromEnvironment;
    } else {
        searchPath.resize(confstr(_CS_PATH, nullptr, 0));
        confstr(_CS_PATH, searchPath.data(), searchPath.size());
        searchPath.resize(searchPath.empty() ? 0 : searchPath.size() - 1);
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(searchPath.find(':', start), searchPath.size());
        const std::string directory = end == start ? "." : searchPath.substr(start, end - start);
        const std::string candidate = directory + "/" + program;
        struct stat st;
        if (access(candidate.c_str(), X_OK) == 0 && stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            return candidate;
        if (end == searchPath.size())
            return {};
        start = end + 1;
    }
}

}  // namespace

void PosixPlatform::startDetached(const std::string& program, const std::vector<std::string>& arguments,
                                  bool searchPath)
{
    // Everything that allocates happens before the fork: the child of a
    // threaded program may only make async-signal-safe calls.
    const std::string executable = searchPath ? findOnPath(program) : program;
    if (executable.empty())
        return;
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    sigset_t noSignals;
    sigemptyset(&noSignals);
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);

    const pid_t child = fork();
    if (child < 0)
        return;
    if (child == 0) {
        // Ignored signals and the mask survive exec; the program gets neither.
        sigprocmask(SIG_SETMASK, &noSignals, nullptr);
        for (int signal = 1; signal < NSIG; ++signal)
            sigaction(signal, &defaultAction, nullptr);
        setsid();
        // The middle child exits at once, so the program is nobody's child
        // here and leaves no zombie behind.
        if (fork() == 0) {
            close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
            execv(executable.c_str(), argv.data());
            _exit(127);
        }
        _exit(0);
    }
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace qmel
