// Tables and rules of the fit model: the two free-list moves are the only
// writers of FreeParameterList and MaxFitParameter.
#include "fit/fit_model.h"

#include <algorithm>
#include <initializer_list>

int32_t FitFunctionCount = 0;
int32_t* FitFunctionTypes = nullptr;
double* FitParameters = nullptr;
int32_t FitPolyDegree = 0;
int32_t FitModellArt = 0;
int32_t* ParameterFlags = nullptr;
int32_t* CorrelationWords = nullptr;
double* CorrelationConstants = nullptr;
int32_t* FreeParameterList = nullptr;
int32_t MaxFitParameter = 0;
int32_t MaxParameter = 0;
int32_t SplineKnotCount = 0;

namespace {

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

bool TablesPresent()
{
    return ParameterFlags && CorrelationWords && CorrelationConstants && FreeParameterList;
}

bool InModel(int32_t p)
{
    return TablesPresent() && p >= 0 && p <= MaxParameter && MaxParameter < FREE_LIST_ENTRIES;
}

// Move 1: p leaves the free part. The entry at the last free position takes
// p's place and p stands directly behind the free part.
bool LeaveFreePart(int32_t p)
{
    const int32_t pos = FreeListPosition(p);
    if (pos < 0 || pos > MaxFitParameter) return false;
    FreeParameterList[pos] = FreeParameterList[MaxFitParameter];
    FreeParameterList[MaxFitParameter] = p;
    --MaxFitParameter;
    return true;
}

// Move 2: p returns to the free part, searched from the end of the list.
bool JoinFreePart(int32_t p)
{
    int32_t pos = -1;
    for (int32_t j = MaxParameter; j > MaxFitParameter; --j)
        if (FreeParameterList[j] == p) {
            pos = j;
            break;
        }
    if (pos < 0) return false;
    ++MaxFitParameter;
    FreeParameterList[pos] = FreeParameterList[MaxFitParameter];
    FreeParameterList[MaxFitParameter] = p;
    return true;
}

// Whether p stands outside the free part by its own tables: fixed, a
// dependent that is not a sum-group member, or a multiple-scattering
// distance.
bool BelongsOutside(int32_t p)
{
    const int32_t w = CorrelationWords[p];
    if (ParameterFlags[p] & PF_FIXED) return true;
    if (IsMsWord(w)) return true;
    return IsDependentWord(w) && !(w & CW_SUM_GROUP);
}

}  // namespace

uint32_t ParameterColour(int32_t flags)
{
    if (flags & (PF_TEMPERATURE_MODEL | PF_MS)) return Rgb(0, 0, 255);
    if (flags & PF_MS_PATH) return Rgb(255, 0, 255);
    if (flags & PF_DW_POLYNOMIAL) return Rgb(0, 128, 128);
    if (flags & PF_MS_DISTANCE) return Rgb(255, 255, 0);
    if (flags & PF_CLUSTER) return Rgb(128, 128, 0);
    if (flags & PF_E0_TIED) return Rgb(128, 0, 0);
    if (flags & PF_E0_POTENTIAL) return Rgb(0, 128, 0);
    if (flags & PF_FIXED) return Rgb(255, 0, 0);
    if (flags & PF_CORRELATED) return Rgb(0, 255, 0);
    if (flags & PF_CONSTRAINED) return Rgb(0, 255, 255);
    return Rgb(255, 255, 255);
}

int32_t CorrelationWord(int32_t master, int32_t operation)
{
    return static_cast<int32_t>((static_cast<uint32_t>(master) & 0xFFu) |
                                (static_cast<uint32_t>(operation) & 0x7F00u));
}

int32_t MsCorrelationWord(int32_t b, int32_t e)
{
    const uint32_t w = static_cast<uint32_t>(CW_MULTIPLE_SCATTERING) |
                       ((static_cast<uint32_t>(b) & 0xFFu) << 16) |
                       ((static_cast<uint32_t>(e) & 0xFFu) << 24);
    return static_cast<int32_t>(w);
}

int32_t FunctionParameterCount(int32_t code, int32_t polyDegree, int32_t knots)
{
    if (code > 100) code -= 100;
    switch (code) {
    case 25: case 27: case 29:
        return 1;
    case 26:
        return 2;
    case 1: case 8: case 10: case 11: case 20: case 28: case 31:
        return 3;
    case 2: case 3: case 4: case 9: case 12: case 15: case 19: case 21: case 32: case 80:
        return 4;
    case 5: case 6: case 14: case 16: case 17: case 22: case 23:
        return 5;
    case 13: case 18: case 24: case 30:
        return 6;
    case 7:
        return polyDegree + 1;
    case 53: case 54:
        return knots;
    default:
        return 0;
    }
}

int32_t ParameterIndex(int32_t f, int32_t i)
{
    int32_t q = 0;
    for (int32_t g = 1; g < f && g <= FitFunctionCount && FitFunctionTypes; ++g)
        q += FunctionParameterCount(FitFunctionTypes[g - 1], FitPolyDegree, SplineKnotCount);
    return q + i;
}

int32_t CheckModelSize(int32_t count, const int32_t* types, int32_t polyDegree, int32_t knots)
{
    if (count < 0 || count > MAX_MODEL_FUNCTIONS || (count > 0 && !types)) return -1;
    int32_t summe = 0;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t c = types[i] > 100 ? types[i] - 100 : types[i];
        if ((c == 7 && polyDegree < 0) || ((c == 53 || c == 54) && knots < 0)) return -1;
        summe += FunctionParameterCount(c, polyDegree, knots);
        if (summe > MAX_MODEL_PARAMETERS) return -1;
    }
    return summe <= ModelParameterLimit(count, types) ? summe : -1;
}

int32_t ModelParameterLimit(int32_t count, const int32_t* types)
{
    int32_t grenze = MAX_MODEL_PARAMETERS;
    for (int32_t i = 0; types && i < count && i < MAX_MODEL_FUNCTIONS; ++i) {
        const int32_t c = types[i] > 100 ? types[i] - 100 : types[i];
        if (c == 53 || c == 54) grenze = std::min(grenze, MAX_SPLINE_MODEL_PARAMETERS);
        if (i == 0 && c == 20) grenze = std::min(grenze, MAX_MODEL_PARAMETERS_SMALL);
    }
    return grenze;
}

int32_t CheckWorkingModelSize()
{
    return CheckModelSize(FitFunctionCount, FitFunctionTypes, FitPolyDegree, SplineKnotCount);
}

int32_t ResetModelTables()
{
    const int32_t n = CheckWorkingModelSize();
    if (n < 0 || !TablesPresent()) return -1;
    for (int32_t j = 0; j < RESET_ENTRIES; ++j) {
        FreeParameterList[j] = j;
        ParameterFlags[j] = 0;
        CorrelationWords[j] = 0;
        CorrelationConstants[j] = 0.0;
    }
    MaxParameter = n - 1;
    MaxFitParameter = MaxParameter;
    return n;
}

int32_t FreeListPosition(int32_t p)
{
    if (!FreeParameterList || MaxParameter >= FREE_LIST_ENTRIES) return -1;
    for (int32_t j = 0; j <= MaxParameter; ++j)
        if (FreeParameterList[j] == p) return j;
    return -1;
}

int32_t FixParameter(int32_t p)
{
    if (!InModel(p)) return -1;
    ParameterFlags[p] &= ~PF_CONSTRAINED;
    ParameterFlags[p] |= PF_FIXED;
    return LeaveFreePart(p) ? 1 : 0;
}

int32_t FreeParameter(int32_t p)
{
    if (!InModel(p)) return -1;
    int32_t& f = ParameterFlags[p];
    if (f & PF_FIXED) {
        f &= ~(PF_FIXED | PF_TEMPERATURE_MODEL | PF_MS);
        // The distances of the last two functions keep their cluster bit.
        const int32_t n = FitFunctionCount;
        if (p != ParameterIndex(n, 1) && p != ParameterIndex(n - 1, 1)) f &= ~PF_CLUSTER;
        // Each E0 tie that is cleared on the last paths toggles 0x100.
        const int32_t pfad = FitFunctionCount >= 2 && FitFunctionTypes
                                 ? FunctionParameterCount(FitFunctionTypes[1], FitPolyDegree,
                                                          SplineKnotCount)
                                 : 0;
        const bool letzte = p >= (FitFunctionCount - 6) * pfad + 4;
        for (int32_t bit : {PF_E0_TIED, PF_E0_POTENTIAL})
            if (f & bit) {
                f &= ~bit;
                if (letzte) f ^= PF_E0_LAST_PATHS;
            }
    }
    if (BelongsOutside(p)) return 0;
    return JoinFreePart(p) ? 1 : 0;
}

int32_t SetCorrelation(int32_t p, int32_t word, double constant)
{
    if (!InModel(p)) return -1;
    ParameterFlags[p] |= PF_CORRELATED;
    CorrelationWords[p] = word;
    CorrelationConstants[p] = IsMasterWord(word) ? 0.0 : constant;
    if (!BelongsOutside(p)) return 0;
    return LeaveFreePart(p) ? 1 : 0;
}

int32_t RemoveCorrelation(int32_t p)
{
    if (!InModel(p)) return -1;
    ParameterFlags[p] &= ~PF_CORRELATED;
    CorrelationWords[p] = 0;
    CorrelationConstants[p] = 0.0;
    if (BelongsOutside(p)) return 0;
    return JoinFreePart(p) ? 1 : 0;
}
