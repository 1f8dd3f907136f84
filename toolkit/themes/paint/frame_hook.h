// CKitFrameHook: the state of one skinned frame window: caption height, window region, glass margins and frame layout.
#pragma once

#include "framework/geometry.h"
#include "framework/wnd.h"
#include "toolkit/commandbars/command_bar_manager.h"

#include <windows.h>

class CDC;
class CKitCommandBarManager;
class CKitControls;
class CKitFramePaintManager;
class CKitPaintManager;
class CKitRibbonBar;

// Made for a ribbon's site frame and owned by the ribbon; its frame painter draws what the hook measures.
class CKitFrameHook : public CKitFrameState {
public:
    // The border of a composited frame that is not maximised.
    static constexpr int kCompositedBorder = 4;

    // Holds no reference to the window, the ribbon bar or the manager; either of the last two may be null.
    // The manager knows the hook as its frame hook while the hook lives.
    CKitFrameHook(CWnd* pFrame, CKitRibbonBar* pRibbonBar, CKitCommandBarManager* pCommandBars);
    virtual ~CKitFrameHook();
    CKitFrameHook(const CKitFrameHook&) = delete;
    CKitFrameHook& operator=(const CKitFrameHook&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    CWnd* GetSite() const { return CWnd::FromHandle(m_hWnd); }
    CKitRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    CKitCommandBarManager* GetCommandBars() const { return m_pCommandBars; }
    // The paint manager used without a command-bar manager (null: the current one).
    void SetPaintManager(CKitPaintManager* pPaintManager) { m_pPaintManager = pPaintManager; }
    // The frame's caption buttons (owned), drawn by the frame painter at their rectangles.
    CKitControls* GetCaptionButtons() const { return m_pCaptionButtons; }

    BOOL IsActive() const { return m_bActive; }
    void SetActive(BOOL bActive) { m_bActive = bActive; }
    int GetBorderWidth() const { return m_nBorderWidth; }
    void SetBorderWidth(int nWidth) { m_nBorderWidth = nWidth; }
    BOOL IsComposited() const override { return m_bComposited; }
    void SetComposited(BOOL bComposited) { m_bComposited = bComposited; }
    BOOL IsGlassOverTopDock() const override { return m_bGlassOverTopDock; }
    void SetGlassOverTopDock(BOOL bGlass) { m_bGlassOverTopDock = bGlass; }
    BOOL IsUpdatePending() const { return m_bUpdatePending; }
    CSize GetLastSize() const { return CSize(m_nLastWidth, m_nLastHeight); }

    // The window's style, or its extended style with bExStyle; 0 without a window.
    DWORD GetStyle(BOOL bExStyle = FALSE) const;
    // The command-bar manager's paint manager, else the hook's own (else the current one).
    CKitPaintManager* GetPaintManager() const;
    CKitFramePaintManager* GetFramePaintManager() const;
    // A maximised MDI child.
    BOOL IsMDIMaximized() const;
    // FALSE only while a visible ribbon docked at the top draws the caption.
    BOOL IsCaptionOwnedByFrame() const;
    // The caption band's height, the border included.
    int GetCaptionHeight() const;
    // A visible standard status bar drawn into the bottom frame; its height goes to pnHeight.
    BOOL IsFrameStatusBarMerged(int* pnHeight = nullptr) const;
    // The ribbon painter's flat frame edges, with a ribbon bar.
    void DrawRibbonFrameEdges(CDC* pDC) const;
    // The glass margin at the top: the caption the ribbon draws, its tabs row on a flat frame, the top dock bar.
    int GetFrameExtensionTop() const;
    // Extends the composited frame over the caption the ribbon draws (and the top dock bar).
    void ExtendFrameIntoClient();
    // Asks the frame for an idle command-UI update.
    void PostIdleUpdate();
    // Makes the system compute the frame again and lays the frame out.
    void RecalcFrameLayout();
    // Sets the window region for that size (again with bForce).
    void UpdateFrameRegion(int cx, int cy, BOOL bForce);
    // UpdateFrameRegion for the window's present size, forced.
    void RefreshFrameRegion();

private:
    HWND m_hWnd;
    CKitRibbonBar* m_pRibbonBar;
    CKitCommandBarManager* m_pCommandBars;
    CKitPaintManager* m_pPaintManager = nullptr;
    BOOL m_bActive = TRUE;
    int m_nLastWidth = 0;
    int m_nLastHeight = 0;
    BOOL m_bUpdatePending = FALSE;
    CKitControls* m_pCaptionButtons;
    BOOL m_bBusy = FALSE;
    int m_nBorderWidth = 0;
    BOOL m_bComposited = FALSE;
    BOOL m_bGlassOverTopDock = FALSE;
};
