#include "gui/linux/x11_image_uploader.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

namespace pengui {

namespace {

bool shm_disabled_by_environment() {
  const char* v = std::getenv("ZINDLE_GUI_NO_SHM");
  return v && *v && std::strcmp(v, "0") != 0;
}

bool is_host_little_endian() {
  const uint32_t probe = 1;
  unsigned char first;
  std::memcpy(&first, &probe, 1);
  return first == 1;
}

// True when the image takes 0x00RRGGBB words as they are.
bool matches_buffer_format(const XImage* image, const Visual* visual) {
  return image->bits_per_pixel == 32 && visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
         visual->blue_mask == 0xFF &&
         (image->byte_order == LSBFirst) == is_host_little_endian();
}

}  // namespace

X11ImageUploader::~X11ImageUploader() {
  // The owner destroys us with the connection; here only local memory is left.
  if (image_) destroy(nullptr, false);
}

bool X11ImageUploader::create(Display* display, Visual* visual, int depth, int width, int height,
                              X11ErrorTrap& trap) {
  if (image_) return true;
  if (!shm_disabled_by_environment() && XShmQueryExtension(display) &&
      create_shm(display, visual, depth, width, height, trap)) {
    direct_format_ = matches_buffer_format(image_, visual);
    return true;
  }
  image_ = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                        static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (!image_) return false;
  image_->data = static_cast<char*>(std::calloc(static_cast<std::size_t>(image_->bytes_per_line), height));
  if (!image_->data) {
    XDestroyImage(image_);
    image_ = nullptr;
    return false;
  }
  direct_format_ = matches_buffer_format(image_, visual);
  return true;
}

bool X11ImageUploader::create_shm(Display* display, Visual* visual, int depth, int width, int height,
                                  X11ErrorTrap& trap) {
  shm_ = XShmSegmentInfo{};
  XImage* image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &shm_,
                                  static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (!image) return false;
  shm_.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image->bytes_per_line) * height, IPC_CREAT | 0600);
  if (shm_.shmid < 0) {
    XDestroyImage(image);
    return false;
  }
  void* mem = shmat(shm_.shmid, nullptr, 0);
  if (mem == reinterpret_cast<void*>(-1)) {
    shmctl(shm_.shmid, IPC_RMID, nullptr);
    XDestroyImage(image);
    return false;
  }
  shm_.shmaddr = image->data = static_cast<char*>(mem);
  shm_.readOnly = False;
  trap.check();
  XShmAttach(display, &shm_);
  const bool attached = trap.check();  // a remote server answers BadAccess
  // Marked for removal now, so the segment goes with the last detach even
  // if the process dies.
  shmctl(shm_.shmid, IPC_RMID, nullptr);
  if (!attached) {
    shmdt(shm_.shmaddr);
    image->data = nullptr;
    XDestroyImage(image);
    shm_ = XShmSegmentInfo{};
    return false;
  }
  image_ = image;
  shm_attached_ = true;
  return true;
}

void X11ImageUploader::destroy(Display* display, bool connection_alive) {
  if (!image_) return;
  if (shm_attached_) {
    if (display && connection_alive) {
      XShmDetach(display, &shm_);
      XSync(display, False);
    }
    shmdt(shm_.shmaddr);
    image_->data = nullptr;
    shm_ = XShmSegmentInfo{};
    shm_attached_ = false;
  }
  XDestroyImage(image_);  // frees our calloc'd pixels in the plain case
  image_ = nullptr;
}

void X11ImageUploader::copy_pixels(const RenderBuffer& buffer, const Rect& r) {
  for (int y = r.y; y < r.bottom(); ++y) {
    const uint32_t* src = buffer.row(y) + r.x;
    if (direct_format_) {
      char* dst = image_->data + static_cast<std::size_t>(y) * image_->bytes_per_line + r.x * 4;
      std::memcpy(dst, src, static_cast<std::size_t>(r.w) * 4);
    } else {
      for (int x = 0; x < r.w; ++x) {
        const uint32_t rgb = src[x];
        // Scale each channel into the visual's mask.
        const auto channel = [](uint32_t value, unsigned long mask) {
          if (!mask) return 0ul;
          unsigned long shifted = mask;
          int shift = 0;
          while (!(shifted & 1)) shifted >>= 1, ++shift;
          return ((value * shifted + 127) / 255) << shift;
        };
        const unsigned long pixel = channel((rgb >> 16) & 0xFF, image_->red_mask) |
                                    channel((rgb >> 8) & 0xFF, image_->green_mask) |
                                    channel(rgb & 0xFF, image_->blue_mask);
        XPutPixel(image_, r.x + x, y, pixel);
      }
    }
  }
}

void X11ImageUploader::upload(Display* display, Drawable target, GC gc, const RenderBuffer& buffer, const Rect& r) {
  if (!image_) return;
  const Rect c = r.intersect(buffer.bounds()).intersect({0, 0, image_->width, image_->height});
  if (c.empty()) return;
  copy_pixels(buffer, c);
  if (shm_attached_) {
    XShmPutImage(display, target, gc, image_, c.x, c.y, c.x, c.y, static_cast<unsigned>(c.w),
                 static_cast<unsigned>(c.h), False);
  } else {
    XPutImage(display, target, gc, image_, c.x, c.y, c.x, c.y, static_cast<unsigned>(c.w),
              static_cast<unsigned>(c.h));
  }
}

}  // namespace pengui
