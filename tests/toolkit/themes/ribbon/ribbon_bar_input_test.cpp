// The ribbon in a skinned frame driven by window messages: caption hit codes and what caption clicks, double
// clicks and right clicks send to the frame, the caption buttons and the title, the right-click menus and the
// commands chosen in them, the cursor over the sizing band and the hit test on a composited frame;
// build/screens/ribbon-bar-caption.png.
#include "toolkit/themes/ribbon/ribbon_bar.h"

#include "framework/wnd.h"
#include "ribbon_theme_support.h"
#include "support/message_pump.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/ribbon/ribbon_caption_button.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN;
constexpr int kBorder = 4;

// A top-level frame that records what the ribbon sends it and swallows the caption messages whose default
// handling would start a modal loop.
class CRecordingFrame : public CWnd {
public:
    struct Message {
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
        CPoint ptControl;
    };

    CRecordingFrame()
    {
        CreateEx(0, "STATIC", "Corvel Project", kFrameStyle, 40, 40, 720, 420, nullptr, 0);
    }
    ~CRecordingFrame() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case CKitRibbonBar::kMsgPopupSystemMenu:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            m_messages.push_back({message, wParam, lParam, CPoint()});
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) >= HTLEFT && LOWORD(lParam) <= HTBOTTOMRIGHT) {
                m_messages.push_back({message, wParam, lParam, CPoint()});
                return TRUE;
            }
            break;
        case WM_KIT_CONTROL_RBUTTONUP:
            m_messages.push_back({message, wParam, lParam, *reinterpret_cast<const CPoint*>(wParam)});
            return m_nRButtonUpAnswer;
        case WM_KIT_CONTROL_NOTIFY:
            m_messages.push_back({message, wParam, lParam, CPoint()});
            return m_nExecuteAnswer;
        case WM_COMMAND:
            m_messages.push_back({message, LOWORD(wParam), lParam, CPoint()});
            return 0;
        default:
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // The messages of that kind, in order.
    std::vector<Message> Received(UINT nMessage) const
    {
        std::vector<Message> found;
        for (const Message& m : m_messages) {
            if (m.nMessage == nMessage)
                found.push_back(m);
        }
        return found;
    }

    std::vector<Message> m_messages;
    LRESULT m_nRButtonUpAnswer = 0;
    LRESULT m_nExecuteAnswer = 0;
};

// A ribbon whose frame hook the test sets, whose menus are recorded instead of tracked and whose composited
// hit test the test answers.
class CInputRibbonBar : public CKitRibbonBar {
public:
    // The bar owns the hook.
    void SetFrameHook(CKitFrameHook* pHook) { m_pFrameHook = pHook; }

    UINT TrackContextMenu(CKitPopupBar* pMenu, CPoint ptScreen) override
    {
        m_nMenus++;
        m_ptMenu = ptScreen;
        m_shownItems.clear();
        m_disabledItems.clear();
        CKitControls* pItems = pMenu->GetControls();
        for (int i = 0; i < pItems->GetCount(); ++i) {
            CKitControl* pItem = pItems->GetAt(i);
            if ((pItem->GetHideFlags() & kitHideUser) != 0)
                continue;
            m_shownItems.push_back(std::string(pItem->GetCaption()));
            if (!pItem->IsEnabled())
                m_disabledItems.push_back(std::string(pItem->GetCaption()));
        }
        return m_nChoice;
    }
    BOOL HitTestComposited(CPoint /*ptScreen*/, LRESULT* pnCode) override
    {
        *pnCode = m_nDwmCode;
        return TRUE;
    }
    BOOL IsShown(const std::string& strCaption) const
    {
        for (const std::string& s : m_shownItems) {
            if (s == strCaption)
                return TRUE;
        }
        return FALSE;
    }

    int m_nMenus = 0;
    CPoint m_ptMenu;
    std::vector<std::string> m_shownItems;
    std::vector<std::string> m_disabledItems;
    UINT m_nChoice = 0;
    LRESULT m_nDwmCode = HTNOWHERE;
};

constexpr const char* kRemove = "&Remove from Quick Access Toolbar";
constexpr const char* kAdd = "&Add to Quick Access Toolbar";
constexpr const char* kMinimize = "Mi&nimize the Ribbon";

// A frame with a skinned caption and a ribbon of three tabs, the last one of a context, a group of buttons and a
// quick access command.
struct RibbonInFrame {
    CRecordingFrame frame;
    CKitCommandBarManager manager;
    CInputRibbonBar* pRibbon;
    CKitFrameHook* pHook = nullptr;
    CKitRibbonTab* pHome;
    CKitRibbonTab* pLayout;
    CKitRibbonGroup* pGroup;
    CKitControl* pSave;
    CKitControl* pOpen;

    explicit RibbonInFrame(BOOL bHook = TRUE)
    {
        manager.SetSite(&frame);
        manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;
        pRibbon = new CInputRibbonBar;
        manager.AddCommandBar(pRibbon);
        pRibbon->SetPosition(kitBarTop);
        pRibbon->CreateBar(&frame);
        if (bHook) {
            pHook = new CKitFrameHook(&frame, pRibbon, nullptr);
            pHook->SetBorderWidth(kBorder);
            pRibbon->SetFrameHook(pHook);
        }
        pHome = pRibbon->AddTab("Home", 1);
        pRibbon->AddTab("View", 2);
        pLayout = pRibbon->AddTab("Layout", 3);
        pLayout->SetContextColor(CKitRibbonTab::kContextGreen);
        pLayout->SetContextCaption("Table");
        pGroup = pHome->GetGroups()->Add("Project", 10);
        pOpen = pRibbon->GetControls()->Add(kitControlButton, 101);
        pOpen->SetCaption("Open");
        pOpen->SetStyle(kitButtonCaption);
        pGroup->Add(pOpen);
        pSave = pRibbon->GetQuickAccessControls()->Add(kitControlButton, 300);
        pSave->SetCaption("Save");
        pSave->SetStyle(kitButtonCaption);
        pRibbon->GetControlTab()->SetSelectedItem(pHome);
        Layout();
    }
    ~RibbonInFrame() { manager.RemoveAll(); }

    void Layout() { LayOutRibbonInFrame(pRibbon, &frame); }
    void SetFrameStyle(DWORD dwStyle, DWORD dwExStyle = 0)
    {
        ::SetWindowLongPtrA(frame.GetSafeHwnd(), GWL_STYLE, static_cast<LONG_PTR>(dwStyle));
        ::SetWindowLongPtrA(frame.GetSafeHwnd(), GWL_EXSTYLE, static_cast<LONG_PTR>(dwExStyle));
        Layout();
    }
    LRESULT Send(UINT nMessage, CPoint pt)
    {
        return pRibbon->SendMessage(nMessage, 0, MAKELPARAM(static_cast<short>(pt.x), static_cast<short>(pt.y)));
    }
    CPoint ToScreen(CPoint pt) const
    {
        pRibbon->ClientToScreen(&pt);
        return pt;
    }
    static CPoint FromParam(LPARAM lParam)
    {
        return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    }

    // Points of the caption band and the bar, in bar coordinates.
    CPoint FreeCaption() const { return CPoint(pRibbon->GetCaptionFreeRect().CenterPoint().x, 10); }
    CPoint Icon() const { return CPoint(5, 10); }
    CPoint TopBand() const { return CPoint(FreeCaption().x, pRibbon->GetCaptionRect().top + 2); }
    CPoint Header() const { return pRibbon->GetContextHeader(0)->m_rcHeader.CenterPoint(); }
    CPoint QuickAccessEmpty() const
    {
        const CRect rc = pRibbon->GetQuickAccessRect();
        return CPoint(rc.right - 2, rc.CenterPoint().y);
    }
    CPoint GroupCaption() const { return pGroup->GetCaptionRect().CenterPoint(); }
};

} // namespace

TEST(KitRibbonBarInput, CaptionPointsAnswerTheirHitCodes)
{
    enum Where { kFree, kIcon, kTopBand, kQuickAccess, kCloseButton, kTab, kHeader };
    const struct {
        const char* name;
        BOOL bHook;
        DWORD dwStyle;
        Where where;
        int nCode;
    } cases[] = {
        {"free caption", TRUE, kFrameStyle, kFree, HTCAPTION},
        {"window icon", TRUE, kFrameStyle, kIcon, HTSYSMENU},
        {"icon of a frame without system menu", TRUE, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, kIcon, HTCAPTION},
        {"top band of a sizable frame", TRUE, kFrameStyle, kTopBand, HTTOP},
        {"top band of a fixed frame", TRUE, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, kTopBand, HTCAPTION},
        {"top band of a maximised frame", TRUE, kFrameStyle | WS_MAXIMIZE, kTopBand, HTCAPTION},
        {"quick access command", TRUE, kFrameStyle, kQuickAccess, 0},
        {"caption button", TRUE, kFrameStyle, kCloseButton, 0},
        {"tab", TRUE, kFrameStyle, kTab, 0},
        {"context header", TRUE, kFrameStyle, kHeader, 0},
        {"free caption without a skinned frame", FALSE, kFrameStyle, kFree, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RibbonInFrame ribbon(c.bHook);
        ribbon.SetFrameStyle(c.dwStyle);
        CPoint pt;
        switch (c.where) {
        case kFree: pt = ribbon.FreeCaption(); break;
        case kIcon: pt = ribbon.Icon(); break;
        case kTopBand: pt = ribbon.TopBand(); break;
        case kQuickAccess: pt = ribbon.pSave->GetRect().CenterPoint(); break;
        case kCloseButton:
            ASSERT_NE(ribbon.pRibbon->GetControls()->FindControlById(SC_CLOSE), nullptr);
            pt = ribbon.pRibbon->GetControls()->FindControlById(SC_CLOSE)->GetRect().CenterPoint();
            break;
        case kTab: pt = ribbon.pHome->GetRect().CenterPoint(); break;
        case kHeader:
            ASSERT_EQ(ribbon.pRibbon->GetContextHeaderCount(), 1);
            pt = ribbon.Header();
            break;
        }
        EXPECT_EQ(ribbon.pRibbon->HitTestCaption(pt), c.nCode);
        ribbon.SetFrameStyle(kFrameStyle);
    }
}

TEST(KitRibbonBarInput, CaptionClicksMoveSizeOrOpenTheSystemMenuOfTheFrame)
{
    RibbonInFrame ribbon;
    const CRect rcCaption = ribbon.pRibbon->GetCaptionRect();
    const struct {
        const char* name;
        CPoint pt;
        UINT nMessage;
        WPARAM wParam;
        CPoint ptScreen;
    } cases[] = {
        {"caption moves", ribbon.FreeCaption(), WM_NCLBUTTONDOWN, HTCAPTION, ribbon.ToScreen(ribbon.FreeCaption())},
        {"top band sizes", ribbon.TopBand(), WM_NCLBUTTONDOWN, HTTOP, ribbon.ToScreen(ribbon.TopBand())},
        {"icon opens the system menu below the caption", ribbon.Icon(), CKitRibbonBar::kMsgPopupSystemMenu,
         reinterpret_cast<WPARAM>(ribbon.frame.GetSafeHwnd()),
         ribbon.ToScreen(CPoint(rcCaption.left, rcCaption.bottom))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ribbon.frame.m_messages.clear();
        ribbon.Send(WM_LBUTTONDOWN, c.pt);
        const auto received = ribbon.frame.Received(c.nMessage);
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].wParam, c.wParam);
        EXPECT_EQ(RibbonInFrame::FromParam(received[0].lParam), c.ptScreen);
    }
}

TEST(KitRibbonBarInput, AClickOnAContextHeaderSelectsItsFirstTab)
{
    RibbonInFrame ribbon;
    ASSERT_EQ(ribbon.pRibbon->GetContextHeaderCount(), 1);
    ribbon.Send(WM_LBUTTONDOWN, ribbon.Header());
    EXPECT_EQ(ribbon.pRibbon->GetSelectedTab(), ribbon.pLayout);
    EXPECT_TRUE(ribbon.frame.Received(WM_NCLBUTTONDOWN).empty());
    EXPECT_TRUE(ribbon.frame.Received(CKitRibbonBar::kMsgPopupSystemMenu).empty());
}

TEST(KitRibbonBarInput, AClickInTheTabsRowClosesPopupsAndSelectsTheTab)
{
    RibbonInFrame ribbon;
    CKitControlPopup* pCustomize = ribbon.pRibbon->GetQuickAccessPopup();
    ASSERT_TRUE(ribbon.pRibbon->OpenPopupAt(ribbon.pRibbon->GetControls()->IndexOf(pCustomize)));
    ASSERT_TRUE(pCustomize->GetPopuped());
    CKitRibbonTab* pView = ribbon.pRibbon->GetTab(1);
    ribbon.Send(WM_LBUTTONDOWN, pView->GetRect().CenterPoint());
    EXPECT_FALSE(pCustomize->GetPopuped());
    EXPECT_EQ(ribbon.pRibbon->GetSelectedTab(), pView);

    // A minimised ribbon selects the tab as well and stays minimised.
    ribbon.pRibbon->SetRibbonMinimized(TRUE);
    ribbon.Layout();
    ribbon.Send(WM_LBUTTONDOWN, ribbon.pHome->GetRect().CenterPoint());
    EXPECT_EQ(ribbon.pRibbon->GetSelectedTab(), ribbon.pHome);
    EXPECT_TRUE(ribbon.pRibbon->IsRibbonMinimized());
    ribbon.manager.ClosePopups();
}

TEST(KitRibbonBarInput, CaptionDoubleClicksGoToTheFrame)
{
    RibbonInFrame ribbon;
    const struct {
        const char* name;
        CPoint pt;
        WPARAM nCode;
    } cases[] = {
        {"caption", ribbon.FreeCaption(), HTCAPTION},
        {"icon", ribbon.Icon(), HTSYSMENU},
        {"context header", ribbon.Header(), HTCAPTION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ribbon.frame.m_messages.clear();
        ribbon.Send(WM_LBUTTONDBLCLK, c.pt);
        const auto received = ribbon.frame.Received(WM_NCLBUTTONDBLCLK);
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].wParam, c.nCode);
        EXPECT_EQ(RibbonInFrame::FromParam(received[0].lParam), ribbon.ToScreen(c.pt));
    }
    EXPECT_FALSE(ribbon.pRibbon->IsRibbonMinimized());
}

TEST(KitRibbonBarInput, TheLayoutMakesTheCaptionButtonsTheFrameStyleAsksFor)
{
    const struct {
        const char* name;
        DWORD dwStyle;
        DWORD dwExStyle;
        std::vector<UINT> buttons; // right to left
        std::vector<UINT> disabled;
    } cases[] = {
        {"sizable", kFrameStyle, 0, {SC_CLOSE, SC_MAXIMIZE, SC_MINIMIZE}, {}},
        {"maximised", kFrameStyle | WS_MAXIMIZE, 0, {SC_CLOSE, SC_RESTORE, SC_MINIMIZE}, {}},
        {"minimise box only", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 0,
         {SC_CLOSE, SC_MAXIMIZE, SC_MINIMIZE}, {SC_MAXIMIZE}},
        {"no boxes", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, {SC_CLOSE}, {}},
        {"tool window", kFrameStyle, WS_EX_TOOLWINDOW, {SC_CLOSE}, {}},
        {"no system menu", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, {}, {}},
    };
    RibbonInFrame ribbon;
    const int nFreeRight = ribbon.pRibbon->GetCaptionRect().right - kBorder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ribbon.SetFrameStyle(c.dwStyle, c.dwExStyle);
        const CRect rcFree = ribbon.pRibbon->GetCaptionFreeRect();
        int nRight = nFreeRight;
        for (UINT nCommand : c.buttons) {
            SCOPED_TRACE(nCommand);
            CKitControl* pButton = ribbon.pRibbon->GetControls()->FindControlById(static_cast<int>(nCommand));
            ASSERT_NE(pButton, nullptr);
            EXPECT_TRUE(pButton->IsKindOf(RUNTIME_CLASS(CKitRibbonBarControlCaptionButton)));
            EXPECT_TRUE(pButton->IsVisible());
            // Square, side by side from the right end of the free part of the caption.
            EXPECT_EQ(pButton->GetRect(), CRect(nRight - rcFree.Height(), rcFree.top, nRight, rcFree.bottom));
            nRight -= rcFree.Height();
            const BOOL bDisabled = std::find(c.disabled.begin(), c.disabled.end(), nCommand) != c.disabled.end();
            EXPECT_EQ(pButton->GetEnabledState() != 0, !bDisabled);
        }
        EXPECT_EQ(rcFree.right, nRight);
        for (UINT nCommand : {SC_CLOSE, SC_RESTORE, SC_MAXIMIZE, SC_MINIMIZE}) {
            if (std::find(c.buttons.begin(), c.buttons.end(), nCommand) == c.buttons.end()) {
                EXPECT_EQ(ribbon.pRibbon->GetControls()->FindControlById(static_cast<int>(nCommand)), nullptr)
                    << nCommand;
            }
        }
    }
    ribbon.SetFrameStyle(kFrameStyle);
    // The captions are the system menu's without the shortcut.
    CKitControl* pClose = ribbon.pRibbon->GetControls()->FindControlById(SC_CLOSE);
    ASSERT_NE(pClose, nullptr);
    EXPECT_EQ(CString(pClose->GetCaption()).Find('\t'), -1);
    EXPECT_FALSE(CString(pClose->GetCaption()).IsEmpty());
}

TEST(KitRibbonBarInput, TheTitleIsCentredBetweenTheButtonsAndKeepsClearOfTheQuickAccessToolbar)
{
    RibbonInFrame ribbon;
    EXPECT_EQ(ribbon.pRibbon->GetTitleText(), CString("Corvel Project"));
    const CRect rcTitle = ribbon.pRibbon->GetTitleRect();
    const CRect rcFree = ribbon.pRibbon->GetCaptionFreeRect();
    ASSERT_FALSE(rcTitle.IsRectEmpty());
    const int nButtons = ribbon.pRibbon->GetCaptionRect().right - kBorder - rcFree.right;
    // Centred in the bar between equal margins of the buttons' width.
    EXPECT_NEAR(rcTitle.CenterPoint().x, (nButtons + rcFree.right) / 2, 1);
    EXPECT_GE(rcTitle.left, rcFree.left);
    EXPECT_LE(rcTitle.right, rcFree.right);
    CRect rcOverlap;
    EXPECT_FALSE(rcOverlap.IntersectRect(rcTitle, ribbon.pRibbon->GetQuickAccessRect()));

    // A composited frame keeps room for the system's own buttons and gets none of the ribbon's.
    ribbon.pHook->SetComposited(TRUE);
    ribbon.Layout();
    EXPECT_EQ(ribbon.pRibbon->GetControls()->FindControlById(SC_CLOSE), nullptr);
    EXPECT_EQ(ribbon.pRibbon->GetCaptionFreeRect().right, ribbon.pRibbon->GetCaptionRect().right - kBorder - 100);
    ribbon.pHook->SetComposited(FALSE);
}

TEST(KitRibbonBarInput, RightClicksOnTheCaptionOpenTheSystemMenuAtTheMouse)
{
    RibbonInFrame ribbon;
    for (CPoint pt : {ribbon.FreeCaption(), ribbon.Icon()}) {
        ribbon.frame.m_messages.clear();
        ribbon.Send(WM_RBUTTONDOWN, pt);
        ribbon.Send(WM_RBUTTONUP, pt);
        const auto received = ribbon.frame.Received(CKitRibbonBar::kMsgPopupSystemMenu);
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].wParam, reinterpret_cast<WPARAM>(ribbon.frame.GetSafeHwnd()));
        EXPECT_EQ(RibbonInFrame::FromParam(received[0].lParam), ribbon.ToScreen(pt));
    }
    EXPECT_EQ(ribbon.pRibbon->m_nMenus, 0);
}

TEST(KitRibbonBarInput, ARightClickOnAControlAsksTheSiteThenShowsTheQuickAccessMenu)
{
    RibbonInFrame ribbon;
    const struct {
        const char* name;
        CKitControl* pControl;
        LRESULT nSiteAnswer;
        BOOL bMenu;
        BOOL bRemove;
        BOOL bAdd;
    } cases[] = {
        {"on the toolbar", ribbon.pSave, 0, TRUE, TRUE, FALSE},
        {"in a group", ribbon.pOpen, 0, TRUE, FALSE, TRUE},
        {"taken by the site", ribbon.pOpen, 1, FALSE, FALSE, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ribbon.frame.m_messages.clear();
        ribbon.frame.m_nRButtonUpAnswer = c.nSiteAnswer;
        ribbon.pRibbon->m_nMenus = 0;
        const CPoint pt = c.pControl->GetRect().CenterPoint();
        ribbon.Send(WM_RBUTTONUP, pt);
        const auto asked = ribbon.frame.Received(WM_KIT_CONTROL_RBUTTONUP);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].lParam, reinterpret_cast<LPARAM>(c.pControl));
        EXPECT_EQ(asked[0].ptControl, pt);
        ASSERT_EQ(ribbon.pRibbon->m_nMenus, c.bMenu ? 1 : 0);
        if (!c.bMenu)
            continue;
        EXPECT_EQ(ribbon.pRibbon->m_ptMenu, ribbon.ToScreen(pt));
        EXPECT_EQ(ribbon.pRibbon->IsShown(kRemove), c.bRemove);
        EXPECT_EQ(ribbon.pRibbon->IsShown(kAdd), c.bAdd);
        EXPECT_TRUE(ribbon.pRibbon->IsShown(kMinimize));
    }
}

TEST(KitRibbonBarInput, RightClicksBesideControlsOpenTheMenuOfTheGroupOrTheTabStrip)
{
    RibbonInFrame ribbon;
    // A group's caption band: the menu for the group.
    ribbon.Send(WM_RBUTTONUP, ribbon.GroupCaption());
    ASSERT_EQ(ribbon.pRibbon->m_nMenus, 1);
    EXPECT_TRUE(ribbon.pRibbon->IsShown(kMinimize));
    // The empty end of the quick access toolbar below the ribbon: the tab strip's menu, which offers neither.
    ribbon.pRibbon->ShowQuickAccessBelowRibbon(TRUE);
    ribbon.Layout();
    ribbon.Send(WM_RBUTTONUP, ribbon.QuickAccessEmpty());
    ASSERT_EQ(ribbon.pRibbon->m_nMenus, 2);
    EXPECT_FALSE(ribbon.pRibbon->IsShown(kAdd));
    EXPECT_FALSE(ribbon.pRibbon->IsShown(kRemove));
    EXPECT_TRUE(ribbon.pRibbon->IsShown(kMinimize));
    // The groups area away from any caption band: nothing.
    const CRect rcGroups = ribbon.pRibbon->GetGroupsRect();
    ribbon.Send(WM_RBUTTONUP, CPoint(rcGroups.right - 20, rcGroups.top + 10));
    EXPECT_EQ(ribbon.pRibbon->m_nMenus, 2);
}

TEST(KitRibbonBarInput, AddingFromTheMenuPutsAShownCloneOnTheToolbar)
{
    constexpr UINT kOwnIcon = 7707;
    const struct {
        const char* name;
        int nType;
        UINT nIconId;
        int nStyle;
        UINT nExpectedIcon;
    } cases[] = {
        {"button without icon", kitControlButton, 0, kitButtonAutomatic, 500},
        {"button with its own icon", kitControlButton, kOwnIcon, kitButtonAutomatic, kOwnIcon},
        {"popup", kitControlPopup, 0, kitButtonIcon, 500},
    };
    HICON hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    ASSERT_TRUE(CKitImageManager::Instance()->SetIcon(CKitImageManagerIconHandle(hIcon), kOwnIcon));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RibbonInFrame ribbon;
        ribbon.pRibbon->SetQuickAccessDefaultIconId(500);
        CKitControl* pSource = ribbon.pRibbon->GetControls()->Add(c.nType, 120);
        pSource->SetCaption("Print");
        pSource->SetIconId(c.nIconId);
        pSource->SetStyle(kitButtonCaption);
        pSource->SetBeginGroup(TRUE);
        ribbon.pGroup->Add(pSource);
        ribbon.Layout();
        ribbon.pRibbon->m_nChoice = ID_KIT_RIBBON_QA_ADD;
        ribbon.Send(WM_RBUTTONUP, pSource->GetRect().CenterPoint());
        ASSERT_EQ(ribbon.pRibbon->m_nMenus, 1);

        CKitRibbonQuickAccessControls* pList = ribbon.pRibbon->GetQuickAccessControls();
        ASSERT_EQ(pList->GetCount(), 2);
        CKitControl* pAdded = pList->GetAt(1);
        EXPECT_NE(pAdded, pSource);
        EXPECT_EQ(pAdded->GetId(), 120u);
        EXPECT_EQ(pAdded->GetType(), c.nType);
        EXPECT_FALSE(pAdded->GetBeginGroup());
        EXPECT_EQ(pAdded->GetStyle(), c.nStyle);
        EXPECT_EQ(pAdded->GetIconId(), c.nExpectedIcon);
        EXPECT_EQ(pAdded->GetFlags() & CKitRibbonBar::kFlagNotForQuickAccess, 0u);
        EXPECT_EQ(pAdded->GetRibbonGroup(), nullptr);
        // The command itself reached nobody.
        EXPECT_TRUE(ribbon.frame.Received(WM_COMMAND).empty());

        // Removing it from its own menu takes it off again.
        ribbon.Layout();
        ribbon.pRibbon->m_nChoice = ID_KIT_RIBBON_QA_REMOVE;
        ribbon.Send(WM_RBUTTONUP, pAdded->GetRect().CenterPoint());
        ASSERT_EQ(ribbon.pRibbon->m_nMenus, 2);
        EXPECT_EQ(pList->GetCount(), 1);
        EXPECT_EQ(pList->GetAt(0), ribbon.pSave);
    }
}

TEST(KitRibbonBarInput, ChosenMenuCommandsAreHandledByTheRibbonOrForwardedToTheSite)
{
    const struct {
        const char* name;
        UINT nId;
        LRESULT nSiteAnswer;
        int nExecutesAtSite;
        int nCommandsAtSite;
        BOOL bMinimized;
        BOOL bBelow;
    } cases[] = {
        {"customize goes to the site", ID_KIT_RIBBON_QA_CUSTOMIZE, 0, 1, 1, FALSE, FALSE},
        {"customize taken by the execute message", ID_KIT_RIBBON_QA_CUSTOMIZE, 1, 1, 0, FALSE, FALSE},
        {"minimise", ID_KIT_RIBBON_MINIMIZE, 0, 0, 0, TRUE, FALSE},
        {"below the ribbon", ID_KIT_RIBBON_QA_SHOW_BELOW, 0, 0, 0, FALSE, TRUE},
        {"above the ribbon", ID_KIT_RIBBON_QA_SHOW_ABOVE, 0, 0, 0, FALSE, FALSE},
        {"another id of the ribbon's range", 9615, 0, 0, 0, FALSE, FALSE},
        {"an application command", 1234, 0, 1, 1, FALSE, FALSE},
        {"an application command taken by the execute message", 1234, 1, 1, 0, FALSE, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RibbonInFrame ribbon;
        ribbon.frame.m_nExecuteAnswer = c.nSiteAnswer;
        ribbon.pRibbon->m_nChoice = c.nId;
        ribbon.Send(WM_RBUTTONUP, ribbon.pSave->GetRect().CenterPoint());
        ASSERT_EQ(ribbon.pRibbon->m_nMenus, 1);
        int nExecutes = 0;
        for (const auto& m : ribbon.frame.Received(WM_KIT_CONTROL_NOTIFY)) {
            if (m.wParam == c.nId)
                nExecutes++;
        }
        int nCommands = 0;
        for (const auto& m : ribbon.frame.Received(WM_COMMAND)) {
            if (m.wParam == c.nId)
                nCommands++;
        }
        EXPECT_EQ(nExecutes, c.nExecutesAtSite);
        EXPECT_EQ(nCommands, c.nCommandsAtSite);
        EXPECT_EQ(ribbon.pRibbon->IsRibbonMinimized(), c.bMinimized);
        EXPECT_EQ(ribbon.pRibbon->IsQuickAccessBelowRibbon(), c.bBelow);
    }
}

TEST(KitRibbonBarInput, TheCustomizeDropDownsPlaceCommandReachesTheRibbon)
{
    RibbonInFrame ribbon;
    CKitControlPopup* pCustomize = ribbon.pRibbon->GetQuickAccessPopup();
    ASSERT_TRUE(ribbon.pRibbon->OpenPopupAt(ribbon.pRibbon->GetControls()->IndexOf(pCustomize)));
    CKitCommandBar* pDropDown = pCustomize->GetCommandBar();
    ASSERT_NE(pDropDown, nullptr);
    CKitControl* pBelow = pDropDown->GetControls()->FindControlById(ID_KIT_RIBBON_QA_SHOW_BELOW);
    ASSERT_NE(pBelow, nullptr);
    pBelow->OnExecute();
    EXPECT_TRUE(ribbon.pRibbon->IsQuickAccessBelowRibbon());
    for (const auto& m : ribbon.frame.Received(WM_COMMAND))
        EXPECT_NE(m.wParam, static_cast<WPARAM>(ID_KIT_RIBBON_QA_SHOW_BELOW));
    ribbon.manager.ClosePopups();
}

TEST(KitRibbonBarInput, TheSizingBandSetsTheFramesCursor)
{
    RibbonInFrame ribbon;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    const struct {
        const char* name;
        CPoint pt;
        size_t nFrameCursors;
    } cases[] = {
        {"sizing band", ribbon.TopBand(), 1},
        {"caption", ribbon.FreeCaption(), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ribbon.frame.m_messages.clear();
        const CPoint ptScreen = ribbon.ToScreen(c.pt);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        ribbon.pRibbon->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(ribbon.pRibbon->GetSafeHwnd()),
                                    MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        const auto received = ribbon.frame.Received(WM_SETCURSOR);
        ASSERT_EQ(received.size(), c.nFrameCursors);
        if (c.nFrameCursors == 1) {
            EXPECT_EQ(LOWORD(received[0].lParam), HTTOP);
        }
    }
    ::SetCursorPos(ptCursor.x, ptCursor.y);
}

TEST(KitRibbonBarInput, OnACompositedFrameTheSystemsCaptionButtonsShowThrough)
{
    const struct {
        const char* name;
        BOOL bComposited;
        LRESULT nDwmCode;
        LRESULT nExpected;
    } cases[] = {
        {"minimise", TRUE, HTMINBUTTON, HTTRANSPARENT},
        {"maximise", TRUE, HTMAXBUTTON, HTTRANSPARENT},
        {"close", TRUE, HTCLOSE, HTTRANSPARENT},
        {"help", TRUE, HTHELP, HTTRANSPARENT},
        {"caption", TRUE, HTCAPTION, HTCLIENT},
        {"not composited", FALSE, HTCLOSE, HTCLIENT},
    };
    RibbonInFrame ribbon;
    const CPoint ptScreen = ribbon.ToScreen(CPoint(ribbon.pRibbon->GetCaptionFreeRect().right - 20, 12));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ribbon.pHook->SetComposited(c.bComposited);
        ribbon.pRibbon->m_nDwmCode = c.nDwmCode;
        EXPECT_EQ(ribbon.pRibbon->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y)), c.nExpected);
    }
    ribbon.pHook->SetComposited(FALSE);
}

TEST(KitRibbonBarInput, TheGroupUnderTheMouseIsHotUntilTheMouseLeaves)
{
    RibbonInFrame ribbon;
    const CPoint ptGroup = ribbon.pGroup->GetRect().CenterPoint();
    const CRect rcGroups = ribbon.pRibbon->GetGroupsRect();
    ribbon.Send(WM_MOUSEMOVE, ptGroup);
    EXPECT_EQ(ribbon.pRibbon->GetHighlightedGroup(), ribbon.pGroup);
    ribbon.Send(WM_MOUSEMOVE, CPoint(rcGroups.right - 20, rcGroups.top + 10));
    EXPECT_EQ(ribbon.pRibbon->GetHighlightedGroup(), nullptr);
    ribbon.Send(WM_MOUSEMOVE, ptGroup);
    ribbon.pRibbon->SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(ribbon.pRibbon->GetHighlightedGroup(), nullptr);
    // A tracking bar leaves the groups alone.
    ribbon.pRibbon->SetTrackingMode(TRUE);
    ribbon.Send(WM_MOUSEMOVE, ptGroup);
    EXPECT_EQ(ribbon.pRibbon->GetHighlightedGroup(), nullptr);
    ribbon.pRibbon->SetTrackingMode(FALSE);
    // So does an inactive frame.
    ribbon.pHook->SetActive(FALSE);
    ribbon.Send(WM_MOUSEMOVE, ptGroup);
    EXPECT_EQ(ribbon.pRibbon->GetHighlightedGroup(), nullptr);
    ribbon.pHook->SetActive(TRUE);
    ribbon.Send(WM_MOUSEMOVE, ptGroup);
    EXPECT_EQ(ribbon.pRibbon->GetHighlightedGroup(), ribbon.pGroup);
}

TEST(KitRibbonBarInput, ShowingOrHidingTheBarOnASkinnedFrameSetsItsVisibleFlag)
{
    RibbonInFrame ribbon;
    ASSERT_TRUE(ribbon.pRibbon->IsRibbonVisible());
    ribbon.pRibbon->ShowWindow(SW_HIDE);
    EXPECT_FALSE(ribbon.pRibbon->IsRibbonVisible());
    ribbon.pRibbon->ShowWindow(SW_SHOW);
    EXPECT_TRUE(ribbon.pRibbon->IsRibbonVisible());
}

// A frame without a system caption whose ribbon draws the caption band with the title and the caption buttons:
// build/screens/ribbon-bar-caption.png.
TEST(KitRibbonBarInputScreens, SkinnedCaptionWithTitleAndCaptionButtons)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, "STATIC", "Substation North - Corvel",
                               WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER | WS_VISIBLE |
                                   WS_CLIPCHILDREN,
                               40, 40, 640, 280, nullptr, 0));
    CKitCommandBarManager manager;
    manager.SetSite(&frame);
    manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;
    auto* pRibbon = new CInputRibbonBar;
    manager.AddCommandBar(pRibbon);
    pRibbon->SetPosition(kitBarTop);
    pRibbon->CreateBar(&frame);
    pRibbon->SetFrameHook(new CKitFrameHook(&frame, pRibbon, nullptr));
    CKitRibbonTab* pHome = pRibbon->AddTab("Home", 1);
    pRibbon->AddTab("Mapping", 2);
    pRibbon->AddTab("View", 3);
    CKitRibbonGroup* pGroup = pHome->GetGroups()->Add("Project", 10);
    for (UINT nId : {101u, 102u, 103u}) {
        CKitControl* pButton = pRibbon->GetControls()->Add(kitControlButton, nId);
        pButton->SetCaption(nId == 101 ? "New" : nId == 102 ? "Open" : "Save");
        pButton->SetStyle(kitButtonCaption);
        pGroup->Add(pButton);
    }
    CKitControl* pSave = pRibbon->GetQuickAccessControls()->Add(kitControlButton, 103);
    pSave->SetCaption("Save");
    pSave->SetStyle(kitButtonCaption);
    pRibbon->GetControlTab()->SetSelectedItem(pHome);

    CRect rcClient;
    frame.GetClientRect(&rcClient);
    const CSize sz = pRibbon->CalcDockLayout(rcClient.Width(), LM_COMMIT);
    pRibbon->MoveWindow(0, 0, sz.cx, sz.cy);
    pRibbon->CalcDockLayout(rcClient.Width(), LM_COMMIT);
    ASSERT_NE(pRibbon->GetControls()->FindControlById(SC_CLOSE), nullptr);
    frame.Invalidate();
    frame.UpdateWindow();
    pRibbon->Invalidate();
    pRibbon->UpdateWindow();
    PumpMessages();
    EXPECT_EQ("", SaveWindowScreenshot(frame.GetSafeHwnd(), "ribbon-bar-caption"));
    manager.RemoveAll();
    frame.DestroyWindow();
}
