#pragma once

// FileListBox1: draws the file list's rows and forwards clicks, keys and
// double-clicks to its rules.

#include "ui/browser/FileList.h"

#include <QListView>

namespace qmel {

class FileListModel;

class FileListBox : public QListView {
    Q_OBJECT

public:
    static constexpr int rowHeight = 13;

    explicit FileListBox(FileList& list, QWidget* parent = nullptr);

private:
    void showSelection();
    void selectionMoved();
    void doubleClickedRow(const QModelIndex& index);

    FileList& list_;
    FileListModel* model_;
    bool showingSelection_ = false;
};

}  // namespace qmel
