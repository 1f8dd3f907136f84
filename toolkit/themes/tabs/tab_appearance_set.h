// CKitTabPaintManagerAppearanceSet: the shape of the tabs a paint manager draws.
#pragma once

#include "framework/geometry.h"

#include <windows.h>

class CKitTabManager;
class CKitTabManagerItem;
class CKitTabPaintManager;

// The shape of the tabs: margins, heights and the rectangles a button redraws.
class CKitTabPaintManagerAppearanceSet {
public:
    CKitTabPaintManagerAppearanceSet() = default;
    virtual ~CKitTabPaintManagerAppearanceSet() = default;
    CKitTabPaintManagerAppearanceSet(const CKitTabPaintManagerAppearanceSet&) = delete;
    CKitTabPaintManagerAppearanceSet& operator=(const CKitTabPaintManagerAppearanceSet&) = delete;

    // Space around the items inside the header (written as for a top strip).
    virtual CRect GetHeaderMargin() { return m_rcHeaderMargin; }
    // The height of one item: the button height with the button margins, at least
    // the manager's normal item size and, with icons, the icon with 4 pixels to spare.
    virtual int GetButtonHeight(const CKitTabManager* pManager);
    // The rectangle to redraw for an item: its rectangle grown by 2 on every side.
    virtual CRect GetButtonDrawRect(const CKitTabManagerItem* pItem);

    CKitTabPaintManager* m_pPaintManager = nullptr;
    CRect m_rcHeaderMargin;
    int m_nButtonHeight = 0;
};
