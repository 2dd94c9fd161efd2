#pragma once

#include <QString>
#include <QWidget>

namespace qmel {

// A status bar of two sunken panels with centred texts and no size grip:
// panel 0 is as wide as it says, the last panel reaches the right edge.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);

    void setPanelText(int index, const QString& text);
    QString panelText(int index) const;
    // The panel's extent in the bar's coordinates.
    QRect panelRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString texts_[2];
};

}  // namespace qmel
