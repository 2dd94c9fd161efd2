#pragma once

// Stands in for Edit1: keeps the bytes written into it, and lets a test type.

#include "ui/browser/FileEdit.h"

#include <string>
#include <vector>

namespace qmel::test {

class RecordingFileEdit : public FileEdit {
public:
    void setFileEditText(const std::string& bytes) override
    {
        text = bytes;
        writes.push_back(bytes);
    }
    void type(const std::string& typed) { text = typed; }

    std::string text;
    std::vector<std::string> writes;
};

}  // namespace qmel::test
