#include "Pictograms.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>
#include <map>
#include <numbers>

namespace images {
namespace {

const QColor kInk(40, 40, 48);
const QColor kArrow(32, 96, 200);
const QColor kCube(220, 120, 60);
const QColor kCamera(70, 74, 84);
const QColor kPaper(252, 252, 248);

void Outline(QPainter& p, double width = 1.2) {
  p.setPen(QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// A cube seen from the front, above and the right, filling `r`.
void Cube(QPainter& p, QRectF r, QColor face = kCube) {
  const double d = r.width() * 0.32;
  Outline(p);
  p.setBrush(face.lighter(130));
  p.drawPolygon(QPolygonF{{r.left(), r.top() + d}, {r.left() + d, r.top()}, {r.right(), r.top()}, {r.right() - d, r.top() + d}});
  p.setBrush(face.darker(135));
  p.drawPolygon(QPolygonF{{r.right() - d, r.top() + d}, {r.right(), r.top()}, {r.right(), r.bottom() - d}, {r.right() - d, r.bottom()}});
  p.setBrush(face);
  p.drawRect(QRectF(r.left(), r.top() + d, r.width() - d, r.height() - d));
}

// A camera facing the viewer's left, filling `r`.
void Camera(QPainter& p, QRectF r) {
  Outline(p);
  p.setBrush(kCamera);
  const QRectF body(r.left() + r.width() * 0.18, r.top() + r.height() * 0.25, r.width() * 0.82, r.height() * 0.75);
  p.drawRoundedRect(body, 2, 2);
  p.drawRect(QRectF(body.left() + body.width() * 0.45, r.top(), body.width() * 0.35, r.height() * 0.25));
  p.setBrush(QColor(160, 190, 230));
  const double lens = body.height() * 0.55;
  p.drawEllipse(QPointF(body.left() + body.width() * 0.45, body.center().y()), lens / 2, lens / 2);
  p.setBrush(kCamera.darker(120));
  p.drawPolygon(QPolygonF{{body.left(), body.center().y() - lens * 0.3}, {r.left(), body.center().y() - lens * 0.5},
                          {r.left(), body.center().y() + lens * 0.5}, {body.left(), body.center().y() + lens * 0.3}});
}

void Head(QPainter& p, QPointF tip, QPointF from, QColor colour, double size) {
  const double angle = std::atan2(tip.y() - from.y(), tip.x() - from.x());
  const double spread = 0.5;
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(QPolygonF{tip,
                          {tip.x() - size * std::cos(angle - spread), tip.y() - size * std::sin(angle - spread)},
                          {tip.x() - size * std::cos(angle + spread), tip.y() - size * std::sin(angle + spread)}});
}

// A straight arrow; with `both` a head at each end.
void Arrow(QPainter& p, QPointF from, QPointF to, bool both = false, QColor colour = kArrow, double width = 2.6) {
  const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
  const double head = width * 2.6, cut = head * 0.7 / length;
  const QPointF a = both ? from + (to - from) * cut : from, b = to - (to - from) * cut;
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(a, b);
  Head(p, to, from, colour, head);
  if (both) Head(p, from, to, colour, head);
}

// An arc of an ellipse in `r` from `start` through `span` degrees (counter-clockwise), with a head at its end.
void CurvedArrow(QPainter& p, QRectF r, double start, double span, QColor colour = kArrow, double width = 2.6) {
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
  const double trimmed = span - std::copysign(22.0, span);
  p.drawArc(r, static_cast<int>(start * 16), static_cast<int>(trimmed * 16));
  auto at = [&](double degrees) {
    const double a = degrees * std::numbers::pi / 180;
    return QPointF(r.center().x() + r.width() / 2 * std::cos(a), r.center().y() - r.height() / 2 * std::sin(a));
  };
  Head(p, at(start + span), at(start + trimmed), colour, width * 2.6);
}

void FourWay(QPainter& p, QPointF c, double reach) {
  Arrow(p, {c.x() - reach, c.y()}, {c.x() + reach, c.y()}, true, kArrow, 2.2);
  Arrow(p, {c.x(), c.y() - reach}, {c.x(), c.y() + reach}, true, kArrow, 2.2);
}

void Page(QPainter& p, QRectF r, QColor paper = kPaper) {
  const double fold = r.width() * 0.35;
  Outline(p);
  p.setBrush(paper);
  p.drawPolygon(QPolygonF{r.topLeft(), {r.right() - fold, r.top()}, {r.right(), r.top() + fold}, r.bottomRight(), r.bottomLeft()});
  p.drawPolyline(QPolygonF{{r.right() - fold, r.top()}, {r.right() - fold, r.top() + fold}, {r.right(), r.top() + fold}});
}

void Lines(QPainter& p, QRectF r, int count) {
  p.setPen(QPen(QColor(120, 130, 150), 1.4));
  for (int i = 0; i < count; ++i) {
    const double y = r.top() + r.height() * (i + 0.5) / count;
    p.drawLine(QPointF(r.left(), y), QPointF(r.right() - (i % 2) * r.width() * 0.3, y));
  }
}

void Floppy(QPainter& p, QRectF r) {
  Outline(p);
  p.setBrush(QColor(50, 90, 170));
  p.drawRoundedRect(r, 1.5, 1.5);
  p.setBrush(kPaper);
  p.drawRect(QRectF(r.left() + r.width() * 0.2, r.top() + r.height() * 0.5, r.width() * 0.6, r.height() * 0.45));
  p.setBrush(QColor(200, 204, 210));
  p.drawRect(QRectF(r.left() + r.width() * 0.28, r.top(), r.width() * 0.44, r.height() * 0.3));
}

void Magnifier(QPainter& p, int sign) {
  p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(19, 19), QPointF(28, 28));
  Outline(p, 2.2);
  p.setBrush(QColor(210, 230, 250));
  p.drawEllipse(QPointF(13, 13), 9, 9);
  p.setPen(QPen(kInk, 2.4));
  p.drawLine(QPointF(8.5, 13), QPointF(17.5, 13));
  if (sign > 0) p.drawLine(QPointF(13, 8.5), QPointF(13, 17.5));
}

void Bulb(QPainter& p, QRectF r) {
  Outline(p);
  p.setBrush(QColor(255, 226, 90));
  p.drawEllipse(QRectF(r.left(), r.top(), r.width(), r.width()));
  p.setBrush(QColor(170, 170, 180));
  const double neck = r.width() * 0.45;
  p.drawRect(QRectF(r.center().x() - neck / 2, r.top() + r.width() * 0.9, neck, r.height() - r.width() * 0.9));
}

void Sun(QPainter& p, QPointF c, double radius) {
  p.setPen(QPen(QColor(240, 160, 20), 2, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 8; ++i) {
    const double a = i * std::numbers::pi / 4;
    p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * radius * 1.35, c + QPointF(std::cos(a), std::sin(a)) * radius * 1.85);
  }
  p.setPen(QPen(QColor(220, 130, 10), 1.2));
  p.setBrush(QColor(255, 210, 40));
  p.drawEllipse(c, radius, radius);
}

void Eye(QPainter& p, QPointF c, double w) {
  Outline(p);
  p.setBrush(Qt::white);
  QPainterPath eye;
  eye.moveTo(c.x() - w / 2, c.y());
  eye.quadTo(c.x(), c.y() - w * 0.55, c.x() + w / 2, c.y());
  eye.quadTo(c.x(), c.y() + w * 0.55, c.x() - w / 2, c.y());
  p.drawPath(eye);
  p.setBrush(QColor(60, 120, 200));
  p.drawEllipse(c, w * 0.18, w * 0.18);
}

void Ground(QPainter& p, double y) {
  p.setPen(QPen(QColor(60, 140, 60), 2));
  p.drawLine(QPointF(2, y), QPointF(30, y));
}

void Pencil(QPainter& p, QPointF tip) {
  p.save();
  p.translate(tip);
  p.rotate(-45);
  Outline(p, 1);
  p.setBrush(QColor(250, 200, 60));
  p.drawRect(QRectF(4, -2.5, 12, 5));
  p.setBrush(QColor(240, 210, 170));
  p.drawPolygon(QPolygonF{{0, 0}, {4, -2.5}, {4, 2.5}});
  p.restore();
}

void QuestionMark(QPainter& p, QPointF c, double size, QColor colour) {
  p.setPen(QPen(colour, size * 0.22, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath mark;
  mark.moveTo(c.x() - size * 0.3, c.y() - size * 0.25);
  mark.cubicTo(c.x() - size * 0.3, c.y() - size * 0.7, c.x() + size * 0.35, c.y() - size * 0.7, c.x() + size * 0.3, c.y() - size * 0.25);
  mark.cubicTo(c.x() + size * 0.25, c.y(), c.x(), c.y() - size * 0.05, c.x(), c.y() + size * 0.2);
  p.drawPath(mark);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(QPointF(c.x(), c.y() + size * 0.5), size * 0.13, size * 0.13);
}

void Window(QPainter& p, QRectF r) {
  Outline(p, 1);
  p.setBrush(Qt::white);
  p.drawRect(r);
  p.setBrush(QColor(60, 100, 180));
  p.drawRect(QRectF(r.left(), r.top(), r.width(), std::min(4.0, r.height() * 0.3)));
}

void Dots(QPainter& p, bool blurred) {
  const QColor colours[] = {{220, 60, 60}, {60, 160, 70}, {60, 100, 210}};
  for (int i = 0; i < 3; ++i) {
    const QPointF c(9 + i * 7, 16 + (i % 2 ? -5 : 5));
    if (blurred) {
      QRadialGradient glow(c, 7);
      glow.setColorAt(0, colours[i]);
      glow.setColorAt(1, QColor(colours[i].red(), colours[i].green(), colours[i].blue(), 0));
      p.setPen(Qt::NoPen);
      p.setBrush(glow);
      p.drawEllipse(c, 7, 7);
    } else {
      p.setPen(Qt::NoPen);
      p.setBrush(colours[i]);
      p.drawEllipse(c, 4, 4);
    }
  }
}

using Drawing = std::function<void(QPainter&)>;

const std::map<int, Drawing>& Drawings() {
  static const std::map<int, Drawing> drawings{
      // File
      {57600, [](QPainter& p) { Page(p, {6, 2, 20, 28}); }},
      {57601, [](QPainter& p) {
         Outline(p);
         p.setBrush(QColor(230, 190, 80));
         p.drawPolygon(QPolygonF{{2, 8}, {10, 8}, {12, 11}, {26, 11}, {26, 27}, {2, 27}});
         p.setBrush(QColor(250, 215, 110));
         p.drawPolygon(QPolygonF{{6, 15}, {31, 15}, {26, 27}, {2, 27}});
       }},
      {57603, [](QPainter& p) { Floppy(p, {4, 4, 24, 24}); }},
      {33029, [](QPainter& p) {
         Floppy(p, {9, 2, 21, 21});
         Floppy(p, {2, 9, 21, 21});
       }},
      {33012, [](QPainter& p) {
         Cube(p, {12, 10, 18, 18});
         Arrow(p, {1, 4}, {14, 17});
       }},
      {33136, [](QPainter& p) {
         Outline(p);
         p.setBrush(kPaper);
         p.drawRect(QRectF(8, 3, 14, 10));
         p.setBrush(QColor(150, 156, 166));
         p.drawRoundedRect(QRectF(2, 12, 26, 11), 2, 2);
         p.setBrush(kPaper);
         p.drawRect(QRectF(8, 20, 14, 9));
         QuestionMark(p, {26, 20}, 12, QColor(30, 90, 200));
       }},
      // Edit
      {57635, [](QPainter& p) {
         p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
         p.drawLine(QPointF(10, 3), QPointF(20, 20));
         p.drawLine(QPointF(22, 3), QPointF(12, 20));
         p.setBrush(Qt::NoBrush);
         p.setPen(QPen(QColor(200, 40, 40), 2.4));
         p.drawEllipse(QPointF(9, 24), 4.5, 4.5);
         p.drawEllipse(QPointF(23, 24), 4.5, 4.5);
       }},
      {57634, [](QPainter& p) {
         Page(p, {3, 2, 17, 22});
         Page(p, {12, 8, 17, 22});
       }},
      {57637, [](QPainter& p) {
         Outline(p);
         p.setBrush(QColor(190, 140, 80));
         p.drawRoundedRect(QRectF(3, 4, 20, 26), 2, 2);
         p.setBrush(QColor(200, 200, 206));
         p.drawRect(QRectF(8, 2, 10, 5));
         Page(p, {13, 11, 17, 20});
       }},
      {57632, [](QPainter& p) {
         p.setPen(QPen(QColor(210, 40, 40), 5, Qt::SolidLine, Qt::RoundCap));
         p.drawLine(QPointF(7, 7), QPointF(25, 25));
         p.drawLine(QPointF(25, 7), QPointF(7, 25));
       }},
      {57643, [](QPainter& p) { CurvedArrow(p, {6, 6, 22, 22}, -60, 230, kArrow, 3.2); }},
      {57644, [](QPainter& p) { CurvedArrow(p, {4, 6, 22, 22}, 240, -230, kArrow, 3.2); }},
      {10005, [](QPainter& p) {
         Page(p, {3, 2, 22, 28});
         Lines(p, {6, 9, 13, 16}, 4);
         Outline(p);
         p.setBrush(Qt::white);
         p.drawEllipse(QPointF(23, 23), 7, 7);
         p.drawLine(QPointF(23, 23), QPointF(23, 18.5));
         p.drawLine(QPointF(23, 23), QPointF(26.5, 23));
       }},
      {33137, [](QPainter& p) {
         Cube(p, {2, 8, 20, 20});
         Pencil(p, {20, 14});
       }},
      {33120, [](QPainter& p) {
         Camera(p, {1, 9, 22, 16});
         Pencil(p, {20, 14});
       }},
      {10001, [](QPainter& p) { Bulb(p, {8, 2, 16, 28}); }},
      {32991, [](QPainter& p) { Magnifier(p, 1); }},
      {32992, [](QPainter& p) { Magnifier(p, -1); }},
      {33014, [](QPainter& p) {
         Camera(p, {1, 12, 24, 18});
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(250, 190, 20));
         QPolygonF star;
         for (int i = 0; i < 10; ++i) {
           const double a = i * std::numbers::pi / 5 - std::numbers::pi / 2, r = i % 2 ? 2.6 : 7;
           star << QPointF(24 + r * std::cos(a), 8 + r * std::sin(a));
         }
         p.drawPolygon(star);
       }},
      {10302, [](QPainter& p) {
         Outline(p);
         p.setBrush(QColor(236, 210, 160));
         QPainterPath palette;
         palette.addEllipse(QRectF(2, 5, 28, 22));
         QPainterPath hole;
         hole.addEllipse(QRectF(18, 17, 6, 5));
         p.drawPath(palette - hole);
         const QColor paints[] = {{220, 40, 40}, {40, 160, 60}, {40, 90, 210}, {250, 200, 30}};
         const QPointF spots[] = {{9, 12}, {16, 10}, {23, 12}, {9, 20}};
         p.setPen(Qt::NoPen);
         for (int i = 0; i < 4; ++i) {
           p.setBrush(paints[i]);
           p.drawEllipse(spots[i], 2.6, 2.6);
         }
       }},
      {33125, [](QPainter& p) {
         Window(p, {1, 2, 30, 28});
         Cube(p, {4, 9, 10, 9}, QColor(220, 80, 70));
         Cube(p, {17, 9, 10, 9}, QColor(70, 150, 80));
         Cube(p, {4, 20, 10, 9}, QColor(70, 110, 210));
         Cube(p, {17, 20, 10, 9}, kCube);
       }},
      // Interactive
      {33086, [](QPainter& p) {
         Cube(p, {6, 6, 20, 20});
         p.setPen(QPen(QColor(210, 40, 40), 1.8));
         p.setBrush(Qt::NoBrush);
         p.drawEllipse(QPointF(14, 19), 7, 7);
         p.drawLine(QPointF(14, 9), QPointF(14, 29));
         p.drawLine(QPointF(4, 19), QPointF(24, 19));
       }},
      {33126, [](QPainter& p) {
         p.setPen(QPen(QColor(40, 110, 40), 1.2));
         p.setBrush(QColor(110, 190, 90));
         p.drawPolygon(QPolygonF{{8, 14}, {31, 14}, {24, 30}, {1, 30}});
         p.setPen(QPen(QColor(40, 110, 40), 1));
         for (double t : {0.33, 0.66}) p.drawLine(QPointF(1 + 7 * t, 30 - 16 * t), QPointF(24 + 7 * t, 30 - 16 * t));
         Sun(p, {8, 6}, 3.5);
       }},
      {33128, [](QPainter& p) {
         p.setPen(QPen(kInk, 1.2, Qt::DashLine));
         p.setBrush(Qt::NoBrush);
         p.drawRect(QRectF(2, 2, 28, 28));
         Cube(p, {3, 15, 14, 14});
         Arrow(p, {15, 17}, {29, 3});
       }},
      {33066, [](QPainter& p) {
         Cube(p, {8, 9, 16, 16});
         CurvedArrow(p, {2, 3, 28, 28}, 200, -300);
       }},
      {33081, [](QPainter& p) {
         Cube(p, {16, 4, 14, 14});
         p.setPen(QPen(kInk, 1));
         p.setBrush(QColor(170, 170, 180));
         p.drawEllipse(QPointF(9, 22), 3, 3);
         CurvedArrow(p, {1, 9, 22, 22}, 140, -290);
       }},
      {33065, [](QPainter& p) {
         Cube(p, {10, 10, 13, 13});
         FourWay(p, {16, 16}, 14);
       }},
      {33071, [](QPainter& p) {
         Cube(p, {2, 12, 18, 18});
         Arrow(p, {14, 16}, {30, 2}, true);
       }},
      {33061, [](QPainter& p) {
         Camera(p, {6, 10, 20, 14});
         CurvedArrow(p, {1, 2, 30, 28}, 210, -300);
       }},
      {33060, [](QPainter& p) {
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(210, 40, 40));
         p.drawEllipse(QPointF(16, 17), 3, 3);
         CurvedArrow(p, {3, 7, 26, 20}, 160, -300);
         Camera(p, {1, 1, 14, 10});
       }},
      {33127, [](QPainter& p) {
         p.save();
         p.translate(16, 17);
         p.rotate(-20);
         Camera(p, {-10, -7, 20, 14});
         p.restore();
         CurvedArrow(p, {2, 2, 28, 28}, 160, -140);
       }},
      {33063, [](QPainter& p) {
         Camera(p, {8, 11, 16, 11});
         FourWay(p, {16, 16}, 14);
       }},
      {33072, [](QPainter& p) {
         Camera(p, {1, 15, 18, 14});
         Arrow(p, {12, 18}, {30, 2}, true);
       }},
      // Advanced
      {33028, [](QPainter& p) {
         Window(p, {1, 1, 14, 14});
         Window(p, {17, 1, 14, 14});
         Window(p, {1, 17, 14, 14});
         Window(p, {17, 17, 14, 14});
         Cube(p, {19, 20, 10, 9});
       }},
      {33090, [](QPainter& p) {
         Cube(p, {2, 9, 16, 16});
         Arrow(p, {25, 2}, {25, 30}, true);
       }},
      {33094, [](QPainter& p) {
         Cube(p, {9, 2, 14, 14});
         Arrow(p, {2, 21}, {30, 21}, true);
         Ground(p, 29);
       }},
      {33100, [](QPainter& p) {
         Eye(p, {7, 16}, 12);
         Arrow(p, {13, 16}, {22, 16}, true, kArrow, 2.2);
         Cube(p, {22, 10, 10, 10});
       }},
      {33099, [](QPainter& p) {
         Cube(p, {1, 12, 11, 11}, QColor(90, 140, 220));
         Arrow(p, {12, 17}, {21, 17}, false, kArrow, 2.4);
         Cube(p, {21, 12, 11, 11});
       }},
      {33091, [](QPainter& p) {
         Camera(p, {1, 10, 18, 13});
         Arrow(p, {25, 2}, {25, 30}, true);
       }},
      {33119, [](QPainter& p) {
         Camera(p, {8, 3, 16, 12});
         Arrow(p, {2, 21}, {30, 21}, true);
         Ground(p, 29);
       }},
      {33098, [](QPainter& p) {
         Camera(p, {1, 11, 13, 10});
         Arrow(p, {14, 16}, {22, 16}, false, kArrow, 2.4);
         Cube(p, {21, 11, 11, 11});
       }},
      {33106, [](QPainter& p) {
         p.setBrush(Qt::NoBrush);
         for (int i = 0; i < 3; ++i) {
           p.setPen(QPen(i == 2 ? QColor(210, 40, 40) : kInk, 1.8));
           p.drawEllipse(QPointF(16, 16), 13.0 - i * 4.5, 13.0 - i * 4.5);
         }
         p.setPen(QPen(kInk, 1.4));
         p.drawLine(QPointF(16, 1), QPointF(16, 8));
         p.drawLine(QPointF(16, 24), QPointF(16, 31));
         p.drawLine(QPointF(1, 16), QPointF(8, 16));
         p.drawLine(QPointF(24, 16), QPointF(31, 16));
       }},
      {33110, [](QPainter& p) {
         Outline(p);
         p.setBrush(kCamera);
         p.drawRect(QRectF(13, 10, 17, 12));
         p.setBrush(kCamera.lighter(140));
         p.drawPolygon(QPolygonF{{13, 11}, {5, 8}, {5, 24}, {13, 21}});
         p.setBrush(QColor(160, 190, 230));
         p.drawEllipse(QRectF(2, 8, 5, 16));
         Arrow(p, {14, 29}, {30, 29}, true, kArrow, 2);
         Arrow(p, {14, 4}, {30, 4}, true, kArrow, 2);
       }},
      {33118, [](QPainter& p) { Dots(p, true); }},
      {33131, [](QPainter& p) {
         Sun(p, {9, 9}, 5);
         Arrow(p, {15, 15}, {28, 28});
       }},
  };
  return drawings;
}

}  // namespace

bool DrawCommand(int command, QPainter& p) {
  const auto found = Drawings().find(command);
  if (found == Drawings().end()) return false;
  found->second(p);
  return true;
}

void DrawProgramIcon(QPainter& p) {
  // A cube on a painter's palette-coloured disc, with a brush stroke across it.
  QRadialGradient disc(QPointF(12, 10), 20);
  disc.setColorAt(0, QColor(120, 170, 240));
  disc.setColorAt(1, QColor(40, 70, 150));
  p.setPen(QPen(QColor(30, 40, 90), 1));
  p.setBrush(disc);
  p.drawEllipse(QRectF(1, 1, 30, 30));
  Cube(p, {8, 7, 17, 17}, QColor(236, 140, 60));
  p.setPen(QPen(QColor(250, 220, 60), 2.6, Qt::SolidLine, Qt::RoundCap));
  QPainterPath stroke;
  stroke.moveTo(5, 26);
  stroke.cubicTo(11, 22, 20, 29, 27, 24);
  p.setBrush(Qt::NoBrush);
  p.drawPath(stroke);
}

}  // namespace images
