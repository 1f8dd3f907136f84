#include "toolkit/themes/image_rows.h"

#include <cstddef>
#include <cstring>

void ReverseImageRows(int w, int h, const DWORD* pSource, DWORD* pDestination)
{
    if (h < 1 || w < 1)
        return;
    const size_t nRow = static_cast<size_t>(w);
    for (int i = 0; i < h; ++i)
        std::memcpy(pDestination + nRow * i, pSource + nRow * (h - 1 - i), nRow * sizeof(DWORD));
}

void TransposeImageReversed(int w, int h, const DWORD* pSource, DWORD* pDestination)
{
    if (h < 1 || w < 1)
        return;
    const size_t nLast = static_cast<size_t>(w) * static_cast<size_t>(h) - 1;
    for (int i = 0; i < h; ++i)
        for (int j = 0; j < w; ++j)
            pDestination[nLast - (static_cast<size_t>(i) * w + j)] = pSource[static_cast<size_t>(j) * h + i];
}
