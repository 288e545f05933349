#include "platform/linux/qt/qt_pictures.h"

#include <map>
#include <utility>

namespace clipnest::linux_backend {

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

}  // namespace clipnest::linux_backend
