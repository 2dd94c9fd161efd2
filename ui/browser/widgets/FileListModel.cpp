#include "ui/browser/widgets/FileListModel.h"

#include "ui/browser/widgets/ByteDisplay.h"
#include "ui/browser/widgets/RowDelegate.h"

namespace qmel {

namespace {
constexpr int textIndent = 2;
}

FileListModel::FileListModel(FileList& list, QObject* parent) : QAbstractListModel(parent), list_(list) {}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(list_.rows().size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= list_.rows().size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return displayText(list_.rows()[static_cast<std::size_t>(index.row())]);
    case IndentRole: return textIndent;
    default: return {};
    }
}

}  // namespace qmel
