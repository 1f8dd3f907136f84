#include "toolkit/markup/markup_image.h"

#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_services.h"
#include "toolkit/markup/markup_values.h"

#include <algorithm>

namespace {

// Available sizes from this many pixels on count as unbounded.
constexpr int kUnboundedFrom = 32001;

bool StartsWith(std::wstring_view text, std::wstring_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// A decimal number of digits only (at most UINT_MAX); FALSE for anything else.
bool ReadDecimal(std::wstring_view text, UINT& value)
{
    if (text.empty())
        return false;
    unsigned long long number = 0;
    for (wchar_t ch : text) {
        if (ch < L'0' || ch > L'9')
            return false;
        number = number * 10 + (ch - L'0');
        if (number > 0xFFFFFFFFull)
            return false;
    }
    value = static_cast<UINT>(number);
    return true;
}

} // namespace

CKitMarkupImageSource CKitMarkupImageSource::Parse(std::wstring_view text)
{
    CKitMarkupImageSource source;
    if (StartsWith(text, L"file://")) {
        source.kind = sourceFile;
        source.name = std::wstring(text.substr(7));
    } else if (StartsWith(text, L"res://")) {
        source.kind = sourceResource;
        const std::wstring_view name = text.substr(6);
        if (name.empty() || name[0] != L'#' || !ReadDecimal(name.substr(1), source.nResourceId))
            source.name = std::wstring(name);
    } else if (ReadDecimal(text, source.nCommand) && source.nCommand > 0) {
        source.kind = sourceCommand;
    }
    return source;
}

CKitMarkupDependencyProperty* CKitMarkupImage::m_pSourceProperty = nullptr;
CKitMarkupDependencyProperty* CKitMarkupImage::m_pStretchProperty = nullptr;

void CKitMarkupImage::RegisterProperties()
{
    CKitMarkupType* pOwner = MARKUP_TYPE(CKitMarkupImage);
    m_pSourceProperty = CKitMarkupDependencyProperty::Register(
        L"Source", MARKUP_TYPE(CKitMarkupString), pOwner,
        new CKitMarkupPropertyMetadata(nullptr, MarkupPropertyAffectsMeasure));
    m_pStretchProperty = CKitMarkupDependencyProperty::Register(
        L"Stretch", MARKUP_TYPE(CKitMarkupEnum), pOwner,
        new CKitMarkupPropertyMetadata(CKitMarkupEnum::CreateValue(0), MarkupConvertStretch,
                                       MarkupPropertyAffectsMeasure));
}

CKitMarkupImage::~CKitMarkupImage() = default;

void CKitMarkupImage::LoadSource(int nWidth)
{
    const CKitMarkupString* pSource = GetValueOf<CKitMarkupString>(m_pSourceProperty);
    if (pSource == nullptr)
        return;
    m_pPicture.reset();
    const CKitMarkupImageSource source = CKitMarkupImageSource::Parse(pSource->GetView());
    CKitMarkupContext* pContext = GetMarkupContext();
    CKitMarkupPictureLoader* pLoader = pContext != nullptr ? pContext->GetPictureLoader() : nullptr;
    if (source.kind == CKitMarkupImageSource::sourceNone || pLoader == nullptr)
        return;
    m_pPicture.reset(pLoader->LoadPicture(pContext, source, nWidth));
}

SIZE CKitMarkupImage::FitSize(SIZE szNatural, int nStretch, int nAvailableWidth, int nAvailableHeight)
{
    const int w = szNatural.cx;
    const int h = szNatural.cy;
    if (w == 0 || h == 0 || nStretch == stretchNone)
        return szNatural;
    const bool widthBounded = nAvailableWidth < kUnboundedFrom;
    const bool heightBounded = nAvailableHeight < kUnboundedFrom;
    if (!widthBounded && !heightBounded)
        return szNatural;
    const double sx = static_cast<double>(nAvailableWidth) / w;
    const double sy = static_cast<double>(nAvailableHeight) / h;
    double scaleX = sx;
    double scaleY = sy;
    if (!heightBounded) {
        scaleY = sx;
    } else if (!widthBounded) {
        scaleX = sy;
    } else if (nStretch == stretchUniform) {
        scaleX = scaleY = std::min(sx, sy);
    } else if (nStretch == stretchUniformToFill) {
        scaleX = scaleY = std::max(sx, sy);
    }
    return {static_cast<LONG>(w * scaleX), static_cast<LONG>(h * scaleY)};
}

SIZE CKitMarkupImage::FitSize(int nAvailableWidth, int nAvailableHeight) const
{
    if (m_pPicture == nullptr)
        return {0, 0};
    return FitSize(m_pPicture->GetSize(), MarkupIntValue(this, m_pStretchProperty, stretchNone), nAvailableWidth,
                   nAvailableHeight);
}

SIZE CKitMarkupImage::MeasureOverride(CKitMarkupDrawingContext*, int nAvailableWidth, int nAvailableHeight)
{
    LoadSource(nAvailableWidth);
    return FitSize(nAvailableWidth, nAvailableHeight);
}

SIZE CKitMarkupImage::ArrangeOverride(SIZE szFinal)
{
    return FitSize(szFinal.cx, szFinal.cy);
}

void CKitMarkupImage::OnRender(CKitMarkupDrawingContext* pDC)
{
    if (m_pPicture == nullptr)
        return;
    HDC hdc = pDC->GetDC();
    m_pPicture->Draw(hdc, {0, 0}, m_szRender);
    pDC->ReleaseDC(hdc);
}
