#pragma once

// Paints a browser row: an optional 16-pixel glyph at the row's own distance
// from the left edge, then the text. Every row has the same height, so a view
// asks for one size, however many rows there are.

#include <QStyledItemDelegate>

namespace qmel {

// Pixels from the left edge to the glyph, or to the text of a row without one.
inline constexpr int IndentRole = Qt::UserRole + 1;

class RowDelegate : public QStyledItemDelegate {
public:
    RowDelegate(int rowHeight, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int rowHeight_;
};

}  // namespace qmel
