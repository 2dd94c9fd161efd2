#pragma once

#include <QPushButton>

namespace qmel {

// A push button that, like the platform's buttons, is pressed by Enter as
// well as Space while it has the focus. It is never a default button.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace qmel
