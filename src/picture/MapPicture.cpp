#include "picture/MapPicture.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "messages/PictureTexts.h"
#include "picture/Axis.h"
#include "picture/NamePlacement.h"
#include "picture/Text.h"

namespace picture {

namespace {

constexpr double kDotRadius = 3.5;
constexpr double kSmallestPlot = 300;
constexpr Colour kUngrouped{0.6, 0.6, 0.6};
constexpr Colour kSingleColour{0.0, 0.35, 0.6};
// Told apart with the commoner colour blindnesses; more groups repeat them.
constexpr std::array<Colour, 8> kGroupColours{{{0.0, 0.447, 0.698},
                                               {0.835, 0.369, 0.0},
                                               {0.0, 0.620, 0.451},
                                               {0.800, 0.475, 0.655},
                                               {0.902, 0.624, 0.0},
                                               {0.337, 0.706, 0.914},
                                               {0.55, 0.34, 0.29},
                                               {0.35, 0.35, 0.35}}};

Colour ColourOf(const MapGroups* groups, size_t variety) {
  if (!groups) return kSingleColour;
  const int group = variety < groups->groupOf.size() ? groups->groupOf[variety] : -1;
  return group < 0 ? kUngrouped : kGroupColours[static_cast<size_t>(group) % kGroupColours.size()];
}

// The plot: data ranges padded, one scale for both axes.
struct Frame {
  double low[2], high[2];
  double scale = 1;
  double width = 0, height = 0;
  double X(double v) const { return (v - low[0]) * scale; }
  double Y(double v) const { return (high[1] - v) * scale; }
};

Frame FrameFor(const analysis::PrincipalCoordinates& pcoa, double namesArea) {
  Frame f;
  double widest = 0;
  for (int axis = 0; axis < 2; ++axis) {
    f.low[axis] = f.high[axis] = 0;  // the origin always shows
    for (const auto& c : pcoa.coordinates)
      f.low[axis] = std::min(f.low[axis], c[axis]), f.high[axis] = std::max(f.high[axis], c[axis]);
    widest = std::max(widest, f.high[axis] - f.low[axis]);
  }
  // A margin of the wider axis's span on both, so a flat axis does not set the scale.
  const double pad = widest > 0 ? widest * 0.06 : 1;
  for (int axis = 0; axis < 2; ++axis) f.low[axis] -= pad, f.high[axis] += pad;
  // Room for the names several times over, so most sit beside their points.
  const double side = std::clamp(std::sqrt(4 * namesArea), 420.0, 3000.0);
  f.scale = side / std::max(f.high[0] - f.low[0], f.high[1] - f.low[1]);
  for (int axis = 0; axis < 2; ++axis) {  // a flat map still gets some height
    const double missing = kSmallestPlot / f.scale - (f.high[axis] - f.low[axis]);
    if (missing > 0) f.low[axis] -= missing / 2, f.high[axis] += missing / 2;
  }
  f.width = f.X(f.high[0]);
  f.height = f.Y(f.low[1]);
  return f;
}

void AddFrameAndOrigin(Scene& scene, const Frame& f) {
  const Colour pale{0.85, 0.85, 0.85};
  scene.lines.push_back({f.X(0), 0, f.X(0), f.height, 1, pale});
  scene.lines.push_back({0, f.Y(0), f.width, f.Y(0), 1, pale});
  scene.lines.push_back({0, 0, f.width, 0, 1, kInk});
  scene.lines.push_back({f.width, 0, f.width, f.height, 1, kInk});
}

void AddPointsAndNames(Scene& scene, const Frame& f, const analysis::PrincipalCoordinates& pcoa,
                       const std::vector<std::string>& names, const MapGroups* groups) {
  std::vector<NamedPoint> points;
  for (size_t v = 0; v < pcoa.coordinates.size(); ++v) {
    const double x = f.X(pcoa.coordinates[v][0]), y = f.Y(pcoa.coordinates[v][1]);
    scene.dots.push_back({x, y, kDotRadius, ColourOf(groups, v)});
    const TextSize size = MeasureText(names[v], kPointNameSize);
    points.push_back({x, y, kDotRadius, size.width, size.height});
  }
  const std::vector<PlacedName> placed = PlaceNames(points, {0, 0, f.width, f.height});
  for (size_t v = 0; v < placed.size(); ++v) {
    const Box& b = placed[v].box;
    scene.labels.push_back(
        {names[v], b.x, b.y, b.width, b.height, kPointNameSize, false, kInk, LabelRole::Point});
    if (!placed[v].leader) continue;
    const double x = std::clamp(points[v].x, b.x, b.x + b.width);
    const double y = std::clamp(points[v].y, b.y, b.y + b.height);
    scene.lines.push_back({points[v].x, points[v].y, x, y, 0.6, kFaint});
  }
}

void AddLegend(Scene& scene, double left, const MapGroups& groups) {
  std::vector<std::pair<std::string, Colour>> entries;
  for (size_t g = 0; g < groups.names.size(); ++g)
    entries.emplace_back(groups.names[g], kGroupColours[g % kGroupColours.size()]);
  if (std::count(groups.groupOf.begin(), groups.groupOf.end(), -1) > 0)
    entries.emplace_back(std::string(msg::picture::kWithoutGroup), kUngrouped);
  double y = 0;
  for (const auto& [name, colour] : entries) {
    const Label& label = AddLabel(scene, name, left + 12, y, kPointNameSize + 1, LabelRole::Legend);
    scene.dots.push_back({left + 4, y + label.height / 2, kDotRadius + 0.5, colour});
    y += label.height + 3;
  }
}

// Moves everything so the top left drawn lies at the margin; sizes the canvas.
void FitCanvas(Scene& scene) {
  constexpr double kFar = std::numeric_limits<double>::max();
  std::array<double, 4> bounds{kFar, kFar, -kFar, -kFar};  // left, top, right, bottom
  auto take = [&](double x0, double y0, double x1, double y1) {
    bounds = {std::min(bounds[0], x0), std::min(bounds[1], y0), std::max(bounds[2], x1),
              std::max(bounds[3], y1)};
  };
  for (const Line& l : scene.lines)
    take(std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::max(l.x1, l.x2), std::max(l.y1, l.y2));
  for (const Dot& d : scene.dots)
    take(d.x - d.radius, d.y - d.radius, d.x + d.radius, d.y + d.radius);
  for (const Label& l : scene.labels) take(l.x, l.y, l.x + l.width, l.y + l.height);
  Shift(scene, kMargin - bounds[0], kMargin - bounds[1]);
  scene.width = std::ceil(bounds[2] - bounds[0] + 2 * kMargin);
  scene.height = std::ceil(bounds[3] - bounds[1] + 2 * kMargin);
}

}  // namespace

Scene PcoaScene(const analysis::PrincipalCoordinates& pcoa, const std::vector<std::string>& names,
                const MapGroups* groups, const std::string& caption) {
  double namesArea = 0;
  for (const std::string& name : names) {
    const TextSize size = MeasureText(name, kPointNameSize);
    namesArea += (size.width + 6) * (size.height + 2);
  }
  const Frame f = FrameFor(pcoa, namesArea);
  Scene scene;
  AddFrameAndOrigin(scene, f);
  AddPointsAndNames(scene, f, pcoa, names, groups);
  for (int axis = 0; axis < 2; ++axis) {
    AxisPlan plan;
    plan.low = f.low[axis];
    plan.high = f.high[axis];
    plan.title = fmt::format(fmt::runtime(msg::picture::kPcoaAxis), axis + 1,
                             100 * pcoa.shares[static_cast<size_t>(axis)]);
    plan.scale = axis == 0 ? f.scale : -f.scale;
    plan.offset = axis == 0 ? -f.low[0] * f.scale : f.high[1] * f.scale;
    plan.across = axis == 0 ? f.height : 0;
    if (axis == 0)
      AddHorizontalAxis(scene, plan);
    else
      AddVerticalAxis(scene, plan);
  }
  if (groups) AddLegend(scene, f.width + 16, *groups);
  double top = -8;  // the heads stack upwards from just above the plot
  auto addHead = [&](const std::string& text, double size) {
    Label& label = AddLabel(scene, text, 0, 0, size, LabelRole::Title);
    label.y = top - label.height;
    top = label.y - 2;
  };
  if (!caption.empty()) addHead(caption, kTickSize + 1);
  addHead(std::string(msg::picture::kPcoaTitle), kTitleSize + 2);
  FitCanvas(scene);
  return scene;
}

}  // namespace picture
