#include "toolkit/markup/markup_controls.h"

#include "toolkit/common/color_hsl.h"
#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_panels.h"
#include "toolkit/markup/markup_text_block.h"
#include "toolkit/markup/markup_text_elements.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"

#include <vssym32.h>

#include <algorithm>

namespace {

// A text block made in the context that holds the text as its content.
CKitMarkupTextBlock* CreateTextContent(CKitMarkupBuilder* pBuilder, CKitMarkupContext* pContext,
                                       CKitMarkupObject* pText)
{
    CKitMarkupRef<CKitMarkupTextBlock> block(
        static_cast<CKitMarkupTextBlock*>(MarkupCreateObject(pContext, MARKUP_TYPE(CKitMarkupTextBlock))));
    block->SetContentObject(pBuilder, pText);
    return block.Detach();
}

CKitMarkupRoutedEvent* RegisterBubblingEvent(LPCWSTR lpszName, CKitMarkupType* pOwner)
{
    return CKitMarkupRoutedEvent::RegisterRoutedEvent(lpszName, CKitMarkupRoutedEvent::routingBubble, pOwner);
}

} // namespace

CKitMarkupObject* MarkupConvertTextToContent(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pSource)
{
    if (pSource == nullptr)
        return nullptr;
    pSource->AddRef();
    if (MarkupDynamicCast<CKitMarkupString>(pSource) == nullptr)
        return pSource;
    return CreateTextContent(pBuilder, pBuilder != nullptr ? pBuilder->GetContext() : nullptr, pSource);
}

// CKitMarkupControl

CKitMarkupDependencyProperty* CKitMarkupControl::m_pPaddingProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupControl::m_pBackgroundProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupControl::m_pForegroundProperty = nullptr;

void CKitMarkupControl::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupControl);
    MARKUP_TYPE(CKitMarkupBorder)->RegisterProperties();
    MARKUP_TYPE(CKitMarkupPanel)->RegisterProperties();
    MARKUP_TYPE(CKitMarkupTextElement)->RegisterProperties();
    m_pPaddingProperty = CKitMarkupDependencyProperty::AddOwner(CKitMarkupBorder::m_pPaddingProperty, pOwner);
    m_pBackgroundProperty = CKitMarkupDependencyProperty::AddOwner(CKitMarkupPanel::m_pBackgroundProperty, pOwner);
    m_pForegroundProperty =
        CKitMarkupDependencyProperty::AddOwner(CKitMarkupTextElement::m_pForegroundProperty, pOwner);
}

CKitMarkupThickness* CKitMarkupControl::GetPadding() const
{
    return GetValueOf<CKitMarkupThickness>(m_pPaddingProperty);
}

SIZE CKitMarkupControl::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    CKitMarkupUIElement* pChild = MarkupDynamicCast<CKitMarkupUIElement>(GetVisualChild(0));
    if (pChild == nullptr)
        return {0, 0};
    pChild->Measure(pDC, nAvailableWidth, nAvailableHeight);
    return pChild->GetDesiredSize();
}

SIZE CKitMarkupControl::ArrangeOverride(SIZE szFinal)
{
    if (CKitMarkupUIElement* pChild = MarkupDynamicCast<CKitMarkupUIElement>(GetVisualChild(0)))
        pChild->Arrange({0, 0, szFinal.cx, szFinal.cy});
    return szFinal;
}

// CKitMarkupContentControl

CKitMarkupDependencyProperty* CKitMarkupContentControl::m_pContentProperty = nullptr;

void CKitMarkupContentControl::RegisterProperties()
{
    m_pContentProperty = CKitMarkupDependencyProperty::Register(
        L"Content", MARKUP_TYPE(CKitMarkupUIElement), MARKUP_TYPE(CKitMarkupContentControl),
        new CKitMarkupPropertyMetadata(nullptr, MarkupConvertTextToContent, MarkupPropertyAffectsMeasure));
}

CKitMarkupUIElement* CKitMarkupContentControl::GetContent() const
{
    return GetValueOf<CKitMarkupUIElement>(m_pContentProperty);
}

void CKitMarkupContentControl::SetContent(CKitMarkupUIElement* pContent)
{
    SetValue(m_pContentProperty, pContent);
}

void CKitMarkupContentControl::SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent)
{
    CKitMarkupRef<CKitMarkupObject> content(pContent);
    if (GetContent() != nullptr)
        MarkupThrowSingleChildError(this, pContent, TRUE);
    if (MarkupDynamicCast<CKitMarkupString>(pContent) != nullptr) {
        SetContent(CreateTextContent(pBuilder, GetMarkupContext(), content.Detach()));
        return;
    }
    if (MarkupDynamicCast<CKitMarkupUIElement>(pContent) == nullptr)
        MarkupThrowSingleChildError(this, pContent, FALSE);
    SetContent(static_cast<CKitMarkupUIElement*>(content.Detach()));
}

BOOL CKitMarkupContentControl::HasContentObject() const
{
    return GetContent() != nullptr;
}

int CKitMarkupContentControl::GetVisualChildrenCount() const
{
    return GetContent() != nullptr ? 1 : 0;
}

CKitMarkupVisual* CKitMarkupContentControl::GetVisualChild(int nIndex) const
{
    return nIndex == 0 ? GetContent() : nullptr;
}

// CKitMarkupButtonBase

CKitMarkupDependencyProperty* CKitMarkupButtonBase::m_pIsPressedProperty = nullptr;
CKitMarkupRoutedEvent* CKitMarkupButtonBase::m_pClickEvent = nullptr;

void CKitMarkupButtonBase::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupButtonBase);
    m_pIsPressedProperty = CKitMarkupDependencyProperty::Register(
        L"IsPressed", MARKUP_TYPE(CKitMarkupBool), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupBool::CreateFalseValue(), MarkupPropertyAffectsArrange));
    m_pClickEvent = RegisterBubblingEvent(L"Click", pOwner);
}

CKitMarkupButtonBase::CKitMarkupButtonBase() : m_bCaptured(FALSE), m_bMouseInside(FALSE)
{
    SetValue(m_pFocusableProperty, CKitMarkupBool::CreateTrueValue());
}

BOOL CKitMarkupButtonBase::IsPressed() const
{
    const CKitMarkupBool* pPressed = GetValueOf<CKitMarkupBool>(m_pIsPressedProperty);
    return pPressed != nullptr && pPressed->GetValue();
}

BOOL CKitMarkupButtonBase::IsDisabled() const
{
    const CKitMarkupBool* pEnabled = GetValueOf<CKitMarkupBool>(m_pIsEnabledProperty);
    return pEnabled != nullptr && !pEnabled->GetValue();
}

void CKitMarkupButtonBase::OnMouseLeftButtonDown(CKitMarkupMouseButtonEventArgs* pArgs)
{
    pArgs->m_bHandled = TRUE;
    if (IsDisabled())
        return;
    CKitMarkupContext* pContext = GetMarkupContext();
    if (pContext != nullptr)
        pContext->GetKeyboardNavigation()->Focus(this);
    m_bCaptured = TRUE;
    SetValue(m_pIsPressedProperty, CKitMarkupBool::CreateTrueValue());
    if (pContext != nullptr)
        pContext->CaptureMouse(this);
}

void CKitMarkupButtonBase::OnMouseLeave(CKitMarkupMouseEventArgs* pArgs)
{
    m_bMouseInside = FALSE;
    if (m_bCaptured) {
        SetValue(m_pIsPressedProperty, CKitMarkupBool::CreateFalseValue());
        return;
    }
    CKitMarkupContentControl::OnMouseLeave(pArgs);
    InvalidateVisual();
}

void CKitMarkupButtonBase::OnMouseEnter(CKitMarkupMouseEventArgs* pArgs)
{
    m_bMouseInside = TRUE;
    if (m_bCaptured) {
        SetValue(m_pIsPressedProperty, CKitMarkupBool::CreateTrueValue());
        return;
    }
    CKitMarkupContentControl::OnMouseEnter(pArgs);
    InvalidateVisual();
}

void CKitMarkupButtonBase::OnMouseLeftButtonUp(CKitMarkupMouseButtonEventArgs* pArgs)
{
    if (!m_bCaptured)
        return;
    if (CKitMarkupContext* pContext = GetMarkupContext())
        pContext->ReleaseMouseCapture();
    EndCapture();
    if (m_bMouseInside)
        OnClick();
    pArgs->m_bHandled = TRUE;
}

void CKitMarkupButtonBase::OnLostMouseCapture(CKitMarkupMouseEventArgs*)
{
    EndCapture();
}

// The press is over: released look, and no hover left behind when the pointer is outside.
void CKitMarkupButtonBase::EndCapture()
{
    if (!m_bCaptured)
        return;
    m_bCaptured = FALSE;
    SetValue(m_pIsPressedProperty, CKitMarkupBool::CreateFalseValue());
    const CKitMarkupBool* pOver = GetValueOf<CKitMarkupBool>(m_pIsMouseOverProperty);
    if (!m_bMouseInside && pOver != nullptr && pOver->GetValue()) {
        SetValue(m_pIsMouseOverProperty, nullptr);
        InvalidateVisual();
    }
}

void CKitMarkupButtonBase::OnClick()
{
    CKitMarkupRoutedEventArgs args(m_pClickEvent, this);
    RaiseEvent(&args);
}

BOOL CKitMarkupButtonBase::OpenTheme()
{
    CKitMarkupContext* pContext = GetMarkupContext();
    m_theme.OpenThemeData(pContext != nullptr ? pContext->GetContainer() : nullptr, L"BUTTON");
    return IsThemed();
}

BOOL CKitMarkupButtonBase::IsThemed()
{
    return m_theme.IsThemeHandleOpen() && m_theme.IsAppThemed();
}

int CKitMarkupButtonBase::GetThemeState() const
{
    if (IsDisabled())
        return 4;
    if (IsPressed())
        return 3;
    const CKitMarkupBool* pOver = GetValueOf<CKitMarkupBool>(m_pIsMouseOverProperty);
    return pOver != nullptr && pOver->GetValue() ? 2 : 1;
}

SIZE CKitMarkupButtonBase::MeasureContent(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight,
                                          SIZE szExtra)
{
    CKitMarkupUIElement* pContent = GetContent();
    if (pContent == nullptr)
        return {0, 0};
    auto less = [](int available, int extra) {
        return available == kMarkupUnbounded ? available : std::max(available - extra, 0);
    };
    pContent->Measure(pDC, less(nAvailableWidth, szExtra.cx), less(nAvailableHeight, szExtra.cy));
    return pContent->GetDesiredSize();
}

// CKitMarkupButton

namespace {

// Padding as four numbers (0 when unset).
RECT PaddingOf(const CKitMarkupThickness* pPadding)
{
    if (pPadding == nullptr)
        return {0, 0, 0, 0};
    return {pPadding->m_nLeft, pPadding->m_nTop, pPadding->m_nRight, pPadding->m_nBottom};
}

// The colour with a new lightness (0 to 240).
COLORREF WithLightness(DWORD hsl, int lightness)
{
    return HslToRgb((hsl & 0x0000FFFF) | (static_cast<DWORD>(std::clamp(lightness, 0, 240)) << 16));
}

// The press mark around a focused element: dotted, white on black.
void DrawFocusMark(CKitMarkupDrawingContext* pDC, const RECT& rect)
{
    HDC hdc = pDC->GetDC();
    const COLORREF oldText = ::SetTextColor(hdc, RGB(255, 255, 255));
    const COLORREF oldBack = ::SetBkColor(hdc, RGB(0, 0, 0));
    ::DrawFocusRect(hdc, &rect);
    ::SetTextColor(hdc, oldText);
    ::SetBkColor(hdc, oldBack);
    pDC->ReleaseDC(hdc);
}

constexpr int kButtonContentInset = 4;
constexpr int kGlyphSize = 13;
constexpr int kGlyphSpace = 16;

} // namespace

SIZE CKitMarkupButton::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    OpenTheme();
    const RECT padding = PaddingOf(GetPadding());
    const SIZE extra = {padding.left + padding.right + 2 * kButtonContentInset,
                        padding.top + padding.bottom + 2 * kButtonContentInset};
    const SIZE content = MeasureContent(pDC, nAvailableWidth, nAvailableHeight, extra);
    return {content.cx + extra.cx, content.cy + extra.cy};
}

SIZE CKitMarkupButton::ArrangeOverride(SIZE szFinal)
{
    CKitMarkupUIElement* pContent = GetContent();
    if (pContent == nullptr)
        return szFinal;
    RECT rect = CKitMarkupThickness::DeflateRect({0, 0, szFinal.cx, szFinal.cy}, GetPadding());
    ::InflateRect(&rect, -kButtonContentInset, -kButtonContentInset);
    if (IsPressed() && (!IsThemed() || GetValue(m_pBackgroundProperty) != nullptr))
        ::OffsetRect(&rect, 1, 1);
    pContent->Arrange(rect);
    return szFinal;
}

void CKitMarkupButton::OnRender(CKitMarkupDrawingContext* pDC)
{
    const int width = m_szRender.cx;
    const int height = m_szRender.cy;
    CKitMarkupBrush* pBackground = GetValueOf<CKitMarkupBrush>(m_pBackgroundProperty);
    if (pBackground == nullptr && IsThemed()) {
        HDC hdc = pDC->GetDC();
        const RECT rect = {0, 0, width, height};
        m_theme.DrawThemeBackground(hdc, BP_PUSHBUTTON, GetThemeState(), &rect, nullptr);
        pDC->ReleaseDC(hdc);
        return;
    }
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    COLORREF light = ::GetSysColor(COLOR_WINDOW);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF darkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    if (pBackground != nullptr) {
        const DWORD hsl = RgbToHsl(pBackground->GetSolidColor());
        const int lightness = static_cast<int>((hsl >> 16) & 0xFF);
        light = WithLightness(hsl, (lightness + 240) / 2);
        shadow = WithLightness(hsl, ::MulDiv(lightness, 2, 3));
        darkShadow = RGB(GetRValue(shadow) / 2, GetGValue(shadow) / 2, GetBValue(shadow) / 2);
        pDC->FillRectangle({0, 0, width, height}, pBackground);
    } else {
        pDC->FillSolidRect({0, 0, width, height}, face);
    }
    if (IsPressed()) {
        pDC->FillSolidRect({0, 0, width, 1}, ::GetSysColor(COLOR_WINDOWFRAME));
        pDC->FillSolidRect({0, 0, 1, height}, ::GetSysColor(COLOR_WINDOWFRAME));
        pDC->FillSolidRect({width - 1, 0, width, height}, ::GetSysColor(COLOR_WINDOWFRAME));
        pDC->FillSolidRect({0, height - 1, width, height}, ::GetSysColor(COLOR_WINDOWFRAME));
        pDC->FillSolidRect({1, 1, width - 1, 2}, shadow);
        pDC->FillSolidRect({1, 1, 2, height - 1}, shadow);
        pDC->FillSolidRect({width - 2, 1, width - 1, height - 1}, shadow);
        pDC->FillSolidRect({1, height - 2, width - 1, height - 1}, shadow);
        return;
    }
    pDC->FillSolidRect({0, 0, width, 1}, light);
    pDC->FillSolidRect({0, 0, 1, height}, light);
    pDC->FillSolidRect({1, height - 2, width - 1, height - 1}, shadow);
    pDC->FillSolidRect({width - 2, 1, width - 1, height - 1}, shadow);
    pDC->FillSolidRect({0, height - 1, width - 1, height}, darkShadow);
    pDC->FillSolidRect({width - 1, 0, width, height}, darkShadow);
}

void CKitMarkupButton::OnRenderFocusVisual(CKitMarkupDrawingContext* pDC)
{
    DrawFocusMark(pDC, {3, 3, m_szRender.cx - 3, m_szRender.cy - 3});
}

// CKitMarkupToggleButton

CKitMarkupDependencyProperty* CKitMarkupToggleButton::m_pIsCheckedProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupToggleButton::m_pIsThreeStateProperty = nullptr;
CKitMarkupRoutedEvent* CKitMarkupToggleButton::m_pCheckedEvent = nullptr;
CKitMarkupRoutedEvent* CKitMarkupToggleButton::m_pUncheckedEvent = nullptr;
CKitMarkupRoutedEvent* CKitMarkupToggleButton::m_pIndeterminateEvent = nullptr;

void CKitMarkupToggleButton::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupToggleButton);
    m_pIsCheckedProperty = CKitMarkupDependencyProperty::Register(
        L"IsChecked", MARKUP_TYPE(CKitMarkupEnum), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupEnum::CreateValue(0), MarkupConvertIsChecked,
                                       &CKitMarkupToggleButton::OnIsCheckedChanged, MarkupPropertyAffectsRender));
    m_pIsThreeStateProperty = CKitMarkupDependencyProperty::Register(
        L"IsThreeState", MARKUP_TYPE(CKitMarkupBool), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupBool::CreateFalseValue(), MarkupPropertyAffectsRender));
    m_pCheckedEvent = RegisterBubblingEvent(L"Checked", pOwner);
    m_pUncheckedEvent = RegisterBubblingEvent(L"Unchecked", pOwner);
    m_pIndeterminateEvent = RegisterBubblingEvent(L"Indeterminate", pOwner);
}

namespace {

int CheckedValue(const CKitMarkupObject* pValue)
{
    if (const CKitMarkupEnum* pEnum = MarkupDynamicCast<CKitMarkupEnum>(const_cast<CKitMarkupObject*>(pValue)))
        return pEnum->GetValue();
    return 0;
}

} // namespace

// Each change of IsChecked raises the event of the new state.
void CKitMarkupToggleButton::OnIsCheckedChanged(CKitMarkupObject* pObject, CKitMarkupPropertyChangedEventArgs* pArgs)
{
    CKitMarkupToggleButton* pButton = static_cast<CKitMarkupToggleButton*>(pObject);
    const int value = CheckedValue(pArgs->m_pNewValue);
    if (value == CheckedValue(pArgs->m_pOldValue))
        return;
    if (value == 1)
        pButton->OnChecked();
    else if (value == 0)
        pButton->OnUnchecked();
    else if (value == 2)
        pButton->OnIndeterminate();
}

int CKitMarkupToggleButton::GetChecked() const
{
    return CheckedValue(GetValue(m_pIsCheckedProperty));
}

void CKitMarkupToggleButton::SetChecked(int nChecked)
{
    SetValue(m_pIsCheckedProperty, CKitMarkupEnum::CreateValue(nChecked));
}

void CKitMarkupToggleButton::OnClick()
{
    OnToggle();
    CKitMarkupButtonBase::OnClick();
}

void CKitMarkupToggleButton::OnToggle()
{
    const int checked = GetChecked();
    if (checked == 1) {
        const CKitMarkupBool* pThreeState = GetValueOf<CKitMarkupBool>(m_pIsThreeStateProperty);
        SetChecked(pThreeState != nullptr && pThreeState->GetValue() ? 2 : 0);
    } else if (checked == 2) {
        SetChecked(0);
    } else {
        SetChecked(1);
    }
}

void CKitMarkupToggleButton::OnChecked()
{
    CKitMarkupRoutedEventArgs args(m_pCheckedEvent, this);
    RaiseEvent(&args);
}

void CKitMarkupToggleButton::OnUnchecked()
{
    CKitMarkupRoutedEventArgs args(m_pUncheckedEvent, this);
    RaiseEvent(&args);
}

void CKitMarkupToggleButton::OnIndeterminate()
{
    CKitMarkupRoutedEventArgs args(m_pIndeterminateEvent, this);
    RaiseEvent(&args);
}

SIZE CKitMarkupToggleButton::MeasureBesideGlyph(CKitMarkupDrawingContext* pDC, int nAvailableWidth,
                                                int nAvailableHeight, BOOL bMinHeightWithoutContent)
{
    OpenTheme();
    const RECT padding = PaddingOf(GetPadding());
    const SIZE extra = {padding.left + padding.right + kGlyphSpace, padding.top + padding.bottom};
    const BOOL hasContent = GetContent() != nullptr;
    const SIZE content = MeasureContent(pDC, nAvailableWidth, nAvailableHeight, extra);
    SIZE size = {content.cx + extra.cx, content.cy + extra.cy};
    if (hasContent || bMinHeightWithoutContent)
        size.cy = std::max<LONG>(size.cy, kGlyphSize);
    return size;
}

SIZE CKitMarkupToggleButton::ArrangeBesideGlyph(SIZE szFinal)
{
    if (CKitMarkupUIElement* pContent = GetContent()) {
        RECT rect = CKitMarkupThickness::DeflateRect({0, 0, szFinal.cx, szFinal.cy}, GetPadding());
        rect.left = std::min(rect.left + kGlyphSpace, rect.right);
        pContent->Arrange(rect);
    }
    return szFinal;
}

void CKitMarkupToggleButton::DrawGlyph(CKitMarkupDrawingContext* pDC, int nThemePart, int nThemeCheckedOffset,
                                       UINT nClassicState)
{
    const int middle = m_szRender.cy / 2;
    RECT box = {0, middle - 6, kGlyphSize, middle + 7};
    HDC hdc = pDC->GetDC();
    if (IsThemed()) {
        m_theme.DrawThemeBackground(hdc, nThemePart, GetThemeState() + nThemeCheckedOffset, &box, nullptr);
    } else {
        if (IsPressed())
            nClassicState |= DFCS_PUSHED;
        ::DrawFrameControl(hdc, &box, DFC_BUTTON, nClassicState);
    }
    pDC->ReleaseDC(hdc);
}

void CKitMarkupToggleButton::DrawGlyphFocus(CKitMarkupDrawingContext* pDC)
{
    if (GetContent() != nullptr)
        DrawFocusMark(pDC, {kGlyphSpace - 1, 0, m_szRender.cx, m_szRender.cy});
}

// CKitMarkupCheckBox

SIZE CKitMarkupCheckBox::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    return MeasureBesideGlyph(pDC, nAvailableWidth, nAvailableHeight, FALSE);
}

SIZE CKitMarkupCheckBox::ArrangeOverride(SIZE szFinal)
{
    return ArrangeBesideGlyph(szFinal);
}

void CKitMarkupCheckBox::OnRender(CKitMarkupDrawingContext* pDC)
{
    const int checked = GetChecked();
    UINT classic = DFCS_BUTTONCHECK;
    if (checked == 1)
        classic |= DFCS_CHECKED;
    else if (checked == 2)
        classic |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    DrawGlyph(pDC, BP_CHECKBOX, checked == 1 ? 4 : checked == 2 ? 8 : 0, classic);
}

void CKitMarkupCheckBox::OnRenderFocusVisual(CKitMarkupDrawingContext* pDC)
{
    DrawGlyphFocus(pDC);
}

// CKitMarkupRadioButton

SIZE CKitMarkupRadioButton::MeasureOverride(CKitMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight)
{
    return MeasureBesideGlyph(pDC, nAvailableWidth, nAvailableHeight, TRUE);
}

SIZE CKitMarkupRadioButton::ArrangeOverride(SIZE szFinal)
{
    return ArrangeBesideGlyph(szFinal);
}

void CKitMarkupRadioButton::OnRender(CKitMarkupDrawingContext* pDC)
{
    const BOOL checked = GetChecked() != 0;
    DrawGlyph(pDC, BP_RADIOBUTTON, checked ? 4 : 0, DFCS_BUTTONRADIO | (checked ? DFCS_CHECKED : 0));
}

void CKitMarkupRadioButton::OnRenderFocusVisual(CKitMarkupDrawingContext* pDC)
{
    DrawGlyphFocus(pDC);
}

void CKitMarkupRadioButton::OnToggle()
{
    SetChecked(1);
}

void CKitMarkupRadioButton::OnChecked()
{
    if (CKitMarkupVisual* pParent = GetVisualParent()) {
        for (int i = 0; i < pParent->GetVisualChildrenCount(); ++i) {
            CKitMarkupRadioButton* pSibling = MarkupDynamicCast<CKitMarkupRadioButton>(pParent->GetVisualChild(i));
            if (pSibling != nullptr && pSibling != this && pSibling->GetChecked() != 0)
                pSibling->SetChecked(0);
        }
    }
    CKitMarkupToggleButton::OnChecked();
}
