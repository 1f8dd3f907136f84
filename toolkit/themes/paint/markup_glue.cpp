#include "toolkit/themes/paint/markup_glue.h"

#include "framework/gdi.h"
#include "framework/strings.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/common/resources.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_drawing_context.h"
#include "toolkit/markup/markup_image.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_visual.h"

#include <cstdlib>
#include <cwctype>

namespace {

// The colour value that leaves the context's default text colour as it is.
constexpr COLORREF kKeepTextColor = 0xFFFFFFFF;
// File and resource pictures are cut with green as their mask colour.
constexpr COLORREF kPictureMaskColor = RGB(0, 255, 0);

// A picture of the image store: an icon of a manager that the picture holds a reference to.
class CImageStorePicture : public CKitMarkupPicture {
public:
    // Takes over one reference to the manager.
    CImageStorePicture(CKitImageManager* pManager, CKitImageManagerIcon* pIcon) : m_pManager(pManager), m_pIcon(pIcon)
    {
        m_pIcon->InternalAddRef();
    }
    ~CImageStorePicture() override
    {
        m_pIcon->InternalRelease();
        m_pManager->InternalRelease();
    }
    CImageStorePicture(const CImageStorePicture&) = delete;
    CImageStorePicture& operator=(const CImageStorePicture&) = delete;

    SIZE GetSize() const override { return {m_pIcon->GetWidth(), m_pIcon->GetHeight()}; }
    void Draw(HDC hdc, POINT pt, SIZE sz) override
    {
        CDC dc;
        dc.Attach(hdc);
        m_pIcon->DrawAtSize(&dc, CPoint(pt.x, pt.y), CSize(sz.cx, sz.cy));
        dc.Detach();
    }

private:
    CKitImageManager* m_pManager;
    CKitImageManagerIcon* m_pIcon;
};

// Adds a bitmap (deleted here) as the one image of command 0.
BOOL AddBitmap(CKitImageManager* pManager, HBITMAP hBitmap, BOOL bAlpha)
{
    if (hBitmap == nullptr)
        return FALSE;
    BITMAP info = {};
    ::GetObjectA(hBitmap, sizeof(info), &info);
    const UINT command = 0;
    const BOOL bAdded =
        pManager->SetIconsFromBitmap(hBitmap, &command, 1, CSize(info.bmWidth, std::abs(info.bmHeight)), 0, bAlpha);
    ::DeleteObject(hBitmap);
    return bAdded;
}

bool EndsWithIco(const std::wstring& path)
{
    if (path.size() < 3)
        return false;
    const std::wstring tail = path.substr(path.size() - 3);
    return std::towlower(tail[0]) == L'i' && std::towlower(tail[1]) == L'c' && std::towlower(tail[2]) == L'o';
}

// Files and resources load into a manager of their own as command 0; command ids come from the context's store.
CKitMarkupPicture* LoadStorePicture(CKitMarkupContext* pContext, const CKitMarkupImageSource& source, int nWidth)
{
    CKitImageManager* pManager = nullptr;
    UINT command = 0;
    if (source.kind == CKitMarkupImageSource::sourceCommand) {
        pManager = pContext != nullptr ? pContext->GetImageManager() : nullptr;
        if (pManager == nullptr)
            pManager = CKitImageManager::Instance();
        pManager->InternalAddRef();
        command = source.nCommand;
    } else {
        pManager = new CKitImageManager();
        pManager->SetMaskColor(kPictureMaskColor);
        const CString name = MarkupNarrow(source.name.c_str());
        BOOL bAlpha = FALSE;
        if (source.kind == CKitMarkupImageSource::sourceFile) {
            if (EndsWithIco(source.name))
                pManager->SetIconFromFile(name, 0, CSize(0, 0));
            else
                AddBitmap(pManager, CKitImageManagerIcon::LoadBitmapFromFile(name, &bAlpha), bAlpha);
        } else {
            LPCSTR lpszResource = source.nResourceId != 0 ? MAKEINTRESOURCEA(source.nResourceId) : (LPCSTR)name;
            if (!AddBitmap(pManager, CKitImageManagerIcon::LoadBitmapFromResource(lpszResource, &bAlpha), bAlpha))
                pManager->SetIconFromResource(lpszResource, 0, CSize(0, 0));
        }
    }
    CKitImageManagerIcon* pIcon = pManager->GetImage(command, nWidth);
    if (pIcon == nullptr) {
        pManager->InternalRelease();
        return nullptr;
    }
    return new CImageStorePicture(pManager, pIcon);
}

} // namespace

void MarkupInstallPictureLoader()
{
    MarkupSetPictureLoader(&LoadStorePicture);
}

CKitMarkupContext* MarkupCreateContext(HWND hContainer)
{
    MarkupInstallPictureLoader();
    CKitMarkupContext* pContext = new CKitMarkupContext(hContainer);
    LOGFONTA font = pContext->GetDefaultFont();
    font.lfCharSet = CKitResourceManager::Instance()->GetFontCharset();
    pContext->SetDefaultFont(font);
    return pContext;
}

void MarkupReleaseContext(CKitMarkupContext*& pContext)
{
    if (pContext != nullptr)
        pContext->Release();
    pContext = nullptr;
}

void MarkupReleaseElement(CKitMarkupUIElement*& pElement)
{
    if (pElement != nullptr)
        pElement->Release();
    pElement = nullptr;
}

CKitMarkupUIElement* MarkupParseText(CKitMarkupContext* pContext, LPCSTR lpszText)
{
    if (pContext == nullptr)
        return nullptr;
    return pContext->Parse(lpszText);
}

CKitMarkupContext* MarkupGetElementContext(CKitMarkupUIElement* pElement)
{
    return pElement != nullptr ? pElement->GetMarkupContext() : nullptr;
}

void MarkupSetDefaultFont(CKitMarkupContext* pContext, HFONT hFont, COLORREF clrText)
{
    if (pContext == nullptr)
        return;
    LOGFONTA font = {};
    if (hFont != nullptr && ::GetObjectA(hFont, sizeof(font), &font) != 0)
        pContext->SetDefaultFont(font);
    if (clrText != kKeepTextColor)
        pContext->SetDefaultTextColor(clrText);
}

BOOL MarkupRelayMessage(CKitMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CKitMarkupContext* pContext = MarkupGetElementContext(pElement);
    if (pContext == nullptr)
        return FALSE;
    LRESULT lResult = 0;
    return pContext->OnWndMsg(pElement, message, wParam, lParam, pResult != nullptr ? pResult : &lResult);
}

SIZE MarkupMeasureElement(CKitMarkupUIElement* pElement, int nAvailableWidth, int nAvailableHeight)
{
    if (pElement == nullptr)
        return {0, 0};
    CKitMarkupDrawingContext dc(pElement->GetMarkupContext());
    pElement->Measure(&dc, nAvailableWidth, nAvailableHeight);
    return pElement->GetDesiredSize();
}

void MarkupRenderElement(CKitMarkupUIElement* pElement, HDC hdc, LPCRECT lpRect)
{
    if (pElement == nullptr || hdc == nullptr || lpRect == nullptr)
        return;
    pElement->Arrange(*lpRect);
    CKitMarkupDrawingContext dc(pElement->GetMarkupContext(), hdc);
    pElement->Render(&dc);
}
