#include "ui/browser/widgets/FileListBox.h"

#include "ui/browser/widgets/FileListModel.h"

namespace qmel {

FileListBox::FileListBox(FileList& list, QWidget* parent)
    : RuleListView(rowHeight,
                   {[&list] { return list.selectedRow(); }, [&list](std::size_t row) { list.select(row); },
                    [&list](std::size_t row) { list.doubleClick(row); }},
                   parent),
      model_(new FileListModel(list, this))
{
    setModel(model_);
    list.setObservers(observersFor(model_));
    followSelection();
}

}  // namespace qmel
