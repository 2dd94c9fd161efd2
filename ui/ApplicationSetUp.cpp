#include "ui/ApplicationSetUp.h"

#include "Resources.h"
#include "Version.h"
#include "ui/FailureBox.h"
#include "ui/FailureReport.h"
#include "ui/HintStyle.h"

#include <QApplication>
#include <QIcon>

namespace qmel {

void setUpApplication(QApplication& application)
{
    initResources();
    application.setApplicationName(QStringLiteral("qmel"));
    application.setApplicationVersion(QString::fromUtf8(version));
    application.setStyle(new HintStyle);
    application.setWindowIcon(QIcon(QStringLiteral(":/qmel.png")));
    // The window shows its own caption; failure boxes carry ApplicationTitle.
    setFailureBox(&showFailureBox);
}

}  // namespace qmel
