// CMarkupTestBitmap: a white 32-bit bitmap in a memory device context that markup draws on, and its pixels.
#pragma once

#include "framework/handles.h"
#include "toolkit/common/image_manager.h"

#include <vector>

class CMarkupTestBitmap {
public:
    CMarkupTestBitmap(int nWidth, int nHeight)
        : m_nWidth(nWidth),
          m_nHeight(nHeight),
          m_bitmap(CKitImageManager::Create32BitDIBSection(nullptr, nWidth, nHeight, &m_bits)),
          m_memory(::CreateCompatibleDC(nullptr)),
          m_select(m_memory.Get(), m_bitmap.Get())
    {
        Clear();
    }

    HDC GetDC() const { return m_memory.Get(); }
    void Clear()
    {
        const RECT whole = {0, 0, m_nWidth, m_nHeight};
        ::FillRect(m_memory.Get(), &whole, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    // The colour of a pixel as RGB(); drawing is flushed first.
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        return StoredPixel(x, y);
    }
    // Every pixel, row by row from the top.
    std::vector<COLORREF> Pixels() const
    {
        ::GdiFlush();
        std::vector<COLORREF> pixels;
        for (int y = 0; y < m_nHeight; ++y) {
            for (int x = 0; x < m_nWidth; ++x)
                pixels.push_back(StoredPixel(x, y));
        }
        return pixels;
    }

private:
    // The section's rows run bottom-up.
    COLORREF StoredPixel(int x, int y) const
    {
        const DWORD value = reinterpret_cast<const DWORD*>(m_bits)[(m_nHeight - 1 - y) * m_nWidth + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }

    int m_nWidth;
    int m_nHeight;
    LPBYTE m_bits = nullptr;
    ScopedGdiObject<HBITMAP> m_bitmap;
    ScopedMemoryDC m_memory;
    ScopedSelectObject m_select;
};
