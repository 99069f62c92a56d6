// Kept for applications that include the old path.
#include "platform/picture/picture.hpp"
