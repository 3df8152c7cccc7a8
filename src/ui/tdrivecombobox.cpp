#include "ui/tdrivecombobox.h"

#include "platform/current_directory.h"
#include "platform/path_rules.h"
#include "ui/pictures.h"

#include <QEvent>

#include <algorithm>
#include <utility>

namespace zorvane::ui {

using zorvane::platform::Volume;
using zorvane::platform::VolumeKind;

TDriveComboBox::TDriveComboBox(QWidget* parent) : TDriveComboBox(parent, &TDriveComboBox::systemVolumes) {}

TDriveComboBox::TDriveComboBox(QWidget* parent, VolumeSource source)
    : QComboBox(parent), m_source(std::move(source))
{
    setEditable(false);
    setIconSize(QSize(16, 11));
    // Read once here; the first creation of the window lists these same
    // volumes rather than asking the system again moments later.
    if (!m_volumesFresh)
        m_volumes = m_source ? m_source() : std::vector<Volume>{};
    m_volumesFresh = false;
    m_volumesFresh = true;
    m_drive = initialDrive(m_volumes);
    connect(this, &QComboBox::activated, this, &TDriveComboBox::userSelected);
}

std::string TDriveComboBox::Drive() const
{
    return m_drive;
}

// The volume of the process's current directory. When no listed volume
// holds it (a network path on Windows, or a current directory that was
// removed), the first fixed volume, else the first listed, so that the tree
// always has somewhere to start.
std::string TDriveComboBox::initialDrive(const std::vector<Volume>& volumes) const
{
    const auto rules = zorvane::platform::nativePathRules();
    const std::string current = zorvane::platform::currentDirectory();
    if (const Volume* holding = zorvane::platform::volumeHolding(current, volumes, rules.separator, rules.foldsCase))
        return holding->root;
    const auto fixed = std::find_if(volumes.begin(), volumes.end(),
                                    [](const Volume& v) { return v.kind == VolumeKind::Fixed; });
    if (fixed != volumes.end())
        return fixed->root;
    return volumes.empty() ? std::string() : volumes.front().root;
}

QString TDriveComboBox::entryText(const Volume& volume)
{
    const QString name = QString::fromLocal8Bit(volume.name.data(), static_cast<qsizetype>(volume.name.size()));
    if (volume.kind == VolumeKind::Network && !volume.remote.empty())
        return name + QLatin1Char(' ') + QString::fromLocal8Bit(volume.remote.data(), static_cast<qsizetype>(volume.remote.size())).toLower();
    if (!volume.labelRead)
        return name;
    const QString label = QString::fromLocal8Bit(volume.label.data(), static_cast<qsizetype>(volume.label.size())).toLower();
    return name + QStringLiteral(" [") + label + QLatin1Char(']');
}

void TDriveComboBox::createWindow()
{
    m_volumes = m_source ? m_source() : std::vector<Volume>{};
    {
        // Rebuilding the list is not a user's selection.
        const QSignalBlocker quiet(this);
        clear();
        int current = -1;
        for (const Volume& volume : m_volumes) {
            if (volume.root == m_drive)
                current = count();
            addItem(QIcon(drivePicture(volume.kind)), entryText(volume));
        }
        setCurrentIndex(current);
    }
    // The freshly built list had no selection, so the drive is always
    // announced; this gives the tree its first drive.
    emit changed();
}

void TDriveComboBox::recreateWindow()
{
    m_created = true;
    createWindow();
}

void TDriveComboBox::showEvent(QShowEvent* event)
{
    QComboBox::showEvent(event);
    if (!m_created) {
        m_created = true;
        createWindow();
    }
}

void TDriveComboBox::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_created)
        createWindow();
}

// A selection by the user (mouse, arrow keys or wheel on the closed list):
// announced first when it changes the drive, then once more either way. When
// the first announcement throws (the drive cannot be entered), the second is
// not made.
void TDriveComboBox::userSelected(int index)
{
    if (index < 0 || index >= static_cast<int>(m_volumes.size()))
        return;
    const std::string& chosen = m_volumes[static_cast<std::size_t>(index)].root;
    if (chosen != m_drive) {
        m_drive = chosen;
        emit changed();
    }
    emit changed();
}

}  // namespace zorvane::ui
