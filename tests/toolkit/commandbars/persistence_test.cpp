// Saving and loading bars: what is written, the schemas of the style, shared popup bars, unknown
// classes, changed built-in toolbars, and damaged stored states.
#include "support/message_box_recorder.h"
#include "support/stored_bars.h"
#include "support/test_program.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_edit.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/persistence.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/prop_exchange.h"

#include "framework/archive.h"
#include "framework/exceptions.h"
#include "framework/file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using Bytes = StoredBytes;

// A toolbar with buttons of the ids.
CKitToolBar* MakeBar(LPCSTR lpszTitle, UINT nBarId, std::initializer_list<UINT> ids)
{
    auto* pBar = new CKitToolBar();
    pBar->SetTitle(lpszTitle);
    pBar->SetBarID(nBarId);
    for (UINT nId : ids) {
        CKitControl* pControl = pBar->GetControls()->Add(kitControlButton, nId);
        CString strCaption;
        strCaption.Format("Button %u", nId);
        pControl->SetCaption(strCaption);
    }
    return pBar;
}

std::vector<UINT> IdsOf(const CKitControls* pControls)
{
    std::vector<UINT> ids;
    for (int i = 0; pControls != nullptr && i < pControls->GetCount(); i++)
        ids.push_back(pControls->GetAt(i)->GetId());
    return ids;
}

TEST(BarPersistence, TemporaryControlsAreNeverWritten)
{
    CKitToolBar* pBar = MakeBar("Standard", 1, {100, 101});
    pBar->GetControls()->Add(kitControlButton, 102, nullptr, -1, TRUE);
    pBar->GetControls()->CreateOriginalControls();
    pBar->GetControls()->Add(kitControlButton, 103, nullptr, 1, TRUE);
    EXPECT_FALSE(pBar->GetControls()->IsChanged()) << "temporary controls are no change";
    CKitCommandBar* pLoaded = LoadBarBytes(SaveBarBytes(pBar));
    EXPECT_EQ((std::vector<UINT>{100, 101}), IdsOf(pLoaded->GetControls()));
    EXPECT_EQ((std::vector<UINT>{100, 101}), IdsOf(pLoaded->GetControls()->GetOriginalControls()));
    EXPECT_STREQ("Standard", pLoaded->GetTitle());
    EXPECT_STREQ("Button 101", pLoaded->GetControl(1)->GetCaption());
    EXPECT_EQ(pLoaded, pLoaded->GetControl(0)->GetParent());
    pLoaded->InternalRelease();
    pBar->InternalRelease();
}

TEST(BarPersistence, DocumentTemplateMapsSurviveSavingAndCopying)
{
    CKitToolBar* pBar = MakeBar("Standard", 1, {100, 101});
    pBar->GetControl(0)->GetDocTemplatesAssigned()->SetAt(7, 1);
    pBar->GetControl(0)->GetDocTemplatesAssigned()->SetAt(9, 2);
    pBar->GetControl(1)->GetDocTemplatesExcluded()->SetAt(7, 3);
    CKitCommandBar* pLoaded = LoadBarBytes(SaveBarBytes(pBar));
    ASSERT_EQ(2, pLoaded->GetControlCount());
    CKitControl* pClone = pLoaded->GetControl(0)->Clone(FALSE);
    for (CKitControl* pFirst : {pLoaded->GetControl(0), pClone}) {
        int nValue = 0;
        EXPECT_EQ(2, pFirst->GetDocTemplatesAssigned()->GetCount());
        EXPECT_TRUE(pFirst->GetDocTemplatesAssigned()->Lookup(9, nValue));
        EXPECT_EQ(2, nValue);
        EXPECT_TRUE(pFirst->GetDocTemplatesExcluded()->IsEmpty());
    }
    int nValue = 0;
    EXPECT_TRUE(pLoaded->GetControl(1)->GetDocTemplatesExcluded()->Lookup(7, nValue));
    EXPECT_EQ(3, nValue);
    EXPECT_TRUE(pLoaded->GetControl(1)->GetDocTemplatesAssigned()->IsEmpty());
    pClone->InternalRelease();
    pLoaded->InternalRelease();
    pBar->InternalRelease();
}

TEST(BarPersistence, TheStyleLoadsFromTheRecordOfTheFilesSchema)
{
    // Older files keep the style after the control record of a button or popup; newer ones in it.
    for (int nSchema : {9, 17, 18, CKitPropExchange::kDefaultSchema}) {
        SCOPED_TRACE(testing::Message() << "schema " << nSchema);
        CKitToolBar* pBar = MakeBar("Standard", 1, {100});
        pBar->GetControl(0)->SetStyle(kitButtonIconAndCaption);
        auto* pPopup = new CKitControlPopup();
        pBar->GetControls()->AddControl(pPopup);
        pPopup->SetStyle(kitButtonCaption);
        pPopup->SetCaption("Export");
        CKitToolBar* pAfter = MakeBar("", 2, {});
        CKitCommandBar* pLoaded = LoadBarBytes(SaveBarBytes(pBar, nSchema));
        ASSERT_EQ(2, pLoaded->GetControlCount());
        EXPECT_EQ(kitButtonIconAndCaption, pLoaded->GetControl(0)->GetStyle());
        EXPECT_EQ(kitButtonCaption, pLoaded->GetControl(1)->GetStyle());
        EXPECT_TRUE(pLoaded->GetControl(1)->IsKindOf(RUNTIME_CLASS(CKitControlPopup)));
        EXPECT_STREQ("Export", pLoaded->GetControl(1)->GetCaption());
        pLoaded->InternalRelease();
        pAfter->InternalRelease();
        pBar->InternalRelease();
    }
}

TEST(BarPersistence, ACustomIconTravelsWithItsControlIntoTheImageManager)
{
    constexpr UINT kIconId = 47901;
    CKitToolBar* pBar = MakeBar("Icons", 1, {100, 101});
    auto* pImages = new CKitImageManager();
    pBar->SetImageManager(pImages);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = 16;
    bmi.bmiHeader.biHeight = 16;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    ASSERT_NE(nullptr, hBitmap);
    std::fill_n(static_cast<DWORD*>(pBits), 16 * 16, 0xFF336699u);
    CKitImageManagerIconHandle image;
    image.TakeBitmap(hBitmap);
    ASSERT_TRUE(pImages->SetIcon(image, kIconId, CSize(16, 16)));

    const Bytes plain = SaveBarBytes(pBar);
    pBar->GetControl(1)->SetCustomIconId(kIconId);
    const Bytes withIcon = SaveBarBytes(pBar);
    // Only a control with a custom icon writes the icon's section.
    EXPECT_GT(withIcon.size(), plain.size() + 16 * 16 * 4 / 2);

    // The loaded bar has no image manager of its own: the icon goes into the shared one.
    CKitImageManager::Instance()->RemoveIcon(kIconId);
    CKitCommandBar* pLoaded = LoadBarBytes(withIcon);
    ASSERT_EQ(2, pLoaded->GetControlCount());
    EXPECT_EQ(kIconId, pLoaded->GetControl(1)->GetCustomIconId());
    EXPECT_EQ(0u, pLoaded->GetControl(0)->GetCustomIconId());
    EXPECT_TRUE(CKitImageManager::Instance()->IsImageDefined(kIconId, 16));
    pLoaded->InternalRelease();
    CKitImageManager::Instance()->RemoveIcon(kIconId);
    pBar->InternalRelease();
}

TEST(BarPersistence, AnEditKeepsItsSettingsAsFarAsTheFilesSchemaHoldsThem)
{
    struct Expected {
        int nSchema;
        BOOL bLabel;
        int nWidth;
        BOOL bReadOnly;
        const char* pszHint;
        DWORD dwAutoComplete;
        BOOL bSpin;
        int nLimit;
        UINT nIconId;
        UINT nBuddyId;
    };
    // What a new edit has: the values of a schema that stores none of them.
    const Expected cases[] = {
        {5, TRUE, 100, FALSE, "", 0, FALSE, 0, 0, 0},
        {18, FALSE, 150, TRUE, "Find", 8, FALSE, 0, 0, 0},
        {CKitPropExchange::kDefaultSchema, FALSE, 150, TRUE, "Find", 8, TRUE, 12, 7, 9},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(testing::Message() << "schema " << c.nSchema);
        CKitToolBar* pBar = MakeBar("Find", 1, {});
        auto* pEdit = new CKitControlEdit();
        pBar->GetControls()->Add(pEdit, 500);
        pEdit->SetCaption("Find:");
        pEdit->SetCaptionVisible(FALSE);
        pEdit->SetWidth(150);
        pEdit->SetReadOnly(TRUE);
        pEdit->SetEditHint("Find");
        pEdit->SetShellAutoCompleteFlags(8);
        pEdit->SetEditStyle(ES_NUMBER);
        pEdit->ShowSpinButtons(TRUE);
        pEdit->SetCharLimit(12);
        pEdit->SetEditIconId(7);
        pEdit->SetBuddyButtonId(9);
        CKitCommandBar* pLoaded = LoadBarBytes(SaveBarBytes(pBar, c.nSchema));
        ASSERT_EQ(1, pLoaded->GetControlCount());
        auto* pCopy = DYNAMIC_DOWNCAST(CKitControlEdit, pLoaded->GetControl(0));
        ASSERT_NE(nullptr, pCopy);
        EXPECT_EQ(500u, pCopy->GetId());
        EXPECT_EQ(c.bLabel, pCopy->IsCaptionVisible());
        EXPECT_EQ(c.nWidth, pCopy->GetWidth());
        EXPECT_EQ(c.bReadOnly, pCopy->GetReadOnly());
        EXPECT_STREQ(c.pszHint, pCopy->GetEditHint());
        EXPECT_EQ(c.dwAutoComplete, pCopy->GetShellAutoCompleteFlags());
        EXPECT_EQ(c.bSpin, pCopy->IsSpinButtonsVisible());
        EXPECT_EQ(c.nLimit, pCopy->GetCharLimit());
        EXPECT_EQ(c.nIconId, pCopy->GetEditIconId());
        EXPECT_EQ(c.nBuddyId, pCopy->GetBuddyButtonId());
        // The copy of a control carries the auto-complete flags too.
        CKitControlEdit clone;
        clone.Copy(pEdit, FALSE);
        EXPECT_EQ(8u, clone.GetShellAutoCompleteFlags());
        pLoaded->InternalRelease();
        pBar->InternalRelease();
    }
}

TEST(BarPersistence, APopupBarSharedByTwoControlsIsWrittenOnceAndLinkedToBoth)
{
    CKitToolBar* pBar = MakeBar("Standard", 1, {});
    auto* pMenu = new CKitPopupBar();
    pMenu->GetControls()->Add(kitControlButton, 200)->SetCaption("As &CSV");
    auto* pFirst = new CKitControlPopup();
    auto* pSecond = new CKitControlPopup();
    pBar->GetControls()->AddControl(pFirst);
    pBar->GetControls()->AddControl(pSecond);
    pFirst->SetCommandBar(pMenu);
    pMenu->InternalAddRef();
    pSecond->SetCommandBar(pMenu);

    const Bytes bytes = SaveBarBytes(pBar);
    // The count of bars follows the schema marker: the toolbar and one popup bar.
    WORD nBars = 0;
    std::memcpy(&nBars, bytes.data() + 8, sizeof(nBars));
    EXPECT_EQ(2, nBars);
    EXPECT_GE(pMenu->GetBarID(), CKitCommandBarList::kFirstGeneratedId);

    CKitCommandBar* pLoaded = LoadBarBytes(bytes);
    ASSERT_EQ(2, pLoaded->GetControlCount());
    CKitCommandBar* pLinked = pLoaded->GetControl(0)->GetCommandBar();
    ASSERT_NE(nullptr, pLinked);
    EXPECT_NE(static_cast<CKitCommandBar*>(pMenu), pLinked);
    EXPECT_EQ(pLinked, pLoaded->GetControl(1)->GetCommandBar());
    EXPECT_TRUE(pLinked->IsKindOf(RUNTIME_CLASS(CKitPopupBar)));
    ASSERT_EQ(1, pLinked->GetControlCount());
    EXPECT_STREQ("As &CSV", pLinked->GetControl(0)->GetCaption());
    EXPECT_EQ(0u, static_cast<CKitControlPopup*>(pLoaded->GetControl(0))->GetPendingBarId());
    pLoaded->InternalRelease();
    pBar->InternalRelease();
}

TEST(BarPersistence, AnUnknownControlClassIsABadClassArchiveError)
{
    CKitToolBar* pBar = MakeBar("Standard", 1, {100});
    auto* pPopup = new CKitControlPopup();
    pBar->GetControls()->AddControl(pPopup);
    Bytes bytes = SaveBarBytes(pBar);
    PatchBytes(bytes, "CKitControlPopup", "CKitControlPopuq");
    int nCause = -1;
    try {
        CKitCommandBar* pLoaded = LoadBarBytes(bytes);
        pLoaded->InternalRelease();
    } catch (CArchiveException* e) {
        nCause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CArchiveException::badClass, nCause);
    pBar->InternalRelease();
}

// Two live toolbars with built-in sets, saved after the user customized both.
class ChangedToolbars : public testing::Test {
protected:
    void SetUp() override
    {
        m_strKey = TestRegistryRoot() + "\\BarPersistence";
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_strKey);
        m_pStandard = AddBar("Standard", 1, {100, 101, 102});
        m_pFormat = AddBar("Format", 2, {200, 201});
        // The user takes the first button off each.
        m_pStandard->GetControls()->Remove(0);
        m_pFormat->GetControls()->Remove(0);
        ASSERT_TRUE(m_manager.SaveBarState(HKEY_CURRENT_USER, m_strKey));
    }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, m_strKey); }

    CKitToolBar* AddBar(LPCSTR lpszTitle, UINT nId, std::initializer_list<UINT> ids)
    {
        CKitToolBar* pBar = MakeBar(lpszTitle, nId, ids);
        pBar->GetControls()->CreateOriginalControls();
        m_manager.AddCommandBar(pBar);
        return pBar;
    }

    // A new program version: the bars' built-in sets as given, the user's changes gone.
    void Restart(std::initializer_list<UINT> standard, std::initializer_list<UINT> format)
    {
        m_manager.RemoveAll();
        m_pStandard = AddBar("Standard", 1, standard);
        m_pFormat = AddBar("Format", 2, format);
    }

    CString m_strKey;
    CKitCommandBarManager m_manager;
    CKitToolBar* m_pStandard = nullptr;
    CKitToolBar* m_pFormat = nullptr;
};

TEST_F(ChangedToolbars, AnUnchangedBuiltInSetTakesTheSavedCustomizationWithoutAsking)
{
    MessageBoxRecorder recorder;
    Restart({100, 101, 102}, {200, 201});
    EXPECT_EQ(2, m_manager.LoadBarState(HKEY_CURRENT_USER, m_strKey));
    EXPECT_EQ(0u, recorder.Count());
    EXPECT_EQ((std::vector<UINT>{101, 102}), IdsOf(m_pStandard->GetControls()));
    EXPECT_EQ((std::vector<UINT>{201}), IdsOf(m_pFormat->GetControls()));
    EXPECT_EQ((std::vector<UINT>{100, 101, 102}), IdsOf(m_pStandard->GetControls()->GetOriginalControls()));
}

TEST_F(ChangedToolbars, YesDropsTheCustomizationOfTheChangedToolbarOnly)
{
    MessageBoxRecorder recorder;
    recorder.QueueAnswer(IDYES);
    Restart({100, 101, 102, 103}, {200, 201});
    EXPECT_EQ(2, m_manager.LoadBarState(HKEY_CURRENT_USER, m_strKey));
    ASSERT_EQ(1u, recorder.Count());
    EXPECT_STREQ("Due to a software update the toolbar 'Standard' has changed. Would you like to reset your "
                 "customized toolbar and load the new one?",
                 recorder.Last().text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), recorder.Last().type);
    EXPECT_EQ((std::vector<UINT>{100, 101, 102, 103}), IdsOf(m_pStandard->GetControls()));
    EXPECT_EQ((std::vector<UINT>{201}), IdsOf(m_pFormat->GetControls()));
}

TEST_F(ChangedToolbars, NoKeepsTheCustomizationAgainstTheNewBuiltInSet)
{
    MessageBoxRecorder recorder;
    recorder.QueueAnswer(IDNO);
    Restart({100, 101, 102, 103}, {200, 201});
    m_manager.LoadBarState(HKEY_CURRENT_USER, m_strKey);
    ASSERT_EQ(1u, recorder.Count());
    EXPECT_EQ((std::vector<UINT>{101, 102}), IdsOf(m_pStandard->GetControls()));
    EXPECT_EQ((std::vector<UINT>{100, 101, 102, 103}), IdsOf(m_pStandard->GetControls()->GetOriginalControls()));
}

// Every damaged form of a stored bar ends in an archive exception for that bar alone: the
// live bar keeps its controls and nothing crashes.
TEST_F(ChangedToolbars, DamagedStoredStatesAreAbandonedWithoutHarm)
{
    MessageBoxRecorder recorder;
    recorder.SetDefaultAnswer(IDNO);
    CKitToolBar* pSource = MakeBar("Standard", 1, {100, 101});
    auto* pPopup = new CKitControlPopup();
    pSource->GetControls()->AddControl(pPopup);
    auto* pMenu = new CKitPopupBar();
    pMenu->GetControls()->Add(kitControlButton, 300)->SetCaption("Item");
    pPopup->SetCommandBar(pMenu);
    pSource->GetControls()->CreateOriginalControls();
    const Bytes good = SaveBarBytes(pSource, CKitPropExchange::kDefaultSchema, true);
    pSource->InternalRelease();

    const std::vector<UINT> liveIds = IdsOf(m_pStandard->GetControls());
    // The good state loads.
    Bytes copy = good;
    ASSERT_TRUE(m_manager.LoadBarFromBytes(copy.data(), static_cast<DWORD>(copy.size())));
    EXPECT_EQ((std::vector<UINT>{100, 101, 0}), IdsOf(m_pStandard->GetControls()));
    m_pStandard->GetControls()->RemoveAll();
    for (UINT nId : liveIds)
        m_pStandard->GetControls()->Add(kitControlButton, nId);
    int nFailed = 0;
    int nLoaded = 0;
    auto tryLoad = [&](const Bytes& bytes) {
        if (m_manager.LoadBarFromBytes(bytes.data(), static_cast<DWORD>(bytes.size()))) {
            nLoaded++;
        } else {
            nFailed++;
            EXPECT_EQ(liveIds, IdsOf(m_pStandard->GetControls()));
        }
    };
    // Every truncation.
    for (size_t n = 0; n < good.size(); n++)
        tryLoad(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)));
    EXPECT_EQ(0, nLoaded) << "no truncated state loads";
    // Every byte set to a few hostile values.
    for (size_t i = 0; i < good.size(); i++) {
        for (BYTE value : {BYTE(0x00), BYTE(0xFF), BYTE(0x7F), BYTE(good[i] ^ 0x01)}) {
            if (value == good[i])
                continue;
            Bytes bad = good;
            bad[i] = value;
            tryLoad(bad);
            // A load that went through replaced the live bar's controls; put them back.
            m_pStandard->GetControls()->RemoveAll();
            for (UINT nId : liveIds)
                m_pStandard->GetControls()->Add(kitControlButton, nId);
        }
    }
    EXPECT_GT(nFailed, static_cast<int>(good.size()));
}

} // namespace
