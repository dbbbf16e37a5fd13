// Axis scaling and tick choice: numbers in, numbers out, no device context.
#ifndef VANTOR_AXIS_SCALE_H
#define VANTOR_AXIS_SCALE_H

#include <string>
#include <vector>

namespace vantor_axis {

// Numbered tick step for a wanted count of numbered ticks over a span.
// Returns 0 at once when no step exists: numbers below 1, a span that is
// 0, negative or not finite.  decimals is set to the digits after the
// point when the step is below 0.1 and left alone otherwise.
double FindStep(int numbers, double span, int& decimals);

// The next coarser of the steps 1, 2, 2.5 and 5 times a power of ten:
// 1 -> 2 -> 2.5 -> 5 -> 10, other mantissas to the next of these above
// them (1.25 -> 2, 2.75 -> 5); 0 for a step that is not positive.
double WiderStep(double step);

struct Tick {
    double value;
    bool numbered;
};

// Ticks of one axis from lo to hi: numbered step F, `lines` minor ticks per
// numbered interval (outside 1..20 counts as 2), candidate ticks reach
// `margin` times the span so that the caller can keep those that fall
// inside its drawn axis.  Positive values first (upwards from lo or 0),
// then negative ones (downwards from hi or 0).  Empty when F is 0.
std::vector<Tick> AxisTicks(double lo, double hi, double F, int lines, double margin);

// Tick number text: "%G" of the value; axisKind 1 (x) multiplies by
// signFactor, 3 (depth) by zSign, 2 and 4 (y axes) append ".0" to short
// integers ("5" -> "5.0", "-10" -> "-10.0", "100" stays).
std::string TickText(double value, int axisKind, double signFactor, double zSign);

// Ranges of the y scale within a plot of height h whose top row is `top`
// (PlotFrame's scaling rules).  corrDown/corrUp are the corrections in
// fractions of h (0.03/0.04 left axis, 0.03/0.01 right axis).
struct YScaleResult {
    double scale;
    double zero;
};
YScaleResult ScaleY(double lo, double hi, double top, double h, bool threeD, double corrDown,
                    double corrUp);

// Value from which a y value is drawn: lo when lo > 0, hi when hi < 0, else 0.
double YReference(double lo, double hi);

}  // namespace vantor_axis

#endif
