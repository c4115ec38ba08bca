#pragma once
// Draws a laid-out picture with cairo, as SVG (vector, for print and
// further editing) or PNG (for sheets and slides).
#include <optional>
#include <string>
#include <string_view>

#include "picture/Scene.h"

namespace picture {

enum class ImageFormat { Svg, Png };

// The format a file name asks for by its extension (.svg, .png, any case).
std::optional<ImageFormat> FormatOfPath(std::string_view path);

// The size in pixels of the PNG that Render makes at `scale` (what a sheet
// needs to show it at its own size).
struct PixelSize {
  int width = 0, height = 0;
};
PixelSize PngSize(const Scene& scene, double scale = 1);

// The picture's bytes. `scale` enlarges a PNG (2 for sharp print); an SVG is
// drawn at scale 1. Throws std::runtime_error when cairo fails.
std::string Render(const Scene& scene, ImageFormat format, double scale = 1);
// Writes the picture to `path`; throws std::runtime_error naming the file.
void RenderToFile(const Scene& scene, ImageFormat format, const std::string& path,
                  double scale = 1);

}  // namespace picture
