// run_macro.exe SPECTRUM MACRO OUTDIR: see run_macro.h.
#include <cstdio>

#include "driver/run_macro.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr,
                     "usage: run_macro SPECTRUM MACRO OUTDIR\n"
                     "  opens SPECTRUM in graphic window 1, plays the macro file MACRO on it and\n"
                     "  writes slot_N.txt, current.txt, results.txt, state.txt and messages.txt\n"
                     "  into OUTDIR\n");
        return run_macro::EXIT_BAD_INPUT;
    }
    return run_macro::Run(argv[1], argv[2], argv[3]);
}
