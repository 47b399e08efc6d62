// Built into every program of a sanitizer build (-DVELOR_SANITIZE=ON): the sanitizers' default
// options, so that test discovery, ctest and a program started by hand all run alike without
// any environment. Leaks inside the toolkit's platform plugins, the chart library, font
// configuration and the OpenGL stack are theirs and are suppressed; the project's own leaks are
// still reported. Strict string checks stay off: the X keyboard library hands strndup buffers
// that are not NUL-terminated, which is legal and would otherwise abort every window test.

#define VELOR_SANITIZER_HOOK extern "C" __attribute__((visibility("default"), used))

VELOR_SANITIZER_HOOK const char* __asan_default_options() {
    return "detect_leaks=1:detect_stack_use_after_return=1";
}

VELOR_SANITIZER_HOOK const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

// The OpenGL driver closes the libraries it opened before the leak check runs, and a leak inside
// a closed library has no module name left to match a suppression. Keeping every library mapped
// to the end lets the driver's leaks be named and suppressed like the others.
VELOR_SANITIZER_HOOK int dlclose(void*) {
    return 0;
}

VELOR_SANITIZER_HOOK const char* __lsan_default_suppressions() {
    return "leak:libQt5Core.so\n"
           "leak:libQt5Gui.so\n"
           "leak:libQt5Widgets.so\n"
           "leak:libQt5DBus.so\n"
           "leak:libQt5XcbQpa.so\n"
           "leak:libqxcb.so\n"
           "leak:libqoffscreen.so\n"
           "leak:libqwt-qt5.so\n"
           "leak:libfontconfig.so\n"
           "leak:libfreetype.so\n"
           "leak:libdbus-1.so\n"
           "leak:libglib-2.0.so\n"
           "leak:libGLX_mesa.so\n"
           "leak:libEGL_mesa.so\n"
           "leak:swrast_dri.so\n"
           "leak:libgallium\n"
           "leak:libLLVM\n"
           "leak:libtbbmalloc.so\n"
           "leak:libirml.so\n"
           "leak:libX11.so\n"
           "leak:libxcb.so\n"
           // glibc's locale loader keeps a loaded locale's name list for the life of the
           // process (met when a report takes its paper size from a compiled locale).
           "leak:argz_add_sep\n";
}
