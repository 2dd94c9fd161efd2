// Stands in for the emulator in tests: records where and how it was started.
// One file per start, "<pid>.rec": the working directory, then every argument,
// each followed by a NUL byte. Written to a temporary name and renamed, so a
// reader never sees half a record.

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    std::string directory;
    if (const char* fromEnvironment = std::getenv("QMEL_RECORDER_DIR")) {
        directory = fromEnvironment;
    } else {
        char self[PATH_MAX];
        const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
        if (length <= 0)
            return 2;
        directory.assign(self, static_cast<std::size_t>(length));
        directory = directory.substr(0, directory.rfind('/')) + "/records";
    }

    std::string record;
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd))
        record += cwd;
    record.push_back('\0');
    for (int i = 0; i < argc; ++i) {
        record += argv[i];
        record.push_back('\0');
    }

    const std::string base = directory + "/" + std::to_string(getpid());
    const std::string temporary = base + ".tmp";
    FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out)
        return 3;
    const bool written = std::fwrite(record.data(), 1, record.size(), out) == record.size();
    if (std::fclose(out) != 0 || !written)
        return 4;
    return std::rename(temporary.c_str(), (base + ".rec").c_str()) == 0 ? 0 : 5;
}
