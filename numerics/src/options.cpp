#include <cstdlib>
#include <cstring>

#include "zelva.h"

// One line: the weighting mode and the convergence threshold. The threshold
// is written too, so that LoadOptions gives back what SaveOptions saw.
int32_t def_zelva::SaveOptions(FILE* file)
{
    if (!file) return 0;
    std::fprintf(file, "%d,%.10G\n", static_cast<int>(wichtung), abbruch);
    return 1;
}

// Fields are split at the commas themselves, so an empty field stays empty
// instead of shifting the next one forward. An empty threshold field (a line
// of the older "mode," form) keeps the threshold: 0 would let no fit stop
// before its iteration limit.
int32_t def_zelva::LoadOptions(FILE* file)
{
    if (!file) return 0;
    char line[501] = {};
    if (!std::fgets(line, sizeof line, file)) return 0;
    line[std::strcspn(line, "\r\n")] = '\0';
    if (line[0] == '\0') return 0;
    char* comma = std::strchr(line, ',');
    if (comma) *comma = '\0';
    char* end = nullptr;
    const long mode = std::strtol(line, &end, 10);
    if (end != line) wichtung = static_cast<int32_t>(mode);
    if (comma) {
        char* second = comma + 1;
        if (char* next = std::strchr(second, ',')) *next = '\0';
        const double value = std::strtod(second, &end);
        if (end != second) abbruch = value;
    }
    return 1;
}
