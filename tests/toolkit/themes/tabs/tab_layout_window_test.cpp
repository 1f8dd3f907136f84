// A window that hosts four tab strips and drives them as an owner does: it lays them
// out on size, paints them through their paint managers and forwards the mouse. The
// strips show the layouts (multi-row, compressed with a middle ellipsis, vertical text
// with close buttons, scrolled with arrows) in four colour sets:
// build/screens/tabs-layouts.png.
#include "support/message_pump.h"
#include "support/window_screenshot.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/themes/tabs/tab_color_sets.h"
#include "toolkit/themes/tabs/tab_manager.h"
#include "toolkit/themes/tabs/tab_paint_manager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using PM = CKitTabPaintManager;

constexpr const char* kClassName = "KorvaneTabLayoutsHost";
constexpr int kWidth = 520;
constexpr int kHeight = 400;

// One strip of the host window, in its own part of the client area.
class HostedStrip : public CKitTabManager {
public:
    HostedStrip(HWND hWnd, const CRect& rcArea) : m_hWnd(hWnd), m_rcArea(rcArea)
    {
        m_paintManager.AddClient(this);
    }
    ~HostedStrip() override { m_paintManager.RemoveClient(this); }

    void Reposition() override
    {
        if (!m_bReady)
            return;
        m_paintManager.RepositionTabControl(this, nullptr, m_rcArea);
        RedrawControl(nullptr, FALSE);
    }
    CKitTabPaintManager* GetPaintManager() const override { return const_cast<CKitTabPaintManager*>(&m_paintManager); }
    void RedrawControl(const RECT* pRect, BOOL) override { ::InvalidateRect(m_hWnd, pRect ? pRect : &m_rcArea, FALSE); }
    BOOL DrawIcon(CDC*, CPoint, CKitTabManagerItem*, BOOL, CSize&) override { return FALSE; }
    void OnNavigateButtonClick(UINT nID) override
    {
        if (nID == CKitTabManagerNavigateButton::kClose && GetSelectedItem())
            DeleteItem(GetCurSel());
    }

    void Paint(CDC* pDC)
    {
        // The page under the strip stands for the owner's client window.
        pDC->FillSolidRect(m_rcArea, ::GetSysColor(COLOR_BTNFACE));
        m_paintManager.DrawTabControl(this, pDC, m_rcArea);
        CRect rcPage = GetClientRect();
        if (!rcPage.IsRectEmpty()) {
            pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
            pDC->SelectObject(m_paintManager.GetNormalFont());
            CString strPage = GetSelectedItem() ? GetSelectedItem()->GetCaption() : CString("(none)");
            pDC->DrawText(strPage, rcPage, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }

    void AddItems(std::initializer_list<const char*> captions, int nSelected)
    {
        for (const char* caption : captions)
            AddItem(-1)->SetCaption(caption);
        m_bReady = TRUE;
        SetCurSel(nSelected);
        Reposition();
    }

    CKitTabPaintManager m_paintManager;
    HWND m_hWnd;
    CRect m_rcArea;
    BOOL m_bReady = FALSE;
};

std::vector<std::unique_ptr<HostedStrip>>* g_pStrips = nullptr;

LRESULT CALLBACK HostProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(hWnd, &ps);
        CDC dc;
        dc.Attach(hdc);
        dc.FillSolidRect(&ps.rcPaint, ::GetSysColor(COLOR_BTNFACE));
        if (g_pStrips)
            for (auto& pStrip : *g_pStrips)
                pStrip->Paint(&dc);
        dc.Detach();
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (g_pStrips)
            for (auto& pStrip : *g_pStrips)
                if (pStrip->m_rcArea.PtInRect(CPoint(LOWORD(lParam), HIWORD(lParam))))
                    pStrip->PerformClick(hWnd, CPoint(LOWORD(lParam), HIWORD(lParam)));
        return 0;
    default:
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

}  // namespace

TEST(KitTabLayoutWindow, AHostWindowLaysOutAndPaintsItsStripsInEveryLayout)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ::RegisterClassA(&wc);
    RECT rcWindow = {0, 0, kWidth, kHeight};
    ::AdjustWindowRectEx(&rcWindow, WS_CAPTION | WS_SYSMENU, FALSE, 0);
    HWND hWnd = ::CreateWindowExA(0, kClassName, "Tab strip layouts", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 40, 40,
                                  rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hWnd);

    std::vector<std::unique_ptr<HostedStrip>> strips;
    g_pStrips = &strips;

    // Multi-row, justified, in the Office 2003 shape and colours: the selected row next to the page.
    auto pRows = std::make_unique<HostedStrip>(hWnd, CRect(8, 8, 256, 160));
    pRows->m_paintManager.SetAppearance(PM::kAppearancePropertyPage2003);
    pRows->m_paintManager.SetLayout(PM::kLayoutMultiRow);
    pRows->AddItems({"Network", "Devices", "Mapping", "Tags", "Modbus", "Diagnostics", "Event log"}, 4);

    // Compressed with middle ellipses at the bottom, in the Visual Studio 2005 shape.
    auto pCompressed = std::make_unique<HostedStrip>(hWnd, CRect(264, 8, 512, 160));
    pCompressed->m_paintManager.SetAppearance(PM::kAppearanceVisualStudio2005);
    pCompressed->m_paintManager.SetPosition(PM::kBottom);
    pCompressed->m_paintManager.SetLayout(PM::kLayoutCompressed);
    pCompressed->m_paintManager.m_bMiddleEllipsis = TRUE;
    pCompressed->AddItems({"Substation configuration", "C:\\Projects\\Plant\\main.prj", "Gateway"}, 0);

    // Vertical text on the left with a close button on every item, flat shape.
    auto pVertical = std::make_unique<HostedStrip>(hWnd, CRect(8, 168, 256, 392));
    pVertical->m_paintManager.SetAppearance(PM::kAppearancePropertyPageFlat);
    pVertical->m_paintManager.SetPosition(PM::kLeft);
    pVertical->SetItemCloseButtonMode(CKitTabManagerNavigateButton::kShowAlways);
    pVertical->AddItems({"Inputs", "Outputs", "Messages"}, 1);

    // More items than room: the scroll arrows show, in the dark Visual Studio 2010 look.
    auto pScrolled = std::make_unique<HostedStrip>(hWnd, CRect(264, 168, 512, 392));
    pScrolled->m_paintManager.SetAppearance(PM::kAppearanceVisualStudio2010);
    pScrolled->AddItems({"IED_1", "IED_2", "IED_3", "IED_4", "IED_5", "IED_6", "IED_7", "IED_8"}, 5);

    HostedStrip* pRowsStrip = pRows.get();
    HostedStrip* pVerticalStrip = pVertical.get();
    HostedStrip* pScrolledStrip = pScrolled.get();
    strips.push_back(std::move(pRows));
    strips.push_back(std::move(pCompressed));
    strips.push_back(std::move(pVertical));
    strips.push_back(std::move(pScrolled));

    // The selected row lies next to the page, below the others.
    CKitTabManagerItem* pSelected = pRowsStrip->GetSelectedItem();
    EXPECT_GT(pRowsStrip->GetRowIndexer()->GetRowCount(), 1);
    EXPECT_EQ(0, pSelected->GetRow());
    for (int i = 0; i < pRowsStrip->GetItemCount(); ++i)
        EXPECT_LE(pRowsStrip->GetItem(i)->GetRect().top, pSelected->GetRect().top);
    ::UpdateWindow(hWnd);
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(hWnd, "tabs-layouts"));

    // Once painted, every vertical item shows its close button; the scrolled strip shows its arrows.
    for (int i = 0; i < pVerticalStrip->GetItemCount(); ++i)
        EXPECT_FALSE(pVerticalStrip->GetItem(i)->GetNavigateButtons()[0]->GetRect().IsRectEmpty()) << i;
    EXPECT_LT(pScrolledStrip->GetHeaderOffset(), 0);
    EXPECT_FALSE(pScrolledStrip->GetNavigateButtons()[0]->GetRect().IsRectEmpty());
    EXPECT_FALSE(pScrolledStrip->GetNavigateButtons()[1]->GetRect().IsRectEmpty());



    // A click on an item of the far row selects it and brings its row to the page; a click
    // on the selected item's close button closes it.
    CKitTabManagerItem* pDevices = pRowsStrip->GetItem(1);
    ASSERT_NE(0, pDevices->GetRow());
    const CPoint ptDevices = pDevices->GetRect().CenterPoint();
    ::PostMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(ptDevices.x, ptDevices.y));
    ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptDevices.x, ptDevices.y));
    EXPECT_EQ(pDevices, pRowsStrip->GetSelectedItem());
    EXPECT_EQ(0, pDevices->GetRow());

    const CPoint ptClose = pVerticalStrip->GetItem(1)->GetNavigateButtons()[0]->GetRect().CenterPoint();
    ::PostMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(ptClose.x, ptClose.y));
    ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClose.x, ptClose.y));
    ASSERT_EQ(2, pVerticalStrip->GetItemCount());
    EXPECT_EQ("Messages", std::string(pVerticalStrip->GetSelectedItem()->GetCaption()));

    ::DestroyWindow(hWnd);
    g_pStrips = nullptr;
    strips.clear();
    ::UnregisterClassA(kClassName, wc.hInstance);
}
