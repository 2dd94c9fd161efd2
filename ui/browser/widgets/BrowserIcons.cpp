#include "ui/browser/widgets/BrowserIcons.h"

#include <QStyle>

namespace qmel {

QIcon directoryRowIcon(const QStyle& style, DirectoryRowKind kind)
{
    switch (kind) {
    case DirectoryRowKind::Ancestor:
    case DirectoryRowKind::Current: return style.standardIcon(QStyle::SP_DirOpenIcon);
    case DirectoryRowKind::Subdirectory: break;
    }
    return style.standardIcon(QStyle::SP_DirIcon);
}

QIcon volumeIcon(const QStyle& style, VolumeKind kind)
{
    switch (kind) {
    case VolumeKind::Removable: return style.standardIcon(QStyle::SP_DriveFDIcon);
    case VolumeKind::Network: return style.standardIcon(QStyle::SP_DriveNetIcon);
    case VolumeKind::CdRom: return style.standardIcon(QStyle::SP_DriveCDIcon);
    case VolumeKind::RamDisk:
        // The styles have no RAM disk icon; the desktop theme may.
        return QIcon::fromTheme(QStringLiteral("media-flash"), style.standardIcon(QStyle::SP_DriveHDIcon));
    case VolumeKind::Fixed: break;
    }
    return style.standardIcon(QStyle::SP_DriveHDIcon);
}

}  // namespace qmel
