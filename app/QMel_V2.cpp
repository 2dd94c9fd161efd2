// The program: sets the application title, builds the main window, loads the
// settings before the window shows, runs the event loop and halts.

#include "platform/Platform.h"
#include "res/Resources.h"
#include "Version.h"
#include "ui/FailureBox.h"
#include "ui/FailureReport.h"
#include "ui/HintStyle.h"
#include "ui/QMel_Source.h"
#include "app/Halt.h"

#include <QApplication>
#include <QIcon>
#include <exception>

int main(int argc, char* argv[])
{
    qmel::ignoreFileSizeSignal();
    QApplication application(argc, argv);
    qmel::initResources();
    application.setApplicationName(QStringLiteral("qmel"));
    application.setApplicationVersion(QString::fromUtf8(qmel::version));
    application.setStyle(new qmel::HintStyle);
    application.setWindowIcon(QIcon(QStringLiteral(":/qmel.png")));
    qmel::setFailureBox(&qmel::showFailureBox);

    // The window shows its own caption; the failure boxes carry ApplicationTitle.
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
