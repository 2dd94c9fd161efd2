#pragma once

// DirectoryListBox1: draws the directory list's rows. A click or an arrow key
// only moves the selection; a double-click or Enter opens the row.

#include "ui/browser/DirectoryList.h"

#include <QListView>

namespace qmel {

class DirectoryListModel;

class DirectoryListBox : public QListView {
    Q_OBJECT

public:
    static constexpr int rowHeight = 16;

    explicit DirectoryListBox(DirectoryList& list, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showSelection();
    void selectionMoved();
    void open(const QModelIndex& index);

    DirectoryList& list_;
    DirectoryListModel* model_;
    bool showingSelection_ = false;
};

}  // namespace qmel
