#pragma once
// Text in pictures, laid out by pango so that every script renders (variety
// names are often Japanese): one font family list for measuring and drawing,
// and metrics free of hinting so a PNG and an SVG measure the same.
#include <pango/pangocairo.h>

#include <string_view>

namespace picture {

// Latin and Japanese in one family; pango falls back for other scripts.
inline constexpr const char* kFontFamily = "Noto Sans CJK JP, DejaVu Sans, sans-serif";

struct TextSize {
  double width = 0, height = 0;
};

// The logical box of `text` at `size` pixels.
TextSize MeasureText(std::string_view text, double size);

// A layout of `text` at `size` pixels for `context`; the caller unrefs it.
PangoLayout* MakeLayout(PangoContext* context, std::string_view text, double size);
// Sets the unhinted metrics on a context.
void UseUnhintedMetrics(PangoContext* context);

}  // namespace picture
