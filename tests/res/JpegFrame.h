#pragma once

// The frame header (SOFn) of a JPEG stream: the coding process, the picture's
// size and how its components are sampled.

#include <QtCore/QByteArray>

#include <optional>
#include <vector>

struct JpegComponent {
    int id = 0;
    int horizontalSampling = 0;
    int verticalSampling = 0;
    int quantisationTable = 0;
};

struct JpegFrame {
    int marker = 0;  // 0xC0 baseline, 0xC2 progressive, ...
    int precision = 0;
    int width = 0;
    int height = 0;
    std::vector<JpegComponent> components;
};

// Walks the marker segments from SOI to the first scan. Nothing when the bytes
// are no JPEG, are cut short or hold no frame header before the first scan.
std::optional<JpegFrame> readJpegFrame(const QByteArray& jpeg);
