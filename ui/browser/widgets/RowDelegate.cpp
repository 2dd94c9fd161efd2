#include "ui/browser/widgets/RowDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace qmel {

namespace {
constexpr int glyphSize = 16;
constexpr int glyphToText = 4;
}  // namespace

RowDelegate::RowDelegate(int rowHeight, QObject* parent) : QStyledItemDelegate(parent), rowHeight_(rowHeight) {}

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget* widget = item.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, widget);

    const QRect row = item.rect;
    int x = row.left() + index.data(IndentRole).toInt();
    if (!item.icon.isNull()) {
        const QRect glyph(x, row.top() + (row.height() - glyphSize) / 2, glyphSize, glyphSize);
        item.icon.paint(painter, glyph);
        x += glyphSize + glyphToText;
    }
    const bool selected = item.state & QStyle::State_Selected;
    painter->save();
    painter->setPen(item.palette.color(QPalette::Normal, selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect textArea(x, row.top(), std::max(0, row.right() - x), row.height());
    const QString text = item.fontMetrics.elidedText(item.text, Qt::ElideRight, textArea.width());
    painter->drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    // The width does not matter in a list that never scrolls sideways.
    return QSize(option.rect.width(), rowHeight_);
}

}  // namespace qmel
