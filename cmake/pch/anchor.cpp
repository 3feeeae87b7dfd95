// Nothing of its own: the target that compiles this file makes the
// precompiled header that other targets reuse (cmake/build_speed.cmake).
