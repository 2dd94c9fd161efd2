#include "ui/browser/widgets/DriveComboBox.h"

#include "ui/FailureReport.h"
#include "ui/browser/widgets/BrowserIcons.h"
#include "ui/browser/widgets/ByteDisplay.h"

#include <QPointer>
#include <QSignalBlocker>

namespace qmel {

DriveComboBox::DriveComboBox(DriveBox& driveBox, QWidget* parent) : QComboBox(parent), driveBox_(driveBox)
{
    setIconSize(QSize(16, 16));
    // The rules may outlive this control.
    QPointer<DriveComboBox> self(this);
    driveBox_.setObservers({
        {},
        [self] { if (self) self->showRows(); },
        [self] { if (self) self->showSelection(); },
    });
    connect(this, &QComboBox::activated, this, &DriveComboBox::chosen);
    showRows();
}

void DriveComboBox::showRows()
{
    const QSignalBlocker blocker(this);
    clear();
    for (const DriveRow& row : driveBox_.rows())
        addItem(volumeIcon(*style(), row.kind), displayText(row.text));
    showSelection();
}

void DriveComboBox::showSelection()
{
    const QSignalBlocker blocker(this);
    const auto selected = driveBox_.selectedRow();
    setCurrentIndex(selected ? static_cast<int>(*selected) : -1);
}

void DriveComboBox::chosen(int index)
{
    if (index >= 0)
        reportFailures([&] { driveBox_.choose(static_cast<std::size_t>(index)); });
    showSelection();
}

}  // namespace qmel
