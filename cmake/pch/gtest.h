// GoogleTest and the standard headers of the test programs without Qt,
// parsed once per build (cmake/build_speed.cmake).
#include "std.h"

#include <fstream>
#include <limits>
#include <sstream>

#include <gtest/gtest.h>
