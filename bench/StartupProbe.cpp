#include "bench/StartupProbe.h"

#include "bench/FirstPaint.h"
#include "bench/ProbeProcess.h"
#include "platform/Platform.h"
#include "ui/FailureReport.h"
#include "ui/ApplicationSetUp.h"
#include "ui/QMel_Source.h"
#include "ui/browser/RomBrowser.h"

#include <QApplication>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <stdexcept>

namespace qmel::bench {

namespace {

constexpr const char* probeArgument = "--startup-probe=";
constexpr int bareWidth = 536;
constexpr int bareHeight = 427;

// What the program's main builds before its event loop runs, in its order.
std::unique_ptr<QWidget> programWindow(QApplication& application, std::string& failure)
{
    setUpApplication(application);
    // Not the real box: a modal box would hold the probe for ever.
    setFailureBox([&failure](const std::string& message) { failure = message; });
    auto window = std::make_unique<TQMel_V1_by_Tavik>(systemPlatform());
    window->raiseOnCreate();
    return window;
}

}  // namespace

std::optional<std::string> startupProbeSide(int argc, char* argv[])
{
    const std::size_t length = std::strlen(probeArgument);
    if (argc == 2 && std::strncmp(argv[1], probeArgument, length) == 0)
        return std::string(argv[1] + length);
    return std::nullopt;
}

int runStartupProbe(const std::string& side, char* programName)
{
    if (side != windowProbe && side != bareProbe) {
        std::fprintf(stderr, "unknown start-up probe: %s\n", side.c_str());
        return 2;
    }
    int argc = 1;
    char* argv[] = {programName, nullptr};
    std::string failure;
    try {
        const auto start = std::chrono::steady_clock::now();
        QApplication application(argc, argv);
        std::unique_ptr<QWidget> window;
        if (side == windowProbe) {
            window = programWindow(application, failure);
        } else {
            window = std::make_unique<QWidget>();
            window->setFixedSize(bareWidth, bareHeight);
        }
        showAndWaitForFirstPaint(*window);
        const auto elapsed = std::chrono::steady_clock::now() - start;

        if (!failure.empty())
            throw std::runtime_error("the window reported: " + failure);
        if (auto* program = dynamic_cast<TQMel_V1_by_Tavik*>(window.get())) {
            const std::size_t rows = program->browser().fileList().rows().size();
            if (rows != static_cast<std::size_t>(startupRomFiles))
                throw std::runtime_error("file rows: " + std::to_string(rows) + ", expected " +
                                         std::to_string(startupRomFiles));
        }
        std::printf("%lld\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "start-up probe %s: %s\n", side.c_str(), error.what());
        return 1;
    }
}

double startupProbeSeconds(const std::string& side, const std::string& directory)
{
    const std::string printed =
        runSelf({probeArgument + side}, directory, {"QT_QPA_PLATFORM=offscreen"});
    long long microseconds = -1;
    try {
        microseconds = std::stoll(printed);
    } catch (const std::exception&) {
    }
    if (microseconds < 0)
        throw std::runtime_error("the " + side + " probe printed \"" + printed + "\"");
    return static_cast<double>(microseconds) / 1e6;
}

}  // namespace qmel::bench
