#include "ui/browser/widgets/DirectoryListModel.h"

#include "ui/browser/widgets/BrowserIcons.h"
#include "ui/browser/widgets/ByteDisplay.h"
#include "ui/browser/widgets/RowDelegate.h"

namespace qmel {

DirectoryListModel::DirectoryListModel(DirectoryList& list, const QStyle& style, QObject* parent)
    : QAbstractListModel(parent),
      list_(list),
      icons_{directoryRowIcon(style, DirectoryRowKind::Ancestor), {},
             directoryRowIcon(style, DirectoryRowKind::Subdirectory)}
{
    // The current row shows the same open folder: share it rather than load it twice.
    icons_[static_cast<std::size_t>(DirectoryRowKind::Current)] =
        icons_[static_cast<std::size_t>(DirectoryRowKind::Ancestor)];
}

int DirectoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(list_.rows().size());
}

QVariant DirectoryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= list_.rows().size())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const DirectoryRow& entry = list_.rows()[row];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return list_.preservesCase() ? displayText(entry.name) : lowerCaseDisplayText(entry.name);
    case Qt::DecorationRole: return icons_[static_cast<std::size_t>(entry.kind)];
    case IndentRole: return list_.glyphX(row);
    default: return {};
    }
}

}  // namespace qmel
