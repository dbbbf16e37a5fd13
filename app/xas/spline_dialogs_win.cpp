// The knot dialogs of the spline background (SPLINE_FIT, AD_SPLINE_FIT).
#include "shell/dispatcher.h"
#include "xas/xas_background_win.h"

int32_t SplineFitDialog()
{
    NichtVerfuegbar(828, "The spline dialog");
    return 0;
}

int32_t AdSplineFitDialog()
{
    NichtVerfuegbar(837, "The advanced spline dialog");
    return 0;
}
