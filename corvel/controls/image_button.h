// CImageButton: the push button with an image that every node of the network view stands on.
#pragma once
#include "framework/ui.h"

class CImageButton : public CButton {
    DECLARE_DYNAMIC(CImageButton)
public:
    CImageButton();
    ~CImageButton() override;

    // Out image ids that are not resources.
    static constexpr int kNoOutImage = 0;

    // Loads the "in" bitmap and, unless nBitmapOut is kNoOutImage, the "out" bitmap
    // from the resources; 0 on success, 1 when the in bitmap cannot be loaded.
    DWORD SetBitmaps(int nBitmapIn, COLORREF crTransColorIn, int nBitmapOut = kNoOutImage,
                     COLORREF crTransColorOut = 0);

    // First caption line, set by the owner before the button is painted.
    CString label;

protected:
    CBitmap m_bitmapIn;
    CBitmap m_bitmapOut;
    COLORREF m_transColorIn = 0;
    COLORREF m_transColorOut = 0;
};
