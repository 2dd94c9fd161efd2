#pragma once

#include "ui/browser/FileEdit.h"

#include <QLineEdit>
#include <string>

namespace qmel {

// Edit1: a line edit whose text is a byte string. A name the file list put in
// comes back with its exact bytes until the user edits it.
class ByteLineEdit : public QLineEdit, public FileEdit {
    Q_OBJECT
public:
    explicit ByteLineEdit(QWidget* parent = nullptr);

    void setFileEditText(const std::string& bytes) override;
    std::string bytes() const;

private:
    std::string bytes_;
    bool edited_ = false;
};

}  // namespace qmel
