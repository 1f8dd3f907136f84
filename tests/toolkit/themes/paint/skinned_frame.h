// CSkinnedFrame, CTestRibbonBar, TestRibbon: a test frame whose borders, caption and caption buttons its frame hook's painter draws, and a ribbon docked in it.
#pragma once

#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/frame_paint_manager.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"

#include "framework/gdi.h"
#include "framework/wnd.h"

#include <windows.h>

#include <memory>

// The caption buttons are this wide and stand this far below the top.
constexpr int kSkinnedButtonWidth = 26;
constexpr int kSkinnedButtonTop = 6;

// A frame whose non-client area is as the hook measures it: the border width at the sides and the bottom, the
// hook's caption height at the top. The client area goes to PaintClient.
class CSkinnedFrame : public CWnd {
public:
    static LPCSTR ClassName()
    {
        static const bool registered = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = ::DefWindowProcA;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
            wc.lpszClassName = "KitSkinnedFrame";
            return ::RegisterClassA(&wc) != 0;
        }();
        return registered ? "KitSkinnedFrame" : nullptr;
    }

    // A frame with close, maximise and minimise buttons (right to left) in its caption.
    BOOL CreateFrame(LPCSTR lpszTitle, const CRect& rc, DWORD dwStyle = WS_OVERLAPPEDWINDOW)
    {
        if (!CreateEx(0, ClassName(), lpszTitle, dwStyle, rc.left, rc.top, rc.Width(), rc.Height(), nullptr,
                      nullptr))
            return FALSE;
        m_pHook = std::make_unique<CKitFrameHook>(this, nullptr, nullptr);
        for (UINT nId : {static_cast<UINT>(SC_CLOSE), static_cast<UINT>(SC_MAXIMIZE),
                         static_cast<UINT>(SC_MINIMIZE)})
            m_pHook->GetCaptionButtons()->Add(kitControlButton, nId);
        RecalcFrame();
        return TRUE;
    }
    ~CSkinnedFrame() override
    {
        if (GetSafeHwnd() != nullptr)
            DestroyWindow();
    }

    CKitFrameHook* GetHook() const { return m_pHook.get(); }
    CKitControl* GetCaptionButton(int nIndex) const { return m_pHook->GetCaptionButtons()->GetAt(nIndex); }

    // Applies the hook's measures to the frame and places the caption buttons.
    void RecalcFrame()
    {
        m_pHook->RecalcFrameLayout();
        LayoutCaptionButtons();
        m_pHook->RefreshFrameRegion();
        ::RedrawWindow(GetSafeHwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_NCCALCSIZE:
            if (m_pHook != nullptr && wParam) {
                RECT& rc = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
                const int b = m_pHook->GetBorderWidth();
                rc.left += b;
                rc.right -= b;
                rc.bottom -= b;
                rc.top += m_pHook->GetCaptionHeight();
                return 0;
            }
            break;
        case WM_NCPAINT:
            if (m_pHook != nullptr) {
                DrawFrame();
                return 0;
            }
            break;
        case WM_NCACTIVATE:
            if (m_pHook != nullptr) {
                m_pHook->SetActive(wParam != 0);
                DrawFrame();
                return TRUE;
            }
            break;
        case WM_SETTEXT: {
            const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
            if (m_pHook != nullptr)
                DrawFrame();
            return lResult;
        }
        case WM_SIZE:
            if (m_pHook != nullptr) {
                LayoutCaptionButtons();
                m_pHook->RefreshFrameRegion();
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            CDC dc;
            dc.Attach(::BeginPaint(GetSafeHwnd(), &ps));
            CRect rc;
            GetClientRect(&rc);
            PaintClient(&dc, rc);
            dc.Detach();
            ::EndPaint(GetSafeHwnd(), &ps);
            return 0;
        }
        default:
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

protected:
    virtual void PaintClient(CDC* pDC, const CRect& rc) { pDC->FillSolidRect(rc, ::GetSysColor(COLOR_WINDOW)); }

private:
    void DrawFrame()
    {
        CDC dc;
        dc.Attach(::GetWindowDC(GetSafeHwnd()));
        m_pHook->GetFramePaintManager()->DrawFrame(&dc, m_pHook.get());
        ::ReleaseDC(GetSafeHwnd(), dc.Detach());
    }

    // The buttons right to left from the border, as high as the caption leaves them.
    void LayoutCaptionButtons()
    {
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        const int b = m_pHook->GetBorderWidth();
        int nRight = rcWindow.Width() - b - 2;
        const int nBottom = m_pHook->GetCaptionHeight() - 3;
        CKitControls* pButtons = m_pHook->GetCaptionButtons();
        for (int i = 0; i < pButtons->GetCount(); i++) {
            pButtons->GetAt(i)->SetRect(CRect(nRight - kSkinnedButtonWidth, kSkinnedButtonTop, nRight, nBottom));
            nRight -= kSkinnedButtonWidth;
        }
    }

    std::unique_ptr<CKitFrameHook> m_pHook;
};

// A ribbon bar whose size test the test decides.
class CTestRibbonBar : public CKitRibbonBar {
public:
    void SetRibbonVisible(BOOL bVisible) { m_bRibbonVisible = bVisible; }
};

// A visible ribbon docked at the top of the window, released at the end.
class TestRibbon {
public:
    explicit TestRibbon(CWnd* pSite) : m_pBar(new CTestRibbonBar)
    {
        m_pBar->CreateToolBarWindow(pSite, FALSE);
        m_pBar->CKitCommandBar::SetPosition(kitBarTop);
    }
    ~TestRibbon()
    {
        m_pBar->DestroyWindow();
        m_pBar->InternalRelease();
    }
    TestRibbon(const TestRibbon&) = delete;
    TestRibbon& operator=(const TestRibbon&) = delete;
    CTestRibbonBar* operator->() const { return m_pBar; }
    CTestRibbonBar* Get() const { return m_pBar; }

private:
    CTestRibbonBar* m_pBar;
};
