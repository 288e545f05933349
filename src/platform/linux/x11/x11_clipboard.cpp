#include "platform/linux/x11/x11_clipboard.h"

#include "platform/dib.h"
#include "platform/linux/x11/selection_picture.h"
#include "platform/linux/x11/selection_text.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMimeData>

#include <xcb/xcb.h>

#include <algorithm>

namespace clipnest::linux_backend {
namespace {

// A BMP first: its pixels are already the program's, with nothing to decode.
constexpr const char* kPreferredPictureTargets[] = {
    "image/bmp",  "image/x-bmp", "image/x-MS-bmp", "image/png",
    "image/jpeg", "image/tiff",  "image/gif",      "image/x-portable-pixmap",
};

bool Offers(const std::vector<std::string>& targets, const std::string& name) {
  return std::find(targets.begin(), targets.end(), name) != targets.end();
}

// The picture targets offered, those this program prefers first, then any other that Qt reads.
std::vector<std::string> PictureTargets(const std::vector<std::string>& offered) {
  std::vector<std::string> chosen;
  for (const char* name : kPreferredPictureTargets) {
    if (Offers(offered, name)) chosen.emplace_back(name);
  }
  const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
  for (const std::string& name : offered) {
    if (name.rfind("image/", 0) == 0 && !Offers(chosen, name) &&
        readable.contains(QByteArray::fromStdString(name))) {
      chosen.push_back(name);
    }
  }
  return chosen;
}

// What the program offers itself, when the owner is a window of its own (Qt's) connection: the
// one UI thread cannot both ask for the selection over X and answer, so this reading takes the
// offer straight from Qt.
const QMimeData* OwnOffer(unsigned long owner) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return nullptr;
  // Every window made on a connection has an id with that connection's resource base.
  const xcb_setup_t* setup = xcb_get_setup(x11->connection());
  if ((owner & ~setup->resource_id_mask) != setup->resource_id_base) return nullptr;
  return QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
}

}  // namespace

std::string X11Clipboard::Text() {
  const unsigned long owner = selection_.Begin();
  if (!owner) return {};
  // As Qt would serve it to another program: UTF-8 text.
  if (const QMimeData* own = OwnOffer(owner)) {
    return own->hasText()
               ? SelectionTextAsUtf8(own->text().toUtf8().toStdString(), TextCharset::kUtf8)
               : "";
  }
  const std::vector<std::string> offered = selection_.Targets();
  for (const TextTarget& target : kTextTargets) {
    // An owner that lists nothing is asked for the usual text targets all the same.
    if (!offered.empty() && !Offers(offered, target.name)) continue;
    if (auto bytes = selection_.Fetch(target.name))
      return SelectionTextAsUtf8(std::move(*bytes), target.charset);
  }
  return {};
}

Picture X11Clipboard::Image() {
  const unsigned long owner = selection_.Begin();
  if (!owner) return {};
  if (const QMimeData* own = OwnOffer(owner)) {
    const QImage image = own->hasImage() ? qvariant_cast<QImage>(own->imageData()) : QImage();
    return image.isNull() ? Picture{} : PictureOfImage(image);
  }
  for (const std::string& target : PictureTargets(selection_.Targets())) {
    std::optional<std::string> bytes = selection_.Fetch(target);
    if (!bytes) continue;
    if (TakePackedDibOfBmpFile(*bytes)) return Picture{std::move(*bytes)};
    Picture picture = ReadSelectionPicture(std::move(*bytes));
    if (!picture.empty()) return picture;
  }
  return {};
}

}  // namespace clipnest::linux_backend
