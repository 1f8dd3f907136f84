// CKitNonClientMetrics: the system's non-client metrics (caption, menu, status and message fonts), read when constructed.
#pragma once

#include <windows.h>

#include <cstddef>

struct CKitNonClientMetrics : NONCLIENTMETRICSA {
    // The record without the padded-border field, which every system accepts.
    static constexpr UINT kRecordSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);

    CKitNonClientMetrics() : NONCLIENTMETRICSA()
    {
        cbSize = kRecordSize;
        ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kRecordSize, static_cast<NONCLIENTMETRICSA*>(this), 0);
    }
};
