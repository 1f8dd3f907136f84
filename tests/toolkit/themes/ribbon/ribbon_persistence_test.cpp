// Saving, loading and copying a ribbon: tabs, groups, quick access controls and the system button survive,
// the bar's own parts stay, damaged states fail cleanly, and a copy works on its own.
#include "toolkit/themes/ribbon/ribbon_bar.h"

#include "framework/exceptions.h"
#include "support/stored_bars.h"
#include "support/test_program.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/persistence.h"
#include "toolkit/common/prop_exchange.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_controls.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_popup_toolbars.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_system_popup_bar.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = StoredBytes;

// A customised ribbon: two tabs (the second selected, a hidden third in a context) with groups, a loose
// control, two quick access controls and, when asked, a system button.
CKitRibbonBar* MakeRibbon(BOOL bCustomizable, BOOL bSystemButton)
{
    auto* pBar = new CKitRibbonBar;
    pBar->SetCustomizable(bCustomizable);
    pBar->ShowQuickAccessBelowRibbon(TRUE);
    if (bSystemButton) {
        auto* pButton = new CKitRibbonControlSystemButton;
        pButton->SetCaption("File");
        auto* pMenu = new CKitRibbonSystemPopupBar;
        pMenu->GetControls()->Add(kitControlButton, 600)->SetCaption("&Open");
        pButton->SetCommandBar(pMenu);
        pBar->SetSystemButton(pButton);
    }
    CKitRibbonTab* pHome = pBar->AddTab("Home", 1);
    CKitRibbonTab* pView = pBar->AddTab("View", 2);
    CKitRibbonTab* pTable = pBar->AddTab("Layout", 3);
    pTable->SetContextColor(CKitRibbonTab::kContextYellow);
    pTable->SetContextCaption("Table Tools");
    pTable->SetVisible(FALSE);
    pView->SetTooltip("Views and zoom");
    struct GroupPlan {
        CKitRibbonTab* pTab;
        const char* caption;
        int nId;
        std::vector<UINT> ids;
    };
    const GroupPlan groups[] = {
        {pHome, "Clipboard", 10, {100, 101}},
        {pHome, "Font", 11, {110}},
        {pView, "Zoom", 20, {200, 201, 202}},
        {pTable, "Rows", 30, {300}},
    };
    for (const GroupPlan& plan : groups) {
        CKitRibbonGroup* pGroup = plan.pTab->GetGroups()->Add(plan.caption, plan.nId);
        pGroup->ShowOptionButton(plan.nId == 11);
        pGroup->SetIconId(plan.nId + 1000);
        for (UINT nId : plan.ids) {
            CKitControl* pControl = pBar->GetControls()->Add(kitControlButton, nId);
            CString strCaption;
            strCaption.Format("Command %u", nId);
            pControl->SetCaption(strCaption);
            pGroup->Add(pControl);
        }
    }
    pBar->GetControls()->Add(kitControlButton, 500)->SetFlags(CKitRibbonBar::kFlagTabsRowRight);
    pBar->GetQuickAccessControls()->Add(kitControlButton, 100);
    pBar->GetQuickAccessControls()->Add(kitControlButton, 201);
    pBar->GetControlTab()->SetSelectedItem(pView);
    pBar->SetRibbonMinimized(TRUE);
    return pBar;
}

// What a ribbon holds, as text, so that a difference shows where it is. A control of a group that does not
// stand in the bar's controls is marked "!".
std::string Describe(const CKitRibbonBar& bar)
{
    std::ostringstream out;
    out << "below=" << bar.IsQuickAccessBelowRibbon() << " minimized=" << bar.IsRibbonMinimized()
        << " customizable=" << bar.IsCustomizable() << " system=" << (bar.GetSystemButton() != nullptr);
    if (CKitRibbonControlSystemButton* pButton = bar.GetSystemButton()) {
        out << " '" << static_cast<LPCSTR>(pButton->GetCaption()) << "' at " << bar.GetControls()->IndexOf(pButton);
        if (CKitCommandBar* pMenu = pButton->GetCommandBar()) {
            out << " menu " << pMenu->GetRuntimeClass()->m_lpszClassName << ":";
            for (int i = 0; i < pMenu->GetControlCount(); ++i)
                out << " " << pMenu->GetControl(i)->GetId();
        }
    }
    for (int i = 0; i < bar.GetTabCount(); ++i) {
        CKitRibbonTab* pTab = bar.GetTab(i);
        out << " | tab '" << static_cast<LPCSTR>(pTab->GetCaption()) << "' #" << pTab->GetId()
            << (pTab->IsVisible() ? "" : " hidden") << (pTab == bar.GetSelectedTab() ? " selected" : "")
            << " tip '" << static_cast<LPCSTR>(pTab->GetTooltip()) << "' context " << pTab->GetContextColor()
            << " '" << static_cast<LPCSTR>(pTab->GetContextCaption()) << "'"
            << (pTab->GetRibbonBar() == &bar ? "" : " other ribbon");
        for (int g = 0; g < pTab->GetGroups()->GetCount(); ++g) {
            CKitRibbonGroup* pGroup = pTab->GetGroups()->GetAt(g);
            out << " [" << static_cast<LPCSTR>(pGroup->GetCaption()) << " #" << pGroup->GetId() << " icon "
                << pGroup->GetIconId() << (pGroup->IsOptionButtonVisible() ? " option" : "") << ":";
            for (int c = 0; c < pGroup->GetCount(); ++c) {
                CKitControl* pControl = pGroup->GetAt(c);
                out << " " << pControl->GetId() << (pControl->GetControls() == bar.GetControls() ? "" : "!");
            }
            out << "]";
        }
    }
    out << " | quick access:";
    for (int i = 0; i < bar.GetQuickAccessControls()->GetCount(); ++i) {
        CKitControl* pControl = bar.GetQuickAccessControls()->GetAt(i);
        out << " " << pControl->GetId() << (bar.GetControls()->IndexOf(pControl) >= 0 ? "" : "!");
    }
    out << " | loose:";
    for (int i = 0; i < bar.GetControlCount(); ++i) {
        if (bar.GetControls()->IsPersistent(bar.GetControl(i)))
            out << " " << bar.GetControl(i)->GetId();
    }
    out << " | controls " << bar.GetControlCount();
    return out.str();
}

// How many bars the stored state holds: the ribbon and the popup bars it reaches.
DWORD StoredBarCount(Bytes bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CKitPropExchangeArchive px(ar);
    px.ExchangeSchema();
    DWORD nCount = 0;
    px.ExchangeCount(nCount);
    return nCount;
}

// The controls of the selected tab's groups show, the others do not.
void ExpectSelectedGroupsShown(const CKitRibbonBar& bar)
{
    for (int i = 0; i < bar.GetTabCount(); ++i) {
        CKitRibbonTab* pTab = bar.GetTab(i);
        for (int g = 0; g < pTab->GetGroups()->GetCount(); ++g) {
            CKitRibbonGroup* pGroup = pTab->GetGroups()->GetAt(g);
            for (int c = 0; c < pGroup->GetCount(); ++c) {
                SCOPED_TRACE(pGroup->GetAt(c)->GetId());
                EXPECT_EQ(pTab == bar.GetSelectedTab(), pGroup->GetAt(c)->IsVisible());
            }
        }
    }
}

} // namespace

TEST(RibbonPersistence, ACustomisedRibbonLoadsIntoAFreshBarAsItWasSaved)
{
    struct Case {
        const char* name;
        BOOL bCustomizable;
        BOOL bSystemButton;
        // The ribbon, and the system button's menu when that is stored.
        DWORD nBars;
    };
    const Case cases[] = {
        {"customizable with a system button", TRUE, TRUE, 2},
        {"customizable without a system button", TRUE, FALSE, 1},
        {"not customizable", FALSE, TRUE, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKitRibbonBar* pSource = MakeRibbon(c.bCustomizable, c.bSystemButton);
        const Bytes bytes = SaveBarBytes(pSource);
        EXPECT_EQ(c.nBars, StoredBarCount(bytes));
        auto* pLoaded = DYNAMIC_DOWNCAST(CKitRibbonBar, LoadBarBytes(bytes));
        ASSERT_NE(nullptr, pLoaded);
        if (c.bCustomizable) {
            EXPECT_EQ(Describe(*pSource), Describe(*pLoaded));
            ExpectSelectedGroupsShown(*pLoaded);
        } else {
            // Without customization only the flags and the quick access controls are stored.
            EXPECT_EQ("below=1 minimized=1 customizable=0 system=0 | quick access: 100 201 | loose: | controls 5",
                      Describe(*pLoaded));
        }
        // The bar's own parts are still there, once each.
        for (UINT nId : {ID_KIT_RIBBON_QA_CUSTOMIZE_BUTTON, ID_KIT_RIBBON_QA_MORE_BUTTON, ID_KIT_RIBBON_TAB_STRIP}) {
            SCOPED_TRACE(nId);
            CKitControl* pPart = pLoaded->GetControls()->FindControlById(static_cast<int>(nId));
            ASSERT_NE(nullptr, pPart);
            EXPECT_TRUE(static_cast<CKitRibbonControls*>(pLoaded->GetControls())->IsBuiltInPart(pPart));
        }
        // A second round gives the same bytes.
        EXPECT_EQ(bytes, SaveBarBytes(pLoaded));
        pLoaded->InternalRelease();
        pSource->InternalRelease();
    }
}

TEST(RibbonPersistence, LoadingIntoAUsedRibbonReplacesItsTabsAndSystemButtonAndKeepsItsParts)
{
    CKitRibbonBar* pSource = MakeRibbon(TRUE, FALSE);
    const Bytes bytes = SaveBarBytes(pSource);
    CKitRibbonBar* pUsed = MakeRibbon(TRUE, TRUE);
    pUsed->AddTab("Extra", 9)->GetGroups()->Add("Lonely", 90);
    pUsed->GetQuickAccessControls()->Add(kitControlButton, 900);

    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CKitPropExchangeArchive px(ar);
    px.ExchangeSchema();
    DWORD nCount = 0;
    px.ExchangeCount(nCount);
    CObject* pClass = nullptr;
    ASSERT_TRUE(px.ExchangeObjectClass(pClass, RUNTIME_CLASS(CKitCommandBar)));
    delete pClass;
    pUsed->DoPropExchange(&px);

    // The stored state held no system button: the used one stays, as the stored flag is only read when set.
    // Tabs, groups, quick access and loose controls are the stored ones.
    auto partsOf = [](const std::string& str) {
        return str.substr(str.find(" | tab"), str.find(" | controls") - str.find(" | tab"));
    };
    const std::string strLoaded = Describe(*pUsed);
    EXPECT_NE(std::string::npos, strLoaded.find("system=1 'File' at 0"));
    EXPECT_EQ(partsOf(Describe(*pSource)), partsOf(strLoaded));
    // Nothing is left over: the parts, the system button, the stored groups' buttons and controls.
    EXPECT_EQ(pSource->GetControlCount() + 1, pUsed->GetControlCount());
    pUsed->InternalRelease();
    pSource->InternalRelease();
}

TEST(RibbonPersistence, UnknownClassesInAStoredRibbonAreBadClassErrors)
{
    CKitRibbonBar* pSource = MakeRibbon(TRUE, TRUE);
    const Bytes good = SaveBarBytes(pSource);
    pSource->InternalRelease();
    struct Case {
        const char* from;
        const char* to;
    };
    const Case cases[] = {
        {"CKitRibbonControlSystemButton", "CKitRibbonControlSystemButtoX"},
        {"CKitRibbonTab", "CKitRibbonTaX"},
        {"CKitRibbonGroup", "CKitRibbonGroux"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        Bytes bytes = good;
        PatchBytes(bytes, c.from, c.to);
        int nCause = -1;
        try {
            LoadBarBytes(bytes)->InternalRelease();
        } catch (CArchiveException* e) {
            nCause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(CArchiveException::badClass, nCause);
    }
}

// Every truncation of a stored ribbon fails with an archive error, and no damaged byte crashes the load;
// whatever loads can be laid out.
TEST(RibbonPersistence, DamagedStoredRibbonsFailWithoutHarm)
{
    CKitRibbonBar* pSource = MakeRibbon(TRUE, TRUE);
    const Bytes good = SaveBarBytes(pSource);
    pSource->InternalRelease();
    int nLoaded = 0;
    int nFailed = 0;
    auto tryLoad = [&](const Bytes& bytes) {
        try {
            CKitCommandBar* pBar = LoadBarBytes(bytes);
            if (auto* pRibbon = DYNAMIC_DOWNCAST(CKitRibbonBar, pBar))
                pRibbon->CalcDockLayout(800, LM_COMMIT);
            pBar->InternalRelease();
            nLoaded++;
        } catch (CException* e) {
            e->Delete();
            nFailed++;
        }
    };
    for (size_t n = 0; n < good.size(); n++)
        tryLoad(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)));
    EXPECT_EQ(0, nLoaded) << "no truncated state loads";
    for (size_t i = 0; i < good.size(); i++) {
        for (BYTE value : {BYTE(0x00), BYTE(0xFF), BYTE(good[i] ^ 0x01)}) {
            if (value == good[i])
                continue;
            Bytes bad = good;
            bad[i] = value;
            tryLoad(bad);
        }
    }
    EXPECT_GT(nFailed, static_cast<int>(good.size()));
}

TEST(RibbonPersistence, ACopyWorksOnItsOwnAndLeavesTheSourceAlone)
{
    for (BOOL bCustomizable : {TRUE, FALSE}) {
        SCOPED_TRACE(bCustomizable ? "customizable" : "not customizable");
        CKitRibbonBar* pSource = MakeRibbon(bCustomizable, TRUE);
        const std::string strSource = Describe(*pSource);
        auto* pCopy = static_cast<CKitRibbonBar*>(pSource->Clone(FALSE));
        ASSERT_NE(nullptr, pCopy);
        EXPECT_EQ(strSource, Describe(*pCopy));
        EXPECT_EQ(strSource, Describe(*pSource));
        ExpectSelectedGroupsShown(*pCopy);
        // Nothing is shared: the copy's controls are its own.
        for (int i = 0; i < pCopy->GetControlCount(); ++i)
            EXPECT_EQ(-1, pSource->GetControls()->IndexOf(pCopy->GetControl(i)));

        // The source goes; the copy expands, selects another tab and lays out.
        pSource->InternalRelease();
        pCopy->SetRibbonMinimized(FALSE);
        CKitRibbonTab* pHome = pCopy->GetTab(0);
        pCopy->GetControlTab()->SetSelectedItem(pHome);
        pCopy->ShowSelectedTabGroups();
        ExpectSelectedGroupsShown(*pCopy);
        pCopy->CalcDockLayout(800, LM_COMMIT);
        EXPECT_FALSE(pCopy->GetGroupsRect().IsRectEmpty());
        CKitRibbonGroup* pClipboard = pHome->FindGroup(10);
        ASSERT_NE(nullptr, pClipboard);
        EXPECT_EQ(pHome, pClipboard->GetRibbonTab());
        EXPECT_TRUE(pClipboard->IsVisible());
        EXPECT_FALSE(pCopy->GetTab(1)->FindGroup(20)->IsVisible());
        for (int c = 0; c < pClipboard->GetCount(); ++c) {
            SCOPED_TRACE(pClipboard->GetAt(c)->GetId());
            const CRect rc = pClipboard->GetAt(c)->GetRect();
            EXPECT_FALSE(rc.IsRectEmpty());
            EXPECT_TRUE(pClipboard->GetRect().PtInRect(rc.CenterPoint()));
        }
        pCopy->InternalRelease();
    }
}

// The command bars merge a loaded layout into the live ribbon: a customizable layout brings its tabs, one stored
// without customization only its flags and quick access controls.
TEST(RibbonPersistence, TheCommandBarsMergeALoadedLayoutIntoTheLiveRibbon)
{
    for (BOOL bCustomizable : {TRUE, FALSE}) {
        SCOPED_TRACE(bCustomizable ? "customizable" : "not customizable");
        CKitRibbonBar* pStored = MakeRibbon(bCustomizable, TRUE);
        pStored->GetQuickAccessControls()->Add(kitControlButton, 110);
        pStored->GetTab(0)->SetCaption("Start");
        const Bytes bytes = SaveBarBytes(pStored, CKitPropExchange::kDefaultSchema, true);
        const std::string strStored = Describe(*pStored);
        pStored->InternalRelease();

        CKitCommandBarManager manager;
        CKitRibbonBar* pLive = MakeRibbon(bCustomizable, TRUE);
        pLive->ShowQuickAccessBelowRibbon(FALSE);
        const std::string strLive = Describe(*pLive);
        manager.AddCommandBar(pLive);
        ASSERT_TRUE(manager.LoadBarFromBytes(bytes.data(), static_cast<DWORD>(bytes.size())));
        const std::string strMerged = Describe(*pLive);
        EXPECT_NE(std::string::npos, strMerged.find("below=1"));
        EXPECT_NE(std::string::npos, strMerged.find("quick access: 100 201 110 |"));
        EXPECT_EQ(!bCustomizable, strMerged.find("'Home'") != std::string::npos);
        EXPECT_EQ(bCustomizable, strMerged.find("'Start'") != std::string::npos);
        if (bCustomizable)
            EXPECT_EQ(strStored, strMerged);
        else
            EXPECT_EQ(strLive.substr(strLive.find(" | tab"), strLive.find(" | quick") - strLive.find(" | tab")),
                      strMerged.substr(strMerged.find(" | tab"), strMerged.find(" | quick") - strMerged.find(" | tab")));
    }
}

// The user's quick access controls, their place and the minimised state go to the registry with the command bars
// and come back into a fresh program's ribbon, which starts from its own defaults.
TEST(RibbonPersistence, TheUsersQuickAccessAndPlaceComeBackThroughTheRegistry)
{
    const CString strKey = TestRegistryRoot() + "\\RibbonState";
    struct Case {
        const char* name;
        BOOL bCustomizable;
        // Where the user leaves the quick access toolbar and whether the ribbon is minimised.
        BOOL bBelow;
        BOOL bMinimized;
    };
    const Case cases[] = {
        {"not customizable, below and minimised", FALSE, TRUE, TRUE},
        {"not customizable, above and expanded", FALSE, FALSE, FALSE},
        {"customizable, below and minimised", TRUE, TRUE, TRUE},
        {"customizable, above and expanded", TRUE, FALSE, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, strKey);
        // The program's ribbon as it starts: quick access 100 201, the place opposite to the user's.
        auto makeProgramRibbon = [&c]() {
            CKitRibbonBar* pBar = MakeRibbon(c.bCustomizable, TRUE);
            pBar->SetTitle("Ribbon");
            pBar->ShowQuickAccessBelowRibbon(!c.bBelow);
            pBar->SetRibbonMinimized(!c.bMinimized);
            return pBar;
        };
        std::string strSaved;
        {
            CKitCommandBarManager manager;
            CKitRibbonBar* pRibbon = makeProgramRibbon();
            manager.AddCommandBar(pRibbon);
            // The user takes 100 off the quick access toolbar and puts the font command on it.
            CKitRibbonQuickAccessControls* pQuickAccess = pRibbon->GetQuickAccessControls();
            pQuickAccess->Remove(pQuickAccess->GetAt(0));
            CKitControl* pFont = pRibbon->GetTab(0)->FindGroup(11)->GetAt(0);
            ASSERT_NE(nullptr, pQuickAccess->AddClone(pFont));
            pRibbon->ShowQuickAccessBelowRibbon(c.bBelow);
            pRibbon->SetRibbonMinimized(c.bMinimized);
            strSaved = Describe(*pRibbon);
            ASSERT_TRUE(manager.SaveBarState(HKEY_CURRENT_USER, strKey));
        }
        CKitCommandBarManager manager;
        CKitRibbonBar* pRibbon = makeProgramRibbon();
        manager.AddCommandBar(pRibbon);
        EXPECT_EQ(1, manager.LoadBarState(HKEY_CURRENT_USER, strKey));
        EXPECT_EQ(strSaved, Describe(*pRibbon));
        CKitRibbonQuickAccessControls* pQuickAccess = pRibbon->GetQuickAccessControls();
        ASSERT_EQ(2, pQuickAccess->GetCount());
        EXPECT_STREQ("Command 110", pQuickAccess->GetAt(1)->GetCaption());
        ExpectSelectedGroupsShown(*pRibbon);
        if (!c.bCustomizable) {
            // Stored without id and title, the state cannot tell which of two ribbons it belongs to.
            CKitCommandBarManager twoRibbons;
            CKitRibbonBar* pFirst = makeProgramRibbon();
            CKitRibbonBar* pSecond = makeProgramRibbon();
            twoRibbons.AddCommandBar(pFirst);
            twoRibbons.AddCommandBar(pSecond);
            const std::string strProgram = Describe(*pFirst);
            EXPECT_EQ(0, twoRibbons.LoadBarState(HKEY_CURRENT_USER, strKey));
            EXPECT_EQ(strProgram, Describe(*pFirst));
            EXPECT_EQ(strProgram, Describe(*pSecond));
        }
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, strKey);
}

// The popup of a minimised ribbon's tab shows copies of the tab's groups among its own controls; the ribbon keeps
// its controls, before and after the popup goes.
TEST(RibbonPersistence, ATabPopupHoldsCopiesOfTheTabsGroupsInItsOwnControls)
{
    CKitRibbonBar* pBar = MakeRibbon(TRUE, TRUE);
    const std::string strBefore = Describe(*pBar);
    CKitRibbonTab* pHome = pBar->GetTab(0);
    auto* pPopup = new CKitRibbonTabPopupToolBar(pHome);
    CKitRibbonTab* pCopy = pPopup->GetTab();
    ASSERT_EQ(2, pCopy->GetGroups()->GetCount());
    for (int g = 0; g < pCopy->GetGroups()->GetCount(); ++g) {
        CKitRibbonGroup* pGroup = pCopy->GetGroups()->GetAt(g);
        CKitRibbonGroup* pSourceGroup = pHome->GetGroups()->GetAt(g);
        SCOPED_TRACE(static_cast<LPCSTR>(pGroup->GetCaption()));
        EXPECT_EQ(pSourceGroup->GetId(), pGroup->GetId());
        EXPECT_EQ(pPopup, pGroup->GetParent());
        EXPECT_EQ(pBar, pGroup->GetRibbonBar());
        ASSERT_EQ(pSourceGroup->GetCount(), pGroup->GetCount());
        for (int c = 0; c < pGroup->GetCount(); ++c) {
            CKitControl* pControl = pGroup->GetAt(c);
            EXPECT_EQ(pSourceGroup->GetAt(c)->GetId(), pControl->GetId());
            EXPECT_NE(pSourceGroup->GetAt(c), pControl);
            EXPECT_EQ(pPopup->GetControls(), pControl->GetControls());
            // The ribbon is minimised with another tab selected: the copies show all the same.
            EXPECT_TRUE(pControl->IsVisible());
        }
    }
    EXPECT_EQ(strBefore, Describe(*pBar));
    pPopup->InternalRelease();
    EXPECT_EQ(strBefore, Describe(*pBar));
    pBar->InternalRelease();
}
