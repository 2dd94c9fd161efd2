#include "ui/browser/widgets/DirectoryListBox.h"

#include "ui/FailureReport.h"
#include "ui/browser/widgets/DirectoryListModel.h"
#include "ui/browser/widgets/RowDelegate.h"

#include <QKeyEvent>
#include <QPointer>

namespace qmel {

DirectoryListBox::DirectoryListBox(DirectoryList& list, QWidget* parent)
    : QListView(parent), list_(list), model_(new DirectoryListModel(list, *style(), this))
{
    setModel(model_);
    setItemDelegate(new RowDelegate(rowHeight, this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setIconSize(QSize(16, 16));

    // The rules may outlive this control.
    QPointer<DirectoryListBox> self(this);
    list_.setObservers({
        [self] { if (self) self->model_->rowsAboutToChange(); },
        [self] { if (self) { self->model_->rowsChanged(); self->showSelection(); } },
        [self] { if (self) self->showSelection(); },
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &DirectoryListBox::selectionMoved);
    connect(this, &QAbstractItemView::doubleClicked, this, &DirectoryListBox::open);
    showSelection();
}

void DirectoryListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (const auto selected = list_.selectedRow())
            reportFailures([&] { list_.openRow(*selected); });
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void DirectoryListBox::showSelection()
{
    showingSelection_ = true;
    if (const auto selected = list_.selectedRow()) {
        const QModelIndex index = model_->index(static_cast<int>(*selected));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    } else {
        selectionModel()->clear();
    }
    showingSelection_ = false;
}

void DirectoryListBox::selectionMoved()
{
    if (showingSelection_)
        return;
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (!selected.isEmpty()) {
        const auto row = static_cast<std::size_t>(selected.first().row());
        reportFailures([&] { list_.moveSelection(row); });
    }
    // A deselecting Ctrl+click, or anything the rules refused, is put right.
    showSelection();
}

void DirectoryListBox::open(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const auto row = static_cast<std::size_t>(index.row());
    reportFailures([&] { list_.openRow(row); });
    showSelection();
}

}  // namespace qmel
