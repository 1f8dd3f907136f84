#include "toolkit/common/rich_render.h"

#include "framework/gdi.h"
#include "toolkit/common/resources.h"

#include <cstring>
#include <cwchar>

IMPLEMENT_DYNAMIC(CKitRichRender, CCmdTarget)

namespace {

// {8D33F740-CF58-11CE-A89D-00AA006CADC5}
const IID kIidTextServices = {0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
// {13E670F4-1A5A-11CF-ABEB-00AA00B65EA1}
const IID kIidTextHost = {0x13E670F4, 0x1A5A, 0x11CF, {0xAB, 0xEB, 0x00, 0xAA, 0x00, 0xB6, 0x5E, 0xA1}};

constexpr DWORD kMaxTextLength = 0x1000000;
constexpr DWORD kHostPropertyBits = TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_WORDWRAP;
constexpr int kFaceNameLength = 32;

// The bytes a stream-in reads from.
struct TextCursor {
    const char* pNext;
    const char* pEnd;
};

DWORD CALLBACK ReadText(DWORD_PTR dwCookie, LPBYTE pBuffer, LONG nWanted, LONG* pnRead)
{
    auto* pCursor = reinterpret_cast<TextCursor*>(dwCookie);
    LONG nCount = static_cast<LONG>(pCursor->pEnd - pCursor->pNext);
    if (nCount > nWanted)
        nCount = nWanted;
    std::memcpy(pBuffer, pCursor->pNext, static_cast<size_t>(nCount));
    pCursor->pNext += nCount;
    *pnRead = nCount;
    return 0;
}

} // namespace

CKitRichRender::CKitRichRender()
    : m_xTextHost(this), m_pTextServices(nullptr), m_charFormat(), m_paraFormat(), m_hRichEdit(nullptr)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    HDC hdcScreen = ::GetDC(nullptr);
    const int nDpi = ::GetDeviceCaps(hdcScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hdcScreen);

    m_charFormat.cbSize = sizeof(m_charFormat);
    m_charFormat.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_CHARSET | CFM_FACE | CFM_COLOR |
                          CFM_SIZE;
    m_charFormat.yHeight = -::MulDiv(ncm.lfMessageFont.lfHeight, 1440, nDpi > 0 ? nDpi : 96);
    m_charFormat.crTextColor = ::GetSysColor(COLOR_BTNTEXT);
    m_charFormat.bCharSet = ncm.lfMessageFont.lfCharSet;
    const UINT nCodePage = CKitResourceManager::Instance()->GetLanguageInfo().nCodePage;
    ::MultiByteToWideChar(nCodePage, 0, ncm.lfMessageFont.lfFaceName, -1, m_charFormat.szFaceName, kFaceNameLength);
    m_charFormat.szFaceName[kFaceNameLength - 1] = L'\0';

    m_paraFormat.cbSize = sizeof(m_paraFormat);
    m_paraFormat.dwMask = 0x8001003F;
    m_paraFormat.wAlignment = PFA_LEFT;

    m_hRichEdit = ::LoadLibraryA("RICHED20.dll");
    if (m_hRichEdit == nullptr)
        return;
    auto pfnCreate = reinterpret_cast<PCreateTextServices>(::GetProcAddress(m_hRichEdit, "CreateTextServices"));
    IUnknown* pUnknown = nullptr;
    if (pfnCreate == nullptr || FAILED(pfnCreate(nullptr, &m_xTextHost, &pUnknown)) || pUnknown == nullptr)
        return;
    void* pServices = nullptr;
    if (SUCCEEDED(pUnknown->QueryInterface(kIidTextServices, &pServices)))
        m_pTextServices = static_cast<ITextServices*>(pServices);
    pUnknown->Release();
}

CKitRichRender::~CKitRichRender()
{
    if (m_pTextServices != nullptr)
        m_pTextServices->Release();
    if (m_hRichEdit != nullptr)
        ::FreeLibrary(m_hRichEdit);
}

LRESULT CKitRichRender::Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (m_pTextServices != nullptr)
        m_pTextServices->TxSendMessage(message, wParam, lParam, &lResult);
    return lResult;
}

void CKitRichRender::SetDefaultCharFormat(const CHARFORMATW& cf)
{
    m_charFormat = cf;
    Send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&m_charFormat));
}

LRESULT CKitRichRender::StreamIn(LPCSTR lpszText, size_t nLength, UINT nFormat)
{
    TextCursor cursor = {lpszText, lpszText + nLength};
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&cursor);
    stream.pfnCallback = ReadText;
    return Send(EM_STREAMIN, nFormat, reinterpret_cast<LPARAM>(&stream));
}

LRESULT CKitRichRender::SetText(LPCSTR lpszText)
{
    if (m_pTextServices == nullptr)
        return 0;
    if (lpszText == nullptr || *lpszText == '\0') {
        m_pTextServices->TxSetText(L"");
        return 0;
    }
    const size_t nLength = std::strlen(lpszText);
    if (lpszText[0] == '{') {
        const LRESULT nRead = StreamIn(lpszText, nLength, SF_RTF);
        if (nRead > 0)
            return nRead;
    }
    return StreamIn(lpszText, nLength, SF_TEXT);
}

void CKitRichRender::Probe(HDC hdc, int nWidth)
{
    const RECTL rcBounds = {0, 0, nWidth, 1};
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, hdc, nullptr, &rcBounds, nullptr, nullptr, nullptr,
                            0, TXTVIEW_INACTIVE);
    // Services that report a size only when the text's height changed are asked for it.
    Send(EM_REQUESTRESIZE, 0, 0);
}

// A binary search for the narrowest width at which the text is no taller than at the first probe.
void CKitRichRender::GetTextExtent(CSize& size, CDC* pDC, int nMaxWidth)
{
    size = CSize(0, 0);
    if (m_pTextServices == nullptr || pDC == nullptr)
        return;
    Send(EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
    m_szNatural = CSize(0, 0);
    int nLow = 0;
    int nHigh = 2 * nMaxWidth;
    int nReference = 0;
    bool bLastTaller = false;
    while (nLow < nHigh) {
        const int nMid = (nLow + nHigh) / 2;
        Probe(*pDC, nMid);
        if (nReference == 0)
            nReference = m_szNatural.cy;
        bLastTaller = m_szNatural.cy > nReference;
        if (bLastTaller)
            nLow = nMid + 1;
        else
            nHigh = nMid - 1;
    }
    if (bLastTaller)
        Probe(*pDC, nHigh + 1);
    size = m_szNatural;
}

void CKitRichRender::Draw(CDC* pDC, const CRect& rc)
{
    if (m_pTextServices == nullptr || pDC == nullptr)
        return;
    const RECTL rcBounds = {rc.left, rc.top, rc.right, rc.bottom};
    m_pTextServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, *pDC, nullptr, &rcBounds, nullptr, nullptr,
                            nullptr, 0, TXTVIEW_INACTIVE);
}

// ---------------------------------------------------------------------------
// The text host.

HRESULT CKitRichRender::XTextHost::QueryInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, kIidTextHost)) {
        *ppv = this;
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT CKitRichRender::XTextHost::TxGetClientRect(LPRECT prc)
{
    if (prc != nullptr)
        ::SetRectEmpty(prc);
    return E_FAIL;
}

HRESULT CKitRichRender::XTextHost::TxGetViewInset(LPRECT prc)
{
    ::SetRectEmpty(prc);
    return S_OK;
}

HRESULT CKitRichRender::XTextHost::TxGetCharFormat(const CHARFORMATW** ppCF)
{
    *ppCF = &m_pOwner->m_charFormat;
    return S_OK;
}

HRESULT CKitRichRender::XTextHost::TxGetParaFormat(const PARAFORMAT** ppPF)
{
    *ppPF = reinterpret_cast<const PARAFORMAT*>(&m_pOwner->m_paraFormat);
    return S_OK;
}

HRESULT CKitRichRender::XTextHost::TxGetBackStyle(TXTBACKSTYLE* pStyle)
{
    *pStyle = TXTBACK_TRANSPARENT;
    return S_OK;
}

HRESULT CKitRichRender::XTextHost::TxGetMaxLength(DWORD* pLength)
{
    *pLength = kMaxTextLength;
    return S_OK;
}

HRESULT CKitRichRender::XTextHost::TxGetScrollBars(DWORD* pdwScrollBar)
{
    *pdwScrollBar = 0;
    return S_OK;
}

HRESULT CKitRichRender::XTextHost::TxGetAcceleratorPos(LONG* pcp)
{
    *pcp = -1;
    return S_OK;
}

HRESULT CKitRichRender::XTextHost::TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits)
{
    *pdwBits = dwMask & kHostPropertyBits;
    return S_OK;
}

HRESULT CKitRichRender::XTextHost::TxNotify(DWORD iNotify, void* pv)
{
    if (iNotify == EN_REQUESTRESIZE && pv != nullptr) {
        const RECT& rc = static_cast<REQRESIZE*>(pv)->rc;
        m_pOwner->m_szNatural = CSize(rc.right - rc.left, rc.bottom - rc.top);
    }
    return S_OK;
}

HRESULT CKitRichRender::XTextHost::TxGetSelectionBarWidth(LONG* pWidth)
{
    *pWidth = 0;
    return S_OK;
}
