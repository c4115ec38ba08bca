#include "picture/Scene.h"

namespace picture {

bool Overlap(const Label& a, const Label& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

void Shift(Scene& scene, double dx, double dy) {
  for (Line& l : scene.lines) {
    l.x1 += dx, l.x2 += dx;
    l.y1 += dy, l.y2 += dy;
  }
  for (Dot& d : scene.dots) d.x += dx, d.y += dy;
  for (Label& l : scene.labels) l.x += dx, l.y += dy;
}

}  // namespace picture
