// CKitRibbonPaintManager: draws the ribbon's bar, tabs, groups, caption band and buttons from the theme's pictures.
#pragma once

#include "framework/gdi.h"
#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"
#include "toolkit/themes/paint/paint_manager.h"
#include "toolkit/themes/tabs/tab_appearance_sets.h"
#include "toolkit/themes/tabs/tab_color_sets.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include <windows.h>

class CKitCommandBar;
class CKitControl;
class CKitImageManagerIcon;
class CKitResourceImage;
class CKitResourceImages;
class CKitRibbonBar;
class CKitRibbonControlSystemButton;
class CKitRibbonGroup;
class CKitRibbonTab;
class CKitRibbonTabContextHeader;

// Owned by a command-bar paint manager, which makes it on first request and refreshes it with itself.
class CKitRibbonPaintManager : public CCmdTarget {
    DECLARE_DYNAMIC(CKitRibbonPaintManager)
public:
    // The option button's size, drawn or not.
    static constexpr int kOptionButtonWidth = 15;
    static constexpr int kOptionButtonHeight = 14;
    // A context tab picture at least this tall holds five states, a shorter one three.
    static constexpr int kTallContextTabHeight = 70;
    // The smallest reduced-group button width.
    static constexpr int kMinGroupButtonWidth = 42;

    class CRibbonAppearanceSet;
    class CRibbonColorSet;

    explicit CKitRibbonPaintManager(CKitPaintManager* pPaintManager);
    ~CKitRibbonPaintManager() override;
    CKitRibbonPaintManager(const CKitRibbonPaintManager&) = delete;
    CKitRibbonPaintManager& operator=(const CKitRibbonPaintManager&) = delete;

    // The groups band of the tab (may be null).
    virtual void FillRibbonGroupsArea(CDC* pDC, CKitRibbonTab* pTab, CRect rcGroups);
    // The bar's face below its caption.
    virtual void FillRibbonBar(CDC* pDC, CKitRibbonBar* pRibbonBar);
    // Fonts, heights, colours and the tab painter's settings from the owner and the theme's description.
    virtual void RefreshMetrics();
    virtual void DrawGroup(CDC* pDC, CKitRibbonGroup* pGroup);
    // The button of a reduced group (or of the quick access toolbar): its size, drawn when bDraw.
    virtual CSize DrawControlGroupPopup(CDC* pDC, CKitControl* pControl, BOOL bDraw);
    // The option button at a group caption's right end: always 15 x 14.
    virtual CSize DrawControlGroupOption(CDC* pDC, CKitControl* pControl, BOOL bDraw);
    virtual void DrawRibbonTab(CDC* pDC, CKitRibbonTab* pTab);
    // Behind the tabs of each context header, in the tabs row.
    virtual void DrawContextTabsBackground(CDC* pDC, CKitRibbonBar* pRibbonBar, CRect rcTabs);
    virtual void FillGroupPopupToolBar(CDC* pDC, CKitRibbonGroup* pGroup, CKitCommandBar* pPopupBar);
    // The caption band of a skinned frame.
    virtual void DrawRibbonFrameCaption(CDC* pDC, CKitRibbonBar* pRibbonBar, BOOL bActive);
    // The caption band the ribbon draws without skinning the frame.
    virtual void DrawRibbonCaptionBar(CDC* pDC, CKitRibbonBar* pRibbonBar);
    // On a flat frame whose caption the ribbon shows: the frame's inner border line beside the bar, on the
    // frame's window DC.
    virtual void DrawRibbonFlatFrameEdges(CDC* pDC, CKitRibbonBar* pRibbonBar);
    virtual void DrawRibbonSystemButton(CDC* pDC, CKitControl* pControl, CRect rc);
    // Each header's picture and caption; stops at the first header without a picture.
    virtual void DrawContextHeaders(CDC* pDC, CKitRibbonBar* pRibbonBar);
    virtual void DrawQuickAccessButton(CDC* pDC, CKitControl* pControl);
    virtual void DrawQuickAccessMoreButton(CDC* pDC, CKitControl* pControl);
    virtual void DrawGroupsScrollButton(CDC* pDC, CKitControl* pControl, BOOL bScrollLeft);
    virtual void FillMorePopupToolBar(CDC* pDC, CKitCommandBar* pPopupBar);
    virtual void FillSystemPopupBar(CDC* pDC, CKitCommandBar* pPopupBar);
    virtual void DrawSystemPopupBarButton(CDC* pDC, CKitControl* pControl);
    // A button of a group whose controls stand in joined rows; FALSE when it leaves the control to the owner.
    virtual BOOL DrawSpecialToolBarButton(CDC* pDC, CKitControl* pControl);
    // A tab paint manager with the ribbon's appearance and colours; one reference for the caller.
    virtual CKitTabPaintManager* CreateTabPaintManager();

    CKitResourceImages* GetImages() const;
    // The named picture, null when the theme has none.
    CKitResourceImage* LoadRibbonImage(LPCSTR lpszName) const;
    // "BLUE" .. "ORANGE" for 1 .. 7, else empty.
    static CString GetContextColorName(int nColor);
    // The format filled with one text.
    static CString FormatString(LPCSTR lpszFormat, LPCSTR lpszArgument);
    // The owner's font-size setting (0: none).
    int GetFontHeightSetting() const;
    // The owner's control height, at least 22.
    int GetControlHeight() const;
    // Whether the rectangle of the bar lies on the ribbon's composited caption band.
    BOOL IsRectOnCompositedFrame(CKitCommandBar* pBar, const CRect& rc) const;
    BOOL IsControlRectOnCompositedFrame(CKitControl* pControl) const;
    // The frame's icon stretched into the rectangle; on a composited frame an icon without alpha of its own is
    // drawn through a 32-bit buffer, so that it stays opaque on the glass.
    void DrawFrameIcon(CDC* pDC, CKitRibbonBar* pRibbonBar, int nLeft, int nTop, int nRight, int nBottom, HICON hIcon);
    // Caption text on glass: composited with a glow through the frame's visual style; plain where the application
    // is not themed, white on a maximised frame of a system older than Windows 7.
    void DrawDwmCaptionText(CDC* pDC, const CRect& rc, const CString& strText, CWnd* pFrame, BOOL bActive);
    // The frame icon last drawn on a composited frame and whether it carries alpha.
    HICON GetCachedFrameIcon() const { return m_hCachedFrameIcon; }
    BOOL IsCachedFrameIconAlpha() const { return m_bCachedFrameIconAlpha; }
    // The client of the ribbon's tab popup in the ribbon face.
    void FillTabPopupToolBar(CDC* pDC, CKitCommandBar* pPopupBar);

    CKitPaintManager* GetPaintManager() const { return m_pPaintManager; }
    // The lines under a list caption of the system menu.
    COLORREF GetRecentFileListEdgeShadow() const { return m_clrRecentFileListEdgeShadow; }
    COLORREF GetRecentFileListEdgeHighlight() const { return m_clrRecentFileListEdgeHighlight; }
    CKitTabPaintManager* GetTabPaintManager() const { return m_pTabPaintManager; }
    CFont* GetRibbonFont() { return &m_fontRibbon; }
    int GetTabsHeight() const { return m_nTabsHeight; }
    int GetGroupCaptionHeight() const { return m_nGroupCaptionHeight; }
    int GetGroupSpacing() const { return m_nGroupSpacing; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    BOOL IsFlatFrame() const { return m_bFlatFrame; }
    // Margins around a system button that stands in the tabs row.
    CRect GetFileButtonMargin() const { return m_rcFileButtonMargin; }
    COLORREF GetRibbonFace() const { return m_clrRibbonFace; }

    // The ribbon bar and its popups highlight the group under the mouse.
    BOOL m_bHotGroups = TRUE;

protected:
    // Whether the tab is drawn selected, highlighted and focused, as the ribbon's state shows it.
    struct TabState {
        BOOL bSelected = FALSE;
        BOOL bHighlighted = FALSE;
        BOOL bFocused = FALSE;
    };
    static TabState GetTabState(CKitRibbonTab* pTab);
    // A rectangle of the size centred in rc.
    static CRect CentreRect(const CRect& rc, CSize sz);
    // State nState of nStates of the named picture with magenta left out; FALSE without the picture.
    BOOL DrawImage(CDC* pDC, LPCSTR lpszName, const CRect& rc, int nState, int nStates, const CRect& rcMargins);
    // The same, blended through the picture's alpha.
    BOOL DrawImageAlpha(CDC* pDC, LPCSTR lpszName, const CRect& rc, int nState, int nStates,
                        const CRect& rcMargins);
    // The control's icon centred on the system button, else the frame's large icon.
    void DrawSystemButtonIcon(CDC* pDC, CKitControl* pControl, CKitImageManagerIcon* pIcon, const CRect& rc);
    // The frame window whose caption the ribbon draws: the skinned frame, else the bar's site.
    static CWnd* GetFrameWindow(CKitRibbonBar* pRibbonBar);
    // The frame window's text in the frame painter's caption font, centred in the title rectangle.
    void DrawFrameCaptionText(CDC* pDC, CKitRibbonBar* pRibbonBar, BOOL bActive);
    // The system button that opened the popup, drawn again where it lies over the popup.
    void DrawSystemButtonOverPopup(CDC* pDC, CKitCommandBar* pPopupBar);
    // The owner's face of the control in its state.
    void DrawControlFace(CDC* pDC, CKitControl* pControl);
    // The group's caption text over its caption band.
    void DrawGroupCaption(CDC* pDC, CKitRibbonGroup* pGroup, const CRect& rcCaption);
    // The icon and caption of a reduced group's button; its size.
    CSize DrawGroupButtonContent(CDC* pDC, CKitControl* pControl, BOOL bDraw, BOOL bIconFrame);
    // The bar's client below the caption band of a skinned frame.
    static CRect GetRibbonClientRect(CKitRibbonBar* pRibbonBar);
    // The tab row and everything below it in the ribbon face; returns the tab row.
    CRect FillRibbonFace(CDC* pDC, CKitRibbonBar* pRibbonBar, const CRect& rcClient);
    // The shadow and highlight lines at the bottom of a ribbon whose groups are hidden.
    void DrawMinimizedEdges(CDC* pDC, const CRect& rcClient);
    // The translucent area behind a quick access toolbar in the caption band, when one shows there.
    void DrawQuickAccessArea(CDC* pDC, CKitRibbonBar* pRibbonBar, BOOL bComposited);
    // The quick access toolbar stands in the caption band with a control to show.
    static BOOL IsQuickAccessInCaption(CKitRibbonBar* pRibbonBar);
    // The first and last flags of a button of a joined row; FALSE outside such a group.
    static BOOL GetJoinedRowPosition(CKitControl* pControl, BOOL& bFirst, BOOL& bLast);

    int m_nTabsHeight = 0;
    CKitPaintManagerFont m_fontRibbon;
    COLORREF m_clrRecentFileListEdgeShadow = CKitPaintManagerColor::kNone;
    COLORREF m_clrRecentFileListEdgeHighlight = CKitPaintManagerColor::kNone;
    int m_nGroupSpacing = 2;
    int m_nGroupCaptionHeight = 0;
    CKitTabPaintManager* m_pTabPaintManager = nullptr;
    COLORREF m_clrRibbonFace = CKitPaintManagerColor::kNone;
    COLORREF m_clrGroupCaptionText = CKitPaintManagerColor::kNone;
    COLORREF m_clrFileButtonText = CKitPaintManagerColor::kNone;
    COLORREF m_clrMinimizedFrameEdgeHighlight = CKitPaintManagerColor::kNone;
    COLORREF m_clrMinimizedFrameEdgeShadow = CKitPaintManagerColor::kNone;
    CKitPaintManager* m_pPaintManager;
    int m_nCaptionHeight = 0;
    COLORREF m_clrRibbonInactiveFace = CKitPaintManagerColor::kNone;
    CRect m_rcFileButtonMargin;
    int m_nFileButtonImageCount = 3;
    BOOL m_bFlatFrame = FALSE;
    HICON m_hCachedFrameIcon = nullptr;
    BOOL m_bCachedFrameIconAlpha = FALSE;
};

// The flat property-page tabs with the ribbon's tab pictures behind their captions.
class CKitRibbonPaintManager::CRibbonAppearanceSet : public CKitTabPaintManager::CAppearanceSetPropertyPageFlat {
public:
    explicit CRibbonAppearanceSet(CKitRibbonPaintManager* pRibbonPaintManager);

    int GetButtonHeight(const CKitTabManager* pManager) override;
    void DrawTabControl(CKitTabManager* pManager, CDC* pDC, CRect rcControl) override;
    void DrawSingleButton(CDC* pDC, CKitTabManagerItem* pItem) override;
    void DrawText(CDC* pDC, const CString& strText, LPRECT lpRect, UINT nFormat) override;

private:
    CKitRibbonPaintManager* m_pRibbonPaintManager;
    // The strip being drawn, whose captions may lie on a composited frame.
    CKitTabManager* m_pDrawnManager = nullptr;
};

// The Office 2003 tab colours with the caption colour chosen by the ribbon tab's state.
class CKitRibbonPaintManager::CRibbonColorSet : public CKitTabPaintManager::CColorSetOffice2003 {
public:
    void SetTextColor(CDC* pDC, CKitTabManagerItem* pItem) override;
};
