#include "gui/divination/throwpictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace yw {
namespace {

void drawCoin(QPainter &p, bool yang)
{
    const QPointF c(32, 32);
    // Yang: bright bronze with four raised signs; yin: darker, patinated, with a ring of dots.
    const QColor light = yang ? QColor(236, 196, 110) : QColor(176, 150, 104);
    const QColor dark = yang ? QColor(150, 100, 36) : QColor(96, 86, 60);
    QRadialGradient g(QPointF(24, 22), 40);
    g.setColorAt(0, light.lighter(115));
    g.setColorAt(0.7, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(130), 1.5));
    p.setBrush(g);
    p.drawEllipse(c, 29, 29);
    p.setPen(QPen(dark, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 25, 25);

    // The square hole, with its raised border.
    p.setPen(QPen(dark.darker(120), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(25, 25, 14, 14));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(dark, 1));
    p.drawRect(QRectF(22.5, 22.5, 19, 19));

    if (yang) {
        p.setPen(QPen(dark.darker(140), 2.4, Qt::SolidLine, Qt::RoundCap));
        // Four short signs around the hole, one on each side.
        p.drawLine(QPointF(28, 12), QPointF(36, 12));
        p.drawLine(QPointF(32, 9.5), QPointF(32, 17));
        p.drawLine(QPointF(28, 52), QPointF(36, 52));
        p.drawLine(QPointF(29, 48), QPointF(35, 48));
        p.drawLine(QPointF(12, 28), QPointF(12, 36));
        p.drawLine(QPointF(9.5, 32), QPointF(16, 32));
        p.drawLine(QPointF(52, 28), QPointF(52, 36));
        p.drawLine(QPointF(48, 29), QPointF(48, 35));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(dark.darker(130));
        for (int i = 0; i < 12; ++i) {
            QTransform t;
            t.translate(32, 32);
            t.rotate(i * 30 + 15);
            p.drawEllipse(t.map(QPointF(0, -16.5)), 1.6, 1.6);
        }
    }
}

void drawDie(QPainter &p, int value)
{
    QLinearGradient g(0, 0, 64, 64);
    g.setColorAt(0, QColor(255, 253, 246));
    g.setColorAt(1, QColor(222, 214, 196));
    p.setPen(QPen(QColor(120, 110, 96), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 10, 10);

    // Pip positions on a 3 x 3 grid.
    const qreal a = 18, b = 32, c = 46;
    QList<QPointF> pips;
    switch (value) {
    case 1: pips = {{b, b}}; break;
    case 2: pips = {{a, a}, {c, c}}; break;
    case 3: pips = {{a, a}, {b, b}, {c, c}}; break;
    case 4: pips = {{a, a}, {c, a}, {a, c}, {c, c}}; break;
    case 5: pips = {{a, a}, {c, a}, {b, b}, {a, c}, {c, c}}; break;
    default: pips = {{a, a}, {c, a}, {a, b}, {c, b}, {a, c}, {c, c}}; break;
    }
    // As on Chinese dice, the one and the four are red.
    const QColor pip = value == 1 || value == 4 ? QColor(190, 30, 36) : QColor(34, 30, 28);
    const qreal r = value == 1 ? 7.5 : 5;
    p.setPen(Qt::NoPen);
    for (const QPointF &pt : pips) {
        QRadialGradient pg(pt - QPointF(1.2, 1.2), r);
        pg.setColorAt(0, pip.lighter(150));
        pg.setColorAt(1, pip);
        p.setBrush(pg);
        p.drawEllipse(pt, r, r);
    }
}

} // namespace

QPixmap throwPicture(int index)
{
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (index == 0 || index == 1)
        drawCoin(p, index == 0);
    else if (index >= 2 && index <= 7)
        drawDie(p, index - 1);
    return pm;
}

} // namespace yw
