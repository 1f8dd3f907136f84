// How a group uses room it is given: a resizable gallery grows into spare width by whole entries, and the edit and
// combo boxes of one column take a common width; a group's controls leave the ribbon with it.
#include "toolkit/themes/ribbon/ribbon_group.h"

#include "toolkit/commandbars/control_action.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"

#include "ribbon_test_group.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Edit and combo boxes measure as wide as their edit width and one row high.
class CFieldGroup : public CTestGroup {
public:
    CSize MeasureControl(CDC* pDC, CKitControl* pControl) override
    {
        if (auto* pEdit = dynamic_cast<CKitControlEdit*>(pControl))
            return CSize(pEdit->GetWidth(), kRowHeight);
        if (auto* pComboBox = dynamic_cast<CKitControlComboBox*>(pControl))
            return CSize(pComboBox->GetWidth(), kRowHeight);
        return CTestGroup::MeasureControl(pDC, pControl);
    }
};

// One group on a tab without a ribbon; the group holds the controls the test adds.
class RibbonGroupRoomTest : public ::testing::Test {
protected:
    RibbonGroupRoomTest()
    {
        m_pGroup = new CFieldGroup;
        m_tab.GetGroups()->InsertAt(-1, m_pGroup);
    }
    // The controls go before the actions they point to.
    ~RibbonGroupRoomTest() override
    {
        m_tab.GetGroups()->RemoveAll();
        for (CKitControlAction* pAction : m_actions)
            pAction->InternalRelease();
    }
    template <class T> T* AddControl()
    {
        auto* pControl = new T;
        m_pGroup->Add(pControl);
        pControl->InternalRelease();
        return pControl;
    }
    // A gallery 100 x 66 of entries 20 wide, laid out in its own group.
    CKitControlGallery* AddGallery(int nEntries, BOOL bResizable)
    {
        auto* pGallery = AddControl<CKitControlGallery>();
        auto* pEntries = new CKitControlGalleryEntryList;
        for (int i = 0; i < nEntries; ++i)
            pEntries->AddEntry(300 + i, "Entry");
        auto* pAction = new CKitControlAction(nullptr, 300);
        pAction->SetGalleryEntries(pEntries);
        pEntries->InternalRelease();
        pGallery->SetAction(pAction);
        m_actions.push_back(pAction);
        pGallery->m_bShowScrollBar = FALSE;
        pGallery->m_bResizable = bResizable;
        pGallery->SetWidth(100);
        pGallery->SetHeight(66);
        return pGallery;
    }
    void Layout(int nWidth) { m_tab.GetGroups()->RepositionGroups(nullptr, nWidth, CRect(0, 3, 0, 3)); }

    CKitRibbonTab m_tab;
    CFieldGroup* m_pGroup;
    std::vector<CKitControlAction*> m_actions;
};

TEST_F(RibbonGroupRoomTest, ResizableGalleryGrowsByWholeEntriesUpToAllOfThemInARow)
{
    // The gallery stands at x 2 of a group whose controls need 104 pixels.
    const struct {
        const char* name;
        int nWidth;
        BOOL bResizable;
        int nEntries;
        int nGalleryWidth;
    } cases[] = {
        {"46 spare pixels take two entries", 150, TRUE, 10, 140},
        {"more room than all entries need", 500, TRUE, 10, 200},
        {"less room than one entry", 115, TRUE, 10, 100},
        {"not resizable", 500, FALSE, 10, 100},
        {"all entries shown already", 500, TRUE, 5, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_pGroup->RemoveAll();
        CKitControlGallery* pGallery = AddGallery(c.nEntries, c.bResizable);
        Layout(c.nWidth);
        EXPECT_EQ(pGallery->GetRect().Width(), c.nGalleryWidth);
        EXPECT_EQ(m_pGroup->GetRect().Width(), c.nGalleryWidth + 4 + 5);
        // The next pass starts again from the gallery's own width.
        Layout(104);
        EXPECT_EQ(pGallery->GetRect().Width(), 100);
    }
}

TEST_F(RibbonGroupRoomTest, EditAndComboBoxesOfOneColumnTakeTheWidestWidth)
{
    const struct {
        const char* name;
        BOOL bAlign;
        BOOL bGrouping;
        std::vector<int> widths;
    } cases[] = {
        {"aligned", TRUE, FALSE, {120, 120, 120}},
        {"alignment off", FALSE, FALSE, {80, 120, 100}},
        {"grouped rows", TRUE, TRUE, {80, 120, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_pGroup->RemoveAll();
        m_pGroup->SetAlignEditWidths(c.bAlign);
        m_pGroup->SetControlsGrouping(c.bGrouping);
        auto* pName = AddControl<CKitControlEdit>();
        auto* pKind = AddControl<CKitControlComboBox>();
        auto* pAddress = AddControl<CKitControlEdit>();
        pName->SetWidth(80);
        pKind->SetWidth(120);
        pAddress->SetWidth(100);
        for (CKitControl* pControl : {static_cast<CKitControl*>(pName), static_cast<CKitControl*>(pKind),
                                      static_cast<CKitControl*>(pAddress)})
            pControl->SetStyle(kitButtonCaption);
        Layout(500);
        EXPECT_EQ((std::vector<int>{pName->GetWidth(), pKind->GetWidth(), pAddress->GetWidth()}), c.widths);
        EXPECT_EQ((std::vector<int>{pName->GetRect().Width(), pKind->GetRect().Width(), pAddress->GetRect().Width()}),
                  c.widths);
    }
}

TEST_F(RibbonGroupRoomTest, EditBesideAnotherColumnKeepsItsWidth)
{
    // A large button between the two edits puts them in different columns.
    auto* pFirst = AddControl<CKitControlEdit>();
    AddControl<CKitControl>()->SetIconId(100);
    auto* pSecond = AddControl<CKitControlEdit>();
    pFirst->SetWidth(80);
    pSecond->SetWidth(120);
    pFirst->SetStyle(kitButtonCaption);
    pSecond->SetStyle(kitButtonCaption);
    Layout(500);
    EXPECT_EQ(pFirst->GetWidth(), 80);
    EXPECT_EQ(pSecond->GetWidth(), 120);
    EXPECT_NE(pFirst->GetRect().left, pSecond->GetRect().left);
}

TEST(RibbonGroupControls, LeaveTheRibbonWithTheirGroup)
{
    CKitRibbonBar bar;
    CKitRibbonTab* pHome = bar.AddTab("&Home", 1);
    const int nBuiltIn = bar.GetControlCount();
    CKitRibbonGroup* pGroup = pHome->GetGroups()->Add("Module", 11);
    for (UINT nId : {104u, 105u, 106u}) {
        CKitControl* pControl = bar.GetControls()->Add(kitControlButton, nId);
        pGroup->Add(pControl);
    }
    ASSERT_EQ(bar.GetControlCount(), nBuiltIn + 3 + 2) << "three controls, the option and the popup button";

    // One control taken out of the group leaves the bar too; the rest go with the group.
    pGroup->Remove(pGroup->GetAt(1));
    EXPECT_EQ(pGroup->GetCount(), 2);
    EXPECT_EQ(bar.GetControls()->FindControlById(105), nullptr);
    pHome->GetGroups()->RemoveAll();
    EXPECT_EQ(bar.GetControlCount(), nBuiltIn);
    EXPECT_EQ(bar.GetControls()->FindControlById(104), nullptr);
}

TEST(RibbonGroupControls, AddMakesACopyAtTheIndexBeforeTheOptionButton)
{
    CKitRibbonBar bar;
    CKitRibbonTab* pHome = bar.AddTab("&Home", 1);
    CKitRibbonTab* pView = bar.AddTab("&View", 2);
    bar.GetControlTab()->SetSelectedItem(pHome);
    CKitRibbonGroup* pGroup = pHome->GetGroups()->Add("Module", 11);
    CKitControl source;
    source.SetCaption("Send");
    source.SetId(104);
    const struct {
        const char* name;
        int nIndex;
        UINT nId;
        std::vector<UINT> ids;
    } cases[] = {
        {"into an empty group", 0, 104, {104}},
        {"out of range appends", 7, 106, {104, 106}},
        {"between", 1, 105, {104, 105, 106}},
        {"negative appends", -1, 107, {104, 105, 106, 107}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        source.SetId(c.nId);
        CKitControl* pAdded = pGroup->Add(&source, c.nIndex, FALSE);
        ASSERT_NE(pAdded, nullptr);
        EXPECT_NE(pAdded, &source);
        EXPECT_EQ(pAdded->GetRibbonGroup(), pGroup);
        EXPECT_EQ(pAdded->GetParent(), &bar);
        EXPECT_EQ(pAdded->GetCaption(), CString("Send"));
        std::vector<UINT> ids;
        for (int i = 0; i < pGroup->GetCount(); ++i) {
            ids.push_back(pGroup->GetAt(i)->GetId());
            // The group's controls stand, in order, directly before its option button.
            EXPECT_EQ(pGroup->GetAt(i)->GetIndex(), pGroup->GetControlGroupOption()->GetIndex() - pGroup->GetCount() + i);
        }
        EXPECT_EQ(ids, c.ids);
    }
    EXPECT_EQ(pGroup->GetAt(0)->GetHideFlags() & 0x80, 0u);
    CKitRibbonGroup* pHidden = pView->GetGroups()->Add("Layout", 12);
    EXPECT_NE(pHidden->Add(&source, 0, FALSE)->GetHideFlags() & 0x80, 0u) << "a group of a tab not selected";

    pGroup->RemoveAt(1);
    pGroup->RemoveAt(9);
    EXPECT_EQ(pGroup->GetCount(), 3);
    EXPECT_EQ(bar.GetControls()->FindControlById(105), nullptr);
}

TEST(RibbonGroupControls, ArrangeInRowPlacesTheShownControlsSideBySide)
{
    CKitRibbonTab tab;
    auto* pGroup = new CTestGroup;
    tab.GetGroups()->InsertAt(-1, pGroup);
    pGroup->SetRect(CRect(10, 3, 200, 89));
    for (int nStyle : {kitButtonIconAndCaption, kitButtonIcon, kitButtonIconAndCaption}) {
        auto* pControl = new CKitControl;
        pControl->SetStyle(nStyle);
        pGroup->Add(pControl);
        pControl->InternalRelease();
    }
    pGroup->GetAt(1)->SetHideFlags(0x01);
    pGroup->ArrangeControlsInRow(nullptr);
    EXPECT_EQ(pGroup->GetAt(0)->GetRect(), CRect(14, 3 + kCaptionHeight, 74, 3 + kCaptionHeight + 22));
    EXPECT_EQ(pGroup->GetAt(2)->GetRect(), CRect(74, 3 + kCaptionHeight, 134, 3 + kCaptionHeight + 22));
}

} // namespace
