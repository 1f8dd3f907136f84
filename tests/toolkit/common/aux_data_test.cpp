// The toolkit's global data: fonts from the menu font, copied colours, cursors and metrics.
#include "toolkit/common/aux_data.h"

#include "installed_fonts.h"
#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/system.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/common/nonclient_metrics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

LOGFONTA DescriptionOf(const CFont& font)
{
    LOGFONTA description = {};
    font.GetLogFont(&description);
    return description;
}

class KitAuxData : public ::testing::Test {
protected:
    void TearDown() override
    {
        data->SetSystemCursorLoader(nullptr);
        data->LoadCursors();
        data->RefreshFonts();
    }
    CKitAuxData* data = CKitAuxData::Instance();
};

TEST_F(KitAuxData, FontsStandOnTheSystemMenuFont)
{
    const CKitNonClientMetrics metrics;
    EXPECT_EQ(340u, metrics.cbSize);
    EXPECT_STREQ(metrics.lfMenuFont.lfFaceName, DescriptionOf(data->fontNormal).lfFaceName);
    EXPECT_EQ(metrics.lfMenuFont.lfHeight, DescriptionOf(data->fontNormal).lfHeight);
    EXPECT_EQ(700, DescriptionOf(data->fontBold).lfWeight);
    EXPECT_TRUE(DescriptionOf(data->fontUnderline).lfUnderline);
    const LOGFONTA vertical = DescriptionOf(data->fontVert);
    EXPECT_EQ(900, vertical.lfEscapement);
    EXPECT_EQ(2700, vertical.lfOrientation);
    EXPECT_EQ(700, DescriptionOf(data->fontVertBold).lfWeight);
    EXPECT_EQ(2700, DescriptionOf(data->fontVertBold).lfOrientation);
    EXPECT_EQ(700, DescriptionOf(data->fontIconTitleBold).lfWeight);
    EXPECT_STREQ("Marlett", DescriptionOf(data->fontMarlett).lfFaceName);
    EXPECT_EQ(metrics.lfMenuFont.lfHeight, DescriptionOf(data->fontMarlett).lfHeight);
    EXPECT_STREQ(metrics.lfStatusFont.lfFaceName, DescriptionOf(data->fontStatus).lfFaceName);
    EXPECT_EQ(CKitResourceManager::Instance()->GetFontCharset(), DescriptionOf(data->fontNormal).lfCharSet);
}

TEST_F(KitAuxData, AnUninstalledFaceKeepsTheMenuFace)
{
    const CKitNonClientMetrics metrics;
    EXPECT_TRUE(data->RefreshFonts("No Such Face Kit", "No Such Vertical Face"));
    EXPECT_STREQ(metrics.lfMenuFont.lfFaceName, DescriptionOf(data->fontNormal).lfFaceName);
    EXPECT_STREQ(metrics.lfStatusFont.lfFaceName, DescriptionOf(data->fontStatus).lfFaceName);

    const std::vector<std::string> faces = InstalledFaces();
    ASSERT_GE(faces.size(), 2u);
    const char* face = faces[0].c_str();
    EXPECT_TRUE(data->RefreshFonts(face));
    EXPECT_STREQ(face, DescriptionOf(data->fontNormal).lfFaceName);
    EXPECT_STREQ(face, DescriptionOf(data->fontStatus).lfFaceName);
    // The vertical font prefers Arial to a face other than Tahoma.
    const bool arial = CKitDrawHelpers::FontExists("Arial") && faces[0] != "Tahoma";
    EXPECT_STREQ(arial ? "Arial" : face, DescriptionOf(data->fontVert).lfFaceName);
    EXPECT_TRUE(data->RefreshFonts(face, faces[1].c_str()));
    EXPECT_STREQ(faces[1].c_str(), DescriptionOf(data->fontVert).lfFaceName);
}

TEST_F(KitAuxData, WithoutTheSystemHandTheHandSlotHoldsTheToolkitCursor)
{
    data->SetSystemCursorLoader([](LPCSTR cursor) {
        return cursor == IDC_HAND ? nullptr : ::LoadCursorA(nullptr, cursor);
    });
    EXPECT_TRUE(data->LoadCursors());
    const HCURSOR toolkitHand = CKitResourceManager::Instance()->LoadCursor(IDC_KIT_HAND);
    ASSERT_NE(nullptr, toolkitHand);
    EXPECT_EQ(toolkitHand, data->hCursors[CKitAuxData::kCursorHand]);
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_SIZEALL), data->hCursors[CKitAuxData::kCursorMove]);
    EXPECT_EQ(CKitResourceManager::Instance()->LoadCursor(IDC_KIT_CURSOR_9308), data->hCursors[0]);
    EXPECT_EQ(CKitResourceManager::Instance()->LoadCursor(IDC_KIT_CURSOR_9971), data->hCursors[5]);

    data->SetSystemCursorLoader([](LPCSTR) -> HCURSOR { return nullptr; });
    EXPECT_FALSE(data->LoadCursors());
    data->SetSystemCursorLoader(nullptr);
    EXPECT_TRUE(data->LoadCursors());
    EXPECT_EQ(::LoadCursorA(nullptr, IDC_HAND), data->hCursors[CKitAuxData::kCursorHand]);
}

TEST_F(KitAuxData, TheCopiedColoursAreTheColourManagersInOrder)
{
    data->RefreshColors();
    const int* indices = CKitAuxData::GetCopiedColorIndices();
    const COLORREF named[] = {data->clrBtnFace, data->clrBtnShadow, data->clr3DDkShadow, data->clrBtnHilite,
                              data->clr3DLight, data->clrBtnText, data->clrGrayedText, data->clrHighlight,
                              data->clrHighlightText, data->clrMenu, data->clrMenuText, data->clrWindow,
                              data->clrWindowFrame, data->clrWindowText, data->clrActiveCaption,
                              data->clrInActiveCaption, data->clrGradientActiveCap, data->clrGradientInActiveCap,
                              data->clrActiveCaptionText, data->clrInactiveCaptionText};
    const int expected[] = {15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2, 3, 27, 28, 9, 19};
    const CKitColorManager* colors = CKitColorManager::Instance();
    for (int slot = 0; slot < 20; ++slot) {
        EXPECT_EQ(expected[slot], indices[slot]);
        EXPECT_EQ(colors->GetColor(expected[slot]), named[slot]) << slot;
    }
    for (int slot = 20; slot < CKitAuxData::kCopiedColorCount; ++slot) {
        EXPECT_EQ(10 + slot, indices[slot]);
        EXPECT_EQ(colors->GetColor(10 + slot), data->clrToolkit[slot - 20]) << slot;
    }
}

TEST_F(KitAuxData, MetricsAndVersion)
{
    EXPECT_EQ(::GetSystemMetrics(SM_CXSMICON), data->cxSmIcon);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENU), data->cyMenuItem);
    EXPECT_EQ(18, data->cxSize);
    EXPECT_EQ(18, data->cySize);
    EXPECT_EQ(GetComCtlVersion(), data->nComCtlVersion);
    EXPECT_FALSE(data->bWin95);
    EXPECT_FALSE(data->bPreferTahoma);
}

} // namespace
