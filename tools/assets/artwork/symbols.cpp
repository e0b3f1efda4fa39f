#include "artwork/symbols.h"

#include "artwork/canvas.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

namespace artwork {

namespace {

using Point = std::pair<double, double>;

// Solid parts wind clockwise on screen (y down), holes the other way; the winding is fixed here
// whatever order the points were written in.
void polygon(cairo_t* cr, std::initializer_list<Point> points, bool hole = false) {
  std::vector<Point> list(points);
  double area = 0.0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const Point& a = list[i];
    const Point& b = list[(i + 1) % list.size()];
    area += a.first * b.second - b.first * a.second;
  }
  if ((area < 0.0) != hole) {
    std::vector<Point> reversed(list.rbegin(), list.rend());
    list.swap(reversed);
  }
  cairo_new_sub_path(cr);
  for (const Point& p : list) cairo_line_to(cr, p.first, p.second);
  cairo_close_path(cr);
}

void circle(cairo_t* cr, double x, double y, double r, bool hole = false) {
  cairo_new_sub_path(cr);
  if (hole) {
    cairo_arc_negative(cr, x, y, r, 2.0 * M_PI, 0.0);
  } else {
    cairo_arc(cr, x, y, r, 0.0, 2.0 * M_PI);
  }
  cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double x, double y, double rx, double ry, double angle = 0.0) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_scale(cr, rx, ry);
  circle(cr, 0.0, 0.0, 1.0);
  cairo_restore(cr);
}

void rect(cairo_t* cr, double x, double y, double w, double h, bool hole = false) {
  polygon(cr, {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, hole);
}

// The part of the first circle that lies outside the second.
void crescent(cairo_t* cr, double x1, double y1, double r1, double x2, double y2, double r2) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double d = std::hypot(dx, dy);
  const double a = (r1 * r1 - r2 * r2 + d * d) / (2.0 * d);
  const double h = std::sqrt(std::max(0.0, r1 * r1 - a * a));
  const double px = x1 + a * dx / d;
  const double py = y1 + a * dy / d;
  const double ax = px - h * dy / d;
  const double ay = py + h * dx / d;
  const double bx = px + h * dy / d;
  const double by = py - h * dx / d;
  const double toCentre = std::atan2(dy, dx);
  const double alpha = std::acos(std::clamp(a / r1, -1.0, 1.0));
  cairo_new_sub_path(cr);
  cairo_arc(cr, x1, y1, r1, toCentre + alpha, toCentre - alpha + 2.0 * M_PI);
  cairo_arc_negative(cr, x2, y2, r2, std::atan2(by - y2, bx - x2), std::atan2(ay - y2, ax - x2));
  cairo_close_path(cr);
}

void lens(cairo_t* cr, double halfWidth, double top, double bottom) {
  cairo_new_sub_path(cr);
  cairo_move_to(cr, 0.0, top);
  const double span = bottom - top;
  cairo_curve_to(cr, halfWidth * 1.3, top + span * 0.2, halfWidth * 1.3, top + span * 0.75, 0.0, bottom);
  cairo_curve_to(cr, -halfWidth * 1.3, top + span * 0.75, -halfWidth * 1.3, top + span * 0.2, 0.0, top);
  cairo_close_path(cr);
}

void drop(cairo_t* cr, double cx, double cy, double scale) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, scale, scale);
  cairo_new_sub_path(cr);
  cairo_move_to(cr, 0.0, -0.95);
  cairo_curve_to(cr, 0.15, -0.6, 0.7, -0.1, 0.7, 0.3);
  cairo_curve_to(cr, 0.7, 0.72, 0.38, 0.92, 0.0, 0.92);
  cairo_curve_to(cr, -0.38, 0.92, -0.7, 0.72, -0.7, 0.3);
  cairo_curve_to(cr, -0.7, -0.1, -0.15, -0.6, 0.0, -0.95);
  cairo_close_path(cr);
  cairo_restore(cr);
}

// A thick arc band between two radii, from angle a0 to a1 (clockwise).
void band(cairo_t* cr, double cx, double cy, double inner, double outer, double a0, double a1) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, outer, a0, a1);
  cairo_arc_negative(cr, cx, cy, inner, a1, a0);
  cairo_close_path(cr);
}

void rotated(cairo_t* cr, double angle, void (*draw)(cairo_t*)) {
  cairo_save(cr);
  cairo_rotate(cr, angle);
  draw(cr);
  cairo_restore(cr);
}

void compass(cairo_t* cr) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < 16; ++i) {
    const double radius = (i % 4 == 0) ? 0.97 : (i % 2 == 0 ? 0.55 : 0.2);
    const double angle = -M_PI / 2.0 + i * M_PI / 8.0;
    cairo_line_to(cr, radius * std::cos(angle), radius * std::sin(angle));
  }
  cairo_close_path(cr);
}

void sun(cairo_t* cr) {
  circle(cr, 0.0, 0.0, 0.48);
  for (int i = 0; i < 8; ++i) {
    const double angle = i * M_PI / 4.0;
    const double spread = 0.2;
    polygon(cr, {{0.6 * std::cos(angle - spread), 0.6 * std::sin(angle - spread)},
                 {0.97 * std::cos(angle), 0.97 * std::sin(angle)},
                 {0.6 * std::cos(angle + spread), 0.6 * std::sin(angle + spread)}});
  }
}

void leaf(cairo_t* cr) {
  lens(cr, 0.64, -0.95, 0.7);
  rect(cr, -0.06, 0.6, 0.12, 0.36);
  polygon(cr, {{0.0, -0.6}, {0.05, 0.0}, {0.0, 0.5}, {-0.05, 0.0}}, true);
}

void key(cairo_t* cr) {
  circle(cr, -0.55, 0.0, 0.4);
  circle(cr, -0.55, 0.0, 0.18, true);
  rect(cr, -0.2, -0.1, 1.1, 0.2);
  rect(cr, 0.52, 0.05, 0.14, 0.32);
  rect(cr, 0.76, 0.05, 0.14, 0.24);
}

void feather(cairo_t* cr) {
  lens(cr, 0.46, -0.98, 0.62);
  rect(cr, -0.04, 0.45, 0.08, 0.5);
  polygon(cr, {{0.3, -0.25}, {0.05, -0.1}, {0.38, -0.12}}, true);
  polygon(cr, {{-0.32, 0.05}, {-0.05, 0.2}, {-0.36, 0.2}}, true);
}

void snowflake(cairo_t* cr) {
  for (int i = 0; i < 6; ++i) {
    cairo_save(cr);
    cairo_rotate(cr, i * M_PI / 3.0);
    rect(cr, -0.08, -0.95, 0.16, 0.95);
    polygon(cr, {{-0.05, -0.55}, {-0.36, -0.82}, {-0.42, -0.74}, {-0.05, -0.4}});
    polygon(cr, {{0.05, -0.55}, {0.36, -0.82}, {0.42, -0.74}, {0.05, -0.4}});
    cairo_restore(cr);
  }
  circle(cr, 0.0, 0.0, 0.2);
}

}  // namespace

void symbolPath(cairo_t* cr, Symbol symbol) {
  switch (symbol) {
    case Symbol::Disc:
      circle(cr, 0.0, 0.0, 0.86);
      break;
    case Symbol::Square:
      cairo_new_sub_path(cr);
      cairo_rectangle(cr, -0.72, -0.72, 1.44, 1.44);
      break;
    case Symbol::Triangle:
      polygon(cr, {{0.0, -0.9}, {0.92, 0.72}, {-0.92, 0.72}});
      break;
    case Symbol::Diamond:
      polygon(cr, {{0.0, -0.97}, {0.66, 0.0}, {0.0, 0.97}, {-0.66, 0.0}});
      break;
    case Symbol::Star:
      cairo_save(cr);
      cairo_translate(cr, 0.0, 0.08);
      starPath(cr, 0.0, 0.0, 1.0, 0.44, 5, 0.0);
      cairo_restore(cr);
      break;
    case Symbol::Heart:
      cairo_new_sub_path(cr);
      cairo_move_to(cr, 0.0, -0.45);
      cairo_curve_to(cr, 0.1, -0.85, 0.85, -0.95, 0.9, -0.35);
      cairo_curve_to(cr, 0.9, 0.15, 0.35, 0.5, 0.0, 0.9);
      cairo_curve_to(cr, -0.35, 0.5, -0.9, 0.15, -0.9, -0.35);
      cairo_curve_to(cr, -0.85, -0.95, -0.1, -0.85, 0.0, -0.45);
      cairo_close_path(cr);
      break;
    case Symbol::Crescent:
      crescent(cr, -0.05, 0.0, 0.9, 0.38, -0.28, 0.72);
      break;
    case Symbol::Cross:
      polygon(cr, {{-0.3, -0.9}, {0.3, -0.9}, {0.3, -0.3}, {0.9, -0.3}, {0.9, 0.3}, {0.3, 0.3}, {0.3, 0.9},
                   {-0.3, 0.9}, {-0.3, 0.3}, {-0.9, 0.3}, {-0.9, -0.3}, {-0.3, -0.3}});
      break;
    case Symbol::Hexagon:
      polygon(cr, {{-0.9, 0.0}, {-0.45, -0.78}, {0.45, -0.78}, {0.9, 0.0}, {0.45, 0.78}, {-0.45, 0.78}});
      break;
    case Symbol::Ring:
      circle(cr, 0.0, 0.0, 0.9);
      circle(cr, 0.0, 0.0, 0.5, true);
      break;
    case Symbol::Drop:
      drop(cr, 0.0, 0.0, 1.0);
      break;
    case Symbol::Spade:
      cairo_new_sub_path(cr);
      cairo_move_to(cr, 0.0, -0.95);
      cairo_curve_to(cr, 0.35, -0.55, 0.88, -0.3, 0.86, 0.12);
      cairo_curve_to(cr, 0.84, 0.55, 0.35, 0.62, 0.08, 0.35);
      cairo_line_to(cr, 0.3, 0.94);
      cairo_line_to(cr, -0.3, 0.94);
      cairo_line_to(cr, -0.08, 0.35);
      cairo_curve_to(cr, -0.35, 0.62, -0.84, 0.55, -0.86, 0.12);
      cairo_curve_to(cr, -0.88, -0.3, -0.35, -0.55, 0.0, -0.95);
      cairo_close_path(cr);
      break;
    case Symbol::Club:
      circle(cr, 0.0, -0.48, 0.37);
      circle(cr, 0.46, 0.14, 0.37);
      circle(cr, -0.46, 0.14, 0.37);
      circle(cr, 0.0, 0.02, 0.24);
      polygon(cr, {{0.08, 0.1}, {0.3, 0.94}, {-0.3, 0.94}, {-0.08, 0.1}});
      break;
    case Symbol::Arrow:
      polygon(cr, {{0.0, -0.95}, {0.82, -0.1}, {0.3, -0.1}, {0.3, 0.92}, {-0.3, 0.92}, {-0.3, -0.1}, {-0.82, -0.1}});
      break;
    case Symbol::Hourglass:
      polygon(cr, {{-0.62, -0.78}, {0.62, -0.78}, {0.1, 0.0}, {0.62, 0.78}, {-0.62, 0.78}, {-0.1, 0.0}});
      rect(cr, -0.78, -0.95, 1.56, 0.2);
      rect(cr, -0.78, 0.75, 1.56, 0.2);
      break;
    case Symbol::Compass:
      compass(cr);
      break;
    case Symbol::HalfDisc:
      cairo_new_sub_path(cr);
      cairo_arc(cr, 0.0, 0.3, 0.95, M_PI, 2.0 * M_PI);
      cairo_close_path(cr);
      rect(cr, -0.95, 0.45, 1.9, 0.18);
      break;
    case Symbol::Quatrefoil:
      circle(cr, 0.0, -0.5, 0.42);
      circle(cr, 0.5, 0.0, 0.42);
      circle(cr, 0.0, 0.5, 0.42);
      circle(cr, -0.5, 0.0, 0.42);
      rect(cr, -0.45, -0.45, 0.9, 0.9);
      break;
    case Symbol::Bolt:
      polygon(cr, {{0.2, -0.97}, {-0.62, 0.12}, {-0.06, 0.12}, {-0.26, 0.97}, {0.62, -0.16}, {0.06, -0.16}});
      break;
    case Symbol::Cloud:
      circle(cr, -0.48, 0.12, 0.38);
      circle(cr, 0.05, -0.18, 0.52);
      circle(cr, 0.52, 0.14, 0.38);
      cairo_new_sub_path(cr);
      cairo_rectangle(cr, -0.86, 0.12, 1.76, 0.4);
      break;
    case Symbol::Sun:
      sun(cr);
      break;
    case Symbol::Chevron:
      polygon(cr, {{0.0, -0.95}, {0.88, -0.2}, {0.88, 0.2}, {0.0, -0.52}, {-0.88, 0.2}, {-0.88, -0.2}});
      polygon(cr, {{0.0, -0.2}, {0.88, 0.55}, {0.88, 0.95}, {0.0, 0.23}, {-0.88, 0.95}, {-0.88, 0.55}});
      break;
    case Symbol::Shield:
      cairo_new_sub_path(cr);
      cairo_move_to(cr, -0.78, -0.88);
      cairo_line_to(cr, 0.78, -0.88);
      cairo_line_to(cr, 0.78, 0.05);
      cairo_curve_to(cr, 0.78, 0.5, 0.4, 0.78, 0.0, 0.96);
      cairo_curve_to(cr, -0.4, 0.78, -0.78, 0.5, -0.78, 0.05);
      cairo_close_path(cr);
      polygon(cr, {{-0.12, -0.88}, {0.12, -0.88}, {0.12, 0.75}, {-0.12, 0.75}}, true);
      break;
    case Symbol::Flower:
      for (int i = 0; i < 6; ++i) {
        const double angle = i * M_PI / 3.0 - M_PI / 2.0;
        circle(cr, 0.55 * std::cos(angle), 0.55 * std::sin(angle), 0.38);
      }
      circle(cr, 0.0, 0.0, 0.4);
      break;
    case Symbol::Leaf:
      rotated(cr, M_PI / 6.0, leaf);
      break;
    case Symbol::Bell:
      cairo_new_sub_path(cr);
      cairo_move_to(cr, 0.0, -0.74);
      cairo_curve_to(cr, 0.45, -0.74, 0.5, -0.3, 0.52, 0.1);
      cairo_curve_to(cr, 0.55, 0.45, 0.7, 0.52, 0.88, 0.6);
      cairo_line_to(cr, 0.88, 0.72);
      cairo_line_to(cr, -0.88, 0.72);
      cairo_line_to(cr, -0.88, 0.6);
      cairo_curve_to(cr, -0.7, 0.52, -0.55, 0.45, -0.52, 0.1);
      cairo_curve_to(cr, -0.5, -0.3, -0.45, -0.74, 0.0, -0.74);
      cairo_close_path(cr);
      circle(cr, 0.0, -0.8, 0.14);
      circle(cr, 0.0, 0.8, 0.17);
      break;
    case Symbol::House:
      polygon(cr, {{0.0, -0.92}, {0.92, -0.05}, {0.7, -0.05}, {0.7, 0.88}, {-0.7, 0.88}, {-0.7, -0.05}, {-0.92, -0.05}});
      rect(cr, 0.38, -0.8, 0.2, 0.45);
      rect(cr, -0.2, 0.3, 0.4, 0.58, true);
      break;
    case Symbol::Fish:
      cairo_new_sub_path(cr);
      cairo_move_to(cr, -0.55, 0.0);
      cairo_curve_to(cr, -0.2, -0.58, 0.45, -0.62, 0.92, 0.0);
      cairo_curve_to(cr, 0.45, 0.62, -0.2, 0.58, -0.55, 0.0);
      cairo_close_path(cr);
      polygon(cr, {{-0.42, 0.0}, {-0.95, -0.48}, {-0.82, 0.0}, {-0.95, 0.48}});
      circle(cr, 0.48, -0.1, 0.09, true);
      break;
    case Symbol::Tree:
      polygon(cr, {{0.0, -0.97}, {0.5, -0.45}, {-0.5, -0.45}});
      polygon(cr, {{0.0, -0.7}, {0.7, 0.0}, {-0.7, 0.0}});
      polygon(cr, {{0.0, -0.35}, {0.9, 0.55}, {-0.9, 0.55}});
      rect(cr, -0.15, 0.5, 0.3, 0.45);
      break;
    case Symbol::Mushroom:
      cairo_new_sub_path(cr);
      cairo_move_to(cr, -0.92, 0.08);
      cairo_curve_to(cr, -0.92, -0.6, -0.45, -0.9, 0.0, -0.9);
      cairo_curve_to(cr, 0.45, -0.9, 0.92, -0.6, 0.92, 0.08);
      cairo_close_path(cr);
      roundedRectangle(cr, -0.3, 0.0, 0.6, 0.92, 0.16);
      circle(cr, -0.45, -0.3, 0.14, true);
      circle(cr, 0.32, -0.5, 0.12, true);
      circle(cr, 0.15, -0.18, 0.09, true);
      break;
    case Symbol::Key:
      cairo_save(cr);
      cairo_scale(cr, 1.3, 1.3);
      rotated(cr, -M_PI / 4.0, key);
      cairo_restore(cr);
      break;
    case Symbol::Crown:
      polygon(cr, {{-0.9, -0.52}, {-0.45, -0.05}, {0.0, -0.72}, {0.45, -0.05}, {0.9, -0.52}, {0.76, 0.48}, {-0.76, 0.48}});
      rect(cr, -0.78, 0.58, 1.56, 0.26);
      circle(cr, -0.9, -0.6, 0.12);
      circle(cr, 0.0, -0.8, 0.12);
      circle(cr, 0.9, -0.6, 0.12);
      break;
    case Symbol::Shell: {
      cairo_new_sub_path(cr);
      cairo_move_to(cr, 0.0, 0.85);
      for (int i = 0; i <= 24; ++i) {
        const double angle = M_PI + i * M_PI / 24.0;
        const double bump = 0.86 + 0.07 * std::abs(std::cos(i * M_PI / 4.0));
        cairo_line_to(cr, bump * std::cos(angle) * 1.05, 0.25 + bump * std::sin(angle) * 1.1);
      }
      cairo_close_path(cr);
      for (int i = 1; i <= 4; ++i) {
        const double angle = M_PI + i * M_PI / 5.0;
        const double ex = 0.8 * std::cos(angle);
        const double ey = 0.25 + 0.85 * std::sin(angle);
        polygon(cr, {{0.0, 0.62}, {ex - 0.06, ey}, {ex + 0.06, ey}}, true);
      }
      rect(cr, -0.35, 0.72, 0.7, 0.2);
      break;
    }
    case Symbol::Cat:
      ellipse(cr, 0.0, 0.12, 0.86, 0.72);
      polygon(cr, {{-0.82, -0.9}, {-0.2, -0.5}, {-0.75, -0.1}});
      polygon(cr, {{0.82, -0.9}, {0.2, -0.5}, {0.75, -0.1}});
      polygon(cr, {{-0.5, 0.02}, {-0.32, -0.12}, {-0.14, 0.02}, {-0.32, 0.16}}, true);
      polygon(cr, {{0.5, 0.02}, {0.32, -0.12}, {0.14, 0.02}, {0.32, 0.16}}, true);
      polygon(cr, {{-0.1, 0.3}, {0.1, 0.3}, {0.0, 0.42}}, true);
      break;
    case Symbol::Bird:
      ellipse(cr, -0.05, 0.15, 0.6, 0.45, -0.2);
      circle(cr, 0.45, -0.35, 0.3);
      polygon(cr, {{0.7, -0.46}, {0.98, -0.34}, {0.7, -0.24}});
      polygon(cr, {{-0.5, 0.05}, {-0.98, -0.3}, {-0.78, 0.42}});
      rect(cr, -0.12, 0.55, 0.07, 0.35);
      rect(cr, 0.1, 0.55, 0.07, 0.35);
      circle(cr, 0.52, -0.4, 0.07, true);
      break;
    case Symbol::Anchor:
      circle(cr, 0.0, -0.76, 0.2);
      circle(cr, 0.0, -0.76, 0.09, true);
      rect(cr, -0.08, -0.6, 0.16, 1.45);
      rect(cr, -0.48, -0.44, 0.96, 0.15);
      band(cr, 0.0, 0.08, 0.62, 0.78, 0.25, M_PI - 0.25);
      polygon(cr, {{0.58, 0.0}, {0.98, 0.15}, {0.72, 0.38}});
      polygon(cr, {{-0.58, 0.0}, {-0.98, 0.15}, {-0.72, 0.38}});
      break;
    case Symbol::Feather:
      rotated(cr, M_PI / 4.5, feather);
      break;
    case Symbol::Lantern:
      polygon(cr, {{-0.3, -0.82}, {0.3, -0.82}, {0.5, -0.62}, {-0.5, -0.62}});
      roundedRectangle(cr, -0.5, -0.64, 1.0, 1.28, 0.12);
      rect(cr, -0.3, -0.44, 0.6, 0.88, true);
      rect(cr, -0.6, 0.62, 1.2, 0.2);
      band(cr, 0.0, -0.82, 0.08, 0.17, M_PI, 2.0 * M_PI);
      drop(cr, 0.0, 0.02, 0.3);
      break;
    case Symbol::Acorn:
      cairo_new_sub_path(cr);
      cairo_move_to(cr, -0.76, -0.12);
      cairo_curve_to(cr, -0.76, -0.72, 0.76, -0.72, 0.76, -0.12);
      cairo_close_path(cr);
      rect(cr, -0.07, -0.9, 0.14, 0.4);
      cairo_new_sub_path(cr);
      cairo_move_to(cr, -0.6, -0.1);
      cairo_line_to(cr, 0.6, -0.1);
      cairo_curve_to(cr, 0.6, 0.45, 0.2, 0.8, 0.0, 0.96);
      cairo_curve_to(cr, -0.2, 0.8, -0.6, 0.45, -0.6, -0.1);
      cairo_close_path(cr);
      break;
    case Symbol::Butterfly:
      ellipse(cr, -0.46, -0.3, 0.46, 0.4, -0.3);
      ellipse(cr, 0.46, -0.3, 0.46, 0.4, 0.3);
      ellipse(cr, -0.34, 0.4, 0.3, 0.34, 0.4);
      ellipse(cr, 0.34, 0.4, 0.3, 0.34, -0.4);
      roundedRectangle(cr, -0.08, -0.6, 0.16, 1.3, 0.08);
      polygon(cr, {{-0.04, -0.58}, {-0.3, -0.95}, {-0.24, -0.98}, {0.02, -0.62}});
      polygon(cr, {{0.04, -0.58}, {0.3, -0.95}, {0.24, -0.98}, {-0.02, -0.62}});
      break;
    case Symbol::Teacup:
      cairo_new_sub_path(cr);
      cairo_move_to(cr, -0.78, -0.32);
      cairo_line_to(cr, 0.5, -0.32);
      cairo_curve_to(cr, 0.5, 0.32, 0.28, 0.56, -0.14, 0.56);
      cairo_curve_to(cr, -0.56, 0.56, -0.78, 0.32, -0.78, -0.32);
      cairo_close_path(cr);
      circle(cr, 0.55, -0.02, 0.27);
      circle(cr, 0.55, -0.02, 0.14, true);
      roundedRectangle(cr, -0.95, 0.62, 1.62, 0.16, 0.08);
      band(cr, -0.35, -0.6, 0.14, 0.24, M_PI, 2.0 * M_PI);
      band(cr, 0.05, -0.72, 0.14, 0.24, 0.0, M_PI);
      break;
    case Symbol::Snowflake:
      snowflake(cr);
      break;
    case Symbol::Pear:
      circle(cr, 0.0, 0.34, 0.58);
      circle(cr, 0.0, -0.3, 0.34);
      polygon(cr, {{-0.33, -0.35}, {0.33, -0.35}, {0.56, 0.2}, {-0.56, 0.2}});
      rect(cr, -0.05, -0.92, 0.1, 0.35);
      cairo_save(cr);
      cairo_translate(cr, 0.22, -0.78);
      cairo_rotate(cr, M_PI / 2.6);
      lens(cr, 0.11, -0.25, 0.25);
      cairo_restore(cr);
      break;
    case Symbol::Candle:
      rect(cr, -0.28, -0.22, 0.56, 0.96);
      drop(cr, 0.0, -0.62, 0.34);
      roundedRectangle(cr, -0.62, 0.72, 1.24, 0.2, 0.08);
      break;
    case Symbol::Umbrella:
      cairo_new_sub_path(cr);
      cairo_move_to(cr, -0.95, 0.0);
      cairo_curve_to(cr, -0.95, -0.62, -0.5, -0.92, 0.0, -0.92);
      cairo_curve_to(cr, 0.5, -0.92, 0.95, -0.62, 0.95, 0.0);
      cairo_arc_negative(cr, 0.633, 0.0, 0.317, 0.0, M_PI);
      cairo_arc_negative(cr, 0.0, 0.0, 0.317, 0.0, M_PI);
      cairo_arc_negative(cr, -0.633, 0.0, 0.317, 0.0, M_PI);
      cairo_close_path(cr);
      rect(cr, -0.055, -0.1, 0.11, 0.82);
      band(cr, -0.17, 0.72, 0.12, 0.23, 0.0, M_PI);
      break;
    case Symbol::Note:
      ellipse(cr, -0.48, 0.62, 0.3, 0.21, -0.35);
      ellipse(cr, 0.5, 0.46, 0.3, 0.21, -0.35);
      rect(cr, -0.3, -0.62, 0.12, 1.22);
      rect(cr, 0.68, -0.78, 0.12, 1.22);
      polygon(cr, {{-0.3, -0.62}, {0.8, -0.8}, {0.8, -0.52}, {-0.3, -0.34}});
      break;
    case Symbol::Mountain:
      polygon(cr, {{-0.98, 0.72}, {-0.38, -0.38}, {-0.12, 0.06}, {0.32, -0.85}, {0.98, 0.72}});
      polygon(cr, {{0.32, -0.5}, {0.18, -0.22}, {0.32, -0.3}, {0.46, -0.2}}, true);
      break;
    case Symbol::Kite:
      polygon(cr, {{0.0, -0.97}, {0.6, -0.28}, {0.0, 0.5}, {-0.6, -0.28}});
      polygon(cr, {{0.02, 0.45}, {0.1, 0.5}, {-0.12, 0.97}, {-0.2, 0.92}});
      polygon(cr, {{-0.22, 0.64}, {0.1, 0.68}, {-0.26, 0.82}});
      polygon(cr, {{0.0, -0.86}, {0.045, -0.3}, {0.0, 0.38}, {-0.045, -0.3}}, true);
      break;
  }
}

}  // namespace artwork
