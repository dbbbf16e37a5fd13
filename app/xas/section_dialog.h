// The arithmetic of the section dialog and the spline dialogs: the border
// check of the two edits, the step removal, the spline counts the dialogs
// propose, and the settings file "adv_spline.par".
#ifndef KORLAN_XAS_SECTION_DIALOG_H
#define KORLAN_XAS_SECTION_DIALOG_H

#include <cstdint>
#include <string>
#include <vector>

// The two border edits as a section of the data range [datenUnten,
// datenOben] (schritt: the curve's smallest step): swapped into order,
// refused (0) when both are 0, when a border lies outside the data range by
// more than the tolerance (1e-5 |x|, at least 1e-3 of the step), or when
// they are not numbers; equal nonzero borders stand for a section of 4e-5
// relative width around their value. oben and unten receive the section
// widened by the tolerance so that points on a border belong to it. 1 when
// accepted.
int32_t SektionsGrenzen(double u, double l, double datenOben, double datenUnten, double schritt, double* oben,
                        double* unten);

// Step removal: adds y[lo] - y[hi] to every y from hi to the end, when the
// section [lo, hi] lies more than 2 points inside the shown range
// [bereichLo, bereichHi]. True when the curve was changed.
bool StufeEntfernen(double* y, int32_t n, int32_t bereichLo, int32_t bereichHi, int32_t lo, int32_t hi);

// Spline count of the Auto-Spline box: integer part of (oben - unten) 2 R /
// pi + 1.
int32_t AutoSplineAnzahl(double oben, double unten, double r);
// The count SPLINE_FIT proposes for a section ending at obereGrenze:
// integer part of (obereGrenze - 2) 2 0.8 / pi + 1.
int32_t SplineVorschlag(double obereGrenze);

// The choice of AD_SPLINE_FIT: k weight and (degree, weight) per checked
// section, at most five.
struct AdvSpline {
    int32_t KGewicht = 2;
    std::vector<int32_t> Grad, Gewicht;
};
// "adv_spline.par": k weight, count, then a degree and a weight line per
// section. Lines are read as their leading integer (0 when none); a count
// outside 0-5 is cut to 5 sections; false when the text has fewer than two
// lines.
bool LeseAdvSpline(const std::string& text, AdvSpline* a);
// The file text; k weight and count rounded by adding 0.1 and truncating.
std::string SchreibeAdvSpline(double kGewicht, const AdvSpline& a);

#endif
