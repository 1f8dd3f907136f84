// Toolbars: loading a toolbar resource, the expand button at the end of a docked bar with its popup
// for adding or removing buttons, and the buttons in a floating bar's caption.
#include "docking_fixture.h"
#include "docking_test_ids.h"

#include "support/message_box_recorder.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"

#include <gtest/gtest.h>

namespace {

TEST(ToolBar, LoadsTheControlsOfAToolbarResource)
{
    CKitToolBar bar;
    ASSERT_TRUE(bar.LoadToolBar(IDR_DOCK_TOOLBAR, FALSE));
    ASSERT_EQ(2, bar.GetControlCount());
    EXPECT_EQ(100u, bar.GetControl(0)->GetId());
    EXPECT_FALSE(bar.GetControl(0)->GetBeginGroup());
    EXPECT_EQ(101u, bar.GetControl(1)->GetId());
    EXPECT_TRUE(bar.GetControl(1)->GetBeginGroup());
    // The loaded controls are the bar's built-in set.
    ASSERT_NE(nullptr, bar.GetControls()->GetOriginalControls());
    EXPECT_FALSE(bar.GetControls()->IsChanged());
    EXPECT_EQ(static_cast<UINT>(IDR_DOCK_TOOLBAR), bar.GetResourceId());

    // A resource shorter than its count, and one that is not there, load nothing.
    CKitToolBar broken;
    EXPECT_FALSE(broken.LoadToolBar(IDR_DOCK_SHORT_TOOLBAR, FALSE));
    EXPECT_FALSE(broken.LoadToolBar(40299, FALSE));
    EXPECT_EQ(0, broken.GetControlCount());
}

TEST(ToolBar, ResetBringsBackTheBuiltInControlsAfterAsking)
{
    MessageBoxRecorder recorder;
    CKitToolBar bar;
    bar.SetTitle("Standard");
    ASSERT_TRUE(bar.LoadToolBar(IDR_DOCK_TOOLBAR, FALSE));
    bar.GetControls()->Remove(0);
    ASSERT_TRUE(bar.GetControls()->IsChanged());

    recorder.QueueAnswer(IDCANCEL);
    bar.Reset(TRUE);
    ASSERT_EQ(1u, recorder.Count());
    EXPECT_STREQ("Are you sure you want to reset the changes made to the 'Standard' toolbar?", recorder.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING), recorder.Last().type);
    EXPECT_EQ(1, bar.GetControlCount());

    recorder.QueueAnswer(IDOK);
    bar.Reset(TRUE);
    ASSERT_EQ(2, bar.GetControlCount());
    EXPECT_EQ(100u, bar.GetControl(0)->GetId());
    EXPECT_TRUE(bar.GetControl(1)->GetBeginGroup());
    EXPECT_FALSE(bar.GetControls()->IsChanged());
}

class DockedToolBar : public testing::Test {
protected:
    void SetUp() override
    {
        m_pBar = m_site.AddBar("Standard", kitBarTop, {"New", "Open", "Save", "Print", "Export"});
    }

    // The committed docked layout at the length.
    CSize Commit(int nLength) { return m_pBar->CalcDockLayout(nLength, LM_HORZ | LM_HORZDOCK | LM_COMMIT); }

    int HiddenCount() const
    {
        int n = 0;
        for (int i = 0; i < m_pBar->GetControlCount(); i++)
            n += (m_pBar->GetControl(i)->GetHideFlags() & kitHideWrap) != 0 ? 1 : 0;
        return n;
    }

    DockingSite m_site;
    CKitToolBar* m_pBar = nullptr;
};

TEST_F(DockedToolBar, ABarWhoseControlsFitShowsNoExpandButton)
{
    const CSize sz = Commit(2000);
    EXPECT_EQ(0, HiddenCount());
    const CKitControl* pExpand = m_pBar->GetExpandButton();
    EXPECT_TRUE(pExpand == nullptr || !pExpand->IsVisible());
    EXPECT_LT(sz.cx, 2000);
}

TEST_F(DockedToolBar, ABarThatDoesNotFitGetsTheExpandStripAtItsEnd)
{
    const CSize szFull = Commit(2000);
    const int nLength = szFull.cx - 30;
    const CSize sz = Commit(nLength);
    EXPECT_GE(HiddenCount(), 1);
    EXPECT_LE(sz.cx, nLength);
    const CKitControl* pExpand = m_pBar->GetExpandButton();
    ASSERT_NE(nullptr, pExpand);
    EXPECT_TRUE(pExpand->IsVisible());
    EXPECT_TRUE(pExpand->IsTemporary());
    EXPECT_EQ(kitIdToolbarExpand, pExpand->GetId());
    EXPECT_EQ(kitExpandStripSize, pExpand->GetRect().Width());
    // The strip follows the last control shown.
    int nLastRight = 0;
    for (int i = 0; i < m_pBar->GetControlCount(); i++) {
        const CKitControl* pControl = m_pBar->GetControl(i);
        if (pControl != pExpand && pControl->IsVisible())
            nLastRight = std::max(nLastRight, static_cast<int>(pControl->GetRect().right));
    }
    EXPECT_GE(pExpand->GetRect().left, nLastRight);
    // Measuring (no commit) leaves room for the strip after the narrowest layout.
    const CSize szMeasured = m_pBar->CalcDockLayout(nLength, LM_HORZ | LM_HORZDOCK);
    EXPECT_GE(szMeasured.cx, kitExpandStripSize);
    // Room again: the button goes.
    Commit(2000);
    EXPECT_EQ(0, HiddenCount());
    EXPECT_FALSE(m_pBar->GetExpandButton()->IsVisible());
}

TEST_F(DockedToolBar, TheAlwaysShowOptionShowsTheExpandButtonWhenEverythingFits)
{
    m_site.m_manager.GetCommandBarsOptions()->bAlwaysShowExpandButton = TRUE;
    Commit(2000);
    EXPECT_EQ(0, HiddenCount());
    ASSERT_NE(nullptr, m_pBar->GetExpandButton());
    EXPECT_TRUE(m_pBar->GetExpandButton()->IsVisible());
}

TEST_F(DockedToolBar, AFloatingBarShowsACloseButtonOnlyWhenItMayClose)
{
    ASSERT_TRUE(m_pBar->SetPosition(kitBarFloating));
    ASSERT_TRUE(m_pBar->IsFloating());
    EXPECT_EQ(0, m_pBar->GetStyle() & WS_CHILD);

    struct Case {
        BOOL bCloseable;
        BOOL bAlwaysExpand;
        bool bClose;
        bool bExpand;
    };
    const Case cases[] = {
        {TRUE, FALSE, true, false},
        {FALSE, FALSE, false, false},
        {FALSE, TRUE, false, true},
        {TRUE, TRUE, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "closeable " << c.bCloseable << " always expand " << c.bAlwaysExpand);
        m_pBar->SetCloseable(c.bCloseable);
        m_site.m_manager.GetCommandBarsOptions()->bAlwaysShowExpandButton = c.bAlwaysExpand;
        const CSize sz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        const CKitControl* pClose = m_pBar->GetCloseButton();
        const CKitControl* pExpand = m_pBar->GetExpandButton();
        EXPECT_EQ(c.bClose, pClose != nullptr && pClose->IsVisible());
        EXPECT_EQ(c.bExpand, pExpand != nullptr && pExpand->IsVisible());
        // The rightmost caption button ends 3 pixels in from the width.
        const CKitControl* pRightmost = c.bClose ? pClose : c.bExpand ? pExpand : nullptr;
        if (pRightmost != nullptr) {
            EXPECT_EQ(sz.cx - 3, pRightmost->GetRect().right);
            EXPECT_EQ(3, pRightmost->GetRect().top);
            EXPECT_EQ(pRightmost->GetRect().Width(), pRightmost->GetRect().Height());
        }
    }
    // Floating bars size from their borders.
    const LRESULT nHit = m_pBar->SendMessage(WM_NCHITTEST, 0, [this] {
        CRect rc;
        m_pBar->GetWindowRect(&rc);
        return MAKELPARAM(rc.left + rc.Width() / 2, rc.top + 1);
    }());
    EXPECT_EQ(HTTOP, nHit);
}

TEST_F(DockedToolBar, TheCloseButtonHidesTheBarAndTheFrameLaysOutAgain)
{
    m_pBar->SetPosition(kitBarFloating);
    m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    ASSERT_NE(nullptr, m_pBar->GetCloseButton());
    m_pBar->GetCloseButton()->OnExecute();
    EXPECT_FALSE(m_pBar->IsVisible());
    EXPECT_FALSE(m_pBar->IsWindowVisible());
}

TEST_F(DockedToolBar, TheExpandPopupOffersToAddOrRemoveTheBarsButtons)
{
    const struct {
        const char* pszName;
        BOOL bAlwaysExpand;
        BOOL bCustomizable;
        bool bAddRemove;
    } cases[] = {
        {"option on", TRUE, FALSE, true},
        {"customizable", FALSE, TRUE, true},
        {"neither", FALSE, FALSE, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        m_site.m_manager.GetCommandBarsOptions()->bAlwaysShowExpandButton = c.bAlwaysExpand;
        m_pBar->SetCustomizable(c.bCustomizable);
        // The buttons that do not fit (the last) come first, then the item for adding or removing buttons.
        Commit(Commit(2000).cx - 30);
        const int nHidden = HiddenCount();
        ASSERT_GE(nHidden, 1);
        auto* pExpand = DYNAMIC_DOWNCAST(CKitControlPopup, m_pBar->GetExpandButton());
        ASSERT_NE(nullptr, pExpand);
        pExpand->SetPopup(TRUE);
        CKitCommandBar* pPopup = pExpand->GetCommandBar();
        ASSERT_NE(nullptr, pPopup);
        ASSERT_EQ(nHidden + (c.bAddRemove ? 1 : 0), pPopup->GetControlCount());
        EXPECT_STREQ("Export", pPopup->GetControl(nHidden - 1)->GetCaption());
        if (c.bAddRemove) {
            auto* pAddRemove = DYNAMIC_DOWNCAST(CKitControlPopup, pPopup->GetControl(nHidden));
            ASSERT_NE(nullptr, pAddRemove);
            EXPECT_EQ(kitIdAddRemoveButtons, pAddRemove->GetId());
            EXPECT_STREQ("&Add or Remove Buttons", pAddRemove->GetCaption());
            EXPECT_TRUE(pAddRemove->GetBeginGroup());
            EXPECT_NE(0, pAddRemove->GetEnabledState());
            // Its popup lists every button of the bar, checked while it shows.
            CKitCommandBar* pButtons = pAddRemove->GetCommandBar();
            ASSERT_NE(nullptr, pButtons);
            ASSERT_EQ(5, pButtons->GetControlCount());
            for (int i = 0; i < 5; i++) {
                EXPECT_EQ(m_pBar->GetControl(i)->GetCaption(), pButtons->GetControl(i)->GetCaption());
                EXPECT_NE(0, pButtons->GetControl(i)->GetChecked());
            }
            // Unchecking "Save" hides it on the bar; checking it again brings it back.
            CKitControl* pSave = pButtons->GetControl(2);
            pSave->OnExecute();
            EXPECT_EQ(0, pSave->GetChecked());
            EXPECT_FALSE(m_pBar->GetControl(2)->IsVisible());
            pSave->OnExecute();
            EXPECT_NE(0, pSave->GetChecked());
            EXPECT_EQ(0u, m_pBar->GetControl(2)->GetHideFlags() & kitHideUser);
        }
        pExpand->SetPopup(FALSE);
    }
}

TEST_F(DockedToolBar, AddOrRemoveButtonsIsDisabledForABarOfOneButton)
{
    DockingSite site;
    CKitToolBar* pBar = site.AddBar("Single", kitBarTop, {"New"});
    site.m_manager.GetCommandBarsOptions()->bAlwaysShowExpandButton = TRUE;
    pBar->CalcDockLayout(2000, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    auto* pExpand = DYNAMIC_DOWNCAST(CKitControlPopup, pBar->GetExpandButton());
    ASSERT_NE(nullptr, pExpand);
    pExpand->SetPopup(TRUE);
    ASSERT_NE(nullptr, pExpand->GetCommandBar());
    CKitControl* pAddRemove = pExpand->GetCommandBar()->GetControls()->FindControlById(kitIdAddRemoveButtons);
    ASSERT_NE(nullptr, pAddRemove);
    EXPECT_EQ(0, pAddRemove->GetEnabledState());
    pExpand->SetPopup(FALSE);
}

} // namespace
