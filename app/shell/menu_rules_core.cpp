#include "shell/menu_rules.h"

#include <initializer_list>

int MenueRegeln(int popup, const MENUE_ZUSTAND& z, MENUE_REGEL aus[32])
{
    int n = 0;
    auto regel = [&](int32_t id, bool an, int8_t haken = -1) { aus[n++] = MENUE_REGEL{id, an, haken}; };
    const bool f = z.Fenster;
    const bool daten = f && z.Daten, funktion = f && z.Funktion;
    switch (popup) {
    case 0:  // File
        for (int32_t id : {70, 111, 602}) regel(id, daten);
        regel(604, f);
        regel(157, f);
        regel(122, z.KindGelistet);
        regel(175, f && z.Spalten == 6);
        regel(849, funktion && z.Typ == 25);
        break;
    case 1:  // Edit
        for (int32_t id : {607, 608, 606, 601}) regel(id, daten);
        regel(603, funktion);
        regel(164, f && (z.SlotFlags & 4));
        regel(619, f && (z.SlotFlags & 4) && z.ImagGezeichnet);
        break;
    case 2:  // Show
        regel(45, f && z.Typ != 12 && z.Typ < 15, daten ? 1 : 0);
        regel(19, true, funktion ? 1 : 0);
        regel(614, f && z.Typ < 31);
        regel(605, daten);
        regel(136, f && z.Typ < 31);
        regel(161, funktion && !daten);
        regel(155, funktion && !daten);
        regel(3, f);
        regel(5, f);
        regel(4, f && (z.Zaehler > 0 || z.Neuester >= 1));
        regel(1, !(f && z.Zaehler == z.Neuester));
        regel(2, f && z.Zaehler >= 1 && z.Zaehler > z.Neuester - 3);
        regel(616, !(funktion && (z.Typ == 25 || (z.Typ >= 15 && z.Typ <= 18))));
        break;
    case 3:  // Numeric
        regel(521, funktion && z.Wiederherstellbar);
        for (int32_t id : {520, 523, 522}) regel(id, funktion && z.ParameterGesichert);
        regel(515, daten);
        regel(509, false);
        regel(511, false);
        break;
    case 4:  // XAFS
        regel(846, true, z.KalibrierQuelle == 1 ? 1 : 0);
        regel(847, true, z.KalibrierQuelle == 2 ? 1 : 0);
        regel(848, true, z.KalibrierQuelle == 3 ? 1 : 0);
        regel(843, f && !z.Rohdaten && z.Spalten >= 3);
        // The XAFS popup's copy of Show FT Magnitude follows the Edit one.
        regel(164, f && (z.SlotFlags & 4));
        regel(849, f && z.Typ == 25);
        break;
    case 5:  // DXAS
        regel(826, f && z.Rohdaten);
        break;
    case 8:  // Options
        for (int32_t id : {112, 450, 162, 163}) regel(id, f && (z.Daten || z.Funktion));
        break;
    case 9:  // Window
        regel(125, z.ErgebnisSichtbar || f);
        regel(614, funktion);
        break;
    default:
        break;
    }
    return n;
}
