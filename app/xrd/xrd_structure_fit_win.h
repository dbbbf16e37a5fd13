// Command 915's worker.
#ifndef KORLAN_XRD_STRUCTURE_FIT_WIN_H
#define KORLAN_XRD_STRUCTURE_FIT_WIN_H

#include <cstdint>

// The structure fit on the active window: dialog XRDSTRUCTFIT, the model
// (refusals named in a message, the model then unchanged), the parameter
// table SET_ALL_PARAMETER, and on its OK command 507 posted with lParam 2.
// mode has no effect.
void XrdStructureFit(int32_t mode);

#endif
