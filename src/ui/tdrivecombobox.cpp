// A stand-in until the full drive picker: it lists the one
// volume that holds the process's current directory.
#include "ui/tdrivecombobox.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>

TDriveComboBox::TDriveComboBox(QWidget* parent) : QComboBox(parent)
{
    const QStorageInfo volume(QDir::currentPath());
    QString root = QDir::toNativeSeparators(volume.isValid() ? volume.rootPath() : QDir::rootPath());
    m_drive = QFile::encodeName(root).toStdString();
    addItem(root + QStringLiteral(" [") + volume.name() + QStringLiteral("]"));
    setCurrentIndex(0);
}

std::string TDriveComboBox::Drive() const
{
    return m_drive;
}

void TDriveComboBox::showEvent(QShowEvent* event)
{
    QComboBox::showEvent(event);
    if (!m_announced) {
        m_announced = true;
        emit changed();
    }
}
