// Macro files (".MAK"): one record per recorded command, written as text
// lines and read back for replay. This file holds the record, the writer and
// the reader; the recorder copies the command globals into a record and the
// player copies a record back into them, so nothing here touches windows or
// globals.
//
// Layout (lines end with "\n", the file is opened in text mode):
//   "Makro"
//   record, record, ...            no separators between records
// Record:
//   command line    id[,value...][,!,parameter...]
//   MaxParameter    "%i"
//   MaxFitParameter "%i"
//   model line      count,type...,degree
//   tables          507, 807, 844 only: free list, flags, bounds, words,
//                   constants
//   tail            837: 30 spline-layout values; 905 and 815 (value 10
//                   above 0): a text; 844: a text; 807: a text, or the FEFF
//                   block when the first model function is of type 25;
//                   623, 624 (output name and files), 827 (columns) and
//                   890 (foil name): a text, replayed into CommandText
// Between records, lines that do not begin with a decimal digit are passed
// over, as the player always did.
#ifndef KORLAN_SHELL_MAKRODATEI_H
#define KORLAN_SHELL_MAKRODATEI_H

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

// Capacities of the tables a record is copied into; the reader refuses any
// count above them, the writer any record that exceeds them.
const int32_t MAKRO_DIALOGWERTE = 14;        // DialogWerte
const int32_t MAKRO_MAX_PARAMETER = 5000;    // FreeParameterList (the smallest table)
const int32_t MAKRO_MAX_FUNKTIONEN = 2000;   // type array of a graphic window
const int32_t MAKRO_SPLINE_WERTE = 30;       // FitParameters[1000..1029]
const int32_t MAKRO_TEXT_KAPAZITAET = 5000;  // CommandText2, bytes with the NUL
const int32_t MAKRO_TEXT3_KAPAZITAET = 10000;  // CommandText3
const int32_t MAKRO_FEFF_PFADE = 100;        // scattering-path records 1..100
const int32_t MAKRO_FEFF_TEXT_KAPAZITAET = 200;  // source-file text of a path record
const int32_t MAKRO_FEFF_SAETZE = 11;        // set coefficients and set flag words

// The player runs every record through the dispatcher with this lParam: the
// values are prepared, no dialogs, no redraw post. The file carries no lParam.
const int32_t MAKRO_LPARAM = 2;

// First type code of an EXAFS refinement built from FEFF files.
const int32_t MAKRO_TYP_FEFF_S0 = 25;

// Result codes of the reader and the writer.
enum : int32_t {
    MAKRO_SATZ = 1,               // a record was read / written
    MAKRO_ENDE = 0,               // no further record
    MAKRO_KEINE_MAKRODATEI = -1,  // first line is not "Makro"
    MAKRO_ABGESCHNITTEN = -2,     // the file ends inside a record
    MAKRO_UNGUELTIG = -3,         // a field is no number, or a line has the wrong fields
    MAKRO_ZU_GROSS = -4,          // a count or text beyond the table it fills
    MAKRO_DATEIFEHLER = -5,       // the file cannot be opened or written
};

// The FEFF block of an 807 record whose first model function is of type 25.
struct MakroFeffTeil {
    std::vector<std::string> Quelltexte;  // FeffDateiAnzahl = size; source-file text of path record k
    std::string Ordnerliste;              // CommandText3
    int32_t SatzAnzahl = 0;               // FeffSatzAnzahl
    int32_t SatzModus = 0;                // set mode word
    double Messtemperatur = 0.0;          // K, written "%G"
    int32_t PfadOption = 0;               // path option word
    std::vector<double> SatzKoeffizienten;  // set coefficients 1.., written "%G"
    std::vector<int32_t> SatzFlags;         // set flag words 1..
    // One value per model function 1 .. FitFunctionCount - 1, from its path record.
    std::vector<int32_t> ListenPositionen;
    std::vector<int32_t> PfadNummern;
    std::vector<int32_t> SatzNummern;

    bool operator==(const MakroFeffTeil& o) const;
};

// One record, field by field as the file holds it.
struct MakroSatz {
    int32_t Befehl = 0;               // command id, 0..65535
    std::vector<double> Werte;        // value fields before "!": DialogWerte[0..], including
                                      // the one extra value of a record written with L = 0
    bool MitParametern = false;       // the line holds "!"
    std::vector<double> Parameter;    // FitParameters[0..] after "!"
    int32_t MaxParameter = 0;
    int32_t MaxFitParameter = 0;
    std::vector<int32_t> FunktionsTypen;  // FitFunctionCount = size, FitFunctionTypes
    int32_t PolynomGrad = 0;              // FitPolyDegree

    // Tables of 507, 807 and 844.
    std::vector<int32_t> FreieParameter;       // FreeParameterList[0..]
    std::vector<int32_t> Flags;                // ParameterFlags[0..] (bit pattern)
    std::vector<double> Grenzen;               // lower, upper of parameter 0, 1, ...:
                                               // FitParameters[500 + 2i], [501 + 2i]
    std::vector<int32_t> KorrelationsWorte;    // CorrelationWords[0..]
    std::vector<double> KorrelationsKonstanten;  // CorrelationConstants[0..]

    // Tails.
    std::vector<double> SplineLayout;  // 837: FitParameters[1000..]
    std::string Text;                  // 905, 815, 844, 807 without FEFF: CommandText2
                                       // (844 replays it into CommandText), no line feed
    MakroFeffTeil Feff;                // 807 with first type 25

    bool operator==(const MakroSatz& o) const;
};

// What the command's layout carries beyond the four lines.
bool MakroHatTabellen(int32_t befehl);          // 507, 807, 844
bool MakroHatSplineTeil(const MakroSatz& s);    // 837
bool MakroHatText(const MakroSatz& s);          // 905; 815 with Werte[10] > 0; 808 with Werte[6] > 0; 844; 807 without FEFF
bool MakroHatFeffTeil(const MakroSatz& s);      // 807 with FunktionsTypen[0] == 25

// Checks a record against the capacities above and against texts that
// would break the line structure (line feeds). Returns MAKRO_SATZ,
// MAKRO_ZU_GROSS or MAKRO_UNGUELTIG.
int32_t MakroSatzPruefen(const MakroSatz& s);

// Recording helpers: build the parts of a record from the recording call
// and the fit globals, by the rules of the format.
// - befehl, n values of dialogWerte, and L = letzter:
//   L >= 1: "!" and fitParameter[0..L]; L == 0: fitParameter[0] becomes one
//   more value (dropped when the n values already fill all 14 places);
//   L < 0: nothing more. n is held to 0..14 and L + 1 to MAKRO_MAX_PARAMETER.
//   fitParameter may be null when L < 0.
void MakroBefehlSetzen(MakroSatz& s, int32_t befehl, const double* dialogWerte, int32_t n,
                       const double* fitParameter, int32_t letzter);
// Lines 2 to 4; the count is held to 0..MAKRO_MAX_FUNKTIONEN.
void MakroModellSetzen(MakroSatz& s, int32_t maxParameter, int32_t maxFitParameter,
                       int32_t funktionsAnzahl, const int32_t* typen, int32_t polyGrad);
// The five tables with L + 1 entries (one when L is 0 or below, as recorded),
// bounds taken from the parameter block at 500 + 2i and 501 + 2i.
void MakroTabellenSetzen(MakroSatz& s, int32_t letzter, const int32_t* freie,
                         const uint32_t* flags, const double* fitParameter,
                         const int32_t* worte, const double* konstanten);
// The 837 tail: FitParameters[1000..1029].
void MakroSplineSetzen(MakroSatz& s, const double* fitParameter);

// Replay rule for the values after "!": false when they are to be passed
// over - a fit (507, 807, 844) repeating the previous replayed command with
// the same function count (it goes on from the previous fit's result), or a
// 607 after any replayed fit record.
bool MakroParameterUebernehmen(const MakroSatz& s, int32_t vorigerBefehl,
                               int32_t vorigeFunktionsAnzahl, bool fitGespielt);

// Text of one record, every line ended by "\n". Returns MAKRO_SATZ, or the
// code of MakroSatzPruefen (text left empty).
int32_t MakroSatzText(const MakroSatz& s, std::string& text);
// "Makro\n" and every record.
int32_t MakroDateiText(const std::vector<MakroSatz>& saetze, std::string& text);

// Record-by-record reader for the player. Lines may be of any length.
class MakroLeser {
public:
    explicit MakroLeser(std::istream& ein) : ein_(ein) {}
    // Reads the first line: MAKRO_SATZ when it is "Makro", else
    // MAKRO_KEINE_MAKRODATEI.
    int32_t Kopf();
    // The next record: MAKRO_SATZ, MAKRO_ENDE at the end of the file, or a
    // negative code; on any code but MAKRO_SATZ s is left untouched.
    int32_t Naechster(MakroSatz& s);
    // Number (from 1) of the last line read; after a failure, the line at fault.
    int32_t Zeile() const { return zeile_; }

private:
    bool Lies(std::string& z);
    std::istream& ein_;
    int32_t zeile_ = 0;
};

// Whole text or file: checks the first line and every record; on failure
// saetze is left untouched and fehlerZeile (when given) names the line.
int32_t MakroTextLesen(const std::string& text, std::vector<MakroSatz>& saetze,
                       int32_t* fehlerZeile = nullptr);
int32_t MakroDateiLesen(const std::string& pfad, std::vector<MakroSatz>& saetze,
                        int32_t* fehlerZeile = nullptr);

// Starts a macro file anew (old content lost) with the line "Makro".
// MAKRO_SATZ or MAKRO_DATEIFEHLER.
int32_t MakroDateiAnlegen(const std::string& pfad);
// Appends one record and closes the file again, so that a crash loses
// nothing recorded. MAKRO_SATZ, MAKRO_DATEIFEHLER, or the code of
// MakroSatzPruefen (nothing written).
int32_t MakroSatzAnhaengen(const std::string& pfad, const MakroSatz& s);

// Number formats of the file ("%.8G", "%G", "%i"), with the exponent always
// written with at least two digits whatever the C runtime does.
std::string MakroZahl8G(double v);
std::string MakroZahlG(double v);

#endif
