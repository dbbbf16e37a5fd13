// Computations of the file commands: the reference-foil table, the
// transformations of Open, Load and Save, the tables of the file-name
// dialog and the small text and sort routines.
#include "spectra/file_commands.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace {

bool IstTrenner(char c)
{
    return c == '\\' || c == '/';
}

std::string VerbindePfad(const std::string& ordner, const char* name)
{
    if (!ordner.empty() && IstTrenner(ordner.back())) return ordner + name;
#ifdef _WIN32
    return ordner + "\\" + name;
#else
    // The native test build runs these on a file system of its own kind.
    return ordner + "/" + name;
#endif
}

// Byte-exact copy. False when the source cannot be read or any write or
// the close of the target fails.
bool KopiereDatei(const std::string& von, const std::string& nach)
{
    std::FILE* q = std::fopen(von.c_str(), "rb");
    if (!q) return false;
    std::FILE* z = std::fopen(nach.c_str(), "wb");
    if (!z) {
        std::fclose(q);
        return false;
    }
    bool ok = true;
    char puffer[16384];
    size_t gelesen;
    while ((gelesen = std::fread(puffer, 1, sizeof puffer, q)) > 0) {
        if (std::fwrite(puffer, 1, gelesen, z) != gelesen) {
            ok = false;
            break;
        }
    }
    if (std::ferror(q)) ok = false;
    std::fclose(q);
    if (std::fclose(z) != 0) ok = false;
    return ok;
}

bool Schreibe(std::FILE* f, const std::string& s)
{
    return std::fwrite(s.data(), 1, s.size(), f) == s.size();
}

std::string Format8G(double v, char ende)
{
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%.8G%c", v, ende);
    return puffer;
}

}  // namespace

// ---------------------------------------------------------------------------
// Reference-foil table

std::string SicherungsName(const std::string& name)
{
    if (name.size() < 3) return name + ".bak";
    return name.substr(0, name.size() - 3) + "bak";
}

bool LiesZeile(std::FILE* f, std::string* zeile)
{
    zeile->clear();
    int c;
    bool etwas = false;
    while ((c = std::fgetc(f)) != EOF) {
        etwas = true;
        if (c == '\n') break;
        zeile->push_back(static_cast<char>(c));
    }
    while (!zeile->empty() && zeile->back() == '\r') zeile->pop_back();
    return etwas;
}

int32_t ZaehleNamen(const std::string& kopf)
{
    if (kopf.empty()) return 0;
    int32_t n = 1;
    for (char c : kopf)
        if (c == ',') ++n;
    return n;
}

int32_t SchreibeDexfoil(const std::string& programmOrdner, const std::string& folienName,
                        const double* x, const double* y, int32_t n)
{
    // A comma or a line end in the name would shift every column of the
    // block against its header.
    if (programmOrdner.empty() || folienName.empty() || n < 0 || (n > 0 && (!x || !y)) ||
        folienName.find_first_of(",\r\n") != std::string::npos)
        return DEXFOIL_FEHLER_ARGUMENT;

    const std::string tabelle = VerbindePfad(programmOrdner, "dexfoil.dat");
    const std::string sicherung = SicherungsName(tabelle);

    // The table is only re-created once a complete backup exists to read
    // the old blocks from.
    bool hatAlt = false;
    if (std::FILE* probe = std::fopen(tabelle.c_str(), "rb")) {
        std::fclose(probe);
        if (!KopiereDatei(tabelle, sicherung)) return DEXFOIL_FEHLER_SICHERUNG;
        hatAlt = true;
    }
    std::FILE* alt = nullptr;
    if (hatAlt) {
        alt = std::fopen(sicherung.c_str(), "rb");
        if (!alt) return DEXFOIL_FEHLER_SICHERUNG;
    }
    std::FILE* neu = std::fopen(tabelle.c_str(), "w");
    if (!neu) {
        if (alt) std::fclose(alt);
        return DEXFOIL_FEHLER_SCHREIBEN;
    }

    bool ok = true;
    bool erweitert = false;
    std::string zeile;
    const int32_t punkte = n < DEXFOIL_ZEILEN ? n : DEXFOIL_ZEILEN;
    while (ok && alt && LiesZeile(alt, &zeile)) {
        const int32_t namen = ZaehleNamen(zeile);
        if (namen >= DEXFOIL_NAMEN_PRO_BLOCK) {
            ok = Schreibe(neu, zeile + "\n");
            for (int32_t r = 0; ok && r < DEXFOIL_ZEILEN && LiesZeile(alt, &zeile); ++r)
                ok = Schreibe(neu, zeile + "\n");
            continue;
        }
        // The open block: the new foil's two columns go behind the old ones.
        ok = Schreibe(neu, (namen > 0 ? zeile + "," : std::string()) + folienName + "\n");
        // Rows missing from a cut-off block are filled with "-1,-1" per old
        // foil so that the new columns stay under their name.
        std::string fuellung;
        for (int32_t k = 0; k < namen; ++k) fuellung += "-1,-1,";
        bool alteZeilen = true;
        for (int32_t r = 0; ok && r < DEXFOIL_ZEILEN; ++r) {
            std::string z;
            if (alteZeilen && LiesZeile(alt, &zeile))
                z = zeile + ",";
            else {
                alteZeilen = false;
                z = fuellung;
            }
            if (r < punkte)
                z += Format8G(x[r], ',') + Format8G(y[r], '\n');
            else
                z += "-1,-1\n";
            ok = Schreibe(neu, z);
        }
        erweitert = true;
        break;
    }
    // Whatever follows the extended block is kept as it stands.
    while (ok && alt && LiesZeile(alt, &zeile)) ok = Schreibe(neu, zeile + "\n");
    if (ok && !erweitert) {
        ok = Schreibe(neu, folienName + "\n");
        for (int32_t r = 0; ok && r < DEXFOIL_ZEILEN; ++r)
            ok = Schreibe(neu, r < punkte ? Format8G(x[r], ',') + Format8G(y[r], '\n')
                                          : std::string("-1,-1\n"));
    }
    if (alt) {
        if (std::ferror(alt)) ok = false;
        std::fclose(alt);
    }
    if (std::fclose(neu) != 0) ok = false;
    if (!ok) {
        if (hatAlt)
            KopiereDatei(sicherung, tabelle);
        else
            std::remove(tabelle.c_str());
        return DEXFOIL_FEHLER_SCHREIBEN;
    }
    return DEXFOIL_OK;
}

// ---------------------------------------------------------------------------
// Open and Load

int32_t DateiVariante(const char* dateiName)
{
    if (!dateiName) return DATEI_NORMAL;
    const char* punkt = std::strrchr(dateiName, '.');
    if (!punkt) return DATEI_NORMAL;
    std::string endung;
    for (const char* p = punkt + 1; *p; ++p) {
        char c = *p;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        endung.push_back(c);
    }
    // The extensions the measuring programs write: ".F15" and ".M15" hold
    // four columns (y = ln |I0/I1|), ".DEX" the energy-dispersive scans.
    if (endung == "F15" || endung == "M15") return DATEI_LOG_51;
    if (endung == "DEX") return DATEI_XED;
    return DATEI_NORMAL;
}

void LogQuotient(const double* spalte2, const double* spalte3, int32_t n, double* y)
{
    for (int32_t i = 0; i < n; ++i) {
        const double a = spalte2[i];
        const double b = spalte3[i];
        y[i] = (a == 0.0 || b == 0.0) ? 0.0 : std::log(std::fabs(a / b));
    }
}

void XedSpikeFilter(double* y, int32_t n)
{
    for (int32_t i = 30; i < n - 30; ++i) {
        const double a = std::fabs(y[i]);
        const double l = std::fabs(y[i - 1]);
        const double r = std::fabs(y[i + 1]);
        if ((a > 2.0 * l && a > 2.0 * r) || (a < 0.5 * l && a < 0.5 * r))
            y[i] = 0.5 * (y[i - 1] + y[i - 2]);
    }
}

void EinSpaltenAbszisse(const double* spalte, int32_t n, double* x, double* y)
{
    // y first: the column may be the x array.
    if (y != spalte)
        for (int32_t i = 0; i < n; ++i) y[i] = spalte[i];
    for (int32_t i = 0; i < n; ++i) x[i] = static_cast<double>(i);
}

int32_t KomplexKapazitaet(int32_t n)
{
    return 2 * n + 5;
}

int32_t UebertrageInSlot(const double* x, const double* y, const double* imag,
                         const double* spalte3, int32_t n, int32_t variante, double* slotX,
                         double* slotY, int32_t kapazitaet)
{
    if (n < 0 || !x || !y || !slotX || !slotY) return -1;
    if (variante == DATEI_LOG_51 && !spalte3) return -1;
    const int64_t noetig = imag ? 2 * static_cast<int64_t>(n) + 1 : n;
    if (noetig > kapazitaet) return -1;
    for (int32_t i = 0; i < n; ++i) slotX[i] = x[i];
    if (variante == DATEI_LOG_51)
        LogQuotient(y, spalte3, n, slotY);
    else
        for (int32_t i = 0; i < n; ++i) slotY[i] = y[i];
    if (variante == DATEI_XED) XedSpikeFilter(slotY, n);
    if (imag && n > 0) {
        slotX[n] = slotX[n - 1];
        slotY[n] = slotY[n - 1];
        for (int32_t i = 0; i < n; ++i) {
            slotX[n + 1 + i] = x[i];
            slotY[n + 1 + i] = imag[i];
        }
    }
    return n;
}

// ---------------------------------------------------------------------------
// Save

void EntferneKGewichtung(const double* x, double* y, int32_t n, double kGewicht,
                         bool mitImaginaerteil)
{
    for (int32_t i = 0; i < n; ++i)
        if (x[i] != 0.0) y[i] /= std::pow(x[i], kGewicht);
    if (!mitImaginaerteil) return;
    for (int32_t i = n + 1; i <= 2 * n; ++i)
        if (x[i] != 0.0) y[i] /= std::pow(x[i], kGewicht);
}

int32_t FormatiereAnhangZeile(double x, double y, char* puffer, int32_t groesse)
{
    if (!puffer || groesse <= 0) return -1;
    const int laenge = std::snprintf(puffer, static_cast<size_t>(groesse), "%.15G,%.15G\r\n", x, y);
    if (laenge < 0 || laenge >= groesse) {
        puffer[0] = '\0';
        return -1;
    }
    return laenge;
}

int32_t HaengeKurveAn(const std::string& pfad, const double* x, const double* y, int32_t n)
{
    if (n < 0 || (n > 0 && (!x || !y))) return SPEICHERN_FEHLER;
    std::FILE* f = std::fopen(pfad.c_str(), "ab");
    if (!f) return SPEICHERN_FEHLER;
    bool ok = true;
    char zeile[96];
    for (int32_t i = 0; ok && i < n; ++i) {
        const int32_t l = FormatiereAnhangZeile(x[i], y[i], zeile, sizeof zeile);
        ok = l > 0 && std::fwrite(zeile, 1, static_cast<size_t>(l), f) == static_cast<size_t>(l);
    }
    if (std::fclose(f) != 0) ok = false;
    return ok ? SPEICHERN_OK : SPEICHERN_FEHLER;
}

int32_t SchreibeTextDatei(const std::string& pfad, const std::string& text)
{
    std::FILE* f = std::fopen(pfad.c_str(), "wb");
    if (!f) return SPEICHERN_FEHLER;
    bool ok = Schreibe(f, text);
    if (std::fclose(f) != 0) ok = false;
    return ok ? SPEICHERN_OK : SPEICHERN_FEHLER;
}

// ---------------------------------------------------------------------------
// File-name dialog

const DateiFilterPaar DATEI_FILTER_EIGEN = {"current", "*.*"};

const DateiFilterPaar DATEI_FILTER[9] = {
    {"All Files (*.*)", "*.*"},
    {"XAFS chi(k) (*.chi)", "*.chi"},
    {"XAFS Spectra(*.xan)", "*.xan"},
    {"Mess-Files (*.M*)", "*.M*"},
    {"Feff Files (*.dat)", "*.dat"},
    {"DXAS Files(*.DEX)", "*.dex"},
    {"Multiple Column files (*.dxa)", "*.dxa"},
    {"Exp. XAS-Files (*.rxa)", "*.rxa"},
    {"Windows Text Files (*.txt)", "*.txt"},
};

const DateiFilterPaar ERGEBNIS_FILTER = {"Ergebnisse (*.ERG)", "*.ERG"};

std::string FilterText(const DateiFilterPaar* paare, int32_t anzahl)
{
    std::string text;
    for (int32_t i = 0; i < anzahl; ++i) {
        text += paare[i].beschreibung;
        text.push_back('\0');
        text += paare[i].muster;
        text.push_back('\0');
    }
    text.push_back('\0');
    return text;
}

std::string NameVonPfad(const std::string& pfad)
{
    size_t i = pfad.size();
    while (i > 0 && !IstTrenner(pfad[i - 1])) --i;
    return pfad.substr(i);
}

std::string OrdnerVonPfad(const std::string& pfad)
{
    size_t i = pfad.size();
    while (i > 0 && !IstTrenner(pfad[i - 1])) --i;
    return pfad.substr(0, i);
}

std::string OrdnerOhneSchraegstrich(const std::string& pfad)
{
    std::string o = OrdnerVonPfad(pfad);
    if (!o.empty()) o.pop_back();
    return o;
}

std::string MerkeFilter(const std::string& pfad)
{
    const std::string name = NameVonPfad(pfad);
    const size_t punkt = name.rfind('.');
    if (punkt == std::string::npos) return "*.";
    return "*." + name.substr(punkt + 1);
}

std::string OeffnenVorschlag(const std::string& filter, const std::string& ersatz)
{
    if (!filter.empty() && filter[0] == '*' && filter.size() < 6) return filter;
    return ersatz;
}

std::string SpeichernVorschlag(const std::string& filter, int32_t asciiWahl,
                               const std::string& fensterDateiName)
{
    if (asciiWahl == 1 || asciiWahl == 2) {
        const char* endung = asciiWahl == 1 ? ".xan" : ".chi";
        std::string name = NameVonPfad(fensterDateiName);
        if (name.empty()) return std::string("*") + endung;
        const size_t punkt = name.rfind('.');
        if (punkt != std::string::npos) name.erase(punkt);
        return name + endung;
    }
    if (filter.size() >= 2 && filter.compare(0, 2, "*.") == 0 && filter.size() < 6) return filter;
    return "*.mes";
}

DateiDialogVorgabe DateiDialogTabelle(int32_t art, const std::string& dateiFilter,
                                      const std::string& datenOrdner,
                                      const std::string& feffOrdner,
                                      const std::string& feffdirZeile)
{
    DateiDialogVorgabe v{"", "*.M*", "", false};
    switch (art) {
    case 1:
        v.titel = "Load phase for conv. EXAFS";
        v.vorschlag = "*.pha";
        break;
    case 2:
        v.titel = "Load amplitude for conv. EXAFS";
        v.vorschlag = "*.amp";
        break;
    case 4:
        v.vorschlag = "*.F15";
        break;
    case 5:
        v.vorschlag = "*.WMF";
        break;
    case 6: {
        v.titel = "Open MC file";
        bool zaehler = dateiFilter.size() > 3 && dateiFilter.compare(0, 3, "*.a") == 0;
        for (size_t i = 3; zaehler && i < dateiFilter.size(); ++i)
            zaehler = dateiFilter[i] >= '0' && dateiFilter[i] <= '9';
        v.vorschlag = zaehler ? dateiFilter : "*.a*";
        break;
    }
    case 7:
        v.vorschlag = "*.bl8";
        break;
    case 8: {
        v.titel = "Open FEFF-dat";
        v.vorschlag = "fi*.dat;si*.dat;xm*.dat";
        if (!feffOrdner.empty()) {
            v.ordner = feffOrdner;
        } else {
            std::string zeile = feffdirZeile;
            while (!zeile.empty() && (zeile.back() == '\n' || zeile.back() == '\r'))
                zeile.pop_back();
            v.ordner = OrdnerVonPfad(zeile);
        }
        break;
    }
    case 100:
        v.vorschlag = dateiFilter;
        break;
    case 200:
        v.titel = "Select All Reference Files";
        v.vorschlag = dateiFilter;
        v.ordner = datenOrdner;
        v.mehrfach = true;
        break;
    default:
        break;
    }
    return v;
}

int32_t TeileMehrfachAuswahl(const char* puffer, int32_t laenge, std::string* pfad,
                             std::string* titel, int32_t* gekuerzt)
{
    pfad->clear();
    titel->clear();
    if (gekuerzt) *gekuerzt = 0;
    if (!puffer || laenge <= 0) return 0;
    // The strings of the buffer, up to the empty one that ends the list.
    auto naechstes = [&](int32_t* pos, std::string* s) {
        s->clear();
        while (*pos < laenge && puffer[*pos] != '\0') s->push_back(puffer[(*pos)++]);
        if (*pos < laenge) ++*pos;
        return !s->empty();
    };
    int32_t pos = 0;
    std::string erstes, name;
    if (!naechstes(&pos, &erstes)) return 0;
    // One file: no name follows the first string. (A dot in the first
    // string cannot tell, since folders may hold dots as well.)
    if (!naechstes(&pos, &name)) {
        *pfad = erstes;
        return 1;
    }
    *pfad = erstes;
    if (!IstTrenner(pfad->back())) pfad->push_back('\\');
    int32_t anzahl = 0;
    do {
        if (name.size() > static_cast<size_t>(MEHRFACH_NAME_MAX)) {
            name.resize(MEHRFACH_NAME_MAX);
            if (gekuerzt) ++*gekuerzt;
        }
        if (anzahl > 0) titel->push_back(',');
        *titel += name;
        ++anzahl;
    } while (naechstes(&pos, &name));
    return anzahl;
}

// ---------------------------------------------------------------------------
// Small routines

int32_t GetToken(const char* text, char* out, char delimiter, int32_t* position, int32_t limit,
                 int32_t groesse)
{
    if (!out || groesse <= 0) return 0;
    out[0] = '\0';
    if (!text || !position || *position < 0) return 0;
    int32_t p = *position;
    // Stay inside the text even when the position lies behind its end.
    for (int32_t i = 0; i < p; ++i)
        if (text[i] == '\0') return 0;
    int32_t k = 0;
    while (text[p] != '\0' && (limit < 0 || p < limit)) {
        if (k >= groesse - 1) {
            out[k] = '\0';
            return 0;
        }
        const char c = text[p++];
        out[k++] = c;
        if (c == delimiter) {
            out[k] = '\0';
            *position = p;
            return 1;
        }
    }
    out[k] = '\0';
    *position = p;
    return 0;
}

int64_t DateiSeek(std::FILE* datei)
{
    if (!datei) return -1;
    std::fpos_t stelle;
    if (std::fgetpos(datei, &stelle) != 0) return -1;
    if (std::fseek(datei, 0, SEEK_END) != 0) return -1;
    const long groesse = std::ftell(datei);
    if (std::fsetpos(datei, &stelle) != 0) return -1;
    return groesse < 0 ? -1 : static_cast<int64_t>(groesse);
}

namespace {

template <class T>
void QuickSort(T* a, int32_t lo, int32_t hi)
{
    while (lo < hi) {
        // Median of three as the first element: sorted input then splits
        // in halves instead of peeling one value per pass.
        const int32_t mitte = lo + (hi - lo) / 2;
        if (a[mitte] < a[lo]) std::swap(a[mitte], a[lo]);
        if (a[hi] < a[lo]) std::swap(a[hi], a[lo]);
        if (a[hi] < a[mitte]) std::swap(a[hi], a[mitte]);
        std::swap(a[lo], a[mitte]);
        const T pivot = a[lo];
        // Both scans stop at values equal to the pivot, so that constant
        // input splits in halves too; the bounds keep a NaN from running
        // a scan off the range.
        int32_t i = lo;
        int32_t j = hi + 1;
        for (;;) {
            do ++i;
            while (i <= hi && a[i] < pivot);
            do --j;
            while (j > lo && pivot < a[j]);
            if (i >= j) break;
            std::swap(a[i], a[j]);
        }
        std::swap(a[lo], a[j]);
        // Recursion only into the smaller part keeps the depth below
        // log2 of the count.
        if (j - lo < hi - j) {
            QuickSort(a, lo, j - 1);
            lo = j + 1;
        } else {
            QuickSort(a, j + 1, hi);
            hi = j - 1;
        }
    }
}

}  // namespace

void SortiereFeld(int32_t* feld, int32_t links, int32_t rechts)
{
    if (!feld || links < 0 || rechts <= links) return;
    QuickSort(feld, links, rechts);
}

void SortiereWerte(double* feld, int32_t links, int32_t rechts)
{
    if (!feld || links < 0 || rechts <= links) return;
    QuickSort(feld, links, rechts);
}

int32_t IstZiffer(char c)
{
    if ((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E')
        return 1;
    if (c == '\n' || c == '\r' || c == '\0') return 2;
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return 0;
    return -1;
}

int32_t TextLaenge(const char* text, char* puffer, int32_t groesse)
{
    if (!text) {
        if (puffer && groesse > 0) puffer[0] = '\0';
        return 0;
    }
    const int32_t laenge = static_cast<int32_t>(std::strlen(text));
    if (!puffer || groesse <= 0) return laenge;
    int32_t k = 0;
    for (int32_t i = laenge - 1; i >= 0 && k < groesse - 1; --i) puffer[k++] = text[i];
    puffer[k] = '\0';
    return laenge;
}
