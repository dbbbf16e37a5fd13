// Reading of the XAS data text files.
#include "xas/data_lines.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

bool LeseTextDatei(const std::string& pfad, std::string* text)
{
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    if (!f) return false;
    text->clear();
    char puffer[65536];
    std::size_t n;
    bool ok = true;
    while ((n = std::fread(puffer, 1, sizeof puffer, f)) > 0) {
        if (text->size() + n > MAX_DATEN_BYTES) {
            ok = false;
            break;
        }
        text->append(puffer, n);
    }
    if (std::ferror(f)) ok = false;
    std::fclose(f);
    return ok;
}

bool ZeilenLeser::Naechste(std::string_view* zeile)
{
    if (pos_ >= laenge_) return false;
    std::size_t ende = pos_;
    while (ende < laenge_ && text_[ende] != '\n' && text_[ende] != '\r') ++ende;
    *zeile = std::string_view(text_ + pos_, ende - pos_);
    if (ende < laenge_ && text_[ende] == '\r') {
        ++ende;
        if (ende < laenge_ && text_[ende] == '\n') ++ende;
    } else if (ende < laenge_) {
        ++ende;  // '\n'
    }
    pos_ = ende;
    return true;
}

namespace {

bool IstLeer(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool WortLeser::Wort(std::string_view* wort)
{
    while (pos_ < zeile_.size() && IstLeer(zeile_[pos_])) ++pos_;
    if (pos_ >= zeile_.size()) return false;
    std::size_t ende = pos_;
    while (ende < zeile_.size() && !IstLeer(zeile_[ende])) ++ende;
    *wort = zeile_.substr(pos_, ende - pos_);
    pos_ = ende;
    return true;
}

bool WortLeser::Zahl(double* wert)
{
    const std::size_t vorher = pos_;
    std::string_view w;
    if (Wort(&w) && WortAlsZahl(w, wert)) return true;
    pos_ = vorher;
    return false;
}

std::string_view WortLeser::Rest()
{
    while (pos_ < zeile_.size() && IstLeer(zeile_[pos_])) ++pos_;
    return zeile_.substr(pos_);
}

bool WortAlsZahl(std::string_view wort, double* wert)
{
    char puffer[64];
    if (wort.empty() || wort.size() >= sizeof puffer) return false;
    wort.copy(puffer, wort.size());
    puffer[wort.size()] = '\0';
    char* ende = nullptr;
    const double v = std::strtod(puffer, &ende);
    if (ende != puffer + wort.size() || !std::isfinite(v)) return false;
    *wert = v;
    return true;
}
