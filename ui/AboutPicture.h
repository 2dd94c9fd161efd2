#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>

namespace qmel {

// Image1: only the picture's header is read when the window is built (for its
// size); the whole stream is decoded when it is first drawn, and the decoded
// image is kept and drawn pixel for pixel at every repaint.
class AboutPicture : public QWidget {
    Q_OBJECT
public:
    AboutPicture(const QString& resource, QWidget* parent = nullptr);

    QSize pictureSize() const { return pictureSize_; }
    bool isDecoded() const { return !decoded_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QByteArray stream_;
    QSize pictureSize_;
    QImage decoded_;
};

}  // namespace qmel
