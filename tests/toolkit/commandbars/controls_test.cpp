// Controls, actions and the controls collection: texts from string resources, actions shared by controls,
// visibility, navigation, menu conversion, type changes and the column layout of a menu.
#include "commandbars_test_ids.h"

#include "framework/gdi.h"
#include "framework/menu.h"
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/resources.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A popup bar whose controls are made from the string resources of the test program.
struct PopupFixture {
    CKitPopupBar bar;
    CKitControls& controls = *bar.GetControls();

    CKitControl* Add(UINT nId, int nType = kitControlButton) { return controls.Add(nType, nId); }
};

// Converts the menu's items into the collection, leaving out separators as a bar loading a menu does.
void LoadMenuItems(CKitControls& controls, CMenu& menu)
{
    for (int i = 0; i < static_cast<int>(menu.GetMenuItemCount()); ++i) {
        if ((::GetMenuState(menu.GetSafeHmenu(), i, MF_BYPOSITION) & MF_SEPARATOR) == 0)
            controls.AddMenuItem(&menu, i);
    }
}

} // namespace

TEST(KitControl, StringResourcesFillTheEmptyTexts)
{
    struct Case {
        UINT nId;
        const char* pszCaption;
        const char* pszTooltip;
        const char* pszDescription;
        const char* pszKeyboardTip;
    };
    const Case cases[] = {
        // Without a newline the whole string is tooltip, description and caption.
        {ID_TEST_OPEN, "Opens a project", "Opens a project", "Opens a project", ""},
        {ID_TEST_SAVE, "&Save", "Save Project", "Saves the active project", "S"},
        // No caption piece, or an empty one: the caption is the tooltip.
        {ID_TEST_PRINT, "Print", "Print", "Prints the tag map", ""},
        {ID_TEST_EXPORT, "Export", "Export", "Exports the tags", ""},
        // A missing string leaves the texts alone.
        {ID_TEST_PLAIN, "", "", "", ""},
    };
    for (const Case& c : cases) {
        CKitControlButton button;
        button.SetId(c.nId);
        EXPECT_EQ(c.nId, button.GetId());
        EXPECT_STREQ(c.pszCaption, button.GetCaption()) << c.nId;
        EXPECT_STREQ(c.pszTooltip, button.GetTooltip()) << c.nId;
        EXPECT_STREQ(c.pszDescription, button.GetDescription()) << c.nId;
        EXPECT_STREQ(c.pszKeyboardTip, button.GetKeyboardTip()) << c.nId;
    }

    // An own caption stays; the tab of a caption splits off the automatic shortcut text.
    CKitControlButton button;
    button.SetCaption("Save\tCtrl+S");
    button.SetId(ID_TEST_SAVE);
    EXPECT_STREQ("Save", button.GetCaption());
    EXPECT_STREQ("Ctrl+S", button.GetShortcutText());
    EXPECT_STREQ("Save Project", button.GetTooltip());
    button.SetShortcutText("F12");
    EXPECT_STREQ("F12", button.GetShortcutText());
}

TEST(KitControlAction, ControlsShowTheActionsTextsAndState)
{
    CKitControlActions actions;
    CKitControlAction* pAction = actions.CreateAction(ID_TEST_PRINT);
    ASSERT_NE(nullptr, pAction);
    EXPECT_EQ(pAction, actions.CreateAction(ID_TEST_PRINT));
    EXPECT_STREQ("Print", pAction->GetCaption());
    EXPECT_STREQ("Prints the tag map", pAction->GetDescription());

    // Attaching clears the control's own texts and makes its states follow the action.
    PopupFixture popup;
    CKitControl* pButton = popup.controls.Add(new CKitControlButton(), 0);
    pButton->SetCaption("Own caption");
    pButton->SetTooltip("Own tooltip");
    pButton->SetAction(pAction);
    EXPECT_EQ(ID_TEST_PRINT, pButton->GetId());
    EXPECT_STREQ("Print", pButton->GetCaption());
    EXPECT_EQ(-1, pButton->GetEnabledState());
    EXPECT_EQ(1, pAction->GetCount());

    // An empty action caption falls back to the action's tooltip; a tab cuts the caption.
    pAction->SetCaption("");
    pAction->SetTooltip("Print the map");
    EXPECT_STREQ("Print the map", pButton->GetCaption());
    pAction->SetCaption("Print &All\tCtrl+P");
    EXPECT_STREQ("Print &All", pButton->GetCaption());

    pAction->SetEnabled(FALSE);
    EXPECT_FALSE(pButton->IsEnabled());
    actions.SetCustomizeMode(TRUE);
    EXPECT_TRUE(pButton->IsEnabled());
    actions.SetCustomizeMode(FALSE);
    pAction->SetChecked(1);
    EXPECT_EQ(1, pButton->GetChecked());
    pAction->SetVisible(FALSE);
    EXPECT_FALSE(pButton->IsVisible());
    pAction->SetVisible(TRUE);

    // Removing the control from its collection lets the action go and resets the states.
    pButton->InternalAddRef();
    popup.controls.Remove(pButton);
    EXPECT_EQ(nullptr, pButton->GetAction());
    EXPECT_EQ(0, pAction->GetCount());
    EXPECT_EQ(1, pButton->IsEnabled());
    EXPECT_EQ(0, pButton->GetChecked());
    pButton->InternalRelease();
}

TEST(KitControlAction, TheTableIsSortedAndBounded)
{
    CKitControlActions actions;
    for (UINT nId : {300u, 100u, 200u, 150u})
        actions.CreateAction(nId);
    ASSERT_EQ(4, actions.GetCount());
    for (int i = 1; i < actions.GetCount(); ++i)
        EXPECT_LT(actions.GetAt(i - 1)->GetId(), actions.GetAt(i)->GetId());
    EXPECT_EQ(150u, actions.FindAction(150)->GetId());
    EXPECT_EQ(nullptr, actions.FindAction(151));
    EXPECT_EQ(nullptr, actions.FindAction(0));
    EXPECT_EQ(nullptr, actions.CreateAction(0));
    EXPECT_EQ(nullptr, actions.CreateAction(CKitControlActions::kMaxActionId));

    // A table that goes first leaves its controls without a dangling action.
    CKitControlButton button;
    {
        CKitControlActions shortLived;
        button.SetAction(shortLived.CreateAction(100));
    }
    EXPECT_EQ(nullptr, button.GetAction());
}

TEST(KitControl, VisibilitySkipsTheGivenHideFlags)
{
    struct Case {
        DWORD dwHide;
        DWORD dwSkip;
        BOOL bVisible;
    };
    const Case cases[] = {
        {0, 0, TRUE},
        {kitHideUser | kitHideExpand | kitHideGeneric, 41, TRUE},
        {kitHideUser, 41, TRUE},
        {kitHideUser | kitHideWrap, 41, FALSE},
        {kitHideScroll, 41, FALSE},
        {kitHideUser, 0, FALSE},
    };
    for (const Case& c : cases) {
        CKitControlButton button;
        button.SetHideFlags(c.dwHide);
        EXPECT_EQ(c.bVisible, button.IsVisible(c.dwSkip)) << c.dwHide << " skipping " << c.dwSkip;
    }

    CKitControlButton button;
    button.SetHideFlag(FALSE);
    EXPECT_EQ(static_cast<DWORD>(kitHideUser), button.GetHideFlags());
    button.SetHideFlags(button.GetHideFlags() | kitHideGeneric);
    button.SetCollapsible(FALSE);
    button.SetHideFlag(TRUE);
    EXPECT_EQ(0u, button.GetHideFlags());

    // A copy drops the flags the layout set.
    button.SetHideFlags(kitHideUser | kitHideWrap | kitHideScroll | kitHideExpand | kitHideGeneric |
                        kitHideDocTemplate);
    CKitControl* pClone = button.Clone(FALSE);
    EXPECT_EQ(static_cast<DWORD>(kitHideUser | kitHideDocTemplate), pClone->GetHideFlags());
    EXPECT_TRUE(pClone->IsKindOf(RUNTIME_CLASS(CKitControlButton)));
    pClone->InternalRelease();
}

TEST(KitControls, GetNextNeverWrapsFromNoSelection)
{
    PopupFixture popup;
    for (int i = 0; i < 5; ++i)
        popup.Add(ID_TEST_PLAIN);
    popup.controls.GetAt(0)->SetHideFlags(kitHideUser);
    popup.controls.GetAt(1)->SetFlags(kitFlagSkipFocus);
    popup.controls.GetAt(4)->SetHideFlags(kitHideExpand);
    popup.controls.GetAt(3)->SetTemporary(TRUE);

    struct Case {
        int nIndex;
        int nDirection;
        BOOL bSkipTemporary;
        BOOL bStrict;
        int nExpected;
    };
    const Case cases[] = {
        {-1, +1, FALSE, TRUE, 2},  // the first that qualifies
        {-1, -1, FALSE, TRUE, 4},  // hide flag 8 is skipped
        {-1, -1, TRUE, TRUE, 4},
        {2, +1, TRUE, TRUE, 4},    // past the temporary one
        {4, +1, FALSE, TRUE, 2},   // a valid index wraps once
        {2, -1, TRUE, TRUE, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nExpected, popup.controls.GetNext(c.nIndex, c.nDirection, TRUE, c.bSkipTemporary, c.bStrict))
            << c.nIndex << " " << c.nDirection;

    // Nothing else qualifies: the index stays, and from no selection there is none.
    for (int i : {2, 3, 4})
        popup.controls.GetAt(i)->SetHideFlags(kitHideUser);
    popup.controls.GetAt(2)->SetHideFlags(0);
    EXPECT_EQ(2, popup.controls.GetNext(2, +1));
    EXPECT_EQ(2, popup.controls.GetNext(2, -1));
    popup.controls.GetAt(2)->SetHideFlags(kitHideUser);
    EXPECT_EQ(-1, popup.controls.GetNext(-1, +1));
    EXPECT_EQ(-1, popup.controls.GetNext(-1, -1));
    EXPECT_EQ(-1, CKitControls().GetNext(-1, +1));
}

TEST(KitControls, AddRemoveFindAndCount)
{
    PopupFixture popup;
    CKitControl* pSave = popup.Add(ID_TEST_SAVE);
    CKitControl* pOpen = popup.Add(ID_TEST_OPEN, kitControlPopup);
    CKitControl* pFirst = popup.controls.Add(kitControlButton, ID_TEST_PRINT, "param", 0, TRUE);
    EXPECT_EQ(nullptr, popup.controls.Add(0, ID_TEST_PLAIN));
    EXPECT_EQ(nullptr, popup.controls.Add(12, ID_TEST_PLAIN));
    ASSERT_EQ(3, popup.controls.GetCount());
    // A kind without its own class keeps its type, also in a clone.
    CKitControl* pLabel = popup.controls.Add(kitControlLabel, ID_TEST_PLAIN);
    ASSERT_NE(nullptr, pLabel);
    CKitControl* pLabelClone = pLabel->Clone(FALSE);
    EXPECT_EQ(kitControlLabel, pLabelClone->GetType());
    pLabelClone->InternalRelease();
    popup.controls.Remove(pLabel);
    EXPECT_EQ(pFirst, popup.controls.GetAt(0));
    EXPECT_STREQ("param", pFirst->GetParameter());
    EXPECT_TRUE(pFirst->IsTemporary());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(i, popup.controls.GetAt(i)->GetIndex());
        EXPECT_EQ(&popup.bar, popup.controls.GetAt(i)->GetParent());
    }
    EXPECT_EQ(pOpen, popup.controls.FindControl(kitControlPopup, -1));
    EXPECT_EQ(pSave, popup.controls.FindControlById(ID_TEST_SAVE));
    pSave->SetHideFlags(kitHideWrap);
    EXPECT_EQ(nullptr, popup.controls.FindControl(0, ID_TEST_SAVE, TRUE));
    EXPECT_EQ(2, popup.controls.GetVisibleCount());
    EXPECT_EQ(3, popup.controls.GetVisibleCount(FALSE));
    EXPECT_EQ(pOpen, popup.controls.GetVisibleAt(1));

    pOpen->SetRect(CRect(0, 20, 100, 40));
    EXPECT_EQ(pOpen, popup.controls.HitTest(CPoint(5, 25)));
    EXPECT_EQ(nullptr, popup.controls.HitTest(CPoint(5, 45)));

    // A control of another collection is left alone.
    CKitPopupBar other;
    other.GetControls()->Remove(pSave);
    EXPECT_EQ(3, popup.controls.GetCount());
    EXPECT_EQ(&popup.controls, pSave->GetControls());

    // Original copy: temporary controls count on neither side.
    popup.controls.CreateOriginalControls();
    EXPECT_EQ(2, popup.controls.GetOriginalControls()->GetCount());
    EXPECT_FALSE(popup.controls.IsChanged());
    popup.controls.Add(kitControlButton, ID_TEST_PLAIN, nullptr, -1, TRUE);
    EXPECT_FALSE(popup.controls.IsChanged());
    pOpen->SetCaption("Changed");
    EXPECT_TRUE(popup.controls.IsChanged());
    pOpen->SetCaption("Opens a project");
    EXPECT_FALSE(popup.controls.IsChanged());
    popup.controls.Remove(pSave);
    EXPECT_TRUE(popup.controls.IsChanged());

    CKitControls* pDuplicate = popup.controls.Duplicate();
    EXPECT_EQ(1, pDuplicate->GetCount());
    EXPECT_NE(pOpen, pDuplicate->GetAt(0));
    EXPECT_TRUE(pDuplicate->GetAt(0)->Compare(pOpen));
    EXPECT_EQ(2, pDuplicate->GetOriginalControls()->GetCount());
    pDuplicate->InternalRelease();
}

TEST(KitControls, ChangingTheTypeKeepsPopupsAndReplacesOthers)
{
    PopupFixture popup;
    CKitControl* pPopup = popup.Add(ID_TEST_SAVE, kitControlPopup);
    CKitControl* pButton = popup.Add(ID_TEST_PRINT);
    pButton->SetBeginGroup(TRUE);

    EXPECT_EQ(pPopup, popup.controls.SetControlType(pPopup, kitControlSplitButtonPopup));
    EXPECT_EQ(kitControlSplitButtonPopup, pPopup->GetType());
    EXPECT_EQ(pPopup, popup.controls.GetAt(0));

    CKitControl* pNew = popup.controls.SetControlTypeAt(1, kitControlButtonPopup);
    ASSERT_NE(nullptr, pNew);
    EXPECT_NE(pButton, pNew);
    EXPECT_TRUE(pNew->IsKindOf(RUNTIME_CLASS(CKitControlPopup)));
    EXPECT_EQ(kitControlButtonPopup, pNew->GetType());
    EXPECT_EQ(2, popup.controls.GetCount());
    EXPECT_EQ(pNew, popup.controls.GetAt(1));
    EXPECT_STREQ("Print", pNew->GetCaption());
    EXPECT_TRUE(pNew->GetBeginGroup());
    EXPECT_EQ(nullptr, popup.controls.SetControlTypeAt(1, 42));
    EXPECT_EQ(2, popup.controls.GetCount());
}

TEST(KitControls, MenusBecomeButtonsAndPopups)
{
    CMenu menu;
    ASSERT_TRUE(CKitResourceManager::Instance()->LoadMenu(menu, IDR_TEST_MENU));
    CKitToolBar toolbar;
    CKitControlActions actions;
    toolbar.GetControls()->SetActions(&actions);
    LoadMenuItems(*toolbar.GetControls(), menu);
    ASSERT_EQ(3, toolbar.GetControlCount());

    // A popup item's tab and number are cut; its sub-menu is its bar.
    CKitControl* pFile = toolbar.GetControl(0);
    EXPECT_EQ(kitControlPopup, pFile->GetType());
    EXPECT_STREQ("&File", pFile->GetCaption());
    CKitCommandBar* pFileBar = pFile->GetCommandBar();
    ASSERT_NE(nullptr, pFileBar);
    EXPECT_STREQ("&File", pFileBar->GetTitle());

    // The MDI window item is left out; the OLE verbs' place is a plain button without its placeholder text.
    CKitControls* pItems = pFileBar->GetControls();
    CKitControl* pOle = pItems->FindControlById(ID_TEST_OLE_VERB_FIRST);
    ASSERT_NE(nullptr, pOle);
    EXPECT_EQ(RUNTIME_CLASS(CKitControlButton), pOle->GetRuntimeClass());
    EXPECT_EQ(nullptr, pItems->FindControlById(ID_TEST_MDI_CHILD_FIRST));
    EXPECT_EQ(pOle, pFile->GetControls()->FindControl(0, ID_TEST_OLE_VERB_FIRST, FALSE, TRUE));

    // Items share the manager's actions; an action without a caption takes the menu text.
    CKitControl* pSave = pItems->FindControlById(ID_TEST_SAVE);
    ASSERT_NE(nullptr, pSave);
    EXPECT_EQ(actions.FindAction(ID_TEST_SAVE), pSave->GetAction());
    EXPECT_STREQ("&Save", pSave->GetCaption());
    CKitControl* pPlain = toolbar.GetControl(2);
    EXPECT_STREQ("&Plain", pPlain->GetCaption());
    EXPECT_STREQ("&Plain", actions.FindAction(ID_TEST_PLAIN)->GetCaption());

    // Without actions the id and the item text go to the control itself.
    CKitPopupBar popup;
    LoadMenuItems(*popup.GetControls(), *menu.GetSubMenu(0));
    CKitControl* pOpen = popup.GetControls()->FindControlById(ID_TEST_OPEN);
    ASSERT_NE(nullptr, pOpen);
    EXPECT_EQ(nullptr, pOpen->GetAction());
    EXPECT_STREQ("&Open...", pOpen->GetCaption());
    EXPECT_STREQ("Ctrl+O", pOpen->GetShortcutText());
    EXPECT_STREQ("Opens a project", pOpen->GetDescription());

    // A popup made by type and id loads the menu of that id.
    CKitControl* pExport = popup.GetControls()->Add(kitControlPopup, IDR_TEST_POPUP_MENU);
    ASSERT_NE(nullptr, pExport->GetCommandBar());
    EXPECT_EQ(2, pExport->GetCommandBar()->GetControlCount());
}

TEST(KitControls, TheMenuLayoutStacksColumns)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    KitPopupLayoutMetrics metrics;
    metrics.rcBorders = CRect(3, 3, 3, 3);
    metrics.nSeparatorHeight = 8;
    metrics.nSeparatorWidth = 6;
    metrics.nWorkAreaRight = 3000;

    PopupFixture popup;
    EXPECT_EQ(CSize(30, CKitControls::kEmptyPopupHeight), popup.controls.CalcPopupSize(&dc, 0, metrics));

    // Every control measures 23 x 22 without a paint manager.
    for (int i = 0; i < 4; ++i)
        popup.Add(ID_TEST_PLAIN);
    popup.controls.GetAt(1)->SetBeginGroup(TRUE);
    popup.controls.GetAt(2)->SetHideFlags(kitHideExpand);
    EXPECT_EQ(CSize(3 + 24 + 3, 3 + 22 * 4 + 8 + 3), popup.controls.CalcPopupSize(&dc, 0, metrics));
    EXPECT_EQ(0u, popup.controls.GetAt(2)->GetHideFlags());

    // A limited height, or flag 128, starts a new column.
    const CSize size = popup.controls.CalcPopupSize(&dc, 3 + 22 * 2 + 8 + 3, metrics);
    EXPECT_EQ(CSize(3 + 23 + 23 + 3, 3 + 22 * 2 + 8 + 3), size);
    EXPECT_TRUE(popup.controls.GetAt(2)->GetWrap());
    EXPECT_EQ(CRect(3 + 23, 3, 3 + 23 + 23, 3 + 22), popup.controls.GetAt(2)->GetRect());
    EXPECT_EQ(3 + 22 * 2 + 8, popup.controls.GetAt(2)->GetRowRect().bottom);
    popup.controls.GetAt(3)->SetFlags(kitFlagWrapRow);
    popup.controls.CalcPopupSize(&dc, 0, metrics);
    EXPECT_TRUE(popup.controls.GetAt(3)->GetWrap());
    EXPECT_EQ(3 + 23, popup.controls.GetAt(3)->GetRect().left);
}

TEST(KitControlPopup, CopiesShareOrCloneTheirMenuAndCompareItsItems)
{
    CKitControlPopup popup;
    auto* pMenu = new CKitPopupBar();
    pMenu->GetControls()->Add(kitControlButton, ID_TEST_SAVE);
    pMenu->GetControls()->Add(kitControlButton, ID_TEST_OPEN);
    popup.SetCommandBar(pMenu);

    CKitControl* pShared = popup.Clone(FALSE);
    CKitControl* pDeep = popup.Clone(TRUE);
    EXPECT_EQ(pMenu, pShared->GetCommandBar());
    ASSERT_NE(nullptr, pDeep->GetCommandBar());
    EXPECT_NE(pMenu, pDeep->GetCommandBar());
    EXPECT_EQ(2, pDeep->GetCommandBar()->GetControlCount());
    EXPECT_TRUE(popup.Compare(pDeep));

    // Temporary items count on neither side; a changed item is a difference.
    pDeep->GetCommandBar()->GetControls()->Add(kitControlButton, ID_TEST_PLAIN, nullptr, 0, TRUE);
    EXPECT_TRUE(popup.Compare(pDeep));
    pDeep->GetCommandBar()->GetControl(2)->SetCaption("Other");
    EXPECT_FALSE(popup.Compare(pDeep));
    pDeep->GetCommandBar()->GetControl(2)->SetCaption("Opens a project");
    pDeep->GetCommandBar()->GetControls()->Remove(2);
    EXPECT_FALSE(popup.Compare(pDeep));

    // The shared menu outlives the popup that made it.
    pShared->InternalRelease();
    EXPECT_EQ(2, pMenu->GetControlCount());
    pDeep->InternalRelease();
}

TEST(KitControl, CaptionsShowAfterBarStyleAndType)
{
    struct Case {
        int nType;
        int nStyle;
        const char* pszCaption;
        BOOL bInPopup;
        BOOL bVisible;
    };
    const Case cases[] = {
        {kitControlButton, kitButtonAutomatic, "Save", FALSE, TRUE}, // no icon for the id
        {kitControlButton, kitButtonIcon, "Save", FALSE, FALSE},
        {kitControlButton, kitButtonCaption, "", FALSE, FALSE},
        {kitControlButton, kitButtonIcon, "", TRUE, TRUE},           // menus always show it
        {kitControlPopup, kitButtonAutomatic, "File", FALSE, TRUE},
        {kitControlLabel, kitButtonAutomatic, "Label", FALSE, TRUE},
        {kitControlGallery, kitButtonAutomatic, "Gallery", FALSE, FALSE},
        {kitControlSplitButtonPopup, kitButtonIconAndCaption, "Export", FALSE, TRUE},
    };
    for (const Case& c : cases) {
        CKitToolBar toolbar;
        CKitPopupBar popup;
        CKitControl* pControl = new CKitControl(c.nType);
        (c.bInPopup ? popup.GetControls() : toolbar.GetControls())->AddControl(pControl);
        pControl->SetId(ID_TEST_PLAIN);
        pControl->SetCaption(c.pszCaption);
        pControl->SetStyle(c.nStyle);
        EXPECT_EQ(c.bVisible, pControl->IsCaptionVisible()) << c.nType << " " << c.nStyle << " " << c.pszCaption;
    }
}

namespace {

// A site that turns one menu item into a split button, hands over a ready control for another,
// and counts the controls made.
class CConversionSite : public CWnd {
public:
    CConversionSite() { CreateEx(0, "STATIC", "site", WS_POPUP, 0, 0, 10, 10, nullptr, 0); }
    ~CConversionSite() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        auto* pRecord = reinterpret_cast<KIT_CONTROL_FROM_MENU*>(lParam);
        if (message == WM_KIT_CONTROL_CREATE && pRecord->nId == ID_TEST_PRINT) {
            pRecord->nType = kitControlSplitButtonPopup;
            pRecord->strCaption = "Print &Map";
            return 1;
        }
        if (message == WM_KIT_CONTROL_CREATE && pRecord->nId == ID_TEST_PLAIN) {
            pRecord->pControl = new CKitControlEdit();
            return 1;
        }
        if (message == WM_KIT_CONTROL_CREATED)
            m_created.push_back(pRecord->pControl);
        return CWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<CKitControl*> m_created;
};

} // namespace

TEST(KitControls, TheSiteMayChangeWhatAMenuItemBecomes)
{
    CConversionSite site;
    CKitCommandBarManager manager;
    manager.SetSite(&site);
    auto* pBar = new CKitToolBar();
    manager.AddCommandBar(pBar);
    CMenu menu;
    ASSERT_TRUE(CKitResourceManager::Instance()->LoadMenu(menu, IDR_TEST_MENU));
    ASSERT_TRUE(pBar->LoadMenu(menu.GetSafeHmenu(), TRUE));
    ASSERT_EQ(3, pBar->GetControlCount());

    CKitControl* pPrint = pBar->GetControl(1);
    EXPECT_EQ(kitControlSplitButtonPopup, pPrint->GetType());
    EXPECT_STREQ("Print &Map", pPrint->GetCaption());
    ASSERT_NE(nullptr, pPrint->GetCommandBar());
    EXPECT_EQ(0, pPrint->GetCommandBar()->GetControlCount());
    EXPECT_TRUE(pBar->GetControl(2)->IsKindOf(RUNTIME_CLASS(CKitControlEdit)));
    EXPECT_EQ(ID_TEST_PLAIN, pBar->GetControl(2)->GetId());
    // Every item of the menu and of its sub-menu, the skipped MDI window item apart.
    EXPECT_EQ(6u, site.m_created.size());
}

TEST(KitControls, TheRowLayoutWrapsBalancesAndStretches)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    const CRect rcBorders(2, 2, 2, 2);
    KitRowLayoutMetrics metrics;
    metrics.szGroupGap = CSize(6, 6);

    // Without a paint manager every control measures 23 x 22.
    CKitToolBar toolbar;
    CKitControls& controls = *toolbar.GetControls();
    EXPECT_EQ(CSize(27, 26), controls.CalcDynamicSize(&dc, 100, LM_HORZDOCK, rcBorders, 0, metrics));
    EXPECT_EQ(CSize(27, 30), controls.CalcDynamicSize(&dc, 100, LM_HORZDOCK, rcBorders, 30, metrics));
    for (int i = 0; i < 4; ++i)
        controls.Add(kitControlButton, ID_TEST_PLAIN);

    struct Case {
        const char* pszName;
        int nLength;
        DWORD dwMode;
        int nGroup; // the control that begins a group, -1 none
        CSize szExpected;
        std::vector<int> wraps;
    };
    const Case cases[] = {
        {"one row", 200, LM_HORZDOCK, -1, CSize(96, 26), {}},
        {"two rows", 54, LM_HORZDOCK, -1, CSize(50, 48), {2}},
        {"a group gap", 200, LM_HORZDOCK, 2, CSize(102, 26), {}},
        {"a group goes to the next row whole", 79, LM_HORZDOCK, 1, CSize(73, 54), {1}},
        {"balanced rows for a fixed length", 84, 0, -1, CSize(50, 48), {2}},
        {"columns of a vertical bar", 54, LM_VERTDOCK, -1, CSize(50, 48), {2}},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < 4; ++i)
            controls.GetAt(i)->SetBeginGroup(i == c.nGroup);
        EXPECT_EQ(c.szExpected, controls.CalcDynamicSize(&dc, c.nLength, c.dwMode | LM_COMMIT, rcBorders, 0, metrics))
            << c.pszName;
        std::vector<int> wraps;
        for (int i = 0; i < 4; ++i) {
            if (controls.GetAt(i)->GetWrap())
                wraps.push_back(i);
        }
        EXPECT_EQ(c.wraps, wraps) << c.pszName;
    }
    // Vertical bars lay their columns out from right to left.
    EXPECT_EQ(CRect(25, 2, 48, 24), controls.GetAt(0)->GetRect());
    EXPECT_EQ(CRect(2, 2, 25, 24), controls.GetAt(2)->GetRect());

    // Far-edge controls sit at the end; stretched ones share what is left.
    for (int i = 0; i < 4; ++i)
        controls.GetAt(i)->SetBeginGroup(FALSE);
    controls.GetAt(3)->SetFlags(kitFlagRightAlign);
    controls.GetAt(1)->SetFlags(kitFlagControlStretched);
    EXPECT_EQ(CSize(204, 26), controls.CalcDynamicSize(&dc, 204, LM_HORZDOCK | LM_STRETCH | LM_COMMIT, rcBorders,
                                                        0, metrics));
    EXPECT_EQ(CRect(179, 2, 202, 24), controls.GetAt(3)->GetRect());
    EXPECT_EQ(CRect(25, 2, 25 + 23 + 108, 24), controls.GetAt(1)->GetRect());
    EXPECT_EQ(CRect(156, 2, 179, 24), controls.GetAt(2)->GetRect());

    // Controls that do not fit a docked bar are hidden for the layout, and shown again when they fit.
    controls.CalcDynamicSize(&dc, 22, LM_HORZDOCK | LM_COMMIT, rcBorders, 0, metrics);
    EXPECT_EQ(static_cast<DWORD>(kitHideWrap), controls.GetAt(0)->GetHideFlags());
    EXPECT_EQ(4, controls.GetVisibleCount(FALSE));
    controls.CalcDynamicSize(&dc, 200, LM_HORZDOCK | LM_COMMIT, rcBorders, 0, metrics);
    EXPECT_EQ(0u, controls.GetAt(0)->GetHideFlags());
}

TEST(KitControls, TheGroupedLayoutStacksSmallControlsAndShrinksLargeOnesFromTheEnd)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    const CRect rcBorders(2, 2, 2, 2);
    KitRowLayoutMetrics metrics;
    metrics.bGrouped = TRUE;
    metrics.nLargeIconWidth = 32;

    // Ids 101, 106 and 107 have large icons; every control measures 23 x 22 without a paint manager.
    CKitToolBar toolbar;
    auto* pImages = new CKitImageManager();
    toolbar.SetImageManager(pImages);
    const UINT ids[] = {101, 102, 103, 104, 105, 106, 107};
    const UINT largeIds[] = {101, 106, 107};
    const std::vector<DWORD> small(16 * 16 * 7, 0xFF0000FF);
    const std::vector<DWORD> large(32 * 32, 0xFF00FF00);
    HBITMAP hSmall = CKitImageManager::Create32BitBitmap(small.data(), CSize(16 * 7, 16));
    HBITMAP hLarge = CKitImageManager::Create32BitBitmap(large.data(), CSize(32, 32));
    ASSERT_TRUE(pImages->SetIconsFromBitmap(hSmall, ids, 7, CSize(16, 16), 0, TRUE));
    for (UINT id : largeIds)
        ASSERT_TRUE(pImages->SetIconsFromBitmap(hLarge, &id, 1, CSize(32, 32), 0, TRUE));
    ::DeleteObject(hSmall);
    ::DeleteObject(hLarge);
    CKitControls& controls = *toolbar.GetControls();
    for (UINT id : ids)
        controls.Add(kitControlButton, id);
    controls.GetAt(5)->SetBeginGroup(TRUE);

    struct Case {
        const char* pszName;
        int nLength;
        CSize szExpected;
        std::vector<int> lefts;
        std::vector<int> tops;
        std::vector<int> styles; // 4 large, 3 small
    };
    const Case cases[] = {
        {"large where the icon is, three small to a column, a gap before the group", 200, CSize(200, 70),
         {2, 25, 25, 25, 48, 77, 100}, {2, 2, 24, 46, 2, 2, 2}, {4, 3, 3, 3, 3, 4, 4}},
        {"the last run stops at its group's start", 110, CSize(110, 70),
         {2, 25, 25, 25, 48, 77, 77}, {2, 2, 24, 46, 2, 2, 24}, {4, 3, 3, 3, 3, 3, 3}},
        {"then the next run", 90, CSize(90, 70),
         {2, 2, 2, 25, 25, 54, 54}, {2, 24, 46, 2, 24, 2, 24}, {3, 3, 3, 3, 3, 3, 3}},
        {"nothing left to shrink", 40, CSize(40, 70),
         {2, 2, 2, 25, 25, 54, 54}, {2, 24, 46, 2, 24, 2, 24}, {3, 3, 3, 3, 3, 3, 3}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.szExpected, controls.CalcDynamicSize(&dc, c.nLength, LM_HORZDOCK | LM_COMMIT, rcBorders, 0,
                                                         metrics))
            << c.pszName;
        std::vector<int> lefts, tops, styles;
        for (int i = 0; i < 7; ++i) {
            lefts.push_back(controls.GetAt(i)->GetRect().left);
            tops.push_back(controls.GetAt(i)->GetRect().top);
            styles.push_back(controls.GetAt(i)->GetStyle());
            EXPECT_FALSE(controls.GetAt(i)->GetWrap()) << c.pszName;
        }
        EXPECT_EQ(c.lefts, lefts) << c.pszName;
        EXPECT_EQ(c.tops, tops) << c.pszName;
        EXPECT_EQ(c.styles, styles) << c.pszName;
    }
    // Every control spans the line as its row and stays where it was put, uncentred.
    EXPECT_EQ(CRect(2, 2, 77, 68), controls.GetAt(0)->GetRowRect());
}
