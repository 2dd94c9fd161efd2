#include "ui/ByteMemo.h"

#include "ui/ByteText.h"

#include <QTextDocument>

namespace qmel {

ByteMemo::ByteMemo(QWidget* parent) : QPlainTextEdit(parent) {}

void ByteMemo::setBytes(const std::string& bytes)
{
    bytes_ = bytes;
    setPlainText(memoDisplayText(bytes));
    document()->setModified(false);
}

std::string ByteMemo::bytes() const
{
    if (!document()->isModified())
        return bytes_;
    return memoBytes(toPlainText());
}

}  // namespace qmel
