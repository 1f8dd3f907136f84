// CImageButton: the owner-drawn push button with an image and a two-line caption that every node of the
// network view stands on.
#pragma once
#include "framework/ui.h"

class CImageButton : public CButton {
    DECLARE_DYNAMIC(CImageButton)
public:
    CImageButton();
    ~CImageButton() override;

    // Out image arguments that are not resources: none, a grey copy of the in image, a darker copy.
    static constexpr int kNoOutImage = 0;
    static constexpr int kGreyOutImage = -2;
    static constexpr int kDarkerOutImage = -3;

    // Image alignments: image left of the caption, above it, right of it, at the top-left corner, above it.
    enum Alignment { kAlignLeft = 0, kAlignTop = 1, kAlignRight = 2, kAlignTopLeft = 3, kAlignTopCentre = 4 };

    // Result codes.
    static constexpr DWORD kOk = 0;
    static constexpr DWORD kInvalidBitmap = 1;
    static constexpr DWORD kMaskFailed = 2;
    static constexpr DWORD kInvalidAlignment = 4;
    static constexpr DWORD kInvalidPressedStyle = 6;

    // Loads the in bitmap and, unless nBitmapOut is 0, -2 or -3, the out bitmap from the resources, then
    // sets them as SetBitmaps with handles does.
    DWORD SetBitmaps(int nBitmapIn, COLORREF crTransColorIn, int nBitmapOut = kNoOutImage,
                     COLORREF crTransColorOut = 0);
    // Takes ownership of the bitmaps; hBitmapOut may also be kGreyOutImage or kDarkerOutImage (cast) for a
    // copy made from the in image. 0, or 1 when a bitmap's size cannot be read, 2 when a mask cannot be built.
    DWORD SetBitmaps(HBITMAP hBitmapIn, COLORREF crTransColorIn, HBITMAP hBitmapOut, COLORREF crTransColorOut);
    DWORD SetImageAlignment(int alignment, BOOL bRepaint = TRUE);
    int GetImageAlignment() const { return m_alignment; }
    // Style 0: the pressed image moves by (1, 1); style 1: by (0, 2).
    DWORD SetPressedOffsetStyle(int style, BOOL bRepaint = TRUE);
    void SetCheckState(int state, BOOL bRepaint = TRUE);
    int GetCheckState() const { return m_checkState; }
    void SetBorderOnHover(BOOL bEnable, BOOL bRepaint = TRUE);
    void SetFocusWhenFlat(BOOL bEnable, BOOL bRepaint = TRUE);
    void SetTransparentMode(BOOL bRepaint = TRUE);
    BOOL IsHovered() const { return m_hover; }
    BOOL IsFlat() const { return m_flat; }
    void SetFlat(BOOL bFlat, BOOL bRepaint = TRUE);

    // First caption line, set by the owner before the button is painted; a text of more than 12 characters
    // is shortened in place to its first 8 and " ...".
    CString label;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;

    virtual void DrawBackground(CDC* pDC, CRect* pRect);
    virtual void DrawBorder(CDC* pDC, CRect* pRect);
    virtual void DrawIcon(CDC* pDC, BOOL bHasTitle, const CRect& rpItem, CRect* rpCaption, BOOL bIsPressed,
                          BOOL bIsDisabled);
    virtual void DrawBitmap(CDC* pDC, BOOL bHasTitle, const CRect& rpItem, CRect* rpCaption, BOOL bIsPressed,
                            BOOL bIsDisabled);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Image {
        HBITMAP bitmap = nullptr;
        HBITMAP mask = nullptr;
        int width = 0;
        int height = 0;
        COLORREF transparent = 0;
    };
    struct Icon {
        HICON icon = nullptr;
        int width = 0;
        int height = 0;
    };

    void FreeImages();
    // Stores the bitmap and reads its size; false when it cannot be read.
    static bool AttachImage(Image& image, HBITMAP bitmap, COLORREF transparent);
    // Builds the image's mask; false when it cannot be built.
    static bool MaskImage(Image& image);
    // Releases every image and returns result.
    DWORD Fail(DWORD result);
    void Repaint(BOOL bRepaint);
    void CancelHover();
    void OnMouseMoveTracking();
    // Draws line n (0 or 1) of the caption.
    void DrawCaptionLine(CDC* pDC, const CRect& client, const CString& text, int n);
    // Where an image of w x h goes in the item rectangle.
    CPoint PlaceImage(const CRect& item, BOOL bHasTitle, int w, int h, BOOL bIsPressed) const;
    // Whether the in image (or icon) shows rather than the out one.
    bool ShowsInImage() const;
    static HBITMAP BuildMask(HBITMAP bitmap, int width, int height, COLORREF transparent);
    static HBITMAP CopyShaded(HBITMAP source, int width, int height, COLORREF transparent, bool grey);

    BOOL m_showDisabledImage = TRUE;
    CPoint m_imageOrigin{3, 3};
    CPoint m_pressedOffset{1, 1};
    BOOL m_flat = TRUE;
    BOOL m_hover = FALSE;
    BOOL m_transparent = FALSE;
    BOOL m_pressed = FALSE;
    BOOL m_focused = FALSE;
    BOOL m_disabled = FALSE;
    BOOL m_default = FALSE;
    BOOL m_checkbox = FALSE;
    int m_alignment = kAlignLeft;
    BOOL m_borderOnHover = TRUE;
    BOOL m_focusWhenFlat = FALSE;
    Icon m_icons[2];
    Image m_images[2];
    BOOL m_alwaysTrack = TRUE;
    int m_checkState = 0;
};
