// CKitTabPaintManager: the options and automatic colours a tab strip is laid out with.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "toolkit/themes/tabs/tab_appearance_set.h"

#include <windows.h>

class CKitTabPaintManager : public CCmdTarget {
    DECLARE_DYNAMIC(CKitTabPaintManager)
public:
    enum Position { kTop = 0, kLeft = 1, kBottom = 2, kRight = 3 };
    enum Layout { kLayoutPlain = 0, kLayoutCompressed = 1, kLayoutFixed = 2, kLayoutIconsOnly = 3,
                  kLayoutMultiRow = 4, kLayoutRotated = 5 };
    enum TooltipMode { kTooltipNone = 0, kTooltipShortened = 2 };
    // Item colours from kAutoColorFirst stand for the eight automatic colours.
    static constexpr COLORREF kAutoColorFirst = 0x1000000;
    static constexpr int kAutoColorCount = 8;

    // The appearance sets (tab_appearance_sets.h).
    class CAppearanceSetPropertyPage;
    class CAppearanceSetPropertyPageSelected;
    class CAppearanceSetPropertyPage2003;
    class CAppearanceSetVisualStudio2005;
    class CAppearanceSetPropertyPage2007;
    class CAppearanceSetPropertyPageAccess2007;
    class CAppearanceSetStateButtons;
    class CAppearanceSetVisualStudio;
    class CAppearanceSetVisio;
    class CAppearanceSetFlat;
    class CAppearanceSetExcel;
    class CAppearanceSetPropertyPageFlat;
    class CAppearanceSetVisualStudio2010;

    CKitTabPaintManager();
    ~CKitTabPaintManager() override;

    // Owns the set; NULL keeps the one in place.
    void SetAppearanceSet(CKitTabPaintManagerAppearanceSet* pSet);
    CKitTabPaintManagerAppearanceSet* GetAppearanceSet() const { return m_pAppearanceSet; }

    int GetPosition() const { return m_nPosition; }
    void SetPosition(int nPosition) { m_nPosition = nPosition; }
    int GetLayout() const { return m_nLayout; }
    void SetLayout(int nLayout) { m_nLayout = nLayout; }

    // The real colour of an automatic item colour value.
    static COLORREF GetAutoItemColor(COLORREF nIndex);
    // Scrolls the manager's header so that the item shows.
    void EnsureVisible(CKitTabManager* pManager, CKitTabManagerItem* pItem);

    BOOL m_bHotTracking = FALSE;
    BOOL m_bShowIcons = TRUE;
    BOOL m_bStaticFrame = FALSE;
    CRect m_rcButtonMargin;
    CSize m_szIcon{16, 16};
    BOOL m_bSelectOnButtonDown = TRUE;
    BOOL m_bRotateImages = FALSE;
    CSize m_szNavigateButton{14, 15};
    int m_nMinItemLength = 0;
    int m_nMaxItemLength = 0;
    int m_nFixedItemLength = 70;
    int m_nToolTipMode = kTooltipShortened;
    // Advanced by each item a strip adds, so strips sharing this manager share the sequence.
    int m_nAutoColorCounter = 0;

private:
    CKitTabPaintManagerAppearanceSet* m_pAppearanceSet = nullptr;
    int m_nPosition = kTop;
    int m_nLayout = kLayoutPlain;
};
