// The drive picker of the main window: a drop-down list of the volumes
// present when its window is created, which announces its current drive when
// that window is created or re-created and after each selection the user
// makes.
#pragma once

#include "platform/volumes.h"

#include <QComboBox>

#include <functional>
#include <string>
#include <vector>

namespace zorvane::ui {

class TDriveComboBox : public QComboBox {
    Q_OBJECT

public:
    using VolumeSource = std::function<std::vector<zorvane::platform::Volume>()>;

    explicit TDriveComboBox(QWidget* parent = nullptr);
    // With another list of volumes than the system's (tests, tools).
    TDriveComboBox(QWidget* parent, VolumeSource source);

    // The current drive: the root path of the chosen volume ("/",
    // "/media/usb"; "c:\" on Windows); empty for none. From construction on
    // it is the volume that holds the process's current directory.
    std::string Drive() const;

    // The volumes listed when the window was last created.
    const std::vector<zorvane::platform::Volume>& volumes() const { return m_volumes; }

    // Rebuilds the list and announces the current drive, as happens when
    // the picker's window is re-created (a change of font does it too).
    void recreateWindow();

    // What the entry of `volume` reads: its name and either its remote
    // source (a network volume) or its label in brackets, lower-cased.
    static QString entryText(const zorvane::platform::Volume& volume);

    // The system's volumes: the mounted real file systems on POSIX, the
    // logical drives on Windows.
    static std::vector<zorvane::platform::Volume> systemVolumes();

signals:
    // The OnChange notification.
    void changed();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createWindow();
    void userSelected(int index);
    std::string initialDrive(const std::vector<zorvane::platform::Volume>& volumes) const;

    VolumeSource m_source;
    std::vector<zorvane::platform::Volume> m_volumes;
    std::string m_drive;
    bool m_created = false;
    bool m_volumesFresh = false;  // m_volumes was read by the constructor
};

}  // namespace zorvane::ui
