#include "qt_pictures.h"

#include "platform/dib.h"

#include <map>
#include <utility>

namespace clipnest {

const QImage& ResourcePicture(const std::string& name, OleColour transparent_colour) {
  static std::map<std::pair<std::string, OleColour>, QImage> loaded;
  const auto key = std::make_pair(name, transparent_colour);
  if (auto found = loaded.find(key); found != loaded.end()) return found->second;

  QImage image(QString::fromStdString(":/pictures/" + name + ".bmp"));
  if (!image.isNull() && transparent_colour != kNoTransparentColour) {
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent =
        qRgb(RedOf(transparent_colour), GreenOf(transparent_colour), BlueOf(transparent_colour));
    for (int y = 0; y < image.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        if ((row[x] & 0x00FFFFFFu) == (transparent & 0x00FFFFFFu)) row[x] = 0;
      }
    }
  }
  return loaded.emplace(key, std::move(image)).first->second;
}

QImage PictureImage(const Picture& picture) {
  if (picture.empty()) return {};
  std::optional<Pixels> pixels = DecodeDib(picture.dib);
  if (!pixels || pixels->width <= 0 || pixels->height <= 0) return {};
  QImage image(pixels->width, pixels->height, QImage::Format_RGB32);
  for (int y = 0; y < pixels->height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < pixels->width; ++x) {
      row[x] = pixels->argb[static_cast<std::size_t>(y) * pixels->width + x] | 0xFF000000u;
    }
  }
  return image;
}

}  // namespace clipnest
