#pragma once

#include <string>

namespace qmel {

// The edit that receives the file list's selection (Edit1).
class FileEdit {
public:
    virtual ~FileEdit() = default;
    // Replaces the whole text with these exact bytes and selects all of it.
    virtual void setFileEditText(const std::string& bytes) = 0;
};

}  // namespace qmel
