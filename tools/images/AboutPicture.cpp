#include "AboutPicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace images {
namespace {

const QColor kOutline(24, 24, 32);

QPen OutlinePen(double width = 2.5) {
  QPen pen(kOutline, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

void DrawSky(QPainter& p) {
  QLinearGradient sky(0, 0, 0, 190);
  sky.setColorAt(0.0, QColor(38, 70, 140));
  sky.setColorAt(1.0, QColor(250, 214, 160));
  p.fillRect(QRectF(0, 0, kAboutWidth, 190), sky);
}

// The ground: a plane with grid lines running to a vanishing point above the horizon.
void DrawGround(QPainter& p) {
  QLinearGradient ground(0, 190, 0, kAboutHeight);
  ground.setColorAt(0.0, QColor(150, 170, 96));
  ground.setColorAt(1.0, QColor(86, 118, 60));
  p.fillRect(QRectF(0, 190, kAboutWidth, kAboutHeight - 190), ground);
  p.setPen(QPen(QColor(60, 84, 40, 160), 1.2));
  const QPointF vanishing(250, 120);
  for (int x = -600; x <= 1100; x += 70) {
    const QPointF bottom(x, kAboutHeight);
    const double t = (190 - vanishing.y()) / (bottom.y() - vanishing.y());
    p.drawLine(vanishing + (bottom - vanishing) * t, bottom);
  }
  for (double y = 196; y < kAboutHeight; y += (y - 184) * 0.45) p.drawLine(QPointF(0, y), QPointF(kAboutWidth, y));
}

void DrawShadow(QPainter& p, const QRectF& ellipse) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 50, 20, 90));
  p.drawEllipse(ellipse);
}

void DrawCube(QPainter& p) {
  DrawShadow(p, QRectF(248, 228, 150, 34));
  const QPointF a(270, 170), b(330, 190), c(390, 165), d(330, 148);
  const QPointF down(0, 70);
  p.setPen(OutlinePen());
  p.setBrush(QColor(236, 196, 64));
  p.drawPolygon(QPolygonF({a, b, c, d}));
  p.setBrush(QColor(214, 150, 40));
  p.drawPolygon(QPolygonF({a, b, b + down, a + down}));
  p.setBrush(QColor(170, 108, 30));
  p.drawPolygon(QPolygonF({b, c, c + down, b + down}));
}

void DrawSphere(QPainter& p) {
  DrawShadow(p, QRectF(100, 236, 130, 28));
  QRadialGradient shade(QPointF(140, 170), 80, QPointF(128, 158));
  shade.setColorAt(0.0, QColor(255, 236, 236));
  shade.setColorAt(0.25, QColor(224, 72, 72));
  shade.setColorAt(1.0, QColor(112, 20, 30));
  p.setPen(OutlinePen());
  p.setBrush(shade);
  p.drawEllipse(QPointF(160, 196), 56, 56);
}

void DrawCone(QPainter& p) {
  DrawShadow(p, QRectF(392, 234, 90, 22));
  QLinearGradient side(410, 0, 470, 0);
  side.setColorAt(0.0, QColor(110, 170, 230));
  side.setColorAt(1.0, QColor(40, 80, 150));
  QPainterPath cone;
  cone.moveTo(438, 130);
  cone.lineTo(472, 238);
  cone.arcTo(QRectF(404, 228, 68, 20), 0, -180);
  cone.closeSubpath();
  p.setPen(OutlinePen());
  p.setBrush(side);
  p.drawPath(cone);
}

// A few brush strokes over the sphere: the painted look.
void DrawBrushStrokes(QPainter& p) {
  QPen stroke(QColor(255, 255, 255, 70), 5);
  stroke.setCapStyle(Qt::RoundCap);
  p.setPen(stroke);
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 5; ++i) p.drawArc(QRectF(122 + i * 3, 160 + i * 5, 60, 50), 100 * 16, 70 * 16);
}

void DrawTitle(QPainter& p) {
  QFont title("DejaVu Serif");
  title.setPixelSize(58);
  title.setBold(true);
  title.setItalic(true);
  QPainterPath text;
  text.addText(QPointF(30, 78), title, "Tavrolin");
  p.setPen(QPen(kOutline, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(text);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 248, 230));
  p.drawPath(text);

  QFont tagline("DejaVu Sans");
  tagline.setPixelSize(15);
  p.setFont(tagline);
  p.setPen(QColor(255, 248, 230));
  p.drawText(QPointF(34, 104), "3D scenes turned into artistic pictures");
}

}  // namespace

void DrawAboutPicture(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  DrawSky(p);
  DrawGround(p);
  DrawSphere(p);
  DrawBrushStrokes(p);
  DrawCube(p);
  DrawCone(p);
  DrawTitle(p);
}

}  // namespace images
