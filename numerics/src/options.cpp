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

int32_t def_zelva::LoadOptions(FILE* file)
{
    if (!file) return 0;
    char line[501] = {};
    if (!std::fgets(line, sizeof line, file)) return 0;
    char* first = std::strtok(line, ",\r\n");
    if (!first) return 0;
    wichtung = std::atoi(first);
    if (char* second = std::strtok(nullptr, ",\r\n")) abbruch = std::atof(second);
    return 1;
}
