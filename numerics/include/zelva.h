// zelva: numerical methods of korlan (least squares, splines, Fourier
// transforms, linear algebra). One exported class, def_zelva.
#ifndef ZELVA_H
#define ZELVA_H

#include <cstdint>

#if defined(_WIN32)
#  if defined(ZELVA_BUILD)
#    define ZELVA_API __declspec(dllexport)
#  else
#    define ZELVA_API __declspec(dllimport)
#  endif
#else
#  define ZELVA_API __attribute__((visibility("default")))
#endif

class ZELVA_API def_zelva {
public:
    // Natural logarithm of the gamma function for xx > 0.
    double gammln(double xx);
};

#endif
