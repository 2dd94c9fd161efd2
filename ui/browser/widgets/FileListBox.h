#pragma once

// FileListBox1: draws the file list's rows and forwards clicks, keys and
// double-clicks to its rules.

#include "ui/browser/FileList.h"
#include "ui/browser/widgets/RuleListView.h"

namespace qmel {

class FileListModel;

class FileListBox : public RuleListView {
    Q_OBJECT

public:
    static constexpr int rowHeight = 13;

    explicit FileListBox(FileList& list, QWidget* parent = nullptr);

private:
    FileListModel* model_;
};

}  // namespace qmel
