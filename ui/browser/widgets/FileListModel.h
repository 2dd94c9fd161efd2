#pragma once

// FileListBox1's rows as a Qt model, read straight from the rules.

#include "ui/browser/FileList.h"

#include <QAbstractListModel>

namespace qmel {

class FileListModel : public QAbstractListModel {
public:
    FileListModel(FileList& list, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The rules change their rows between these two.
    void rowsAboutToChange() { beginResetModel(); }
    void rowsChanged() { endResetModel(); }

private:
    FileList& list_;
};

}  // namespace qmel
