// The fit model and its per-parameter tables: the working copy of the
// active window's model, the layout of a window's parameter block, the
// flag and correlation words, and the rules that keep the free-parameter
// list consistent. Plain code, no window dependency.
#ifndef KORLAN_FIT_MODEL_H
#define KORLAN_FIT_MODEL_H

#include <cstdint>

// ---- the working copy of the active window's model (loaded by the
// dispatcher before every command) and the program-wide tables ----
extern int32_t FitFunctionCount;
extern int32_t* FitFunctionTypes;
extern double* FitParameters;       // the window's parameter block
extern int32_t FitPolyDegree;
extern int32_t FitModellArt;
extern int32_t* ParameterFlags;     // flag word per parameter
extern int32_t* CorrelationWords;   // correlation word per parameter
extern double* CorrelationConstants;
extern int32_t* FreeParameterList;  // permutation of the indices, free ones first
extern int32_t MaxFitParameter;     // last free position of FreeParameterList
extern int32_t MaxParameter;        // last parameter index of the model

// Knot count of the tabulated spline models 53 and 54 (their parameter
// count), set by the commands that build them.
extern int32_t SplineKnotCount;

// ---- sizes ----
const int32_t PARAMETER_BLOCK_DOUBLES = 35000;  // a window's parameter block
const int32_t PARAMETER_TABLE_ENTRIES = 35000;  // flags, words, constants
const int32_t FREE_LIST_ENTRIES = 5000;         // FreeParameterList
const int32_t RESET_ENTRIES = 1200;             // entries a new model resets
const int32_t MAX_MODEL_FUNCTIONS = 2000;       // type array of a window

// ---- ParameterBlock layout ----
// Values from index 0; lower and upper bound of parameter j at 500 + 2j and
// 501 + 2j; the marker 1111.0 at 1000 when a spline-section layout is
// stored; the Victoreen exponents at 50-52; the spline knots' abscissae from
// 600.
const int32_t BOUNDS_INDEX = 500;
const int32_t SPLINE_MARKER_INDEX = 1000;
const double SPLINE_MARKER = 1111.0;
const int32_t VICTOREEN_EXPONENT_INDEX = 50;
const int32_t SPLINE_KNOT_INDEX = 600;
inline int32_t LowerBoundIndex(int32_t j) { return BOUNDS_INDEX + 2 * j; }
inline int32_t UpperBoundIndex(int32_t j) { return BOUNDS_INDEX + 2 * j + 1; }

// Largest model: the bounds of 249 parameters end at 997, below the marker;
// with a Victoreen first or a spline model the values must stay below the
// exponents at 50 (and the bounds below the knots at 600).
const int32_t MAX_MODEL_PARAMETERS = 249;
const int32_t MAX_MODEL_PARAMETERS_SMALL = 50;
// A model with a spline background (53 or 54) keeps one place free below
// the exponents.
const int32_t MAX_SPLINE_MODEL_PARAMETERS = 49;

// ---- parameter flag word ----
const int32_t PF_FIXED = 0x0001;
const int32_t PF_CONSTRAINED = 0x0002;
const int32_t PF_CORRELATED = 0x0004;
const int32_t PF_TEMPERATURE_MODEL = 0x0008;  // one common characteristic temperature
const int32_t PF_CLUSTER = 0x0010;
const int32_t PF_MS = 0x0020;                 // sigma^2 held as a characteristic temperature
const int32_t PF_E0_POTENTIAL = 0x0040;
const int32_t PF_E0_TIED = 0x0080;
const int32_t PF_E0_LAST_PATHS = 0x0100;
const int32_t PF_WIDE = 0x0200;               // large values allowed (distance), step 10 (derivative)
const int32_t PF_MS_DISTANCE = 0x0400;
const int32_t PF_MS_PATH = 0x0800;
const int32_t PF_E0_SHIFT = 0x1000;
const int32_t PF_DW_POLYNOMIAL = 0x2000;

// Background colour (0x00BBGGRR) of a parameter's edit field by its flag
// word: the first matching rule wins.
uint32_t ParameterColour(int32_t flags);

// ---- correlation word ----
// 0 none; -1 exactly: the master of a group; otherwise a dependent, whose
// low byte names its master and one operation bit says how it follows, or
// a multiple-scattering word (0x8000) naming two parameters in bits 16-23
// and 24-31. Index fields are unsigned bytes.
const int32_t CW_MASTER = -1;
const int32_t CW_PLUS = 0x0100;
const int32_t CW_MINUS = 0x0200;
const int32_t CW_TIMES = 0x0400;
const int32_t CW_DIVIDE = 0x0800;
const int32_t CW_SUM_EQUAL = 0x1000;
const int32_t CW_THIRD_PARAMETER = 0x2000;
const int32_t CW_SUM_GROUP = 0x4000;
const int32_t CW_MULTIPLE_SCATTERING = 0x8000;

// A dependent of master (0-255) with the operation bits.
int32_t CorrelationWord(int32_t master, int32_t operation);
// A multiple-scattering word over parameters b and e (0-255 each).
int32_t MsCorrelationWord(int32_t b, int32_t e);
inline bool IsMasterWord(int32_t w) { return w == CW_MASTER; }
inline bool IsMsWord(int32_t w) { return w != CW_MASTER && (w & CW_MULTIPLE_SCATTERING) != 0; }
inline bool IsDependentWord(int32_t w) { return w != 0 && w != CW_MASTER && !IsMsWord(w); }
inline int32_t WordMaster(int32_t w) { return static_cast<int32_t>(static_cast<uint32_t>(w) & 0xFFu); }
inline int32_t WordMsFirst(int32_t w) { return static_cast<int32_t>((static_cast<uint32_t>(w) >> 16) & 0xFFu); }
inline int32_t WordMsSecond(int32_t w) { return static_cast<int32_t>((static_cast<uint32_t>(w) >> 24) & 0xFFu); }

// ---- parameter layout ----
// Parameter count of one model function by its type code (a code above 100
// counts as the code less 100): the catalogue counts, degree + 1 for the
// polynomial (7), the knot count for the spline models (53, 54), 4 for the
// two-dimensional Gaussian (80), 0 for any other code.
int32_t FunctionParameterCount(int32_t code, int32_t polyDegree, int32_t knots);
// Index of parameter i (0-based) of function f (1-based) of the working
// model: the counts of functions 1 to f-1 plus i.
int32_t ParameterIndex(int32_t f, int32_t i);

// The one model-size check: the parameter count of a model, or -1 when it
// does not fit the parameter block (more than 249 parameters, more than 50
// with a Victoreen first, more than 49 with a spline model 53/54 in it, more than 2000
// functions, a negative polynomial degree or knot count).
int32_t CheckModelSize(int32_t count, const int32_t* types, int32_t polyDegree, int32_t knots);
// The same for the working model.
int32_t CheckWorkingModelSize();
// The parameter limit of a model by its types: 249, 50 with a Victoreen
// first, 49 with a spline model 53/54 in it (for the messages).
int32_t ModelParameterLimit(int32_t count, const int32_t* types);

// ---- resets and the free-parameter list ----
// Reset for a new model: entries 0-1199 of the free list in identity
// order, their flags, words and constants 0; MaxParameter and
// MaxFitParameter the last index of the working model. Returns the
// parameter count, or -1 (nothing changed) when the model is refused by
// CheckWorkingModelSize or the tables are missing.
int32_t ResetModelTables();

// The Fixed command. Fixing clears the constrained bit, sets the fixed bit
// and moves p out of the free part; freeing clears the fixed bit with the
// temperature, cluster and E0 tie bits, and moves p back. A parameter that
// already stands on the requested side is not moved. Return 1 when the
// list changed, 0 when not, -1 for an index outside the model.
int32_t FixParameter(int32_t p);
int32_t FreeParameter(int32_t p);

// Correlations: a dependent (word with the master in its low byte) leaves
// the free part unless it is a sum-group member; a multiple-scattering
// word makes the parameter itself leave. Removing clears the correlated
// bit, word and constant and returns the parameter to the free part when
// it had left it (and is not fixed). -1 for an index outside the model.
int32_t SetCorrelation(int32_t p, int32_t word, double constant);
int32_t RemoveCorrelation(int32_t p);

// Position of p in the free-parameter list (0 .. MaxParameter), -1 when
// it is not listed.
int32_t FreeListPosition(int32_t p);

#endif
