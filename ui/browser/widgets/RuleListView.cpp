#include "ui/browser/widgets/RuleListView.h"

#include "ui/FailureReport.h"
#include "ui/browser/widgets/RowDelegate.h"

namespace qmel {

RuleListView::RuleListView(int rowHeight, Rules rules, QWidget* parent)
    : QListView(parent), rules_(std::move(rules))
{
    setItemDelegate(new RowDelegate(rowHeight, this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void RuleListView::followSelection()
{
    // Selection, not the current row: the view makes the first row current
    // when it gets the focus, which selects nothing.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &RuleListView::selectionMoved);
    // Qt delivers press, release and double-click: the press has moved the
    // selection, the double-click acts once.
    connect(this, &QAbstractItemView::doubleClicked, this, &RuleListView::doubleClickedRow);
    showSelection();
}

void RuleListView::showSelection()
{
    showingSelection_ = true;
    if (const auto selected = rules_.selectedRow()) {
        const QModelIndex index = model()->index(static_cast<int>(*selected), 0);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    } else {
        selectionModel()->clear();
    }
    showingSelection_ = false;
}

void RuleListView::selectionMoved()
{
    if (showingSelection_)
        return;
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (!selected.isEmpty()) {
        const auto row = static_cast<std::size_t>(selected.first().row());
        reportFailures([&] { rules_.moveSelection(row); });
    }
    // A deselecting Ctrl+click, or anything the rules refused, is put right.
    showSelection();
}

void RuleListView::doubleClickedRow(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const auto row = static_cast<std::size_t>(index.row());
    reportFailures([&] { rules_.doubleClick(row); });
    showSelection();
}

}  // namespace qmel
