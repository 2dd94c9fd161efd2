#include "ui/PushButton.h"

#include <QKeyEvent>

namespace qmel {

void PushButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enter && modifiers == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace qmel
