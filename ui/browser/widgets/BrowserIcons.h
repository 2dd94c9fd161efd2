#pragma once

// The glyphs of the browser: the style's standard folder and drive icons.

#include "platform/Platform.h"
#include "ui/browser/DirectoryList.h"

#include <QIcon>

class QStyle;

namespace qmel {

QIcon directoryRowIcon(const QStyle& style, DirectoryRowKind kind);
QIcon volumeIcon(const QStyle& style, VolumeKind kind);

}  // namespace qmel
