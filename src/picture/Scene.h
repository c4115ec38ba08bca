#pragma once
// A picture as plain shapes in pixels (origin top left, y down): laid out
// first, then drawn by Render. Tests read the layout; the renderer only draws.
#include <string>
#include <vector>

namespace picture {

struct Colour {
  double red = 0, green = 0, blue = 0;
};

struct Line {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  double width = 1;
  Colour colour;
};

struct Dot {
  double x = 0, y = 0, radius = 3;
  Colour colour;
};

enum class LabelRole { Leaf, Support, Tick, Title, Point, Legend };

// A text and the box it fills. A turned label reads from bottom to top; its
// box is the turned one.
struct Label {
  std::string text;
  double x = 0, y = 0;  // the box's top left
  double width = 0, height = 0;
  double size = 11;  // font size in pixels
  bool turned = false;
  Colour colour;
  LabelRole role = LabelRole::Leaf;
};

struct Scene {
  double width = 0, height = 0;
  std::vector<Line> lines;
  std::vector<Dot> dots;
  std::vector<Label> labels;
};

// Whether two boxes share any area (touching edges do not count).
bool Overlap(const Label& a, const Label& b);
// Moves every shape by (dx, dy).
void Shift(Scene& scene, double dx, double dy);

}  // namespace picture
