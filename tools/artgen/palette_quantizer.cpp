#include "tools/artgen/palette_quantizer.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace artgen {
namespace {

struct WeightedColour {
  uint32_t rgb;
  uint64_t weight;
};

int channel(uint32_t rgb, int axis) { return int((rgb >> (16 - 8 * axis)) & 0xff); }

struct Box {
  std::vector<WeightedColour> colours;
  uint64_t weight = 0;
  int longest_axis = 0;
  int range = 0;

  void measure() {
    weight = 0;
    range = -1;
    for (int axis = 0; axis < 3; ++axis) {
      int lo = 255, hi = 0;
      for (const auto& c : colours) {
        lo = std::min(lo, channel(c.rgb, axis));
        hi = std::max(hi, channel(c.rgb, axis));
      }
      if (hi - lo > range) {
        range = hi - lo;
        longest_axis = axis;
      }
    }
    for (const auto& c : colours) weight += c.weight;
  }

  uint32_t mean() const {
    uint64_t sum[3] = {0, 0, 0};
    for (const auto& c : colours)
      for (int axis = 0; axis < 3; ++axis) sum[axis] += uint64_t(channel(c.rgb, axis)) * c.weight;
    uint32_t rgb = 0;
    for (int axis = 0; axis < 3; ++axis) rgb = rgb << 8 | uint32_t((sum[axis] + weight / 2) / weight);
    return rgb;
  }
};

// Splits the box at the weighted median of its longest axis.
void split(Box& box, Box& upper) {
  const int axis = box.longest_axis;
  std::sort(box.colours.begin(), box.colours.end(), [axis](const WeightedColour& a, const WeightedColour& b) {
    const int ca = channel(a.rgb, axis), cb = channel(b.rgb, axis);
    return ca != cb ? ca < cb : a.rgb < b.rgb;
  });
  uint64_t running = 0;
  size_t cut = 1;
  for (; cut < box.colours.size(); ++cut) {
    running += box.colours[cut - 1].weight;
    if (running * 2 >= box.weight) break;
  }
  cut = std::min(cut, box.colours.size() - 1);
  upper.colours.assign(box.colours.begin() + long(cut), box.colours.end());
  box.colours.resize(cut);
  box.measure();
  upper.measure();
}

std::vector<uint32_t> median_cut(const std::vector<WeightedColour>& colours, int max_colours) {
  std::vector<Box> boxes(1);
  boxes[0].colours = colours;
  boxes[0].measure();
  while (int(boxes.size()) < max_colours) {
    // The box whose spread costs most: weight times range, ties to the first.
    int best = -1;
    double best_score = 0;
    for (int i = 0; i < int(boxes.size()); ++i) {
      if (boxes[size_t(i)].colours.size() < 2) continue;
      const double score = double(boxes[size_t(i)].weight) * boxes[size_t(i)].range;
      if (best < 0 || score > best_score) {
        best = i;
        best_score = score;
      }
    }
    if (best < 0) break;
    Box upper;
    split(boxes[size_t(best)], upper);
    boxes.push_back(std::move(upper));
  }
  std::vector<uint32_t> palette;
  for (const Box& b : boxes) palette.push_back(b.mean());
  std::sort(palette.begin(), palette.end());
  palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
  return palette;
}

int distance(uint32_t a, uint32_t b) {
  int d = 0;
  for (int axis = 0; axis < 3; ++axis) {
    const int diff = channel(a, axis) - channel(b, axis);
    d += diff * diff;
  }
  return d;
}

}  // namespace

IndexedPicture quantize(const Raster& picture, int max_colours) {
  std::map<uint32_t, uint64_t> histogram;  // ordered: the palette must not depend on hashing
  for (const Rgba& p : picture.pixels) {
    if (p.a == 0) continue;
    histogram[uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b] += p.a;
  }
  std::vector<WeightedColour> colours;
  for (const auto& [rgb, weight] : histogram) colours.push_back({rgb, weight});

  IndexedPicture out;
  if (colours.empty()) {
    out.palette.push_back(0);
  } else if (int(colours.size()) <= max_colours) {
    for (const auto& c : colours) out.palette.push_back(c.rgb);
  } else {
    out.palette = median_cut(colours, max_colours);
  }

  std::unordered_map<uint32_t, uint8_t> nearest;
  out.indexes.reserve(picture.pixels.size());
  for (const Rgba& p : picture.pixels) {
    if (p.a == 0) {
      out.indexes.push_back(0);
      continue;
    }
    const uint32_t rgb = uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b;
    auto found = nearest.find(rgb);
    if (found == nearest.end()) {
      size_t best = 0;
      for (size_t i = 1; i < out.palette.size(); ++i)
        if (distance(rgb, out.palette[i]) < distance(rgb, out.palette[best])) best = i;
      found = nearest.emplace(rgb, uint8_t(best)).first;
    }
    out.indexes.push_back(found->second);
  }
  return out;
}

Raster as_stored(const Raster& picture) {
  const IndexedPicture q = quantize(picture);
  Raster out = picture;
  for (size_t i = 0; i < out.pixels.size(); ++i) {
    const uint32_t rgb = q.palette[q.indexes[i]];
    out.pixels[i].r = uint8_t(rgb >> 16);
    out.pixels[i].g = uint8_t(rgb >> 8);
    out.pixels[i].b = uint8_t(rgb);
  }
  return out;
}

}  // namespace artgen
