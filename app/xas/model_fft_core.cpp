// Until the transforms of the EXAFS model are built, no kind is processed:
// the model callback keeps the plain model.
#include "xas/model_fft.h"

int32_t ModellFeldFFT(int32_t, double*, double*, double*, double*, double*, int32_t)
{
    return 0;
}
