// CKitTabPaintManager::CAppearanceSet*: the thirteen tab shapes a paint manager can take.
#pragma once

#include "toolkit/themes/tabs/tab_appearance_set.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

// Classic 3-D property-sheet tabs; the set a new paint manager starts with.
class CKitTabPaintManager::CAppearanceSetPropertyPage : public CKitTabPaintManagerAppearanceSet {
public:
    CAppearanceSetPropertyPage() { m_rcHeaderMargin.SetRect(2, 3, 6, 0); }
    CRect GetHeaderClipBox(CDC* pDC, CKitTabManager* pManager) override;
    CRect GetClientMargin() override;
    CRect FillTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 13; }
    int GetDefaultColorSet() override { return 1; }
};

// Property-sheet tabs where only the selected and the hot item get a body.
class CKitTabPaintManager::CAppearanceSetPropertyPageSelected : public CAppearanceSetPropertyPage {
public:
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
};

// Tabs with a slanted leading edge.
class CKitTabPaintManager::CAppearanceSetPropertyPage2003 : public CKitTabPaintManagerAppearanceSet {
public:
    CAppearanceSetPropertyPage2003() { m_rcHeaderMargin.SetRect(2, 3, 6, 0); }
    CRect GetHeaderMargin() override;
    CRect GetButtonDrawRect(const CKitTabManagerItem* pItem) override;
    // Room for the caption plus the trailing part that the next tab's slant may lie over.
    int GetButtonLength(CDC* pDC, CKitTabManagerItem* pItem) override;
    CRect FillTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 85; }
    int GetDefaultColorSet() override { return 4; }

    // The hot item is outlined all in the hot button border colour.
    BOOL m_bHotBorder = FALSE;

protected:
    // How far the next tab's slant reaches into a tab at its caption: the caption keeps clear of it.
    int GetSlantOverlap(const CKitTabManager* pManager);
};

// Tabs slanted at both ends, drawn from both ends of a row toward the selected one.
class CKitTabPaintManager::CAppearanceSetVisualStudio2005 : public CAppearanceSetPropertyPage2003 {
public:
    CAppearanceSetVisualStudio2005() { m_bDrawFromBothEnds = TRUE; }
    CRect GetHeaderMargin() override;
    // Neighbours lie under the selected tab only by the bend of their ends: the caption's length.
    int GetButtonLength(CDC* pDC, CKitTabManagerItem* pItem) override;
    CRect GetButtonDrawRect(const CKitTabManagerItem* pItem) override;
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
};

// Tabs drawn from the "RIBBONTAB" theme picture.
class CKitTabPaintManager::CAppearanceSetPropertyPage2007 : public CKitTabPaintManagerAppearanceSet {
public:
    CAppearanceSetPropertyPage2007() { m_rcHeaderMargin.SetRect(4, 1, 0, 0); }
    CRect FillTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 32; }
    int GetDefaultColorSet() override { return 32; }
    // Draws the item's picture into rc as for a top strip.
    virtual void DrawImageTab(CDC* pDC, CKitTabManagerItem* pItem, CRect rc);

protected:
    // Draws the item as for a top strip and turns the result into rc for the position.
    void DrawRotatedImageButton(CDC* pDC, CRect rc, CKitTabManagerItem* pItem, BOOL bTransformIn);
};

// Tabs drawn from the "ACCESSTAB" theme picture, overlapping at their trailing end.
class CKitTabPaintManager::CAppearanceSetPropertyPageAccess2007 : public CAppearanceSetPropertyPage2007 {
public:
    void RefreshMetrics() override;
    CRect GetHeaderMargin() override;
    CRect GetButtonDrawRect(const CKitTabManagerItem* pItem) override;
    CRect FillTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 128; }
    int GetDefaultColorSet() override { return 128; }
    void DrawImageTab(CDC* pDC, CKitTabManagerItem* pItem, CRect rc) override;
};

// Items as state buttons on the header, no page frame.
class CKitTabPaintManager::CAppearanceSetStateButtons : public CKitTabPaintManagerAppearanceSet {
public:
    CAppearanceSetStateButtons()
    {
        m_rcHeaderMargin.SetRect(2, 2, 4, 2);
        m_nRowSpacing = 0;
    }
    CRect FillTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetDefaultColorSet() override { return 2; }
};

// Flat items with separators; the selected one raised.
class CKitTabPaintManager::CAppearanceSetVisualStudio : public CKitTabPaintManagerAppearanceSet {
public:
    CAppearanceSetVisualStudio() { m_rcHeaderMargin.SetRect(4, 2, 4, 0); }
    CRect FillTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 7; }
    int GetDefaultColorSet() override { return 2; }
};

// Full-width bars stacked on each other; the page opens below the selected one.
class CKitTabPaintManager::CAppearanceSetVisio : public CKitTabPaintManagerAppearanceSet {
public:
    CRect GetHeaderRect(CRect rcControl, CKitTabManager* pManager) override;
    CRect GetClientRect(CRect rcControl, CKitTabManager* pManager) override;
    void DrawTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void RepositionTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcClient) override;
    void AdjustClientRect(CKitTabManager* pManager, CRect& rcClient) override;
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
    // The bars lie across the control whatever side the strip is on.
    BOOL IsVerticalCaption(CKitTabManager* /*pManager*/) override { return FALSE; }
    int GetSupportedColorSets() override { return 5; }
    int GetDefaultColorSet() override { return 1; }
};

// Flat framed items.
class CKitTabPaintManager::CAppearanceSetFlat : public CKitTabPaintManagerAppearanceSet {
public:
    CAppearanceSetFlat() { m_rcHeaderMargin.SetRect(2, 2, 4, 0); }
    CRect FillTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetSupportedColorSets() override { return 263; }
    int GetDefaultColorSet() override { return 2; }
};

// Trapezoid sheet tabs.
class CKitTabPaintManager::CAppearanceSetExcel : public CAppearanceSetFlat {
public:
    CAppearanceSetExcel() { m_rcHeaderMargin.SetRect(2, 3, 2, 0); }
    CRect GetHeaderMargin() override;
    CRect GetButtonDrawRect(const CKitTabManagerItem* pItem) override;
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
};

// Flat tabs with rounded outer corners.
class CKitTabPaintManager::CAppearanceSetPropertyPageFlat : public CAppearanceSetFlat {
public:
    CAppearanceSetPropertyPageFlat() { m_rcHeaderMargin.SetRect(2, 2, 4, 0); }
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetDefaultColorSet() override { return 1; }

    BOOL m_bRoundedCorners = TRUE;
    // Only the selected item gets a body; the others are parted by separators.
    BOOL m_bSeparatorMode = FALSE;
    // A body for every item, not only the selected and the hot one.
    BOOL m_bDrawEveryButton = TRUE;
};

// Dark header with light, rounded selected tabs.
class CKitTabPaintManager::CAppearanceSetVisualStudio2010 : public CAppearanceSetPropertyPageFlat {
public:
    CAppearanceSetVisualStudio2010() { m_bDrawEveryButton = FALSE; }
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
    int GetDefaultColorSet() override { return 256; }
};
