// What the common controls call of the libraries above them: registered when the program starts, and each entry reaching the real code.
#include "toolkit/common/upper_services.h"

#include "toolkit/commandbars/shadow_manager.h"

#include <gtest/gtest.h>

#include <vector>

// A program that links the themes (and through them the command bars) finds both at start-up, before any window.
TEST(KitUpperServices, TheThemesAndTheCommandBarsAreRegisteredAtStartUp)
{
    ASSERT_NE(nullptr, CKitThemeServices::Get());
    ASSERT_NE(nullptr, CKitCommandBarServices::Get());
}

TEST(KitUpperServices, MarkupGoesThroughTheGlueAndItsReleasesClearTheCallersPointers)
{
    CKitThemeServices* pThemes = CKitThemeServices::Get();
    ASSERT_NE(nullptr, pThemes);
    CKitMarkupContext* pContext = pThemes->CreateMarkupContext(nullptr);
    ASSERT_NE(nullptr, pContext);
    CKitMarkupUIElement* pElement = pThemes->ParseMarkupText(pContext, "<Border Width=\"30\" Height=\"20\"/>");
    ASSERT_NE(nullptr, pElement);
    const SIZE size = pThemes->MeasureMarkupElement(pElement, 200, 200);
    EXPECT_EQ(30, size.cx);
    EXPECT_EQ(20, size.cy);
    EXPECT_EQ(nullptr, pThemes->ParseMarkupText(pContext, "<Border"));

    pThemes->ReleaseMarkupElement(pElement);
    pThemes->ReleaseMarkupContext(pContext);
    EXPECT_EQ(nullptr, pElement);
    EXPECT_EQ(nullptr, pContext);
}

TEST(KitUpperServices, TurnedTabImagesComeFromTheImageRows)
{
    CKitThemeServices* pThemes = CKitThemeServices::Get();
    ASSERT_NE(nullptr, pThemes);
    const DWORD source[6] = {1, 2, 3, 4, 5, 6};
    DWORD target[6] = {};
    pThemes->ReverseImageRows(3, 2, source, target);
    EXPECT_EQ((std::vector<DWORD>{4, 5, 6, 1, 2, 3}), std::vector<DWORD>(target, target + 6));
    pThemes->TransposeImageReversed(3, 2, source, target);
    EXPECT_EQ((std::vector<DWORD>{6, 4, 2, 5, 3, 1}), std::vector<DWORD>(target, target + 6));
}

// The popup's shadow caster is the command bars' shadow manager, holding the caller's one reference.
TEST(KitUpperServices, TheShadowCasterIsAShadowManagerOwnedByItsCaller)
{
    CKitShadowCaster* pCaster = CKitCommandBarServices::Get()->CreateShadowCaster();
    auto* pManager = dynamic_cast<CKitShadowManager*>(pCaster);
    ASSERT_NE(nullptr, pManager);
    pCaster->SetFlags(CKitShadowCaster::kFlagAlways);
    EXPECT_EQ(CKitShadowManager::kFlagAlways, pManager->GetFlags());
    pManager->InternalAddRef();
    pCaster->ReleaseCaster();
    EXPECT_EQ(0, static_cast<int>(pManager->InternalRelease()));
}
