// Qt Widgets, parsed once per build for every test program that uses it
// (cmake/build_speed.cmake), compiled with the options of the test programs.
// GoogleTest and Qt Test stay out: the QtTest programs do not link the
// first, and the header of the second depends on the folder of the program.
#include "qt.h"
