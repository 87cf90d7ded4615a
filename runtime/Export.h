#pragma once

// The shared libraries are built with hidden symbols: they export the classes and functions
// that the headers mark with TWINSCOPE_EXPORT, and keep to themselves what a source file uses
// alone, inline code and template instances. The mark is the same for building and using the
// libraries, and harmless in the static ones.
#if defined(__GNUC__)
#define TWINSCOPE_EXPORT __attribute__((visibility("default")))
#else
#define TWINSCOPE_EXPORT
#endif
