#include "platform/linux/x11/selection_picture.h"

#include "platform/linux/x11/large_buffer.h"
#include "platform/runtime_error.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <utility>

namespace clipnest::linux_backend {
namespace {

// Qt's readers refuse pictures above an allocation limit, 128 MiB by default: the largest side
// bounds them here instead, up to eight bytes a pixel (pictures of 16 bits a channel).
constexpr int kAllocationLimitMiB =
    static_cast<int>((std::int64_t{kLargestPictureSide} * kLargestPictureSide * 8) >> 20);
constexpr std::size_t kInfoHeaderSize = 40;

bool TooLarge(const QSize& size) {
  return size.width() > kLargestPictureSide || size.height() > kLargestPictureSide;
}

// The decoded pixels of 32 bits in `dib`, from byte kInfoHeaderSize on, top row first, become the
// rows of the 24-bit DIB of the same picture in place: each row packed to three bytes a pixel
// (every write lands before the bytes still to be read), then the rows turned bottom-up.
void PackInPlace(std::string& dib, int width, int height) {
  const auto w = static_cast<std::size_t>(width);
  const std::size_t stride = (w * 3 + 3) / 4 * 4;
  char* rows = dib.data() + kInfoHeaderSize;
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    const char* source = rows + 4 * w * y;
    char* target = rows + stride * y;
    for (std::size_t x = 0; x < w; ++x) {
      std::uint32_t pixel;
      std::memcpy(&pixel, source + 4 * x, sizeof pixel);
      target[3 * x] = static_cast<char>(pixel & 0xFF);
      target[3 * x + 1] = static_cast<char>((pixel >> 8) & 0xFF);
      target[3 * x + 2] = static_cast<char>((pixel >> 16) & 0xFF);
    }
    std::memset(target + 3 * w, 0, stride - 3 * w);
  }
  std::string spare(stride, '\0');
  for (std::size_t top = 0, bottom = static_cast<std::size_t>(height) - 1; top < bottom;
       ++top, --bottom) {
    std::memcpy(spare.data(), rows + stride * top, stride);
    std::memcpy(rows + stride * top, rows + stride * bottom, stride);
    std::memcpy(rows + stride * bottom, spare.data(), stride);
  }
  const std::string header = InfoHeaderOfRows(width, height);
  std::memcpy(dib.data(), header.data(), header.size());
  dib.resize(kInfoHeaderSize + stride * static_cast<std::size_t>(height));
  // The quarter of the room that the packing freed goes back to the system.
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto end = reinterpret_cast<std::uintptr_t>(dib.data() + dib.size() + 1);
  const auto first_free = (end + page - 1) & ~(page - 1);
  const auto last = reinterpret_cast<std::uintptr_t>(dib.data() + dib.capacity()) & ~(page - 1);
  if (last > first_free)
    ::madvise(reinterpret_cast<void*>(first_free), last - first_free, MADV_DONTNEED);
}

}  // namespace

Picture PictureOfImage(QImage image) {
  // In place where Qt can: a large picture is not held twice.
  image.convertTo(QImage::Format_RGB32);
  return DibFromRows(image.width(), image.height(), [&image](int y) {
    return reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
  });
}

Picture ReadSelectionPicture(std::string bytes) {
  // Read where the bytes are, not from a copy of them.
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (TooLarge(size)) throw RuntimeError(ErrorNumber::kOutOfMemory);
  if (QImageReader::allocationLimit() < kAllocationLimitMiB) {
    QImageReader::setAllocationLimit(kAllocationLimitMiB);
  }
  // Pixels of 32 bits whose colours a DIB keeps as they are (alpha dropped) are decoded straight
  // into the room of the DIB, which the reader fills when it is handed an image of the very size
  // and format it reads; the rows are then packed where they lie. The picture is held once.
  const QImage::Format format = reader.imageFormat();
  std::string dib;
  QImage image;
  if (!size.isEmpty() && (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32)) {
    const std::size_t room = kInfoHeaderSize + std::size_t{4} *
                                                   static_cast<std::size_t>(size.width()) *
                                                   static_cast<std::size_t>(size.height());
    ReserveLarge(dib, room);
    dib.resize(room);
    image = QImage(reinterpret_cast<uchar*>(dib.data() + kInfoHeaderSize), size.width(),
                   size.height(), qsizetype{4} * size.width(), format);
  }
  const bool read = reader.read(&image);
  buffer.close();
  bytes = std::string();  // the pixels are all that is needed from here on
  if (!read) return {};
  // A format whose header does not tell the size is held to the same bound once it is read.
  if (TooLarge(image.size())) throw RuntimeError(ErrorNumber::kOutOfMemory);
  if (!dib.empty() &&
      image.constBits() == reinterpret_cast<const uchar*>(dib.data()) + kInfoHeaderSize &&
      image.size() == size && image.format() == format) {
    image = QImage();
    PackInPlace(dib, size.width(), size.height());
    return Picture{std::move(dib)};
  }
  dib = std::string();
  return PictureOfImage(std::move(image));
}

}  // namespace clipnest::linux_backend
