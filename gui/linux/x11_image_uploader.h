#pragma once
// Copies parts of the rendering buffer to an X window: through a shared
// memory image (MIT-SHM) when the server offers it and attaching works,
// else through XPutImage. ZINDLE_GUI_NO_SHM=1 forces the second way.

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include "gui/geometry.h"
#include "gui/linux/x11_error_trap.h"
#include "gui/render_buffer.h"

namespace pengui {

class X11ImageUploader {
public:
  X11ImageUploader() = default;
  ~X11ImageUploader();
  X11ImageUploader(const X11ImageUploader&) = delete;
  X11ImageUploader& operator=(const X11ImageUploader&) = delete;

  // Makes the image for a width x height buffer; runs inside `trap`.
  bool create(Display* display, Visual* visual, int depth, int width, int height, X11ErrorTrap& trap);
  // Frees the image; server-side parts only when the connection lives.
  void destroy(Display* display, bool connection_alive);
  // Sends the part `r` (clipped to the image) of `buffer` to `target`.
  void upload(Display* display, Drawable target, GC gc, const RenderBuffer& buffer, const Rect& r);

  bool uses_shm() const { return shm_attached_; }
  bool exists() const { return image_ != nullptr; }

private:
  bool create_shm(Display* display, Visual* visual, int depth, int width, int height, X11ErrorTrap& trap);
  void copy_pixels(const RenderBuffer& buffer, const Rect& r);

  XImage* image_ = nullptr;
  XShmSegmentInfo shm_{};
  bool shm_attached_ = false;
  bool direct_format_ = false;  // the image's pixels are laid out as the buffer's
};

}  // namespace pengui
