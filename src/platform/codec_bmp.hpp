// Kept for applications that include the old path.
#include "platform/picture/codec_bmp.hpp"
