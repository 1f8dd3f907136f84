#include "toolkit/common/aux_data.h"

#include "toolkit/common/color_manager.h"
#include "toolkit/common/draw_helpers.h"
#include "toolkit/common/resources.h"
#include "toolkit/common/system.h"
#include "toolkit/common/toolkit_ids.h"
#include "toolkit/common/nonclient_metrics.h"
#include "framework/winapp.h"

#include <iterator>

namespace {

constexpr int kCopiedColorIndices[CKitAuxData::kCopiedColorCount] = {
    15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2, 3, 27, 28, 9, 19,
    30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49,
};

COLORREF CKitAuxData::*const kNamedColors[] = {
    &CKitAuxData::clrBtnFace,         &CKitAuxData::clrBtnShadow,         &CKitAuxData::clr3DDkShadow,
    &CKitAuxData::clrBtnHilite,       &CKitAuxData::clr3DLight,           &CKitAuxData::clrBtnText,
    &CKitAuxData::clrGrayedText,      &CKitAuxData::clrHighlight,         &CKitAuxData::clrHighlightText,
    &CKitAuxData::clrMenu,            &CKitAuxData::clrMenuText,          &CKitAuxData::clrWindow,
    &CKitAuxData::clrWindowFrame,     &CKitAuxData::clrWindowText,        &CKitAuxData::clrActiveCaption,
    &CKitAuxData::clrInActiveCaption, &CKitAuxData::clrGradientActiveCap, &CKitAuxData::clrGradientInActiveCap,
    &CKitAuxData::clrActiveCaptionText, &CKitAuxData::clrInactiveCaptionText,
};
constexpr int kNamedColorCount = static_cast<int>(std::size(kNamedColors));
static_assert(kNamedColorCount + 20 == CKitAuxData::kCopiedColorCount, "every copied colour has a field");

// Resource cursors by slot; 0 for the system's own cursors.
constexpr UINT kResourceCursors[CKitAuxData::kCursorCount] = {
    IDC_KIT_CURSOR_9308, IDC_KIT_CURSOR_9309, IDC_KIT_CURSOR_9310, IDC_KIT_HAND, IDC_KIT_CURSOR_9970,
    IDC_KIT_CURSOR_9971, 0};

constexpr int kToolkitButtonSize = 18;
constexpr LONG kBoldWeight = FW_BOLD;
constexpr LONG kVerticalEscapement = 900;
constexpr LONG kVerticalOrientation = 2700;

void SetFace(LOGFONTA& font, LPCSTR lpszFaceName)
{
    lstrcpynA(font.lfFaceName, lpszFaceName, LF_FACESIZE);
}

} // namespace

CKitAuxData* CKitAuxData::Instance()
{
    static CKitAuxData data;
    return &data;
}

CKitAuxData::CKitAuxData()
    : clrBtnFace(0), clrBtnShadow(0), clr3DDkShadow(0), clrBtnHilite(0), clr3DLight(0), clrBtnText(0),
      clrGrayedText(0), clrHighlight(0), clrHighlightText(0), clrMenu(0), clrMenuText(0), clrWindow(0),
      clrWindowFrame(0), clrWindowText(0), clrActiveCaption(0), clrInActiveCaption(0), clrGradientActiveCap(0),
      clrGradientInActiveCap(0), clrActiveCaptionText(0), clrInactiveCaptionText(0), clrToolkit(), hCursors(),
      cxSmIcon(0), cySmIcon(0), cxSize(kToolkitButtonSize), cySize(kToolkitButtonSize), cxHThumb(0), cyVThumb(0),
      cyMenuItem(0), bPreferTahoma(FALSE), nComCtlVersion(0)
{
    const CKitOsVersion* version = CKitOsVersion::Instance();
    bWin95 = version->IsWin95();
    bWin98 = version->IsWin98();
    bWinNT4 = version->IsWinNT4();
    bWin2K = version->IsWin2000();
    bWinXP = version->IsWinXP();
    nComCtlVersion = GetComCtlVersion();
    RefreshColors();
    RefreshMetrics();
    LoadCursors();
    RefreshFonts();
}

CKitAuxData::~CKitAuxData()
{
    DeleteFonts();
}

const int* CKitAuxData::GetCopiedColorIndices()
{
    return kCopiedColorIndices;
}

COLORREF* CKitAuxData::CopiedColor(int nSlot)
{
    return nSlot < kNamedColorCount ? &(this->*kNamedColors[nSlot]) : &clrToolkit[nSlot - kNamedColorCount];
}

void CKitAuxData::RefreshColors()
{
    CKitColorManager* colors = CKitColorManager::Instance();
    colors->RefreshColors();
    for (int slot = 0; slot < kCopiedColorCount; ++slot)
        *CopiedColor(slot) = colors->GetColor(kCopiedColorIndices[slot]);
}

void CKitAuxData::RefreshMetrics()
{
    cxSmIcon = ::GetSystemMetrics(SM_CXSMICON);
    cySmIcon = ::GetSystemMetrics(SM_CYSMICON);
    cxSize = kToolkitButtonSize;
    cySize = kToolkitButtonSize;
    cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
    cyMenuItem = ::GetSystemMetrics(SM_CYMENU);
}

HCURSOR CKitAuxData::LoadSystemCursor(LPCSTR lpszCursor) const
{
    return m_systemCursorLoader ? m_systemCursorLoader(lpszCursor) : ::LoadCursorA(nullptr, lpszCursor);
}

BOOL CKitAuxData::LoadCursors()
{
    CKitResourceManager* resources = CKitResourceManager::Instance();
    for (int slot = 0; slot < kCursorCount; ++slot) {
        HCURSOR cursor = nullptr;
        if (slot == kCursorHand)
            cursor = LoadSystemCursor(IDC_HAND);
        else if (slot == kCursorMove)
            cursor = LoadSystemCursor(IDC_SIZEALL);
        if (cursor == nullptr && kResourceCursors[slot] != 0)
            cursor = resources->LoadCursor(kResourceCursors[slot]);
        hCursors[slot] = cursor;
        if (cursor == nullptr)
            return FALSE;
    }
    return TRUE;
}

BOOL CKitAuxData::CreateFontFromDescription(const LOGFONTA& lf, CFont& font, LONG nWeight, BYTE bUnderline,
                                            LONG nOrientation, LONG nEscapement)
{
    LOGFONTA description = lf;
    if (nWeight != -1)
        description.lfWeight = nWeight;
    if (bUnderline != 255)
        description.lfUnderline = bUnderline;
    if (nOrientation != -1)
        description.lfOrientation = nOrientation;
    if (nEscapement != -1)
        description.lfEscapement = nEscapement;
    font.DeleteObject();
    return font.CreateFontIndirect(&description);
}

void CKitAuxData::DeleteFonts()
{
    for (CFont* font : {&fontNormal, &fontBold, &fontUnderline, &fontVert, &fontVertBold, &fontIconTitle,
                        &fontIconTitleBold, &fontMarlett, &fontSmCaption, &fontStatus})
        font->DeleteObject();
}

BOOL CKitAuxData::RefreshFonts(LPCSTR lpszFaceName, LPCSTR lpszVertFaceName)
{
    DeleteFonts();
    const CKitNonClientMetrics metrics;
    LOGFONTA base = metrics.lfMenuFont;
    LOGFONTA smallCaption = metrics.lfSmCaptionFont;
    LOGFONTA status = metrics.lfStatusFont;
    base.lfCharSet = CKitResourceManager::Instance()->GetFontCharset();

    if (lpszFaceName != nullptr) {
        if (CKitDrawHelpers::FontExists(lpszFaceName)) {
            SetFace(base, lpszFaceName);
            SetFace(smallCaption, lpszFaceName);
            SetFace(status, lpszFaceName);
        }
    } else if (bPreferTahoma && base.lfCharSet < 3 && CKitDrawHelpers::FontExists("Tahoma")) {
        SetFace(base, "Tahoma");
    }

    if (!CreateFontFromDescription(base, fontNormal) || !CreateFontFromDescription(base, fontBold, kBoldWeight) ||
        !CreateFontFromDescription(base, fontUnderline, -1, TRUE))
        return FALSE;

    LOGFONTA vertical = base;
    if (lpszVertFaceName != nullptr && CKitDrawHelpers::FontExists(lpszVertFaceName))
        SetFace(vertical, lpszVertFaceName);
    else if (lstrcmpiA(base.lfFaceName, "Tahoma") != 0 && CKitDrawHelpers::FontExists("Arial"))
        SetFace(vertical, "Arial");
    if (!CreateFontFromDescription(vertical, fontVert, -1, 255, kVerticalOrientation, kVerticalEscapement) ||
        !CreateFontFromDescription(vertical, fontVertBold, kBoldWeight, 255, kVerticalOrientation,
                                   kVerticalEscapement))
        return FALSE;

    LOGFONTA iconTitle = {};
    CKitDrawHelpers::GetIconLogFont(&iconTitle);
    if (!CreateFontFromDescription(iconTitle, fontIconTitle) ||
        !CreateFontFromDescription(iconTitle, fontIconTitleBold, kBoldWeight))
        return FALSE;

    if (!CreateFontFromDescription(smallCaption, fontSmCaption) || !CreateFontFromDescription(status, fontStatus))
        return FALSE;

    LOGFONTA glyph = {};
    glyph.lfHeight = base.lfHeight;
    glyph.lfWeight = FW_NORMAL;
    glyph.lfCharSet = SYMBOL_CHARSET;
    SetFace(glyph, "Marlett");
    return CreateFontFromDescription(glyph, fontMarlett);
}

CWinThread* GetCurrentWinThread()
{
    // The framework keeps no thread objects besides the application's.
    return AfxGetApp();
}
