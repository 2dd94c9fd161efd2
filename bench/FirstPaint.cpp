#include "bench/FirstPaint.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <stdexcept>

namespace qmel::bench {

namespace {

class PaintWatcher : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

constexpr qint64 givingUpMs = 10000;

}  // namespace

void showAndWaitForFirstPaint(QWidget& widget)
{
    PaintWatcher watcher;
    widget.installEventFilter(&watcher);
    widget.show();
    QElapsedTimer waited;
    waited.start();
    // The paint is over when the pass of the event loop that delivered it
    // returns.
    while (!watcher.painted) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (waited.elapsed() > givingUpMs) {
            widget.removeEventFilter(&watcher);
            throw std::runtime_error("the widget was never painted");
        }
    }
    widget.removeEventFilter(&watcher);
}

}  // namespace qmel::bench
