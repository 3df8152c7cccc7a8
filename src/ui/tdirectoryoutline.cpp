// A stand-in until the full directory tree: it shows the drive's root
// alone, selected.
#include "ui/tdirectoryoutline.h"

#include <QFile>
#include <QHeaderView>
#include <QStandardItemModel>

TDirectoryOutline::TDirectoryOutline(QWidget* parent) : QTreeView(parent), m_model(new QStandardItemModel(this))
{
    setModel(m_model);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TDirectoryOutline::setDrive(const std::string& driveRoot)
{
    if (driveRoot.empty() || driveRoot == m_drive)
        return;
    m_drive = driveRoot;
    m_directory = driveRoot;
    m_model->clear();
    auto* root = new QStandardItem(QFile::decodeName(QByteArray::fromStdString(driveRoot)));
    root->setEditable(false);
    m_model->appendRow(root);
    setCurrentIndex(root->index());
}

std::string TDirectoryOutline::Drive() const
{
    return m_drive;
}

std::string TDirectoryOutline::Directory() const
{
    return m_directory;
}
