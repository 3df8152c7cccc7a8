// The volumes of a POSIX system: the mounted file systems that Qt lists,
// filtered by the platform's rule.
#include "ui/tdrivecombobox.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace zorvane::ui {

using zorvane::platform::Volume;
using zorvane::platform::VolumeKind;

namespace {

VolumeKind kindOf(const QByteArray& type, const QString& root)
{
    static const QByteArrayList network = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "sshfs", "9p", "afs", "ceph", "glusterfs"};
    if (network.contains(type))
        return VolumeKind::Network;
    if (type == "tmpfs" || type == "ramfs")
        return VolumeKind::RamDisk;
    if (type == "iso9660" || type == "udf")
        return VolumeKind::Optical;
    if (root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/run/media/")))
        return VolumeKind::Removable;
    return VolumeKind::Fixed;
}

}  // namespace

std::vector<Volume> TDriveComboBox::systemVolumes()
{
    std::vector<Volume> mounted;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        Volume volume;
        volume.root = QFile::encodeName(storage.rootPath()).toStdString();
        volume.name = volume.root;
        volume.label = storage.name().toStdString();
        volume.kind = kindOf(storage.fileSystemType(), storage.rootPath());
        if (volume.kind == VolumeKind::Network)
            volume.remote = storage.device().toStdString();
        volume.valid = storage.isValid();
        volume.ready = storage.isReady();
        volume.rootIsDirectory = QFileInfo(storage.rootPath()).isDir();
        mounted.push_back(std::move(volume));
    }
    return zorvane::platform::usableMountedVolumes(std::move(mounted));
}

}  // namespace zorvane::ui
