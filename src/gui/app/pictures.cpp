#include "gui/app/pictures.h"

#include "divination/hexagram.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace yw {
namespace {

const QColor kInk(60, 42, 28);
const QColor kGold(196, 148, 54);
const QColor kRed(170, 40, 30);
const QColor kBlue(40, 86, 160);
const QColor kGreen(46, 120, 70);

QPen pen(const QColor &c, qreal w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawYinYang(QPainter &p, QPointF c, qreal r)
{
    const QRectF outer(c.x() - r, c.y() - r, 2 * r, 2 * r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 246, 236));
    p.drawEllipse(outer);
    QPainterPath dark;
    dark.moveTo(c.x(), c.y() - r);
    dark.arcTo(outer, 90, 180);
    dark.arcTo(QRectF(c.x() - r / 2, c.y(), r, r), 270, -180);
    dark.arcTo(QRectF(c.x() - r / 2, c.y() - r, r, r), 270, 180);
    p.setBrush(QColor(34, 26, 22));
    p.drawPath(dark);
    p.setBrush(QColor(250, 246, 236));
    p.drawEllipse(QPointF(c.x(), c.y() + r / 2), r / 7, r / 7);
    p.setBrush(QColor(34, 26, 22));
    p.drawEllipse(QPointF(c.x(), c.y() - r / 2), r / 7, r / 7);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(kGold, 2));
    p.drawEllipse(outer);
}

// Three bars, the first of `bits` nearest to `inner` when drawn by the caller's rotation.
void drawTrigramBars(QPainter &p, const QString &bitsOutwardFirst, qreal width, qreal bar, qreal gap,
                     const QColor &color)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    for (int i = 0; i < 3; ++i) {
        const qreal y = -i * (bar + gap);
        if (bitsOutwardFirst.at(i) == u'1') {
            p.drawRoundedRect(QRectF(-width / 2, y - bar, width, bar), 1, 1);
        } else {
            const qreal half = (width - width * 0.22) / 2;
            p.drawRoundedRect(QRectF(-width / 2, y - bar, half, bar), 1, 1);
            p.drawRoundedRect(QRectF(width / 2 - half, y - bar, half, bar), 1, 1);
        }
    }
}

} // namespace

QPixmap backgroundPicture(int size)
{
    QPixmap pm(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient bg(size / 2.0, size / 2.0, size * 0.75);
    bg.setColorAt(0, QColor(255, 246, 222));
    bg.setColorAt(0.6, QColor(232, 208, 160));
    bg.setColorAt(1, QColor(150, 104, 60));
    p.fillRect(pm.rect(), bg);

    const QPointF c(size / 2.0, size / 2.0 - size * 0.03);
    // A thin ring behind the trigrams.
    p.setPen(pen(QColor(150, 110, 60, 140), 1));
    p.drawEllipse(c, size * 0.40, size * 0.40);
    p.drawEllipse(c, size * 0.26, size * 0.26);

    // Early Heaven order around the circle: Qian at the top, Kun at the bottom.
    const char *ring[8] = {"111", "011", "101", "001", "000", "100", "010", "110"};
    // Positions clockwise from the top: Цянь, Сюнь, Кань, Гэнь, Кунь, Чжень, Ли, Дуй.
    const char *clockwise[8] = {"111", "110", "010", "100", "000", "001", "101", "011"};
    Q_UNUSED(ring);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 45.0);
        p.translate(0, -size * 0.285);
        // The bottom line of a trigram faces the centre.
        const QString bits = QLatin1String(clockwise[i]);
        drawTrigramBars(p, hex::reversed(bits), size * 0.17, size * 0.022, size * 0.016, kInk);
        p.restore();
    }
    drawYinYang(p, c, size * 0.17);
    return pm;
}

QPixmap linePicture(int index)
{
    QPixmap pm(79, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const bool moving = index == 0 || index == 2;
    const bool yang = index >= 2;
    const QColor color = moving ? QColor(176, 38, 28) : QColor(52, 40, 32);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const QRectF full(1, 2, 77, 8);
    if (yang) {
        p.drawRoundedRect(full, 2, 2);
    } else {
        p.drawRoundedRect(QRectF(1, 2, 33, 8), 2, 2);
        p.drawRoundedRect(QRectF(45, 2, 33, 8), 2, 2);
    }
    if (moving) {
        // Old yang carries a ring, old yin a cross, as on a hand-drawn cast.
        p.setPen(pen(QColor(255, 236, 200), 1.6));
        p.setBrush(Qt::NoBrush);
        if (yang) {
            p.drawEllipse(QPointF(39.5, 6), 2.6, 2.6);
        } else {
            p.setPen(pen(color, 1.6));
            p.drawLine(QPointF(36.5, 3), QPointF(42.5, 9));
            p.drawLine(QPointF(42.5, 3), QPointF(36.5, 9));
        }
    }
    return pm;
}

QPixmap trigramPicture(const QString &bits, QSize size, const QColor &color)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal bar = size.height() / 5.0;
    const qreal gap = bar;
    p.translate(size.width() / 2.0, size.height());
    // drawTrigramBars stacks upwards from the first character, so give it the bottom line first.
    drawTrigramBars(p, hex::reversed(bits), size.width() - 2, bar, gap, color);
    return pm;
}

QPixmap glyphPixmap(Glyph g, int s)
{
    QPixmap pm(s, s);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s / 16.0, s / 16.0);
    auto line = [&](qreal x1, qreal y1, qreal x2, qreal y2) { p.drawLine(QPointF(x1, y1), QPointF(x2, y2)); };
    switch (g) {
    case Glyph::Sound: {
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        QPolygonF speaker({{2, 6}, {5, 6}, {9, 2.5}, {9, 13.5}, {5, 10}, {2, 10}});
        p.drawPolygon(speaker);
        p.setPen(pen(kBlue, 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(7, 4.5, 5, 7), -50 * 16, 100 * 16);
        p.drawArc(QRectF(7, 2.5, 8, 11), -50 * 16, 100 * 16);
        break;
    }
    case Glyph::Atom:
        p.setPen(pen(kInk, 1.2));
        p.setBrush(QColor(255, 236, 170));
        p.drawEllipse(QRectF(2, 2, 12, 12));
        p.setPen(pen(kRed, 1.6));
        line(8, 4.5, 8, 8.2);
        line(8, 8.2, 10.8, 10);
        break;
    case Glyph::Save:
    case Glyph::ForceSave:
        p.setPen(pen(kInk, 1));
        p.setBrush(g == Glyph::Save ? kBlue : kGreen);
        p.drawRoundedRect(QRectF(2, 2, 12, 12), 1.5, 1.5);
        p.setBrush(QColor(240, 240, 240));
        p.drawRect(QRectF(4.5, 2, 7, 4.5));
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(4, 9, 8, 5));
        break;
    case Glyph::User:
        p.setPen(pen(kInk, 1));
        p.setBrush(QColor(230, 180, 120));
        p.drawEllipse(QRectF(5, 1.5, 6, 6));
        p.setBrush(kBlue);
        p.drawChord(QRectF(2.5, 8, 11, 12), 0, 180 * 16);
        break;
    case Glyph::DataBase:
    case Glyph::Open:
    case Glyph::Create:
        p.setPen(pen(kInk, 1));
        p.setBrush(QColor(214, 178, 96));
        p.drawRect(QRectF(3, 4, 10, 9));
        p.drawEllipse(QRectF(3, 11, 10, 4));
        p.drawEllipse(QRectF(3, 2, 10, 4));
        p.setPen(pen(QColor(120, 80, 30), 0.8));
        p.drawArc(QRectF(3, 5.5, 10, 4), 180 * 16, 180 * 16);
        p.drawArc(QRectF(3, 8.5, 10, 4), 180 * 16, 180 * 16);
        if (g == Glyph::Create) {
            p.setPen(pen(kGreen, 2));
            line(12, 1, 12, 7);
            line(9, 4, 15, 4);
        }
        break;
    case Glyph::Arrow:
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawPolygon(QPolygonF({{4, 6}, {12, 6}, {8, 11}}));
        break;
    case Glyph::About:
    case Glyph::Info:
    case Glyph::Description:
        p.setPen(pen(kInk, 1));
        p.setBrush(g == Glyph::Description ? QColor(250, 240, 210) : QColor(80, 130, 200));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(pen(g == Glyph::Description ? kInk : Qt::white, 1.8));
        line(8, 7, 8, 12);
        p.drawPoint(QPointF(8, 4.3));
        break;
    case Glyph::Help:
        p.setPen(pen(kInk, 1));
        p.setBrush(QColor(250, 220, 90));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(pen(kInk, 1.6));
        p.drawArc(QRectF(5.5, 3.5, 5, 4.5), 0, 200 * 16);
        line(10.5, 5.8, 8, 8.5);
        line(8, 8.5, 8, 10);
        p.drawPoint(QPointF(8, 12.3));
        break;
    case Glyph::Close:
    case Glyph::Reject:
    case Glyph::Delete:
        p.setPen(pen(kRed, 2.2));
        line(4, 4, 12, 12);
        line(12, 4, 4, 12);
        break;
    case Glyph::Accept:
        p.setPen(pen(kGreen, 2.4));
        line(3, 8.5, 6.5, 12);
        line(6.5, 12, 13, 4);
        break;
    case Glyph::Add:
        p.setPen(pen(kGreen, 2.4));
        line(8, 3, 8, 13);
        line(3, 8, 13, 8);
        break;
    case Glyph::Export:
        p.setPen(pen(kGreen, 1));
        p.setBrush(QColor(235, 250, 235));
        p.drawRect(QRectF(2, 2, 10, 12));
        p.setPen(pen(kGreen, 0.8));
        for (int y = 5; y <= 11; y += 3)
            line(3, y, 11, y);
        line(6, 2, 6, 14);
        p.setPen(pen(kInk, 1.6));
        line(10, 8, 15, 8);
        line(13, 6, 15, 8);
        line(13, 10, 15, 8);
        break;
    case Glyph::Clear:
        p.setPen(pen(kInk, 1));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(4, 5, 8, 9));
        line(2.5, 4, 13.5, 4);
        line(6.5, 2.5, 9.5, 2.5);
        line(6.5, 7, 6.5, 12);
        line(9.5, 7, 9.5, 12);
        break;
    case Glyph::Compact:
        p.setPen(pen(kInk, 1.5));
        line(8, 1, 8, 6);
        line(5.5, 3.5, 8, 6);
        line(10.5, 3.5, 8, 6);
        line(8, 15, 8, 10);
        line(5.5, 12.5, 8, 10);
        line(10.5, 12.5, 8, 10);
        p.setPen(pen(kBlue, 1.5));
        line(2, 8, 14, 8);
        break;
    case Glyph::Settings: {
        p.setPen(pen(kInk, 1));
        p.setBrush(QColor(170, 170, 180));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(i * 45);
            p.drawRect(QRectF(-1.3, -7, 2.6, 3));
            p.restore();
        }
        p.drawEllipse(QRectF(3, 3, 10, 10));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(6, 6, 4, 4));
        break;
    }
    case Glyph::WenWang:
    case Glyph::Columns:
        p.setPen(pen(kInk, 0.8));
        p.setBrush(QColor(250, 240, 210));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        for (int i = 1; i < 4; ++i) {
            line(1.5 + i * 3.25, 1.5, 1.5 + i * 3.25, 14.5);
            if (g == Glyph::WenWang)
                line(1.5, 1.5 + i * 3.25, 14.5, 1.5 + i * 3.25);
        }
        break;
    case Glyph::GuaSigns:
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawRect(QRectF(2, 3, 12, 2.2));
        p.drawRect(QRectF(2, 7, 5, 2.2));
        p.drawRect(QRectF(9, 7, 5, 2.2));
        p.drawRect(QRectF(2, 11, 12, 2.2));
        break;
    case Glyph::Animals:
        p.setPen(pen(kInk, 1));
        p.setBrush(QColor(220, 120, 60));
        p.drawEllipse(QRectF(3, 5, 10, 9));
        p.drawEllipse(QRectF(3, 2, 4, 5));
        p.drawEllipse(QRectF(9, 2, 4, 5));
        break;
    case Glyph::Calendar:
        p.setPen(pen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2, 3, 12, 11));
        p.setBrush(kRed);
        p.drawRect(QRectF(2, 3, 12, 3));
        p.setPen(pen(kInk, 0.8));
        for (int x = 4; x <= 12; x += 3)
            for (int y = 8; y <= 12; y += 3)
                p.drawPoint(QPointF(x, y));
        break;
    case Glyph::WebMoney:
        p.setPen(pen(kInk, 1));
        p.setBrush(kGold);
        p.drawEllipse(QRectF(1.5, 3, 10, 10));
        p.setBrush(QColor(230, 190, 90));
        p.drawEllipse(QRectF(4.5, 1.5, 10, 10));
        break;
    case Glyph::Browser:
        p.setPen(pen(kBlue, 1));
        p.setBrush(QColor(220, 235, 255));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        line(1.5, 8, 14.5, 8);
        break;
    case Glyph::Copy:
        p.setPen(pen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2, 2, 8, 10));
        p.drawRect(QRectF(6, 5, 8, 10));
        break;
    case Glyph::SelectAll:
        p.setPen(QPen(kInk, 1, Qt::DashLine));
        p.drawRect(QRectF(2, 2, 12, 12));
        p.setPen(pen(kBlue, 1.4));
        for (int y = 5; y <= 11; y += 3)
            line(4, y, 12, y);
        break;
    case Glyph::Font: {
        QFont f(QStringLiteral("Liberation Serif"));
        f.setPixelSize(14);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kInk);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("A"));
        break;
    }
    case Glyph::Numbers: {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setPixelSize(8);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kInk);
        p.drawText(QRectF(0, 0, 7, 16), Qt::AlignCenter, QStringLiteral("1\n2"));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawRect(QRectF(8, 4, 7, 2));
        p.drawRect(QRectF(8, 10, 3, 2));
        p.drawRect(QRectF(12, 10, 3, 2));
        break;
    }
    case Glyph::Statistics:
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRect(QRectF(2, 9, 3, 5));
        p.setBrush(kGreen);
        p.drawRect(QRectF(6.5, 5, 3, 9));
        p.setBrush(kRed);
        p.drawRect(QRectF(11, 2, 3, 12));
        break;
    case Glyph::Run:
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawPolygon(QPolygonF({{4, 2}, {13, 8}, {4, 14}}));
        break;
    case Glyph::Folder:
        p.setPen(pen(QColor(150, 110, 40), 1));
        p.setBrush(QColor(236, 196, 100));
        p.drawPolygon(QPolygonF({{1.5, 4}, {6, 4}, {7.5, 5.5}, {14.5, 5.5}, {14.5, 13.5}, {1.5, 13.5}}));
        p.setBrush(QColor(250, 220, 130));
        p.drawPolygon(QPolygonF({{1.5, 13.5}, {3.5, 7.5}, {15.5, 7.5}, {14.5, 13.5}}));
        break;
    case Glyph::Preview:
        p.setPen(pen(kInk, 1));
        p.setBrush(QColor(250, 240, 210));
        p.drawRect(QRectF(3, 1.5, 10, 13));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(5, 4 + i * 3.5, 6, 1.8));
        break;
    }
    return pm;
}

QIcon glyphIcon(Glyph glyph, int size)
{
    QIcon icon;
    icon.addPixmap(glyphPixmap(glyph, size));
    icon.addPixmap(glyphPixmap(glyph, size * 2));
    return icon;
}

void applyMenuStyle(QMenu *menu)
{
    menu->setStyleSheet(
        QStringLiteral("QMenu { background: #fcfcf9; border: 1px solid #8c8c8c; padding: 2px 0px; }"
                       "QMenu::item { padding: 4px 22px 4px 30px; color: #1c1c1c; border: 1px solid transparent; }"
                       "QMenu::item:selected { background: #c1d2ee; border: 1px solid #316ac5; }"
                       "QMenu::item:disabled { color: #9a9a9a; }"
                       "QMenu::item:disabled:selected { background: transparent; border: 1px solid transparent; }"
                       "QMenu::icon { padding-left: 6px; }"
                       "QMenu::separator { height: 1px; background: #c6c3bd; margin: 3px 4px 3px 28px; }"));
}

} // namespace yw
