// The size and strain table of a finished XRD structure fit: one text
// file per phase with the line-broadening analysis of every reflection.
#ifndef KORLAN_XRD_SIZE_STRAIN_H
#define KORLAN_XRD_SIZE_STRAIN_H

#include <cstdint>
#include <string>
#include <vector>

// The thirteen columns of one reflection: 2 theta (degrees) and height h
// of the line, its FWHM f (degrees), integral breadth b (degrees, from the
// report), integrated intensity, lambda in pm.
struct XRD_REFLEX_ZEILE {
    double Spalte[13];
};
XRD_REFLEX_ZEILE XrdReflexZeile(double zweiTheta, double fwhm, double breite, double flaeche, double hoehe,
                                double scherrer, double lambda);

// The tables of the working model (types 29-32, lines 1-3, background 7
// or 32), one text per type-30 function in their order; lines ahead of the
// first phase belong to none and are left out. ergebnisse: CommandArgs
// of the report ([1001 + i] area, [2700 + i] integral breadth, [2800 + i]
// Scherrer size of function i, 0-based); with doublets each line's
// K-alpha2 twin is skipped.
std::vector<std::string> XrdPhasenTabellen(const double* ergebnisse, double lambda, bool doppel);

// Writes the tables into ordner + "\phase_%d.txt" (numbered from 1).
// Returns the number written; at the first file that cannot be written
// completely it stops, removes that file and puts its name into fehler.
int32_t XrdPhasenTabellenSchreiben(const std::string& ordner, const std::vector<std::string>& tabellen,
                                   std::string* fehler);

// After a finished structure fit (first function of type 29 or 30): the
// tables of the working model from the report's CommandArgs into the data
// folder; a file that cannot be written is named in a message. mode has no
// effect.
void WritePhaseSizeStrain(int32_t mode);

#endif
