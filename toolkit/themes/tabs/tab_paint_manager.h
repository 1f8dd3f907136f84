// CKitTabPaintManager: the options, fonts, layout and drawing of tab strips, with one appearance set and one colour set.
#pragma once

#include "framework/gdi.h"
#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"
#include "toolkit/themes/tabs/tab_appearance_set.h"

#include <windows.h>

#include <vector>

class CDC;
class CKitTabManager;
class CKitTabManagerAtom;
class CKitTabManagerItem;
class CKitTabManagerNavigateButton;
class CKitTabPaintManagerColorSet;

class CKitTabPaintManager : public CCmdTarget {
    DECLARE_DYNAMIC(CKitTabPaintManager)
public:
    enum Position { kTop = 0, kLeft = 1, kBottom = 2, kRight = 3 };
    enum Layout { kLayoutPlain = 0, kLayoutCompressed = 1, kLayoutFixed = 2, kLayoutIconsOnly = 3,
                  kLayoutMultiRow = 4, kLayoutRotated = 5 };
    enum TooltipMode { kTooltipNone = 0, kTooltipShortened = 2 };
    enum ClientFrame { kClientFrameFull = 0, kClientFrameSingleLine = 1, kClientFrameNone = 2 };
    enum AppearanceStyle {
        kAppearancePropertyPage = 0, kAppearancePropertyPageSelected = 1, kAppearancePropertyPageFlat = 2,
        kAppearancePropertyPage2003 = 3, kAppearanceStateButtons = 4, kAppearanceVisualStudio = 5,
        kAppearanceFlat = 6, kAppearanceExcel = 7, kAppearanceVisio = 8, kAppearanceVisualStudio2005 = 9,
        kAppearancePropertyPage2007 = 10, kAppearancePropertyPageAccess2007 = 11, kAppearanceVisualStudio2010 = 12,
    };
    // Colour-set identifiers: single bits, so that an appearance set can name the ones it supports.
    enum ColorSetId {
        kColorSetDefault = 1, kColorSetVisualStudio2003 = 2, kColorSetOffice2003 = 4, kColorSetWinNative = 8,
        kColorSetVisualStudio2005 = 16, kColorSetOffice2007 = 32, kColorSetVisualStudio2008 = 64,
        kColorSetOffice2007Access = 128, kColorSetVisualStudio2010 = 256,
    };
    // Item colours from kAutoColorFirst stand for the eight automatic colours.
    static constexpr COLORREF kAutoColorFirst = 0x1000000;
    static constexpr int kAutoColorCount = 8;

    // The appearance sets (tab_appearance_sets.h).
    class CAppearanceSetPropertyPage;
    class CAppearanceSetPropertyPageSelected;
    class CAppearanceSetPropertyPageFlat;
    class CAppearanceSetPropertyPage2003;
    class CAppearanceSetStateButtons;
    class CAppearanceSetVisualStudio;
    class CAppearanceSetFlat;
    class CAppearanceSetExcel;
    class CAppearanceSetVisio;
    class CAppearanceSetVisualStudio2005;
    class CAppearanceSetPropertyPage2007;
    class CAppearanceSetPropertyPageAccess2007;
    class CAppearanceSetVisualStudio2010;

    class CColorSetDefault;
    class CColorSetVisualStudio2003;
    class CColorSetOffice2003;
    class CColorSetWinNative;
    class CColorSetVisualStudio2005;
    class CColorSetOffice2007;
    class CColorSetOffice2007Access;
    class CColorSetVisualStudio2008;
    class CColorSetVisualStudio2010;

    // Starts with the property-page appearance, its default colours and the system's fonts.
    CKitTabPaintManager();
    ~CKitTabPaintManager() override;
    CKitTabPaintManager(const CKitTabPaintManager&) = delete;
    CKitTabPaintManager& operator=(const CKitTabPaintManager&) = delete;

    // Draws the whole control through the appearance set (by default DrawTabs).
    virtual void DrawTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl);
    // Takes the static frame and the appearance set's page frame off rcClient.
    virtual void AdjustClientRect(CKitTabManager* pManager, CRect& rcClient);
    // Lays the strip out in rc: header, items, rows, navigate buttons and client rectangle.
    virtual void RepositionTabControl(CKitTabManager* pManager, CDC* pDC, CRect rc);
    // The colour set's face, then the button's glyph in the colour it leaves as text colour.
    virtual void DrawNavigateButton(CDC* pDC, CKitTabManagerNavigateButton* pButton, CRect rc);
    // Draws an item's icon, caption and own buttons; with bDraw FALSE only returns its length.
    virtual int DrawItemIconAndCaption(CDC* pDC, CKitTabManagerItem* pItem, CRect rcItem, BOOL bDraw);
    // Fonts from the system (when standard), then the colour set's and the appearance set's metrics.
    virtual void RefreshMetrics();
    virtual void RefreshClients();
    virtual void DrawFocusRect(CDC* pDC, CKitTabManagerItem* pItem, CRect rc);

    // Installs the appearance set of the style (unknown styles: property page) and its default colours.
    void SetAppearance(int nStyle);
    // Owns the set; NULL only refreshes the clients.
    void SetAppearanceSet(CKitTabPaintManagerAppearanceSet* pSet);
    CKitTabPaintManagerAppearanceSet* GetAppearanceSet() const { return m_pAppearanceSet; }
    int GetAppearance() const { return m_nAppearanceStyle; }
    // Installs the colour set of the identifier (unknown identifiers: the default set).
    void SetColor(int nColorSet);
    // Owns the set; NULL only refreshes the clients.
    void SetColorSet(CKitTabPaintManagerColorSet* pSet);
    CKitTabPaintManagerColorSet* GetColorSet() const { return m_pColorSet; }
    int GetColor() const { return m_nColorSet; }
    // Makes the four fonts from lf; bUseStandardFont: RefreshMetrics makes them again from the system.
    void SetFontIndirect(const LOGFONTA* pLogFont, BOOL bUseStandardFont = FALSE);

    int GetPosition() const { return m_nPosition; }
    void SetPosition(int nPosition);
    int GetLayout() const { return m_nLayout; }
    void SetLayout(int nLayout);

    // Strips that use this paint manager; they are refreshed after a change and never deleted.
    void AddClient(CKitTabManagerAtom* pClient);
    void RemoveClient(CKitTabManagerAtom* pClient);
    int GetClientCount() const { return static_cast<int>(m_arrClients.size()); }

    CFont* GetNormalFont() { return &m_fntNormal; }
    CFont* GetBoldFont() { return &m_fntBold; }
    CFont* GetVerticalFont() { return &m_fntVertical; }
    CFont* GetVerticalBoldFont() { return &m_fntVerticalBold; }

    // The real colour of an automatic item colour value.
    static COLORREF GetAutoItemColor(COLORREF nIndex);
    // Scrolls the manager's header so that the item shows.
    void EnsureVisible(CKitTabManager* pManager, CKitTabManagerItem* pItem);
    // The standard layout: item lengths and rectangles, navigate buttons, header offset.
    void LayoutTabs(CKitTabManager* pManager, CDC* pDC, CRect rc);
    // Splits the items into balanced rows and places the selected row next to the client.
    void LayoutMultiRow(CKitTabManager* pManager, CDC* pDC, CRect rc);
    // Shortens the longest items until all fit in nAvailable.
    void CompressItems(CKitTabManager* pManager, int nAvailable);
    // Places the strip's navigate buttons at the end of the header; returns the header left for the items.
    CRect RepositionNavigateButtons(CKitTabManager* pManager, CRect rc);
    // The standard drawing of a whole control.
    void DrawTabs(CKitTabManager* pManager, CDC* pDC, CRect rcControl);
    // The items of one row that meet rcClip, the selected one last.
    void DrawRow(CKitTabManager* pManager, CDC* pDC, CRect rcClip, int nRow);
    // Start + "..." + end of a text too wide for rc; a path ("\") is shortened by the system.
    void DrawTextMiddleEllipsis(CDC* pDC, CKitTabManagerItem* pItem, const CString& strText, CRect rc, UINT nFormat);
    // n with the button margin, held between min and max (0: no bound).
    int ClampItemLength(int nLength, int nMin, int nMax) const;

    BOOL m_bHotTracking = FALSE;
    BOOL m_bShowIcons = TRUE;
    BOOL m_bBoldSelected = FALSE;
    BOOL m_bBoldNormal = FALSE;
    // The colour sets built on the Office 2003 set keep their flat colours.
    BOOL m_bDisableThemeColors = FALSE;
    // Items are filled with their own colours instead of the colour set's faces.
    BOOL m_bItemColors = FALSE;
    int m_nClientFrame = kClientFrameFull;
    BOOL m_bStaticFrame = FALSE;
    CRect m_rcClientMargin;
    CRect m_rcControlMargin;
    CRect m_rcButtonMargin;
    CRect m_rcTextMargin{6, 0, 6, 0};
    BOOL m_bInvertGradient = FALSE;
    BOOL m_bFillBackground = TRUE;
    CSize m_szIcon{16, 16};
    BOOL m_bMiddleEllipsis = FALSE;
    BOOL m_bEndEllipsis = TRUE;
    // '&' is shown, not taken as a mnemonic.
    BOOL m_bNoPrefix = TRUE;
    UINT m_nTextFormat = DT_VCENTER;
    BOOL m_bStripMnemonics = FALSE;
    BOOL m_bKeepRowOrder = FALSE;
    BOOL m_bMultiRowJustify = TRUE;
    BOOL m_bDrawFocusRect = TRUE;
    int m_nItemExtraLength = 0;
    BOOL m_bSelectOnButtonDown = TRUE;
    BOOL m_bClearType = FALSE;
    // Square item images turn with vertical strips.
    BOOL m_bRotateImages = FALSE;
    BOOL m_bClipHeader = TRUE;
    CSize m_szNavigateButton{14, 15};
    BOOL m_bShowHeader = TRUE;
    int m_nMinItemLength = 0;
    int m_nMaxItemLength = 0;
    int m_nFixedItemLength = 70;
    int m_nToolTipMode = kTooltipShortened;
    // Vertical captions run downwards, else upwards.
    BOOL m_bVerticalTextTopToBottom = TRUE;
    // RefreshMetrics makes the fonts from the system's icon-title font.
    BOOL m_bUseStandardFont = TRUE;
    // Advanced by each item a strip adds, so strips sharing this manager share the sequence.
    int m_nAutoColorCounter = 0;

private:
    // Fills row nRow onward from item nFirst; FALSE when the items need more rows than there are.
    BOOL FillRows(CKitTabManager* pManager, int nRow, int nFirst, int nRemaining, int nRows, int nAvailable);
    // The font an item's caption is measured and drawn with.
    CFont* GetItemFont(CKitTabManagerItem* pItem, BOOL bVertical);
    // The length of the item's own visible buttons along the text, with 3 to spare; 0 without any.
    int GetItemButtonsLength(CKitTabManagerItem* pItem, BOOL bVertical);

    CKitTabPaintManagerAppearanceSet* m_pAppearanceSet = nullptr;
    CKitTabPaintManagerColorSet* m_pColorSet = nullptr;
    std::vector<CKitTabManagerAtom*> m_arrClients;
    int m_nAppearanceStyle = kAppearancePropertyPage;
    int m_nColorSet = kColorSetDefault;
    int m_nPosition = kTop;
    int m_nLayout = kLayoutPlain;
    CFont m_fntNormal;
    CFont m_fntBold;
    CFont m_fntVertical;
    CFont m_fntVerticalBold;
};
