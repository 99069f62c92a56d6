// Kept for applications that include the old path.
#include "platform/picture/png_writer.hpp"
