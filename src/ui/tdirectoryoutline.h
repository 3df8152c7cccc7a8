// The directory tree: one drive at a time, its root as the only top-level
// entry; the selected entry is the current directory.
#pragma once

#include <QTreeView>

#include <string>

class QStandardItemModel;

class TDirectoryOutline : public QTreeView {
    Q_OBJECT
public:
    explicit TDirectoryOutline(QWidget* parent = nullptr);

    // Shows the drive whose root is `driveRoot`, its root selected; a drive
    // the tree shows already is ignored.
    void setDrive(const std::string& driveRoot);
    std::string Drive() const;
    // The current directory as a byte path.
    std::string Directory() const;

private:
    QStandardItemModel* m_model;
    std::string m_drive;
    std::string m_directory;
};
