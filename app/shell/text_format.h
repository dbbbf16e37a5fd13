// printf-style formatting into a std::string of any length, for the texts
// the program writes (reports, history lines, result tables). Header-only,
// so that every part of the program and its tools can use it.
#ifndef KORLAN_SHELL_TEXT_FORMAT_H
#define KORLAN_SHELL_TEXT_FORMAT_H

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

inline std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

inline std::string Format(const char* format, ...)
{
    va_list a;
    va_start(a, format);
    va_list b;
    va_copy(b, a);
    const int n = std::vsnprintf(nullptr, 0, format, a);
    va_end(a);
    std::string t;
    if (n > 0) {
        std::vector<char> puffer(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(puffer.data(), puffer.size(), format, b);
        t.assign(puffer.data(), static_cast<std::size_t>(n));
    }
    va_end(b);
    return t;
}

#endif
