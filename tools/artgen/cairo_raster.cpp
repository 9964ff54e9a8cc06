#include "tools/artgen/cairo_raster.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

#include <librsvg/rsvg.h>

namespace artgen {

cairo_surface_t* new_surface(int width, int height) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cairo cannot make a surface");
  return surface;
}

Raster surface_to_raster(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  Raster out(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t argb;
      std::memcpy(&argb, data + size_t(y) * size_t(stride) + size_t(x) * 4, 4);
      const uint32_t a = argb >> 24;
      Rgba& p = out.at(x, y);
      p.a = uint8_t(a);
      if (a == 0) continue;
      // Undo the premultiplication, rounding to nearest.
      p.r = uint8_t((((argb >> 16) & 0xff) * 255 + a / 2) / a);
      p.g = uint8_t((((argb >> 8) & 0xff) * 255 + a / 2) / a);
      p.b = uint8_t(((argb & 0xff) * 255 + a / 2) / a);
    }
  }
  return out;
}

void render_svg(cairo_t* cr, const std::string& svg_text, double width, double height, const std::string& name) {
  GError* error = nullptr;
  RsvgHandle* handle =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg_text.data()), gsize(svg_text.size()), &error);
  if (!handle) {
    const std::string message = error ? error->message : "unknown error";
    if (error) g_error_free(error);
    throw std::runtime_error(name + ": librsvg cannot read the drawing: " + message);
  }
  const RsvgRectangle viewport{0, 0, width, height};
  const gboolean ok = rsvg_handle_render_document(handle, cr, &viewport, &error);
  g_object_unref(handle);
  if (!ok) {
    const std::string message = error ? error->message : "unknown error";
    if (error) g_error_free(error);
    throw std::runtime_error(name + ": librsvg cannot render the drawing: " + message);
  }
}

}  // namespace artgen
