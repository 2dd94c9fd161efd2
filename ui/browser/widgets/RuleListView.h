#pragma once

// A list view over rows that plain C++ rules keep: the rules own the rows and
// the selection; the view shows them and forwards the user's moves and
// double-clicks, each under the failure report.

#include "ui/browser/ListObservers.h"

#include <QListView>
#include <QPointer>
#include <cstddef>
#include <functional>
#include <optional>

namespace qmel {

class RuleListView : public QListView {
    Q_OBJECT

public:
    struct Rules {
        std::function<std::optional<std::size_t>()> selectedRow;
        std::function<void(std::size_t)> moveSelection;  // a click or an arrow key
        std::function<void(std::size_t)> doubleClick;
    };

protected:
    RuleListView(int rowHeight, Rules rules, QWidget* parent);

    // Call once the model is set: repaints follow the rules' notifications.
    template <class Model>
    ListObservers observersFor(Model* model)
    {
        QPointer<RuleListView> self(this);  // the rules may outlive this control
        return {
            [self, model] { if (self) model->rowsAboutToChange(); },
            [self, model] { if (self) { model->rowsChanged(); self->showSelection(); } },
            [self] { if (self) self->showSelection(); },
        };
    }
    void followSelection();
    void showSelection();
    const Rules& rules() const { return rules_; }

private:
    void selectionMoved();
    void doubleClickedRow(const QModelIndex& index);

    Rules rules_;
    bool showingSelection_ = false;
};

}  // namespace qmel
