// Entry points of the command handlers of the other subsystems. Each reads
// the command id and lParam from HAUPTDATEN.Meldungsblock, picks its own
// target window and loads the fit model itself.
#ifndef KORLAN_BEFEHLE_H
#define KORLAN_BEFEHLE_H

class haupt_fenster;

void NumerikBefehl(haupt_fenster* app);  // 501-599
void EditBefehl(haupt_fenster* app);     // 601-699
void XafsBefehl(haupt_fenster* app);     // 801-899
void XrdBefehl(haupt_fenster* app);      // 901-999

// Tells the user that a command cannot be run in this version (no box while
// a macro runs or the values are prepared).
void BefehlNichtVerfuegbar(haupt_fenster* app);

#endif
