// CKitResourceTheme: the gradient command-bar look with its colours and pictures taken from a loaded theme module.
#pragma once

#include "toolkit/common/color_manager.h"
#include "toolkit/common/resource_images.h"
#include "toolkit/themes/paint/office2003_theme.h"
#include "toolkit/themes/paint/resource_painters.h"

#include <windows.h>

// Theme 5: every colour is read by name from the module's description, the workspace picture and the
// message bar's close glyph are its bitmaps, and galleries, sliders and progress bars are drawn from them.
class CKitResourceTheme : public CKitOffice2003Theme, public CKitResourceImageSource {
    DECLARE_DYNAMIC(CKitResourceTheme)
public:
    static constexpr int kThemeNumber = 5;

    CKitResourceTheme();
    // Empties the process-wide image set; its next user loads its pictures again.
    ~CKitResourceTheme() override;

    // Enabled idle controls of a menu bar take the menu-bar text colour; the rest the Office rule.
    COLORREF GetControlStateTextColor(BOOL bSelected, BOOL bPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                                      int nBarType, int nBarPosition) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, CKitStatusBarPane* pPane, BOOL bGripperPane) override;
    // Six dots in a triangle in the bottom right corner.
    void DrawStatusBarGripper(CDC* pDC, CRect rcClient) override;
    void DrawMessageBarButton(CDC* pDC, CKitMessageBarButton* pButton) override;
    // The fill colour behind a framed message on the message-bar gradient.
    void FillMessageBar(CDC* pDC, const CKitMessageBarLayout* pBar) override;
    void FillStatusBar(CDC* pDC, CWnd* pBar) override;
    // The Office refresh, then every colour from the theme's description.
    void RefreshMetrics() override;
    int GetCurrentTheme() const override { return kThemeNumber; }
    // The top-left picture, then two gradients below it, all clipped to the workspace less rcExclude.
    void FillWorkspace(CDC* pDC, CRect rc, CRect rcExclude) override;

    CKitResourceImages* GetImages() const override { return m_pImages; }
    CKitResourceImage* LoadImage(LPCSTR lpszImageName) const override;

    COLORREF m_clrMenuBarText = CKitPaintManagerColor::kNone;
    COLORREF m_clrStatusBarShadow = CKitPaintManagerColor::kNone;
    CKitPaintManagerColorGradient m_grcStatusBarTop;
    CKitPaintManagerColorGradient m_grcStatusBarBottom;
    COLORREF m_clrWorkspaceTop = CKitPaintManagerColor::kNone;
    COLORREF m_clrWorkspaceMiddle = CKitPaintManagerColor::kNone;
    COLORREF m_clrWorkspaceBottom = CKitPaintManagerColor::kNone;
    CKitPaintManagerColorGradient m_grcMessageBar;
    COLORREF m_clrMessageBarFrame = CKitPaintManagerColor::kNone;
    COLORREF m_clrMessageBar = CKitPaintManagerColor::kNone;

private:
    // The image set of the process, never owned.
    CKitResourceImages* m_pImages = nullptr;
};
