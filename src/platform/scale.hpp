// Kept for applications that include the old path.
#include "platform/scale/scale.hpp"
