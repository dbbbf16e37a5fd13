// Resource and command ids of korlan, shared by the .rc files and the code.
// Command numbers are grouped by handler:
//   501-599 Numeric menu, 601-699 data commands, 801-899 XAFS/DXAS/series,
//   901-999 XRD; the others are handled by the main window itself.
#ifndef KORLAN_RESOURCE_IDS_H
#define KORLAN_RESOURCE_IDS_H

#define IDS_APP_TITLE 1

#endif
