// A window under the resource theme: menu bar, toolbar with a gallery, a message bar, the workspace with a
// document, and a status bar with a progress bar and a zoom slider: build/screens/themes-resource.png.
#include "toolkit/themes/paint/resource_theme.h"

#include "painted_stand_ins.h"
#include "resource_theme_support.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/status_bar_pane.h"
#include "toolkit/commandbars/toolbar.h"

#include "support/message_pump.h"
#include "support/window_screenshot.h"

#include "framework/wnd.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr int kWidth = 560;
constexpr int kMenuBarHeight = 24;
constexpr int kToolBarHeight = 66;
constexpr int kStatusBarHeight = 24;
constexpr int kMessageBarHeight = 32;
constexpr UINT kGalleryId = 42201;

// A horizontal slider the status bar draws through the current paint manager.
class CZoomSlider : public CKitScrollBase {
public:
    explicit CZoomSlider(CRect rc) : m_rc(rc)
    {
        SetVertical(FALSE);
        SetTicks({50});
        UpdateScrollBar();
    }
    CWnd* GetParentWindow() const override { return nullptr; }
    CRect GetScrollBarRect() override { return m_rc; }
    void GetScrollInfo(SCROLLINFO* pSi) override { *pSi = {sizeof(SCROLLINFO), SIF_ALL, 0, 100, 0, 62}; }
    void DoScroll(int, int) override {}
    void RedrawScrollBar() override {}
    CKitScrollBarPainter* GetScrollBarPaintManager() const override
    {
        return CKitPaintManager::Instance()->GetSliderPaintManager();
    }

private:
    CRect m_rc;
};

// The status bar: text panes, a transfer's progress, the zoom slider and the size gripper.
class CThemedStatusBar : public CPaintedWindow {
protected:
    void Paint(CDC* pDC) override
    {
        CDC& dc = *pDC;
        CKitPaintManager* pm = CKitPaintManager::Instance();
        CRect rc;
        GetClientRect(&rc);
        pm->FillStatusBar(&dc, this);
        const int nOldMode = dc.SetBkMode(TRANSPARENT);
        HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), pm->GetStatusFont()->GetSafeHandle());
        const struct {
            const char* text;
            int nLeft, nRight;
        } panes[] = {{"Ready", 0, 250}, {"", 250, 340}, {"Ln 12, Col 4", 340, 430}};
        for (const auto& p : panes) {
            CKitStatusBarPane pane;
            pane.m_strText = p.text;
            pane.m_rcMargins = CRect(6, 0, 4, 0);
            const CRect rcPane(p.nLeft, rc.top + 2, p.nRight, rc.bottom);
            pm->DrawStatusBarPaneEntry(&dc, rcPane, &pane);
            pm->DrawStatusBarPaneBorder(&dc, rcPane, &pane, FALSE);
        }
        ::SelectObject(dc.GetSafeHdc(), hOldFont);
        dc.SetBkMode(nOldMode);
        CFixedProgress progress(pm->GetProgressPaintManager(), CRect(256, rc.top + 5, 336, rc.bottom - 3));
        progress.SetPos(64);
        pm->GetProgressPaintManager()->DrawProgress(&dc, &progress);
        CZoomSlider slider(CRect(436, rc.top + 3, rc.right - 22, rc.bottom - 1));
        pm->GetSliderPaintManager()->DrawScrollBar(&dc, &slider);
        pm->DrawStatusBarGripper(&dc, rc);
    }
};

// The frame: the bars on top, the workspace with one document and the status bar at the bottom.
class CShowcase : public CPaintedWindow {
protected:
    void Paint(CDC* pDC) override
    {
        CDC& dc = *pDC;
        CRect rc;
        GetClientRect(&rc);
        CKitPaintManager* pm = CKitPaintManager::Instance();
        const int nBarsBottom = kMenuBarHeight + kToolBarHeight;
        // The message bar under the toolbar, with a button and the close button.
        CKitMessageBarLayout bar;
        bar.rcClient = CRect(0, nBarsBottom, rc.right, nBarsBottom + kMessageBarHeight);
        bar.rcBorders = CRect(4, 3, 4, 3);
        bar.buttons.push_back(CKitMessageBarButton{CRect(rc.right - 112, nBarsBottom + 6, rc.right - 34,
                                                         nBarsBottom + kMessageBarHeight - 6), 301});
        bar.buttons.push_back(CKitMessageBarButton{CRect(rc.right - 24, nBarsBottom + 7, rc.right - 7,
                                                         nBarsBottom + kMessageBarHeight - 7), SC_CLOSE});
        pm->FillMessageBar(&dc, &bar);
        for (CKitMessageBarButton& button : bar.buttons)
            pm->DrawMessageBarButton(&dc, &button);
        const int nOldMode = dc.SetBkMode(TRANSPARENT);
        HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), ::GetStockObject(DEFAULT_GUI_FONT));
        dc.SetTextColor(pm->m_clrInfoText);
        CRect rcText = bar.GetMessageRect();
        rcText.DeflateRect(10, 0, 120, 0);
        dc.DrawText("The module's configuration differs from the project.", rcText, DT_SINGLELINE | DT_VCENTER);
        CRect rcButton = bar.buttons[0].rc;
        dc.DrawText("Upload", rcButton, DT_SINGLELINE | DT_VCENTER | DT_CENTER);

        const CRect rcWorkspace(0, nBarsBottom + kMessageBarHeight, rc.right, rc.bottom - kStatusBarHeight);
        const CRect rcDocument(rcWorkspace.left + 150, rcWorkspace.top + 28, rcWorkspace.right - 24,
                               rcWorkspace.bottom - 20);
        pm->FillWorkspace(&dc, rcWorkspace, rcDocument);
        dc.FillSolidRect(rcDocument, RGB(255, 255, 255));
        dc.Draw3dRect(rcDocument, RGB(101, 147, 207), RGB(101, 147, 207));
        dc.SetTextColor(RGB(0, 0, 0));
        const char* lines[] = {"Gateway VQN32 - substation north", "IED  BAY01_PROT   10.0.1.21",
                               "IED  BAY02_CTRL   10.0.1.22", "Mapped tags: 1 284"};
        int y = rcDocument.top + 10;
        for (const char* line : lines) {
            dc.TextOut(rcDocument.left + 12, y, line, static_cast<int>(std::strlen(line)));
            y += 18;
        }
        ::SelectObject(dc.GetSafeHdc(), hOldFont);
        dc.SetBkMode(nOldMode);
    }
};

CKitControl* AddCaption(CKitCommandBar* pBar, int nType, UINT nId, LPCSTR lpszCaption)
{
    CKitControl* pControl = pBar->GetControls()->Add(nType, nId);
    pControl->SetCaption(lpszCaption);
    pControl->SetStyle(kitButtonCaption);
    return pControl;
}

} // namespace

TEST(KitResourceThemeScreens, BarsStatusBarSliderProgressAndGalleryUnderTheResourceTheme)
{
    ThemeModule module;
    CKitPaintManager::SetTheme(5);
    {
        CShowcase site;
        ASSERT_TRUE(site.CreateEx(0, "STATIC", "Resource theme", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
                                  WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, kWidth, 430, nullptr, 0));
        CRect rcClient;
        site.GetClientRect(&rcClient);
        CKitCommandBarManager manager;
        manager.SetSite(&site);
        manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;
        manager.EnableActions();

        auto* pMenuBar = new CKitMenuBar();
        manager.AddCommandBar(pMenuBar);
        pMenuBar->SetPosition(kitBarTop);
        pMenuBar->CreateBar(&site);
        for (const char* caption : {"&File", "&Edit", "&View", "&Gateway", "&Help"})
            AddCaption(pMenuBar, kitControlPopup, 0, caption);
        pMenuBar->MoveWindow(0, 0, rcClient.Width(), kMenuBarHeight);
        pMenuBar->CalcLayout(rcClient.Width());

        auto* pToolBar = new CKitToolBar();
        manager.AddCommandBar(pToolBar);
        pToolBar->SetPosition(kitBarTop);
        pToolBar->CreateBar(&site);
        AddCaption(pToolBar, kitControlButton, 101, "New");
        AddCaption(pToolBar, kitControlButton, 102, "Open")->SetSelected(1);
        AddCaption(pToolBar, kitControlButton, 103, "Monitor")->SetChecked(1);
        AddCaption(pToolBar, kitControlButton, 104, "Send")->SetEnabled(0);
        auto* pEntries = new CKitControlGalleryEntryList();
        pEntries->m_cxEntry = 44;
        pEntries->m_cyEntry = 26;
        int nEntryId = 0;
        for (const char* caption : {"EIP", "MTCP", "GOOSE", "MMS", "SNTP", "Diag", "Log", "Web"})
            pEntries->AddEntry(++nEntryId, caption);
        auto* pGallery = static_cast<CKitControlGallery*>(pToolBar->GetControls()->Add(kitControlGallery, kGalleryId));
        CKitControlAction* pAction = manager.GetActions()->CreateAction(kGalleryId);
        pAction->SetGalleryEntries(pEntries);
        pEntries->InternalRelease();
        pGallery->SetAction(pAction);
        pGallery->SetCommandBar(new CKitPopupBar());
        pGallery->SetBeginGroup(TRUE);
        pGallery->m_bShowBorders = TRUE;
        pGallery->SetWidth(3 * 44 + 2 + CKitControlGalleryResourceTheme::kButtonColumnWidth + 1);
        pGallery->SetHeight(2 * 26 + 2);
        pGallery->SetCheckedEntryId(2);
        AddCaption(pToolBar, kitControlButton, 106, "Upload")->SetBeginGroup(TRUE);
        AddCaption(pToolBar, kitControlButton, 107, "Download");
        pToolBar->MoveWindow(0, kMenuBarHeight, rcClient.Width(), kToolBarHeight);
        pToolBar->CalcLayout(rcClient.Width());
        pGallery->OnRecalcLayout();

        CThemedStatusBar status;
        ASSERT_TRUE(status.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, rcClient.bottom - kStatusBarHeight,
                                    rcClient.Width(), kStatusBarHeight, site.GetSafeHwnd(), 0));
        site.Invalidate();
        site.UpdateWindow();
        PumpMessages();
        EXPECT_EQ("", SaveWindowScreenshot(site.GetSafeHwnd(), "themes-resource"));
        status.DestroyWindow();
        manager.RemoveAll();
        site.DestroyWindow();
        PumpMessages();
    }
    CKitPaintManager::Done();
}
