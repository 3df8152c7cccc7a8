#include "ui/pictures.h"

#include <QPainter>
#include <QPolygon>

namespace zorvane::ui {

namespace {

const QColor kOutline(0x80, 0x60, 0x10);
const QColor kFolderBack(0xe8, 0xc0, 0x50);
const QColor kFolderFront(0xff, 0xe0, 0x80);
const QColor kCase(0xc0, 0xc0, 0xc0);
const QColor kCaseDark(0x60, 0x60, 0x60);

QPixmap blank(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A closed folder whose body spans `body` (outline included), with its tab
// above the left part.
void drawClosedFolder(QPainter& painter, const QRect& body)
{
    painter.setPen(kOutline);
    painter.setBrush(kFolderBack);
    painter.drawRect(QRect(body.left(), body.top() - 1, body.width() / 2, 2).adjusted(0, 0, -1, -1));
    painter.setBrush(kFolderFront);
    painter.drawRect(body.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawLine(body.left() + 1, body.top() + 1, body.right() - 2, body.top() + 1);
}

}  // namespace

QPixmap closedFolderPicture()
{
    QPixmap pixmap = blank(16, 14);
    QPainter painter(&pixmap);
    drawClosedFolder(painter, QRect(1, 3, 14, 10));
    return pixmap;
}

QPixmap leafPicture()
{
    QPixmap pixmap = blank(14, 14);
    QPainter painter(&pixmap);
    drawClosedFolder(painter, QRect(1, 4, 12, 9));
    return pixmap;
}

QPixmap openFolderPicture()
{
    QPixmap pixmap = blank(16, 14);
    QPainter painter(&pixmap);
    painter.setPen(kOutline);
    painter.setBrush(kFolderBack);
    // The back of the folder with its tab, then the front flap folded down.
    painter.drawRect(QRect(1, 2, 6, 2).adjusted(0, 0, -1, -1));
    painter.drawRect(QRect(1, 3, 13, 10).adjusted(0, 0, -1, -1));
    painter.setBrush(kFolderFront);
    const QPolygon flap({QPoint(4, 7), QPoint(15, 7), QPoint(12, 12), QPoint(1, 12)});
    painter.drawPolygon(flap);
    return pixmap;
}

QPixmap drivePicture(platform::VolumeKind kind)
{
    using platform::VolumeKind;
    QPixmap pixmap = blank(16, 11);
    QPainter painter(&pixmap);
    painter.setPen(kCaseDark);
    switch (kind) {
    case VolumeKind::Fixed:
        painter.setBrush(kCase);
        painter.drawRect(1, 3, 13, 5);
        painter.fillRect(11, 6, 2, 1, QColor(0x00, 0xc0, 0x00));
        break;
    case VolumeKind::Removable:
        painter.setBrush(kCase);
        painter.drawRect(1, 2, 13, 7);
        painter.drawLine(4, 5, 11, 5);
        break;
    case VolumeKind::Network:
        painter.setBrush(kCase);
        painter.drawRect(1, 1, 13, 5);
        painter.fillRect(11, 4, 2, 1, QColor(0x00, 0xc0, 0x00));
        painter.drawLine(8, 7, 8, 9);
        painter.drawLine(2, 9, 14, 9);
        break;
    case VolumeKind::Optical:
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(0xd8, 0xd8, 0xf0));
        painter.drawEllipse(QRectF(3, 0.5, 10, 10));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(6.5, 4, 3, 3));
        break;
    case VolumeKind::RamDisk:
        painter.setBrush(QColor(0x30, 0x70, 0x30));
        painter.drawRect(1, 3, 13, 4);
        for (int x = 2; x <= 13; x += 3) {
            painter.drawLine(x, 1, x, 2);
            painter.drawLine(x, 8, x, 9);
        }
        break;
    }
    return pixmap;
}

}  // namespace zorvane::ui
