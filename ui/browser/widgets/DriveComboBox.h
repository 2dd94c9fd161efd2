#pragma once

// DriveComboBox1: one row per volume with its icon; choosing a row hands the
// volume to the drive box's rules.

#include "ui/browser/DriveBox.h"

#include <QComboBox>

namespace qmel {

class DriveComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit DriveComboBox(DriveBox& driveBox, QWidget* parent = nullptr);

private:
    void showRows();
    void showSelection();
    void chosen(int index);

    DriveBox& driveBox_;
};

}  // namespace qmel
