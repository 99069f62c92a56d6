#include "qt/pictures.hpp"

#include <cstring>

#include "platform/errors.hpp"
#include "platform/picture/picture.hpp"

namespace lumora::qt {

QImage ToImage(const Raster& pixels) {
  if (pixels.IsEmpty()) return {};
  // Raster pixels are 0xAARRGGBB words, as QImage's ARGB32 holds them.
  return QImage(reinterpret_cast<const uchar*>(pixels.Data()), pixels.Width(), pixels.Height(),
                pixels.Stride(), QImage::Format_ARGB32)
      .copy();
}

QImage ToImage(const PicturePtr& picture) {
  if (!picture || picture->Handle() == 0) return {};
  return ToImage(picture->Pixels());
}

PicturePtr ToPicture(const QImage& image) {
  if (image.isNull()) return Picture::Empty();
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  Raster pixels(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y)
    std::memcpy(pixels.Row(y), argb.constScanLine(y), static_cast<size_t>(pixels.Stride()));
  return Picture::FromRaster(std::move(pixels));
}

PicturePtr LoadPictureFile(const QString& path, QString* error) {
  if (path.isEmpty()) return Picture::Empty();
  try {
    return lumora::LoadPictureFile(path.toStdString());
  } catch (const Failure& failure) {
    if (error)
      *error = QStringLiteral("%1: %2 (error %3)")
                   .arg(path, QString::fromStdString(failure.Description()))
                   .arg(failure.Number());
    return nullptr;
  }
}

}  // namespace lumora::qt
