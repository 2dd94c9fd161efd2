#include "ui/browser/widgets/DirectoryListBox.h"

#include "ui/FailureReport.h"
#include "ui/browser/widgets/DirectoryListModel.h"

#include <QKeyEvent>

namespace qmel {

DirectoryListBox::DirectoryListBox(DirectoryList& list, QWidget* parent)
    : RuleListView(rowHeight,
                   {[&list] { return list.selectedRow(); }, [&list](std::size_t row) { list.moveSelection(row); },
                    [&list](std::size_t row) { list.openRow(row); }},
                   parent),
      list_(list), model_(new DirectoryListModel(list, *style(), this))
{
    setModel(model_);
    setIconSize(QSize(16, 16));
    list_.setObservers(observersFor(model_));
    followSelection();
}

void DirectoryListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (const auto selected = list_.selectedRow())
            reportFailures([&] { list_.openRow(*selected); });
        event->accept();
        return;
    }
    RuleListView::keyPressEvent(event);
}

}  // namespace qmel
