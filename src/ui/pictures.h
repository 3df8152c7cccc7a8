// The small pictures of the drive picker and the directory tree, drawn in
// code: a 16 x 11 picture for each kind of drive, and the open folder, the
// closed folder and the 14 x 14 leaf picture of the tree.
#pragma once

#include "platform/volumes.h"

#include <QPixmap>

namespace zorvane::ui {

QPixmap drivePicture(platform::VolumeKind kind);

// 16 x 14, the top row left clear so that a 13-pixel row loses nothing.
QPixmap openFolderPicture();
QPixmap closedFolderPicture();
// 14 x 14: the closed folder drawn for every entry without sub-entries.
QPixmap leafPicture();

}  // namespace zorvane::ui
