#include "picture/Text.h"

#include <memory>

namespace picture {

namespace {

struct GObjectUnref {
  void operator()(void* object) const { g_object_unref(object); }
};

PangoContext* MeasuringContext() {
  // Pango's default font map is per thread; so is this context.
  thread_local std::unique_ptr<PangoContext, GObjectUnref> context(
      pango_font_map_create_context(pango_cairo_font_map_get_default()));
  thread_local bool ready = false;
  if (!ready) {
    UseUnhintedMetrics(context.get());
    ready = true;
  }
  return context.get();
}

}  // namespace

void UseUnhintedMetrics(PangoContext* context) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
}

PangoLayout* MakeLayout(PangoContext* context, std::string_view text, double size) {
  PangoLayout* layout = pango_layout_new(context);
  PangoFontDescription* font = pango_font_description_from_string(kFontFamily);
  pango_font_description_set_absolute_size(font, size * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  return layout;
}

TextSize MeasureText(std::string_view text, double size) {
  PangoLayout* layout = MakeLayout(MeasuringContext(), text, size);
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  g_object_unref(layout);
  return {static_cast<double>(logical.width) / PANGO_SCALE,
          static_cast<double>(logical.height) / PANGO_SCALE};
}

}  // namespace picture
