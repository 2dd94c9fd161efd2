#pragma once

// The halt: ends the event loop at once without a close event, so the
// settings are never saved twice. Quit, a successful close, the end of the
// desktop session and SIGTERM or SIGHUP all come here; the last two do not save.

#include <QObject>

class QApplication;
class QSocketNotifier;
class QWidget;

namespace qmel {

// A full disk reported through the file-size signal must fail the write,
// not end the program.
void ignoreFileSizeSignal();

class Halt : public QObject {
    Q_OBJECT
public:
    Halt(QApplication& application, QWidget& window);
    ~Halt() override;

    void request();
    bool requested() const { return requested_; }
    // Hides and destroys the window; no handler of the program runs.
    void finish();

private:
    void onSignal();

    QWidget* window_;
    QSocketNotifier* notifier_ = nullptr;
    bool requested_ = false;
};

}  // namespace qmel
