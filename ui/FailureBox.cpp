#include "ui/FailureBox.h"

#include "core/FailureMessage.h"
#include "ui/ByteText.h"

#include <QApplication>
#include <QMessageBox>

namespace qmel {

void showFailureBox(const std::string& message)
{
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(ApplicationTitle),
                    displayText(failureBoxText(message)), QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName("FailureBox");
    box.exec();
}

void showFatalErrorBox(const std::string& message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Application Error"), displayText(message),
                    QMessageBox::Ok);
    box.exec();
}

}  // namespace qmel
