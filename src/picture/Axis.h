#pragma once
// A horizontal or vertical axis with round tick values, added to a scene.
#include <string>
#include <vector>

#include "picture/Scene.h"

namespace picture {

inline constexpr Colour kInk{0.15, 0.15, 0.15};
inline constexpr Colour kFaint{0.55, 0.55, 0.55};
inline constexpr double kTickSize = 10;
inline constexpr double kTitleSize = 12;
inline constexpr double kMargin = 16;  // blank border around a picture

// Round values from `low` to `high` (1, 2 or 5 times a power of ten apart),
// about `count` of them, each with its text.
struct Tick {
  double value;
  std::string text;
};
std::vector<Tick> RoundTicks(double low, double high, int count);

// An axis along a scene: values map to pixels by `at` (value -> pixel).
struct AxisPlan {
  double low = 0, high = 1;
  double offset = 0, scale = 1;  // pixel = offset + scale * value
  double across = 0;             // the axis line's y (horizontal) or x (vertical)
  int ticks = 6;
  std::string title;
};
// Draws a horizontal axis below `across`, ticks pointing down, the title
// centred under the tick texts. Returns the y below everything drawn.
double AddHorizontalAxis(Scene& scene, const AxisPlan& axis);
// The same axis as a bare scale above a picture: tick texts from `top`, the
// line under them, ticks pointing down. Returns the y below it.
double AddTopScale(Scene& scene, const AxisPlan& axis, double top);
// The height AddTopScale takes.
double TopScaleHeight();
// Draws a vertical axis left of `across`, the title turned. Returns the x left
// of everything drawn.
double AddVerticalAxis(Scene& scene, const AxisPlan& axis);

// Adds a label with its measured box at (x, y), its top left.
Label& AddLabel(Scene& scene, const std::string& text, double x, double y, double size,
                LabelRole role, Colour colour = kInk);

}  // namespace picture
