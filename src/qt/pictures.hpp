// Pictures between Qt and the runtime: a QImage as a runtime picture and
// back, and picture files loaded with the runtime's decoders.
#pragma once

#include <QImage>
#include <QString>

#include "platform/raster.hpp"
#include "platform/variant.hpp"

namespace lumora::qt {

// The runtime's frame or picture pixels as a QImage (a copy).
QImage ToImage(const Raster& pixels);
// An empty image for an empty picture (Handle 0) or none.
QImage ToImage(const PicturePtr& picture);
// A picture of the image's pixels; a null image gives the empty picture.
PicturePtr ToPicture(const QImage& image);
// Loads a picture file (BMP, PNG, JPEG, GIF); an empty path gives the empty
// picture. A file that cannot be read or decoded gives null and the
// runtime's message in *error.
PicturePtr LoadPictureFile(const QString& path, QString* error);

}  // namespace lumora::qt
