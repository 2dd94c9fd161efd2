#pragma once

class QApplication;

namespace qmel {

// What the program sets up on its application object before the window is
// built: the compiled-in images, name and version, the hint timing, the
// window icon and the real failure box.
void setUpApplication(QApplication& application);

}  // namespace qmel
