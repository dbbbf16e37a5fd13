// The arithmetic of the XRD menu's commands on a curve's arrays, and the
// text of the settings file "XRD.ini". Plain code, no window dependency.
#ifndef KORLAN_XRD_COMMANDS_H
#define KORLAN_XRD_COMMANDS_H

#include <cstdint>
#include <string>

// Every x (2 theta in degrees) becomes 2 sin(theta) / lambda (1/pm).
// Returns 1; 0 (nothing changed) for lambda <= 0 or not finite.
int32_t XrdSinusUeberLambda(double* x, int32_t n, double lambda);

// Background and normalisation in place: y := (y - ymin) / (ymax - ymin),
// so the curve spans 0 to 1. Returns 1; 0 (nothing changed) for a curve
// without points, a flat one or one holding values that are not finite.
int32_t XrdUntergrundNormierung(double* y, int32_t n);

// The four lines of "XRD.ini": wavelength (pm), instrument integral
// breadth, Lorentzian and Gaussian broadening, each as "%G\n".
std::string XrdIniText(double wellenlaenge, const double profil[3]);

// The X-ray sources of the options dialog's list: entry 0 "Custom" stands
// for the wavelength in use (custom), the others for their K-alpha lines.
const int32_t XRD_QUELLEN_ANZAHL = 5;
extern const char* const XRD_QUELLEN[XRD_QUELLEN_ANZAHL];
// Wavelength in pm of list entry i; custom for entry 0 or an unknown one.
double XrdQuellenWellenlaenge(int32_t i, double custom);

#endif
