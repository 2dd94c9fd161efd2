#include "ui/StatusBar.h"

#include "ui/FormDescription.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionFrame>

namespace qmel {

StatusBar::StatusBar(QWidget* parent) : QWidget(parent)
{
    // The system's status-bar font, not the window's.
    setFont(QApplication::font("QStatusBar"));
    setFocusPolicy(Qt::NoFocus);
}

void StatusBar::setPanelText(int index, const QString& text)
{
    texts_[index] = text;
    update(panelRect(index));
}

QString StatusBar::panelText(int index) const { return texts_[index]; }

QRect StatusBar::panelRect(int index) const
{
    if (index == 0)
        return QRect(0, 0, StatusPanel0Width, height());
    return QRect(StatusPanel0Width, 0, width() - StatusPanel0Width, height());
}

void StatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    for (int index = 0; index < 2; ++index) {
        const QRect panel = panelRect(index);
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = panel.adjusted(0, 2, -2, 0);
        frame.lineWidth = 1;
        frame.state |= QStyle::State_Sunken;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(frame.rect, Qt::AlignCenter | Qt::TextSingleLine, texts_[index]);
    }
}

}  // namespace qmel
