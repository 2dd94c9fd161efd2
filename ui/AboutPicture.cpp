#include "ui/AboutPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

namespace qmel {

AboutPicture::AboutPicture(const QString& resource, QWidget* parent) : QWidget(parent)
{
    QFile file(resource);
    if (file.open(QIODevice::ReadOnly))
        stream_ = file.readAll();
    QBuffer buffer(&stream_);
    buffer.open(QIODevice::ReadOnly);
    QImageReader header(&buffer, "jpeg");
    pictureSize_ = header.size();
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void AboutPicture::paintEvent(QPaintEvent*)
{
    if (decoded_.isNull() && !stream_.isEmpty())
        decoded_.loadFromData(stream_, "jpeg");
    if (decoded_.isNull())
        return;
    // Drawn at its pixel size: the density stored in the file changes nothing.
    QPainter painter(this);
    decoded_.setDevicePixelRatio(1.0);
    painter.drawImage(QPoint(0, 0), decoded_);
}

}  // namespace qmel
