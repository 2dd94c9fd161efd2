#pragma once

class QWidget;

namespace qmel::bench {

// Shows the widget and returns once its first paint event has been handled,
// with everything the same event-loop pass painted along with it.
void showAndWaitForFirstPaint(QWidget& widget);

}  // namespace qmel::bench
