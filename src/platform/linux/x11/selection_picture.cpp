#include "platform/linux/x11/selection_picture.h"

#include "platform/runtime_error.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <cstdint>

namespace clipnest::linux_backend {
namespace {

// Qt's readers refuse pictures above an allocation limit, 128 MiB by default: the largest side
// bounds them here instead, up to eight bytes a pixel (pictures of 16 bits a channel).
constexpr int kAllocationLimitMiB =
    static_cast<int>((std::int64_t{kLargestPictureSide} * kLargestPictureSide * 8) >> 20);

bool TooLarge(const QSize& size) {
  return size.width() > kLargestPictureSide || size.height() > kLargestPictureSide;
}

}  // namespace

QImage ReadSelectionPicture(const std::string& bytes) {
  // Read where the bytes are, not from a copy of them.
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  if (TooLarge(reader.size())) throw RuntimeError(ErrorNumber::kOutOfMemory);
  if (QImageReader::allocationLimit() < kAllocationLimitMiB) {
    QImageReader::setAllocationLimit(kAllocationLimitMiB);
  }
  QImage image;
  if (!reader.read(&image)) return {};
  // A format whose header does not tell the size is held to the same bound once it is read.
  if (TooLarge(image.size())) throw RuntimeError(ErrorNumber::kOutOfMemory);
  return image;
}

}  // namespace clipnest::linux_backend
