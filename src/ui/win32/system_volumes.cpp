// The volumes of Windows: its logical drives a..z of the kinds listed.
#include "ui/tdrivecombobox.h"

namespace zorvane::ui {

std::vector<zorvane::platform::Volume> TDriveComboBox::systemVolumes()
{
    return zorvane::platform::logicalDrives();
}

}  // namespace zorvane::ui
