#pragma once

// DirectoryListBox1's rows as a Qt model, read straight from the rules.

#include "ui/browser/DirectoryList.h"

#include <QAbstractListModel>
#include <QIcon>

#include <array>

class QStyle;

namespace qmel {

class DirectoryListModel : public QAbstractListModel {
public:
    DirectoryListModel(DirectoryList& list, const QStyle& style, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The rules change their rows between these two.
    void rowsAboutToChange() { beginResetModel(); }
    void rowsChanged() { endResetModel(); }

private:
    DirectoryList& list_;
    std::array<QIcon, 3> icons_;  // by DirectoryRowKind
};

}  // namespace qmel
