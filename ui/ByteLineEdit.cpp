#include "ui/ByteLineEdit.h"

#include "ui/ByteText.h"

namespace qmel {

ByteLineEdit::ByteLineEdit(QWidget* parent) : QLineEdit(parent)
{
    // textEdited is emitted for the user's changes only, never for setText.
    connect(this, &QLineEdit::textEdited, this, [this] { edited_ = true; });
}

void ByteLineEdit::setFileEditText(const std::string& bytes)
{
    bytes_ = bytes;
    edited_ = false;
    setText(qmel::displayText(bytes));
    selectAll();
}

std::string ByteLineEdit::bytes() const
{
    return edited_ ? text().toStdString() : bytes_;
}

}  // namespace qmel
