// Compiled with the library's include paths by a test that expects it to fail: the library builds
// with the Win32 / Windows CE headers only, so the handset's control API must not be found.
#include <windows.h>

#include <handset/registry.h>
