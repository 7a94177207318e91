#include "ChecklistIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace ChecklistIcon {

QIcon icon()
{
    // Drawn at each size trays ask for, so no icon-engine plugin is needed.
    QSvgRenderer renderer(QStringLiteral(":/ordlen/tray/checklist.svg"));
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace ChecklistIcon
