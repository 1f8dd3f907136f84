// CKitTabPaintManagerAppearanceSet: the shape of the tabs a paint manager draws.
#pragma once

#include "framework/geometry.h"
#include "framework/strings.h"

#include <windows.h>

class CDC;
class CKitTabManager;
class CKitTabManagerItem;
class CKitTabPaintManager;

// The shape of the tabs: header depth, the page's place, margins, the rectangles a
// button redraws, and the drawing of the header, the page frame and each button.
// Margin rectangles are written as for a top strip and turned for the position.
class CKitTabPaintManagerAppearanceSet {
public:
    CKitTabPaintManagerAppearanceSet() = default;
    virtual ~CKitTabPaintManagerAppearanceSet() = default;
    CKitTabPaintManagerAppearanceSet(const CKitTabPaintManagerAppearanceSet&) = delete;
    CKitTabPaintManagerAppearanceSet& operator=(const CKitTabPaintManagerAppearanceSet&) = delete;

    // The set of appearance style nStyle (0..12; any other number gives style 0).
    static CKitTabPaintManagerAppearanceSet* Create(int nStyle);

    // Button height from the paint manager's normal font; called on every refresh.
    virtual void RefreshMetrics();
    // The control rectangle cut to the header's depth at the manager's side.
    virtual CRect GetHeaderRect(CRect rcControl, CKitTabManager* pManager);
    // The DC's clip box within the manager's header.
    virtual CRect GetHeaderClipBox(CDC* pDC, CKitTabManager* pManager);
    // The page beside the header, overlapping it by one pixel; all of it without a header.
    virtual CRect GetClientRect(CRect rcControl, CKitTabManager* pManager);
    // Space around the items inside the header (written as for a top strip).
    virtual CRect GetHeaderMargin() { return m_rcHeaderMargin; }
    virtual CRect GetClientMargin();
    // The length an item needs, measured by the paint manager.
    virtual int GetButtonLength(CDC* pDC, CKitTabManagerItem* pItem);
    // The height of one item: the button height with the button margins, at least
    // the manager's normal item size and, with icons, the icon with 4 pixels to spare.
    virtual int GetButtonHeight(const CKitTabManager* pManager);
    // The rectangle to redraw for an item: its rectangle grown by 2 on every side.
    virtual CRect GetButtonDrawRect(const CKitTabManagerItem* pItem);
    // Draws a whole strip; the paint manager's standard drawing.
    virtual void DrawTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl);
    // Fills the header and frames the page; returns the header rectangle.
    virtual CRect FillTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl);
    // Lays the strip out; the paint manager's standard layout.
    virtual void RepositionTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcClient);
    // The page left of rcClient once the margins, header and page frame are off.
    virtual void AdjustClientRect(CKitTabManager* pManager, CRect& rcClient);
    virtual void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem);
    // Whether item captions run vertically: on left and right strips, across the strip when rotated.
    virtual BOOL IsVerticalCaption(CKitTabManager* pManager);
    // One of the parts 0..3 of a frame around a tab control, or its adjustment (part 1).
    virtual void DrawWorkspacePart(CDC* pDC, LPRECT lpRect, int nPart);
    // Colour-set bits this shape suits, and the one a paint manager installs with it.
    virtual int GetSupportedColorSets() { return 95; }
    virtual int GetDefaultColorSet() { return 1; }
    virtual void DrawText(CDC* pDC, const CString& strText, LPRECT lpRect, UINT nFormat);

    // The header's depth across the strip: 0 without a header.
    int GetHeaderHeight(CKitTabManager* pManager);

    // Moves each edge of rc outward (inflate) or inward (deflate) by the margin,
    // turned for the position: top is the header's outer side, bottom the page side,
    // left the leading end and right the trailing end.
    static void InflateRectEx(CRect& rc, const CRect& rcMargin, int nPosition);
    static void DeflateRectEx(CRect& rc, const CRect& rcMargin, int nPosition);
    static BOOL IsHorizontal(int nPosition) { return nPosition == 0 || nPosition == 2; }

    CRect m_rcHeaderMargin;
    int m_nRowSpacing = -2;
    int m_nButtonHeight = 0;
    CKitTabPaintManager* m_pPaintManager = nullptr;
    BOOL m_bDrawFromBothEnds = FALSE;
};
