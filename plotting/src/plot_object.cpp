#include "vantor.h"

feld_plot::feld_plot() : pi_{}
{
    pi_.XNumbers = pi_.YNumbers = pi_.ZNumbers = 5;
    pi_.DotScale = 0.6;
    pi_.SignFactor = 1.0;
}

void feld_plot::SetPaintinfo(PAINTINFO* info)
{
    if (info) pi_ = *info;
}

void feld_plot::GetPaintinfo(PAINTINFO* info)
{
    if (info) *info = pi_;
}
