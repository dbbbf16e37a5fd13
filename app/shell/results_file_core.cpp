#include "shell/results_file.h"

#include <cstdio>
#include <cstring>

bool ErgebnisseSpeichern(const char* pfad, const char* text)
{
    std::FILE* d = std::fopen(pfad, "wb");
    if (!d) return false;
    const size_t n = std::strlen(text);
    bool ok = std::fwrite(text, 1, n, d) == n;
    return (std::fclose(d) == 0) && ok;
}
