// A curve registered with its own numerics object, shared by the spline and
// derivative tests.
#ifndef KORLAN_TESTS_CURVE_SUPPORT_H
#define KORLAN_TESTS_CURVE_SUPPORT_H

#include <functional>
#include <utility>
#include <vector>

#include "zelva.h"

// The arrays are exactly `capacity` long (n when -1), so the sanitizer build
// sees any read or write past them.
struct Curve {
    std::vector<double> x, y;
    def_zelva z;
    Curve(int n, const std::function<double(double)>& f, double x0 = 0.0, double step = 1.0,
          int capacity = -1)
        : x(capacity < 0 ? n : capacity, 0.0), y(capacity < 0 ? n : capacity, 0.0)
    {
        for (int i = 0; i < n; ++i) {
            x[i] = x0 + i * step;
            y[i] = f(x[i]);
        }
        z.SetField(x.data(), y.data());
        z.SetAnzahl(n, -1, -1);
    }
    Curve(std::vector<double> xs, std::vector<double> ys) : x(std::move(xs)), y(std::move(ys))
    {
        z.SetField(x.data(), y.data());
        z.SetAnzahl(static_cast<int32_t>(x.size()), -1, -1);
    }
};

#endif
