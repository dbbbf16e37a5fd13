// The path list that command 849 writes: a new "files.dat" with one row
// per path of a FEFF model (its refined values or FEFF's own), the paths
// below an amplitude filter left out, and the "paths.dat" blocks of the
// written paths behind it, so that FEFF's own tools read the path set.
//
// Plain code (feff_files_core.cpp) on texts and the path records; the
// dialog WRITE_FILES and the file handling are in feff_files_win.cpp.
#ifndef KORLAN_XAS_FEFF_FILES_H
#define KORLAN_XAS_FEFF_FILES_H

#include <cstdint>
#include <string>
#include <vector>

struct FeffPfad;

// Parameters of a model function of a FEFF model: 1 for the S0^2 term
// (type 25), 4 for a path of type 21, 5 for 22 and 23, 6 for 24 (a code
// above 100 counts as the same type); 0 for any other type.
int32_t FeffModellParameter(int32_t typ);

// The two header lines written when FEFF's own "FILES.DAT" cannot be read.
extern const char* const FILES_DAT_KOPF_ERSATZ;
// The line between the rows and the "paths.dat" blocks.
extern const char* const FILES_DAT_PATHS_TRENNER;

// The header of FEFF's files.dat text: its lines up to and including the
// first that holds both "file" and "sig2", each ended with "\n". The two
// fixed lines when the text holds no such line (or is empty).
std::string FilesDatKopf(const std::string& filesDat);

// One path as it is written.
struct FeffListenZeile {
    std::string Dateiname;          // "feff0001.dat"
    int32_t Pfadnummer = 0;
    int32_t Beine = 0;
    double Verhaeltnis = 0.0;       // weight in percent of the largest
    double Entartung = 0.0, Reff = 0.0;  // FEFF's values
    double N = 0.0, R = 0.0, Sigma2 = 0.0;  // the model's values
};
// The row of a path: " name  .00000" with FEFF's values ("    %#5.4G
// %#5.4G     %d     %#7.5G\n": ratio, degeneracy, legs, Reff), or " name"
// with the model's ("    %#5.4G    %#5.4G    %#5.4G     %d     %#7.5G\n":
// sigma^2, ratio, N, legs, R).
std::string FeffListenZeilenText(const FeffListenZeile& z, bool original);

// The paths of a model whose first function is the S0^2 term (type 25):
// function j (1 .. anzahl - 1) is path record j; its parameters follow
// those of the functions before it. N is the first parameter, R the second
// (a value below 1.0 is a shift from Reff), sigma^2 the third (a value
// above 1.0 is a Debye temperature, given as the correlated-Debye sigma^2
// of the record at messTemperatur). gewichte[j] is the integral of |chi_j(k)|
// k^w of function j; the ratio is it in percent of the largest. A path is
// kept when its ratio reaches filter or it has two legs. Stops at the
// first function that is not a FEFF path. Empty for a model that does not
// start with type 25.
std::vector<FeffListenZeile> FeffListeZeilen(const int32_t* typen, int32_t anzahl, const double* parameter,
                                             const FeffPfad* pfade, const double* gewichte, double filter,
                                             double messTemperatur);

// The "paths.dat" part: the header lines of pathsDat up to the first path
// header (a line holding "index" and "degeneracy"), then, for each number
// in pfadnummern, the block of the path whose header's leading integer is
// that number (its header and the lines up to the next header), wherever
// it stands in the file. A number without a block is left out. Lines end
// with "\n".
std::string PathsDatBloecke(const std::string& pathsDat, const std::vector<int32_t>& pfadnummern);

// The whole file: header, rows, separator, blocks. filesDat and pathsDat
// are the texts of FEFF's own files ("" when they cannot be read: the
// fixed header, no blocks). Without rows it ends at the separator.
std::string FeffListenDatei(const std::string& filesDat, const std::string& pathsDat,
                            const std::vector<FeffListenZeile>& zeilen, bool original);

#endif
