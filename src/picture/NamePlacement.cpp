#include "picture/NamePlacement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <utility>

namespace picture {

namespace {

constexpr double kCell = 32;  // of the grid that finds nearby boxes

bool Overlap(const Box& a, const Box& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool Inside(const Box& box, const Box& area) {
  return box.x >= area.x && box.y >= area.y && box.x + box.width <= area.x + area.width &&
         box.y + box.height <= area.y + area.height;
}

// The boxes taken so far, filed by the grid cells they touch.
class TakenBoxes {
 public:
  void Add(const Box& box) {
    const int index = static_cast<int>(boxes_.size());
    boxes_.push_back(box);
    ForCells(box, [&](std::pair<int, int> cell) { cells_[cell].push_back(index); });
  }
  bool Free(const Box& box) const {
    bool free = true;
    ForCells(box, [&](std::pair<int, int> cell) {
      auto it = cells_.find(cell);
      if (it == cells_.end()) return;
      for (int index : it->second)
        if (Overlap(box, boxes_[static_cast<size_t>(index)])) free = false;
    });
    return free;
  }

 private:
  template <typename F>
  static void ForCells(const Box& box, F visit) {
    const int x0 = static_cast<int>(std::floor(box.x / kCell));
    const int x1 = static_cast<int>(std::floor((box.x + box.width) / kCell));
    const int y0 = static_cast<int>(std::floor(box.y / kCell));
    const int y1 = static_cast<int>(std::floor((box.y + box.height) / kCell));
    for (int cx = x0; cx <= x1; ++cx)
      for (int cy = y0; cy <= y1; ++cy) visit(std::make_pair(cx, cy));
  }
  std::vector<Box> boxes_;
  std::map<std::pair<int, int>, std::vector<int>> cells_;
};

// The eight places around a point, just clear of it, in the order tried.
std::array<Box, 8> PlacesAround(const NamedPoint& p) {
  const double w = p.width, h = p.height, d = p.radius + 2, c = d * 0.7;
  return {{{p.x + d, p.y - h / 2, w, h},
           {p.x - d - w, p.y - h / 2, w, h},
           {p.x - w / 2, p.y - d - h, w, h},
           {p.x - w / 2, p.y + d, w, h},
           {p.x + c, p.y - c - h, w, h},
           {p.x - c - w, p.y - c - h, w, h},
           {p.x + c, p.y + c, w, h},
           {p.x - c - w, p.y + c, w, h}}};
}

// A box facing the point from `distance` away in direction `angle` (0 to the
// right, counter-clockwise): the side or corner nearest the point touches it.
Box Facing(const NamedPoint& p, double distance, double angle) {
  const double cx = p.x + distance * std::cos(angle), cy = p.y - distance * std::sin(angle);
  const double ux = std::cos(angle), uy = std::sin(angle);
  const double x = ux > 0.3 ? cx : ux < -0.3 ? cx - p.width : cx - p.width / 2;
  const double y = uy > 0.3 ? cy - p.height : uy < -0.3 ? cy : cy - p.height / 2;
  return {x, y, p.width, p.height};
}

PlacedName PlaceOne(const NamedPoint& p, const Box& area, const TakenBoxes& taken) {
  for (const Box& box : PlacesAround(p))
    if (Inside(box, area) && taken.Free(box)) return {box, false};
  // Then rings farther out, each with places about a name's height apart.
  const double step = std::max(4.0, p.height * 0.8);
  const double reach = std::hypot(area.width, area.height);
  for (int ring = 1;; ++ring) {
    const double distance = p.radius + 2 + ring * step;
    const int places = std::max(8, static_cast<int>(2 * std::numbers::pi * distance / p.height));
    for (int k = 0; k < places; ++k) {
      const Box box = Facing(p, distance, 2 * std::numbers::pi * k / places);
      if ((distance > reach || Inside(box, area)) && taken.Free(box)) return {box, true};
    }
  }
}

}  // namespace

std::vector<PlacedName> PlaceNames(const std::vector<NamedPoint>& points, const Box& area) {
  TakenBoxes taken;
  for (const NamedPoint& p : points)
    taken.Add({p.x - p.radius, p.y - p.radius, 2 * p.radius, 2 * p.radius});
  std::vector<PlacedName> placed;
  placed.reserve(points.size());
  for (const NamedPoint& p : points) {
    placed.push_back(PlaceOne(p, area, taken));
    taken.Add(placed.back().box);
  }
  return placed;
}

}  // namespace picture
