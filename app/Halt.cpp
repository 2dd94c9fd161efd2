#include "app/Halt.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qmel {

namespace {
int signalPipe[2] = {-1, -1};

void onTerminationSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe work here; the event loop does the rest.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}
}  // namespace

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

Halt::Halt(QApplication& application, QWidget& window) : window_(&window)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) == 0) {
        notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &Halt::onSignal);
        struct sigaction action = {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGHUP, &action, nullptr);
    }
    // The desktop session is ending: say yes and halt without saving.
    connect(&application, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { request(); });
}

Halt::~Halt()
{
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
}

void Halt::onSignal()
{
    char byte;
    [[maybe_unused]] const ssize_t read = ::read(signalPipe[0], &byte, 1);
    request();
}

void Halt::request()
{
    requested_ = true;
    // exit() ends every running event loop (a failure box's too) and, unlike
    // quit(), sends no close event to the window.
    QCoreApplication::exit(0);
}

void Halt::finish()
{
    if (window_) {
        window_->hide();
        delete window_;
        window_ = nullptr;
    }
}

}  // namespace qmel
