#include "picture/Axis.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "picture/Text.h"

namespace picture {

std::vector<Tick> RoundTicks(double low, double high, int count) {
  const double span = high - low;
  if (!(span > 0) || count < 1) return {{low, fmt::format("{:g}", low)}};
  const double rough = span / count;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = power;
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * power >= rough) {
      step = m * power;
      break;
    }
  const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
  std::vector<Tick> ticks;
  for (double k = std::ceil(low / step - 1e-9); k * step <= high + step * 1e-9; k += 1) {
    const double value = k * step == 0 ? 0 : k * step;  // never "-0"
    ticks.push_back({value, fmt::format("{:.{}f}", value, decimals)});
  }
  return ticks;
}

Label& AddLabel(Scene& scene, const std::string& text, double x, double y, double size,
                LabelRole role, Colour colour) {
  const TextSize box = MeasureText(text, size);
  scene.labels.push_back({text, x, y, box.width, box.height, size, false, colour, role});
  return scene.labels.back();
}

double AddHorizontalAxis(Scene& scene, const AxisPlan& axis) {
  const double y = axis.across;
  scene.lines.push_back(
      {axis.offset + axis.scale * axis.low, y, axis.offset + axis.scale * axis.high, y, 1, kInk});
  double bottom = y;
  for (const Tick& tick : RoundTicks(axis.low, axis.high, axis.ticks)) {
    const double x = axis.offset + axis.scale * tick.value;
    scene.lines.push_back({x, y, x, y + 4, 1, kInk});
    Label& label = AddLabel(scene, tick.text, x, y + 5, kTickSize, LabelRole::Tick);
    label.x -= label.width / 2;
    bottom = std::max(bottom, label.y + label.height);
  }
  const double middle = axis.offset + axis.scale * (axis.low + axis.high) / 2;
  Label& title = AddLabel(scene, axis.title, middle, bottom + 2, kTitleSize, LabelRole::Title);
  title.x -= title.width / 2;
  return title.y + title.height;
}

double TopScaleHeight() { return std::ceil(MeasureText("0", kTickSize).height) + 10; }

double AddTopScale(Scene& scene, const AxisPlan& axis, double top) {
  const double y = top + TopScaleHeight() - 5;
  scene.lines.push_back(
      {axis.offset + axis.scale * axis.low, y, axis.offset + axis.scale * axis.high, y, 1, kInk});
  for (const Tick& tick : RoundTicks(axis.low, axis.high, axis.ticks)) {
    const double x = axis.offset + axis.scale * tick.value;
    scene.lines.push_back({x, y, x, y + 4, 1, kInk});
    Label& label = AddLabel(scene, tick.text, x, top, kTickSize, LabelRole::Tick);
    label.x -= label.width / 2;
  }
  return top + TopScaleHeight();
}

double AddVerticalAxis(Scene& scene, const AxisPlan& axis) {
  const double x = axis.across;
  scene.lines.push_back(
      {x, axis.offset + axis.scale * axis.low, x, axis.offset + axis.scale * axis.high, 1, kInk});
  double left = x;
  for (const Tick& tick : RoundTicks(axis.low, axis.high, axis.ticks)) {
    const double y = axis.offset + axis.scale * tick.value;
    scene.lines.push_back({x - 4, y, x, y, 1, kInk});
    Label& label = AddLabel(scene, tick.text, x - 5, y, kTickSize, LabelRole::Tick);
    label.x -= label.width;
    label.y -= label.height / 2;
    left = std::min(left, label.x);
  }
  const double middle = axis.offset + axis.scale * (axis.low + axis.high) / 2;
  Label& title = AddLabel(scene, axis.title, 0, 0, kTitleSize, LabelRole::Title);
  title.turned = true;
  std::swap(title.width, title.height);
  title.x = left - 4 - title.width;
  title.y = middle - title.height / 2;
  return title.x;
}

}  // namespace picture
