#include "ui/browser/widgets/FileListBox.h"

#include "ui/FailureReport.h"
#include "ui/browser/widgets/FileListModel.h"
#include "ui/browser/widgets/RowDelegate.h"

#include <QPointer>

namespace qmel {

FileListBox::FileListBox(FileList& list, QWidget* parent)
    : QListView(parent), list_(list), model_(new FileListModel(list, this))
{
    setModel(model_);
    setItemDelegate(new RowDelegate(rowHeight, this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // The rules may outlive this control.
    QPointer<FileListBox> self(this);
    list_.setObservers({
        [self] { if (self) self->model_->rowsAboutToChange(); },
        [self] { if (self) { self->model_->rowsChanged(); self->showSelection(); } },
        [self] { if (self) self->showSelection(); },
    });
    // Selection, not the current row: the view makes the first row current
    // when it gets the focus, which selects nothing.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &FileListBox::selectionMoved);
    // Qt delivers press, release and double-click: the press has made the
    // selection report, the double-click runs the handler once.
    connect(this, &QAbstractItemView::doubleClicked, this, &FileListBox::doubleClickedRow);
    showSelection();
}

void FileListBox::showSelection()
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

void FileListBox::selectionMoved()
{
    if (showingSelection_)
        return;
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (!selected.isEmpty()) {
        const auto row = static_cast<std::size_t>(selected.first().row());
        reportFailures([&] { list_.select(row); });
    }
    // A deselecting Ctrl+click is put right: a row stays selected.
    showSelection();
}

void FileListBox::doubleClickedRow(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const auto row = static_cast<std::size_t>(index.row());
    reportFailures([&] { list_.doubleClick(row); });
    showSelection();
}

}  // namespace qmel
