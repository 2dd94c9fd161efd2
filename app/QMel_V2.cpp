// The program: sets the application up, builds the main window, loads the
// settings before the window shows, runs the event loop and halts.

#include "app/Halt.h"
#include "platform/Platform.h"
#include "ui/ApplicationSetUp.h"
#include "ui/FailureBox.h"
#include "ui/QMel_Source.h"

#include <QApplication>
#include <exception>

int main(int argc, char* argv[])
{
    qmel::ignoreFileSizeSignal();
    QApplication application(argc, argv);
    qmel::setUpApplication(application);

    TQMel_V1_by_Tavik* window = nullptr;
    try {
        window = new TQMel_V1_by_Tavik(qmel::systemPlatform());
        QMel_V1_by_Tavik = window;
    } catch (const std::exception& failure) {
        qmel::showFatalErrorBox(failure.what());
        return 1;
    }

    qmel::Halt halt(application, *window);
    window->setHalt([&halt] { halt.request(); });
    window->raiseOnCreate();
    if (!halt.requested()) {
        window->show();
        application.exec();
    }
    halt.finish();
    return 0;
}
