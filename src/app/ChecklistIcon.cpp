#include "ChecklistIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {

// The drawn pixmaps under the name the icon is installed by (the app id, in
// hicolor): a tray that takes icons by name, as StatusNotifierItem hosts do,
// finds the installed icon; one that can't draws these pixmaps.
class NamedIconEngine : public QIconEngine
{
public:
    NamedIconEngine(const QIcon &pixmaps, const QString &name) : m_pixmaps(pixmaps), m_name(name) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        m_pixmaps.paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_pixmaps.actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_pixmaps.pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return m_pixmaps.pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return m_pixmaps.availableSizes(mode, state);
    }
    QString iconName() override { return m_name; }
    QIconEngine *clone() const override { return new NamedIconEngine(m_pixmaps, m_name); }

private:
    QIcon m_pixmaps;
    QString m_name;
};

} // namespace

namespace ChecklistIcon {

QIcon icon()
{
    // Drawn at each size trays ask for, so no icon-engine plugin is needed.
    QSvgRenderer renderer(QStringLiteral(":/ordlen/tray/checklist.svg"));
    QIcon pixmaps;
    for (const int side : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        pixmaps.addPixmap(pixmap);
    }
    return QIcon(new NamedIconEngine(pixmaps, QStringLiteral(ORDLEN_APP_ID)));
}

} // namespace ChecklistIcon
