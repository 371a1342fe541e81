// SPDX-License-Identifier: GPL-3.0-or-later
// The browser version is linked for size (-Oz), and with it comes
// emscripten's C library built for size, whose memcpy, memmove and memset
// go a byte at a time. Every frame that changes the plane copies its
// pixels several times over (drawn, into the window's image, out to
// WebGL), megabytes at a high pixel ratio. These definitions take the
// place of the library's: a large block is copied or filled by the
// browser's own typed-array operations, a small one here.
#include <emscripten.h>

#include <cstddef>

namespace {

// Below this, a call out to the browser costs more than the loop.
constexpr std::size_t kLargeBlock = 256;

}  // namespace

EM_JS(void, kavrel_copy_within, (void* to, const void* from, std::size_t bytes),
      { HEAPU8.copyWithin(to, from, from + bytes); });
EM_JS(void, kavrel_fill, (void* to, int value, std::size_t bytes), { HEAPU8.fill(value, to, to + bytes); });

extern "C" {

// The loops must stay loops: the compiler would otherwise make them the
// very calls they stand for.
__attribute__((no_builtin)) void* memmove(void* to, const void* from, std::size_t bytes)
{
    if (bytes >= kLargeBlock) {
        kavrel_copy_within(to, from, bytes);
        return to;
    }
    auto* target = static_cast<unsigned char*>(to);
    const auto* source = static_cast<const unsigned char*>(from);
    if (target < source) {
        for (std::size_t i = 0; i < bytes; ++i)
            target[i] = source[i];
    } else {
        for (std::size_t i = bytes; i > 0; --i)
            target[i - 1] = source[i - 1];
    }
    return to;
}

void* memcpy(void* to, const void* from, std::size_t bytes)
{
    return memmove(to, from, bytes);
}

__attribute__((no_builtin)) void* memset(void* to, int value, std::size_t bytes)
{
    if (bytes >= kLargeBlock) {
        kavrel_fill(to, value, bytes);
        return to;
    }
    auto* target = static_cast<unsigned char*>(to);
    for (std::size_t i = 0; i < bytes; ++i)
        target[i] = static_cast<unsigned char>(value);
    return to;
}

}  // extern "C"
