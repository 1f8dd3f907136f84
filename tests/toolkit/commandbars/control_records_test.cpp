// The stored records of the progress, gallery, custom and extended controls: each control comes back as its own
// class with its settings, at the schemas that carry them.
#include "support/message_pump.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control_custom.h"
#include "toolkit/commandbars/control_extended.h"
#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/commandbars/control_scroll.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/common/prop_exchange.h"

#include "framework/archive.h"
#include "framework/file.h"
#include "framework/wnd.h"

#include <gtest/gtest.h>

namespace {

// Saves the collection's records at the schema and loads them into a new collection (one reference for the
// caller); the owner stands for the manager while loading.
CKitControls* RoundTrip(CKitControls* pControls, int nSchema = CKitPropExchange::kDefaultSchema,
                        CObject* pOwner = nullptr)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKitPropExchangeArchive px(ar);
        px.SetSchema(nSchema);
        px.ExchangeSchema();
        pControls->DoPropExchange(&px);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CKitPropExchangeArchive px(ar);
    px.ExchangeSchema();
    px.SetOwner(pOwner);
    auto* pLoaded = new CKitControls();
    pLoaded->DoPropExchange(&px);
    return pLoaded;
}

// The first control of the loaded collection as the expected class; null when it is another.
template <typename T>
T* First(CKitControls* pControls)
{
    return pControls->GetCount() > 0 ? dynamic_cast<T*>(pControls->GetAt(0)) : nullptr;
}

} // namespace

// Range and position come back; a new progress bar stores the defaults 0, 100 and 0.
TEST(KitControlRecords, AProgressBarKeepsItsRangeAndPosition)
{
    struct Case {
        int nMin, nMax, nPos;
    };
    const Case cases[] = {{0, 100, 0}, {5, 50, 20}, {-10, 10, -3}};
    for (const Case& c : cases) {
        CKitControls controls;
        auto* pProgress = new CKitControlProgress();
        controls.Add(pProgress, 41001);
        pProgress->SetRange(c.nMin, c.nMax);
        pProgress->SetPos(c.nPos);
        CKitControls* pLoaded = RoundTrip(&controls);
        auto* pBack = First<CKitControlProgress>(pLoaded);
        ASSERT_NE(nullptr, pBack) << c.nPos;
        EXPECT_EQ(41001u, pBack->GetId());
        int nMin = 0;
        int nMax = 0;
        pBack->GetRange(nMin, nMax);
        EXPECT_EQ(c.nMin, nMin);
        EXPECT_EQ(c.nMax, nMax);
        EXPECT_EQ(c.nPos, pBack->GetPos());
        pLoaded->InternalRelease();
    }
}

// The display options come back; files before schema 24 carry no resizable flag, which then stays off.
TEST(KitControlRecords, AGalleryKeepsItsDisplayOptions)
{
    for (int nSchema : {CKitPropExchange::kDefaultSchema, 23}) {
        CKitControls controls;
        auto* pGallery = new CKitControlGallery();
        controls.Add(pGallery, 42001);
        pGallery->m_bShowLabels = FALSE;
        pGallery->m_bShowBorders = TRUE;
        pGallery->m_bShowScrollBar = FALSE;
        pGallery->m_rcMargin.SetRect(1, 2, 3, 4);
        pGallery->m_bResizable = TRUE;
        CKitControls* pLoaded = RoundTrip(&controls, nSchema);
        auto* pBack = First<CKitControlGallery>(pLoaded);
        ASSERT_NE(nullptr, pBack) << nSchema;
        EXPECT_FALSE(pBack->m_bShowLabels);
        EXPECT_TRUE(pBack->m_bShowBorders);
        EXPECT_FALSE(pBack->m_bShowScrollBar);
        EXPECT_EQ(CRect(1, 2, 3, 4), pBack->m_rcMargin);
        EXPECT_EQ(nSchema >= 24, pBack->m_bResizable != FALSE) << nSchema;
        pLoaded->InternalRelease();
    }
}

// The grid sizes of a selector come back.
TEST(KitControlRecords, ASelectorKeepsItsGrid)
{
    CKitControls controls;
    auto* pSelector = new CKitControlSelector();
    controls.Add(pSelector, 43001);
    pSelector->SetItemsCount(CSize(3, 2));
    pSelector->SetItemsMax(CSize(8, 6));
    pSelector->SetItemSize(CSize(20, 18));
    CKitControls* pLoaded = RoundTrip(&controls);
    auto* pBack = First<CKitControlSelector>(pLoaded);
    ASSERT_NE(nullptr, pBack);
    EXPECT_EQ(CSize(3, 2), pBack->GetItemsCount());
    EXPECT_EQ(CSize(8, 6), pBack->GetItemsMax());
    EXPECT_EQ(CSize(20, 18), pBack->GetItemSize());
    pLoaded->InternalRelease();
}

// Placeholders and self-contained controls come back as their own classes.
TEST(KitControlRecords, ExtendedControlsComeBackAsTheirClasses)
{
    CKitControls controls;
    CRuntimeClass* classes[] = {
        RUNTIME_CLASS(CKitControlWindowList), RUNTIME_CLASS(CKitControlToolbars),
        RUNTIME_CLASS(CKitControlOleItems),   RUNTIME_CLASS(CKitControlRecentFileList),
        RUNTIME_CLASS(CKitControlLabel),      RUNTIME_CLASS(CKitControlCheckBox),
        RUNTIME_CLASS(CKitControlRadioButton), RUNTIME_CLASS(CKitControlMarkupLabel),
        RUNTIME_CLASS(CKitControlBitmap),     RUNTIME_CLASS(CKitControlHyperlink),
    };
    for (CRuntimeClass* pClass : classes)
        controls.Add(static_cast<CKitControl*>(pClass->CreateObject()), 100);
    controls.GetAt(9)->SetTooltip("http://localhost/help");
    CKitControls* pLoaded = RoundTrip(&controls);
    ASSERT_EQ(10, pLoaded->GetCount());
    for (int i = 0; i < 10; i++)
        EXPECT_EQ(classes[i], pLoaded->GetAt(i)->GetRuntimeClass()) << classes[i]->m_lpszClassName;
    EXPECT_STREQ("http://localhost/help", pLoaded->GetAt(9)->GetTooltip());
    pLoaded->InternalRelease();
}

namespace {

// A site holding an edit box with dialog id 501 and a toolbar holding one with id 502.
class CustomRecordTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_site.CreateEx(0, "STATIC", "Custom records", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 40, 40, 320, 200,
                        nullptr, 0);
        m_hSiteEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 60, 80, 20, m_site.GetSafeHwnd(),
                                        reinterpret_cast<HMENU>(501), nullptr, nullptr);
        m_manager.SetSite(&m_site);
        CKitToolBar* pBar = m_manager.Add("Tools", kitBarTop);
        m_hBarEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 80, 20, pBar->GetSafeHwnd(),
                                       reinterpret_cast<HMENU>(502), nullptr, nullptr);
    }
    void TearDown() override
    {
        m_manager.RemoveAll();
        m_site.DestroyWindow();
        PumpMessages();
    }

    // A custom control of the id with its settings, stored and loaded at the schema.
    CKitControlCustom* StoreAndLoad(UINT nControlId, int nSchema, CKitControls*& pLoaded)
    {
        CKitControls controls;
        auto* pCustom = new CKitControlCustom();
        controls.Add(pCustom, 44001);
        pCustom->SetBorders(1, 2, 3, 4);
        pCustom->SetControlSize(CSize(120, 21));
        pCustom->SetVerticalOptions(kitCustomVerticalHideWindow);
        pCustom->SetControlId(nControlId);
        pLoaded = RoundTrip(&controls, nSchema, &m_manager);
        return First<CKitControlCustom>(pLoaded);
    }

    CWnd m_site;
    CKitCommandBarManager m_manager;
    HWND m_hSiteEdit = nullptr;
    HWND m_hBarEdit = nullptr;
};

} // namespace

// The settings come back and the window of the stored id is bound again: the site's dialog item first, else a
// bar's; an id that names no window leaves the control without one.
TEST_F(CustomRecordTest, ACustomControlBindsItsWindowAgainByItsId)
{
    struct Case {
        UINT nControlId;
        HWND* phExpected;
    };
    HWND hNone = nullptr;
    const Case cases[] = {{501, &m_hSiteEdit}, {502, &m_hBarEdit}, {503, &hNone}, {0, &hNone}};
    for (const Case& c : cases) {
        CKitControls* pLoaded = nullptr;
        CKitControlCustom* pBack = StoreAndLoad(c.nControlId, CKitPropExchange::kDefaultSchema, pLoaded);
        ASSERT_NE(nullptr, pBack) << c.nControlId;
        EXPECT_EQ(CRect(1, 2, 3, 4), pBack->GetBorders());
        EXPECT_EQ(CSize(120, 21), pBack->GetControlSize());
        EXPECT_EQ(kitCustomVerticalHideWindow, pBack->GetVerticalOptions());
        EXPECT_EQ(c.nControlId, pBack->GetControlId());
        EXPECT_EQ(*c.phExpected, pBack->GetControl()) << c.nControlId;
        pLoaded->InternalRelease();
    }
}

// A file of schema 5 carries no control id: the settings load and the window stays unbound.
TEST_F(CustomRecordTest, AnOlderFileLeavesTheWindowUnbound)
{
    CKitControls* pLoaded = nullptr;
    CKitControlCustom* pBack = StoreAndLoad(501, 5, pLoaded);
    ASSERT_NE(nullptr, pBack);
    EXPECT_EQ(CSize(120, 21), pBack->GetControlSize());
    EXPECT_EQ(0u, pBack->GetControlId());
    EXPECT_EQ(nullptr, pBack->GetControl());
    pLoaded->InternalRelease();
}
