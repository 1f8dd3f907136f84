// The popup of a reduced ribbon group: a click on its button opens copies of the group's controls laid out in
// full, which run the original commands and close it; a keyboard tip of a hidden control runs its copy; the more
// button's popup of the quick access controls that did not fit; build/screens/ribbon-group-popup.png and
// build/screens/ribbon-more-popup.png.
#include "toolkit/themes/ribbon/ribbon_group_popup.h"

#include "framework/exceptions.h"
#include "framework/wnd.h"
#include "support/message_pump.h"
#include "support/stored_bars.h"
#include "support/window_capture.h"
#include "support/window_screenshot.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/keyboard_tip.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A frame that records the commands it receives.
class CCommandFrame : public CWnd {
public:
    CCommandFrame()
    {
        CreateEx(0, "STATIC", "Corvel", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40,
                 520, 320, nullptr, 0);
    }
    ~CCommandFrame() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back(LOWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<UINT> m_commands;
};

// A ribbon across the frame whose Home tab holds the groups "Project", "Mapping" and "Module", narrowed until
// "Module" alone is reduced to its popup button.
class ReducedGroupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::GetCursorPos(&m_ptCursor);
        ::SetCursorPos(900, 700);
        m_manager.SetSite(&m_frame);
        m_manager.GetCommandBarsOptions()->bDisableIfNoHandler = FALSE;
        m_pRibbon = new CKitRibbonBar();
        m_manager.AddCommandBar(m_pRibbon);
        m_pRibbon->SetPosition(kitBarTop);
        m_pRibbon->CreateBar(&m_frame);
        // Above the windows of the programs tested beside this one; its popups open above it.
        ::SetWindowPos(m_frame.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        CKitRibbonTab* pHome = m_pRibbon->AddTab("&Home", 1);
        m_pRibbon->AddTab("&View", 2);
        m_pProject = pHome->GetGroups()->Add("Project", 10);
        const char* projectCaptions[] = {"New", "Open", "Save", "Save As", "Properties", "Close"};
        for (UINT i = 0; i < 6; ++i)
            AddButton(m_pProject, 101 + i, projectCaptions[i]);
        CKitRibbonGroup* pMapping = pHome->GetGroups()->Add("Mapping", 12);
        const char* mappingCaptions[] = {"Add IED", "Remove IED", "Map Tags", "Data Sets", "Reports", "GOOSE"};
        for (UINT i = 0; i < 6; ++i)
            AddButton(pMapping, 121 + i, mappingCaptions[i]);
        m_pModule = pHome->GetGroups()->Add("Module", 11);
        AddButton(m_pModule, 111, "Send");
        AddButton(m_pModule, 112, "Receive");
        AddButton(m_pModule, 113, "Monitor")->SetBeginGroup(TRUE);
        m_pRibbon->GetControlTab()->SetSelectedItem(pHome);
        for (m_nWidth = 520; m_nWidth > 260; m_nWidth -= 10) {
            Layout(m_nWidth);
            if (m_pModule->IsReduced())
                break;
        }
    }
    void TearDown() override
    {
        m_manager.ClosePopups();
        PumpMessages();
        m_manager.RemoveAll();
        ::SetCursorPos(m_ptCursor.x, m_ptCursor.y);
    }

    CKitControl* AddButton(CKitRibbonGroup* pGroup, UINT nId, LPCSTR lpszCaption)
    {
        CKitControl* pControl = m_pRibbon->GetControls()->Add(kitControlButton, nId);
        pControl->SetCaption(lpszCaption);
        pControl->SetStyle(kitButtonCaption);
        pGroup->Add(pControl);
        return pControl;
    }
    void Layout(int nWidth)
    {
        m_frame.SetWindowPos(nullptr, 0, 0, nWidth, 320, SWP_NOMOVE | SWP_NOZORDER);
        const CSize sz = m_pRibbon->CalcDockLayout(nWidth, LM_COMMIT);
        m_pRibbon->MoveWindow(0, 0, sz.cx, sz.cy);
        m_pRibbon->CalcDockLayout(nWidth, LM_COMMIT);
        m_frame.UpdateWindow();
        m_pRibbon->UpdateWindow();
    }
    CKitRibbonGroupControlPopup* Button() const { return m_pModule->GetControlGroupPopup(); }
    CKitRibbonGroupPopupToolBar* OpenPopup() const
    {
        auto* pPopup = dynamic_cast<CKitRibbonGroupPopupToolBar*>(Button()->GetCommandBar());
        return pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr && pPopup->IsWindowVisible() ? pPopup : nullptr;
    }
    // Presses and releases the left button over the centre of the module group's popup button.
    void ClickPopupButton()
    {
        const CPoint pt = Button()->GetRect().CenterPoint();
        m_pRibbon->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        m_pRibbon->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }

    // The frame, at least 180 pixels of it, with the popup the button opened, taken while the popup stays open.
    void ShootOpenPopup(const char* lpszName, CKitControl* pButton)
    {
        auto isOpen = [pButton] {
            CKitCommandBar* pBar = pButton->GetCommandBar();
            return pBar != nullptr && pBar->GetSafeHwnd() != nullptr && pBar->IsWindowVisible();
        };
        ASSERT_TRUE(isOpen());
        CKitCommandBar* pOpen = pButton->GetCommandBar();
        m_frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pOpen->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpMessages();
        CRect rcFrame;
        m_frame.GetWindowRect(&rcFrame);
        CRect rcOpen;
        pOpen->GetWindowRect(&rcOpen);
        CRect rcShot;
        rcShot.UnionRect(rcFrame, rcOpen);
        rcShot.bottom = std::max(rcOpen.bottom, rcFrame.top + 160) + 20;
        const WindowImage shot = CaptureScreenRectWhileOpen(rcShot, isOpen, [this, pButton, isOpen] {
            m_pRibbon->OpenPopupAt(pButton->GetIndex(), FALSE);
            PumpMessages();
            return isOpen();
        });
        ASSERT_GT(shot.width, 0) << "the popup would not stay open";
        EXPECT_EQ("", SaveScreenshot(lpszName, shot.width, shot.height, shot.pixels));
    }

    POINT m_ptCursor{};
    int m_nWidth = 0;
    CCommandFrame m_frame;
    CKitCommandBarManager m_manager;
    CKitRibbonBar* m_pRibbon = nullptr;
    CKitRibbonGroup* m_pProject = nullptr;
    CKitRibbonGroup* m_pModule = nullptr;
};

TEST_F(ReducedGroupTest, ClickOnTheButtonOpensCopiesThatRunTheOriginalCommands)
{
    ASSERT_TRUE(m_pModule->IsReduced());
    ASSERT_FALSE(m_pProject->IsReduced());
    ASSERT_TRUE(Button()->IsVisible());
    ClickPopupButton();
    CKitRibbonGroupPopupToolBar* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_TRUE(Button()->GetPopuped());
    EXPECT_EQ(pPopup->GetSourceGroup(), m_pModule);

    // The copies, in the group's order, laid out as the full group (stacked in columns) and shown.
    CKitRibbonGroup* pCopy = pPopup->GetGroup();
    ASSERT_EQ(pCopy->GetCount(), 3);
    EXPECT_FALSE(pCopy->IsReduced());
    CRect rcPrevious;
    CRect rcClient;
    pPopup->GetClientRect(&rcClient);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        CKitControl* pItem = pCopy->GetAt(i);
        EXPECT_NE(pItem, m_pModule->GetAt(i));
        EXPECT_EQ(pItem->GetId(), m_pModule->GetAt(i)->GetId());
        EXPECT_EQ(pItem->GetParent(), pPopup);
        EXPECT_TRUE(pItem->IsVisible());
        EXPECT_FALSE(m_pModule->GetAt(i)->IsVisible()) << "the original stays hidden";
        const CRect rc = pItem->GetRect();
        EXPECT_TRUE(rc.left >= rcPrevious.right || (rc.left == rcPrevious.left && rc.top >= rcPrevious.bottom))
            << "right of or under the one before";
        EXPECT_TRUE(rcClient.PtInRect(rc.TopLeft()));
        EXPECT_LE(rc.right, rcClient.right);
        EXPECT_LE(rc.bottom, pCopy->GetCaptionRect().top);
        rcPrevious = rc;
    }
    EXPECT_GT(pCopy->GetAt(2)->GetRect().left, pCopy->GetAt(1)->GetRect().right) << "separator gap";

    // The popup opens under the button.
    CRect rcButton = Button()->GetRect();
    m_pRibbon->ClientToScreen(&rcButton);
    CRect rcPopup;
    pPopup->GetWindowRect(&rcPopup);
    EXPECT_GE(rcPopup.top, rcButton.bottom - 1);
    EXPECT_NEAR(rcPopup.left, rcButton.left, 1);

    // The mouse over the copy's caption band highlights it until it leaves the popup.
    const CPoint ptCaption = pCopy->GetCaptionRect().CenterPoint();
    pPopup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptCaption.x, ptCaption.y));
    EXPECT_TRUE(pCopy->IsHighlighted());
    pPopup->SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(pCopy->IsHighlighted());

    pCopy->GetAt(1)->OnExecute();
    PumpMessages();
    EXPECT_EQ(m_frame.m_commands, std::vector<UINT>{112});
    EXPECT_EQ(OpenPopup(), nullptr) << "closed after the command";
    EXPECT_FALSE(Button()->GetPopuped());

    // A clone shows a copy of the same group.
    CKitCommandBar* pClone = pPopup->Clone(TRUE);
    ASSERT_NE(pClone, nullptr);
    auto* pGroupClone = dynamic_cast<CKitRibbonGroupPopupToolBar*>(pClone);
    ASSERT_NE(pGroupClone, nullptr);
    EXPECT_EQ(pGroupClone->GetSourceGroup(), m_pModule);
    EXPECT_EQ(pGroupClone->GetGroup()->GetCount(), 3);
    pClone->InternalRelease();

    // Opened again, it holds a fresh copy.
    ClickPopupButton();
    ASSERT_NE(OpenPopup(), nullptr);
    EXPECT_NE(OpenPopup(), pPopup);
    EXPECT_EQ(OpenPopup()->GetGroup()->GetCount(), 3);
}

TEST_F(ReducedGroupTest, OptionButtonOfTheCopySendsTheGroupsId)
{
    m_pModule->ShowOptionButton(TRUE);
    Layout(m_nWidth);
    ASSERT_TRUE(m_pModule->IsReduced());
    EXPECT_FALSE(m_pModule->GetControlGroupOption()->IsVisible()) << "not on a reduced group";
    ClickPopupButton();
    CKitRibbonGroupPopupToolBar* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    CKitRibbonGroupOption* pOption = pPopup->GetGroup()->GetControlGroupOption();
    ASSERT_TRUE(pOption->IsVisible());
    EXPECT_EQ(pOption->GetParent(), pPopup);
    EXPECT_TRUE(pPopup->GetGroup()->GetCaptionRect().PtInRect(pOption->GetRect().CenterPoint()));
    EXPECT_FALSE(pPopup->GetGroup()->GetControlGroupPopup()->IsVisible());
    pOption->OnExecute();
    PumpMessages();
    EXPECT_EQ(m_frame.m_commands, std::vector<UINT>{11});
    EXPECT_EQ(OpenPopup(), nullptr);
}

TEST_F(ReducedGroupTest, ArrowKeysInThePopupMoveToTheNearestCopyInTheirDirection)
{
    ASSERT_TRUE(m_pModule->IsReduced());
    ASSERT_TRUE(m_pRibbon->OpenPopupAt(Button()->GetIndex(), TRUE));
    CKitRibbonGroupPopupToolBar* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    CKitRibbonGroup* pCopy = pPopup->GetGroup();
    // Send and Receive stand in the first column, Monitor beyond the separator in the second.
    const struct {
        const char* name;
        int nFrom;
        int nCode;
        int nTo;
    } cases[] = {
        {"down the column", 0, kitKeyExpand, 1},
        {"up the column", 1, kitKeyCollapse, 0},
        {"right to the next column", 0, kitKeyRight, 2},
        {"left to the nearer right edge, the wider Receive", 2, kitKeyLeft, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        pPopup->SetSelected(pCopy->GetAt(c.nFrom)->GetIndex(), kitSelectKeyboard);
        EXPECT_TRUE(pPopup->OnKeyDownBar(c.nCode));
        EXPECT_EQ(pPopup->GetSelected(), pCopy->GetAt(c.nTo)->GetIndex());
    }
}

// The tip texts of the controls, in the order given, after the texts of all tips are derived.
std::vector<std::string> TipTexts(CKitCommandBarManager& manager, const std::vector<CKitControl*>& controls,
                                  std::vector<BOOL>* pShown = nullptr)
{
    KitDeriveKeyboardTipTexts(manager.GetKeyboardTips());
    std::vector<std::string> texts;
    for (CKitControl* pControl : controls) {
        for (CKitCommandBarKeyboardTip* pTip : manager.GetKeyboardTips()) {
            if (pTip->m_pOwner == pControl) {
                texts.push_back(std::string(pTip->m_strText));
                if (pShown != nullptr)
                    pShown->push_back(pTip->m_bVisible);
            }
        }
    }
    return texts;
}

TEST_F(ReducedGroupTest, TipsInThePopupKeepTheLettersTheHiddenControlsHadOnTheRibbon)
{
    ASSERT_TRUE(m_pModule->IsReduced());
    std::vector<CKitControl*> originals;
    for (int i = 0; i < m_pModule->GetCount(); ++i)
        originals.push_back(m_pModule->GetAt(i));
    m_manager.SetKeyboardTipLevel(2);
    m_pRibbon->CreateKeyboardTips();
    const std::vector<std::string> ribbonTexts = TipTexts(m_manager, originals);
    m_manager.HideKeyboardTips();
    ASSERT_EQ(ribbonTexts.size(), 3u);
    EXPECT_EQ(ribbonTexts[1], "RC") << "Receive shares its R with Remove IED and Reports";

    ASSERT_TRUE(m_pRibbon->OpenPopupAt(Button()->GetIndex(), TRUE));
    CKitRibbonGroupPopupToolBar* pPopup = OpenPopup();
    ASSERT_NE(pPopup, nullptr);
    m_manager.HideKeyboardTips();
    pPopup->CreateKeyboardTips();
    std::vector<CKitControl*> copies;
    for (int i = 0; i < pPopup->GetGroup()->GetCount(); ++i)
        copies.push_back(pPopup->GetGroup()->GetAt(i));
    std::vector<BOOL> shown;
    EXPECT_EQ(TipTexts(m_manager, copies, &shown), ribbonTexts);
    EXPECT_EQ(shown, (std::vector<BOOL>{TRUE, TRUE, TRUE}));
    std::vector<BOOL> otherShown;
    TipTexts(m_manager, {m_pProject->GetAt(0), m_pProject->GetAt(5)}, &otherShown);
    EXPECT_EQ(otherShown, (std::vector<BOOL>{FALSE, FALSE})) << "the other groups' tips are there, hidden";
    m_manager.HideKeyboardTips();
}

TEST_F(ReducedGroupTest, KeyboardTipOfAHiddenControlRunsTheCopyAtItsPlace)
{
    ASSERT_TRUE(m_pModule->IsReduced());
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        m_frame.m_commands.clear();
        CKitControl* pControl = m_pModule->GetAt(i);
        ASSERT_EQ(pControl->GetHideFlags(), 2u);
        CKitCommandBarKeyboardTip tip(&m_manager, pControl, m_pRibbon, "", CPoint(), 0, TRUE);
        m_pRibbon->OnKeyboardTip(&tip);
        PumpMessages();
        EXPECT_EQ(m_frame.m_commands, std::vector<UINT>{pControl->GetId()});
        EXPECT_EQ(OpenPopup(), nullptr);
    }

    // The popup button's own tip opens the popup and runs nothing.
    m_frame.m_commands.clear();
    CKitCommandBarKeyboardTip buttonTip(&m_manager, Button(), m_pRibbon, "", CPoint(), 0, TRUE);
    m_pRibbon->OnKeyboardTip(&buttonTip);
    EXPECT_NE(OpenPopup(), nullptr);
    EXPECT_TRUE(m_frame.m_commands.empty());
    m_manager.ClosePopups();
    PumpMessages();

    // A control the user hid as well stays out of reach.
    CKitControl* pHidden = m_pModule->GetAt(0);
    pHidden->SetHideFlags(pHidden->GetHideFlags() | kitHideUser);
    m_frame.m_commands.clear();
    CKitCommandBarKeyboardTip tip(&m_manager, pHidden, m_pRibbon, "", CPoint(), 0, TRUE);
    m_pRibbon->OnKeyboardTip(&tip);
    PumpMessages();
    EXPECT_TRUE(m_frame.m_commands.empty());
    EXPECT_EQ(OpenPopup(), nullptr);
    EXPECT_FALSE(KitRibbonRunTipInGroupPopup(m_pProject->GetAt(0))) << "a shown control of a full group";
}

TEST_F(ReducedGroupTest, OpenPopupUnderTheReducedGroupOnScreen)
{
    ASSERT_TRUE(m_pModule->IsReduced());
    m_pRibbon->Invalidate();
    m_pRibbon->UpdateWindow();
    ClickPopupButton();
    ASSERT_NE(OpenPopup(), nullptr);
    ShootOpenPopup("ribbon-group-popup", Button());
}

TEST_F(ReducedGroupTest, AStoredRibbonLeavesOutTheGroupPopupsAndLoadsBack)
{
    m_pRibbon->SetCustomizable(TRUE);
    ClickPopupButton();
    ASSERT_NE(OpenPopup(), nullptr);
    m_manager.ClosePopups();
    PumpMessages();
    ASSERT_NE(Button()->GetCommandBar(), nullptr) << "the button keeps its last popup";

    const StoredBytes bytes = SaveBarBytes(m_pRibbon);
    CKitCommandBar* pLoaded = nullptr;
    try {
        pLoaded = LoadBarBytes(bytes);
    } catch (CArchiveException* e) {
        ADD_FAILURE() << "archive error " << e->m_cause;
        e->Delete();
    }
    auto* pRibbon = DYNAMIC_DOWNCAST(CKitRibbonBar, pLoaded);
    ASSERT_NE(pRibbon, nullptr);
    CKitRibbonGroup* pModule = pRibbon->GetTab(0)->GetGroups()->GetAt(2);
    ASSERT_NE(pModule, nullptr);
    EXPECT_EQ(pModule->GetCount(), 3);
    EXPECT_EQ(dynamic_cast<CKitRibbonGroupPopupToolBar*>(pModule->GetControlGroupPopup()->GetCommandBar()), nullptr)
        << "no stored popup to take";
    pLoaded->InternalRelease();
}

TEST(RibbonGroupActions, BothButtonsOfAGroupStandForTheActionOfItsId)
{
    CKitCommandBarManager manager;
    manager.EnableActions();
    auto* pRibbon = new CKitRibbonBar();
    manager.AddCommandBar(pRibbon);
    CKitRibbonTab* pHome = pRibbon->AddTab("&Home", 1);
    manager.GetActions()->CreateAction(12)->SetCaption("Mapping tools");
    const struct {
        const char* name;
        int nId;
        const char* caption;
        const char* actionCaption;
    } cases[] = {
        {"a new action takes the group's caption", 11, "Module", "Module"},
        {"an action with a caption keeps it", 12, "Mapping", "Mapping tools"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CKitRibbonGroup* pGroup = pHome->GetGroups()->Add(c.caption, c.nId);
        CKitControlAction* pAction = manager.GetActions()->FindAction(static_cast<UINT>(c.nId));
        ASSERT_NE(pAction, nullptr);
        EXPECT_EQ(std::string(pAction->GetCaption()), c.actionCaption);
        EXPECT_EQ(pGroup->GetControlGroupOption()->GetAction(), pAction);
        EXPECT_EQ(pGroup->GetControlGroupPopup()->GetAction(), pAction);
    }
    manager.RemoveAll();
}

TEST_F(ReducedGroupTest, MoreButtonOffersTheQuickAccessControlsThatDidNotFit)
{
    CKitRibbonQuickAccessControls* pQuickAccess = m_pRibbon->GetQuickAccessControls();
    const char* captions[] = {"Open", "Save", "Send", "Receive", "Monitor", "Print", "Export", "Import"};
    for (int i = 0; i < 8; ++i) {
        CKitControl* pControl = pQuickAccess->Add(kitControlButton, 300 + i);
        pControl->SetCaption(captions[i]);
        pControl->SetStyle(kitButtonCaption);
    }
    Layout(360);
    std::vector<UINT> overflowed;
    for (int i = 0; i < pQuickAccess->GetCount(); ++i)
        if (!pQuickAccess->GetAt(i)->IsVisible())
            overflowed.push_back(pQuickAccess->GetAt(i)->GetId());
    ASSERT_FALSE(overflowed.empty());
    ASSERT_TRUE(m_pRibbon->GetQuickAccessMorePopup()->IsVisible());

    CKitPopupBar* pMore = m_pRibbon->CreateMoreQuickAccessPopupBar();
    ASSERT_NE(pMore, nullptr);
    EXPECT_TRUE(pMore->IsKindOf(RUNTIME_CLASS(CKitRibbonBarMorePopupToolBar)));
    std::vector<UINT> ids;
    for (int i = 0; i < pMore->GetControlCount(); ++i) {
        EXPECT_TRUE(pMore->GetControl(i)->IsVisible()) << i;
        ids.push_back(pMore->GetControl(i)->GetId());
    }
    overflowed.push_back(ID_KIT_RIBBON_QA_CUSTOMIZE_BUTTON);
    EXPECT_EQ(ids, overflowed) << "the hidden controls in order, then the customize button";
    EXPECT_EQ(pMore->GetMRUWidth(), 300);
    EXPECT_EQ(pMore->GetBorders(), CRect(3, 3, 3, 3));
    CKitCommandBar* pMoreClone = pMore->Clone(TRUE);
    ASSERT_NE(pMoreClone, nullptr);
    EXPECT_EQ(static_cast<CKitRibbonBarMorePopupToolBar*>(pMoreClone)->GetRibbonBar(), m_pRibbon);
    pMoreClone->InternalRelease();
    pMore->InternalRelease();

    // Opened by its button, a copy there runs the command.
    CKitControl* pMoreButton = m_pRibbon->GetQuickAccessMorePopup();
    ASSERT_TRUE(m_pRibbon->OpenPopupAt(pMoreButton->GetIndex(), FALSE));
    CKitCommandBar* pOpen = pMoreButton->GetCommandBar();
    ASSERT_NE(pOpen, nullptr);
    EXPECT_TRUE(pOpen->IsWindowVisible());
    ShootOpenPopup("ribbon-more-popup", pMoreButton);
    pOpen = pMoreButton->GetCommandBar();
    m_frame.m_commands.clear();
    pOpen->GetControl(0)->OnExecute();
    PumpMessages();
    EXPECT_EQ(m_frame.m_commands, std::vector<UINT>{overflowed[0]});
}

} // namespace
