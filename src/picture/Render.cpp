#include "picture/Render.h"

#include <cairo-svg.h>

#include <cctype>
#include <cmath>
#include <fstream>
#include <numbers>
#include <stdexcept>

#include "picture/Text.h"

namespace picture {

namespace {

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

void SetColour(cairo_t* cr, const Colour& c) { cairo_set_source_rgb(cr, c.red, c.green, c.blue); }

void DrawLabel(cairo_t* cr, PangoContext* context, const Label& label) {
  PangoLayout* layout = MakeLayout(context, label.text, label.size);
  cairo_save(cr);
  SetColour(cr, label.colour);
  if (label.turned) {
    cairo_translate(cr, label.x, label.y + label.height);
    cairo_rotate(cr, -std::numbers::pi / 2);
  } else {
    cairo_translate(cr, label.x, label.y);
  }
  pango_cairo_update_layout(cr, layout);
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
  g_object_unref(layout);
}

void Draw(cairo_t* cr, const Scene& scene) {
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
  for (const Line& l : scene.lines) {
    SetColour(cr, l.colour);
    cairo_set_line_width(cr, l.width);
    cairo_move_to(cr, l.x1, l.y1);
    cairo_line_to(cr, l.x2, l.y2);
    cairo_stroke(cr);
  }
  for (const Dot& d : scene.dots) {
    SetColour(cr, d.colour);
    cairo_arc(cr, d.x, d.y, d.radius, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
  }
  PangoContext* context = pango_cairo_create_context(cr);
  UseUnhintedMetrics(context);
  for (const Label& label : scene.labels) DrawLabel(cr, context, label);
  g_object_unref(context);
}

void Check(cairo_status_t status) {
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error(cairo_status_to_string(status));
}

std::string RenderSvg(const Scene& scene) {
  std::string out;
  cairo_surface_t* surface =
      cairo_svg_surface_create_for_stream(Append, &out, scene.width, scene.height);
  cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
  cairo_t* cr = cairo_create(surface);
  Draw(cr, scene);
  cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  Check(status);
  return out;
}

std::string RenderPng(const Scene& scene, double scale) {
  const PixelSize size = PngSize(scene, scale);
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, size.width, size.height);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, scale, scale);
  Draw(cr, scene);
  cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  std::string out;
  if (status == CAIRO_STATUS_SUCCESS)
    status = cairo_surface_write_to_png_stream(surface, Append, &out);
  cairo_surface_destroy(surface);
  Check(status);
  return out;
}

}  // namespace

PixelSize PngSize(const Scene& scene, double scale) {
  return {static_cast<int>(std::ceil(scene.width * scale)),
          static_cast<int>(std::ceil(scene.height * scale))};
}

std::optional<ImageFormat> FormatOfPath(std::string_view path) {
  auto endsWith = [&](std::string_view ext) {
    if (path.size() < ext.size()) return false;
    for (size_t i = 0; i < ext.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(path[path.size() - ext.size() + i])) != ext[i])
        return false;
    return true;
  };
  if (endsWith(".svg")) return ImageFormat::Svg;
  if (endsWith(".png")) return ImageFormat::Png;
  return std::nullopt;
}

std::string Render(const Scene& scene, ImageFormat format, double scale) {
  return format == ImageFormat::Svg ? RenderSvg(scene) : RenderPng(scene, scale);
}

void RenderToFile(const Scene& scene, ImageFormat format, const std::string& path, double scale) {
  const std::string bytes = Render(scene, format, scale);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace picture
