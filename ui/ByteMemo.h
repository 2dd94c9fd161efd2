#pragma once

#include <QPlainTextEdit>
#include <string>

namespace qmel {

// A memo whose text is a byte string. Until the user edits it, the text read
// back is exactly the bytes that were set.
class ByteMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ByteMemo(QWidget* parent = nullptr);

    void setBytes(const std::string& bytes);
    std::string bytes() const;

private:
    std::string bytes_;
};

}  // namespace qmel
