#include "JpegFrame.h"

namespace {

constexpr int kSoi = 0xD8;
constexpr int kSos = 0xDA;

int byteAt(const QByteArray& bytes, qsizetype at)
{
    return static_cast<unsigned char>(bytes[at]);
}

int wordAt(const QByteArray& bytes, qsizetype at)
{
    return byteAt(bytes, at) << 8 | byteAt(bytes, at + 1);
}

// SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC), which share the range.
bool isFrameMarker(int marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length field.
bool hasNoSegment(int marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9);
}

std::optional<JpegFrame> parseFrame(int marker, const QByteArray& bytes, qsizetype body, qsizetype end)
{
    if (end - body < 6)
        return std::nullopt;
    JpegFrame frame;
    frame.marker = marker;
    frame.precision = byteAt(bytes, body);
    frame.height = wordAt(bytes, body + 1);
    frame.width = wordAt(bytes, body + 3);
    const int count = byteAt(bytes, body + 5);
    if (end - body != 6 + 3 * count)
        return std::nullopt;
    for (int i = 0; i < count; ++i) {
        const qsizetype at = body + 6 + 3 * i;
        const int sampling = byteAt(bytes, at + 1);
        frame.components.push_back({byteAt(bytes, at), sampling >> 4, sampling & 0x0F, byteAt(bytes, at + 2)});
    }
    return frame;
}

}  // namespace

std::optional<JpegFrame> readJpegFrame(const QByteArray& jpeg)
{
    if (jpeg.size() < 2 || byteAt(jpeg, 0) != 0xFF || byteAt(jpeg, 1) != kSoi)
        return std::nullopt;
    qsizetype at = 2;
    while (at < jpeg.size()) {
        if (byteAt(jpeg, at) != 0xFF)
            return std::nullopt;
        while (at < jpeg.size() && byteAt(jpeg, at) == 0xFF)  // fill bytes
            ++at;
        if (at >= jpeg.size())
            return std::nullopt;
        const int marker = byteAt(jpeg, at++);
        if (hasNoSegment(marker))
            continue;
        if (marker == kSos || at + 2 > jpeg.size())
            return std::nullopt;
        const int length = wordAt(jpeg, at);
        const qsizetype end = at + length;
        if (length < 2 || end > jpeg.size())
            return std::nullopt;
        if (isFrameMarker(marker))
            return parseFrame(marker, jpeg, at + 2, end);
        at = end;
    }
    return std::nullopt;
}
