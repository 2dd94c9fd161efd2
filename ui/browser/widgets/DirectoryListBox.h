#pragma once

// DirectoryListBox1: draws the directory list's rows. A click or an arrow key
// only moves the selection; a double-click or Enter opens the row.

#include "ui/browser/DirectoryList.h"
#include "ui/browser/widgets/RuleListView.h"

namespace qmel {

class DirectoryListModel;

class DirectoryListBox : public RuleListView {
    Q_OBJECT

public:
    static constexpr int rowHeight = 16;

    explicit DirectoryListBox(DirectoryList& list, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    DirectoryList& list_;
    DirectoryListModel* model_;
};

}  // namespace qmel
