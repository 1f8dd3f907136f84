#include "toolkit/common/tooltip_html.h"
#include "framework/ids.h"

#include <exdisp.h>
#include <mshtml.h>
#include <mshtmhst.h>
#include <oleidl.h>

#include <algorithm>

namespace {

constexpr int kFirstSize = 200;
constexpr int kProbeWidth = 650;
constexpr int kProbeHeight = 200;
constexpr LPCSTR kDefaultFace = "Arial";
constexpr int kDefaultFontHeight = 11;
constexpr DWORD kHostFlags =
    DOCHOSTUIFLAG_DIALOG | DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_THEME;
constexpr DWORD kPumpSlice = 10;

DWORD g_dwLoadTimeout = CKitToolTipContext::CHTMLToolTip::kDefaultLoadTimeout;

// Releases a COM pointer and clears it.
template <class T>
void ReleaseAndClear(T*& p)
{
    if (p != nullptr)
        p->Release();
    p = nullptr;
}

BSTR ToBstr(LPCSTR lpszText)
{
    const int nLength = ::MultiByteToWideChar(CP_ACP, 0, lpszText, -1, nullptr, 0);
    BSTR bstr = ::SysAllocStringLen(nullptr, nLength > 0 ? static_cast<UINT>(nLength - 1) : 0);
    if (bstr != nullptr && nLength > 0)
        ::MultiByteToWideChar(CP_ACP, 0, lpszText, -1, bstr, nLength);
    return bstr;
}

} // namespace

// The browser's site in the tip: the in-place site the control needs to show
// in the tip's window, and the document host that keeps it plain (no border,
// scroll bars or context menu). It lives as long as the tip; counts are not kept.
class CKitToolTipContext::CHTMLToolTip::XSite : public IOleClientSite, public IOleInPlaceSite, public IDocHostUIHandler {
public:
    explicit XSite(HWND hWnd) : m_hWnd(hWnd) {}
    virtual ~XSite() = default;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
            *ppv = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(riid, IID_IOleInPlaceSite) || IsEqualIID(riid, IID_IOleWindow))
            *ppv = static_cast<IOleInPlaceSite*>(this);
        else if (IsEqualIID(riid, IID_IDocHostUIHandler))
            *ppv = static_cast<IDocHostUIHandler*>(this);
        else
            *ppv = nullptr;
        return *ppv != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override
    {
        *ppContainer = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phWnd) override
    {
        *phWnd = m_hWnd;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                               LPRECT lprcPosRect, LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo) override
    {
        *ppFrame = nullptr;
        *ppDoc = nullptr;
        ::GetClientRect(m_hWnd, lprcPosRect);
        ::GetClientRect(m_hWnd, lprcClipRect);
        if (lpFrameInfo != nullptr) {
            lpFrameInfo->fMDIApp = FALSE;
            lpFrameInfo->hwndFrame = m_hWnd;
            lpFrameInfo->haccel = nullptr;
            lpFrameInfo->cAccelEntries = 0;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IDocHostUIHandler
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* pInfo) override
    {
        pInfo->dwFlags = kHostFlags;
        pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                     IOleInPlaceUIWindow*) override
    {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE HideUI() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UpdateUI() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** ppDispatch) override
    {
        *ppDispatch = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut) override
    {
        *ppchURLOut = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** ppDORet) override
    {
        *ppDORet = nullptr;
        return E_NOTIMPL;
    }

private:
    HWND m_hWnd;
};

CKitToolTipContext::CHTMLToolTip::CHTMLToolTip(CKitToolTipContext* pContext)
    : CKitToolTipContextToolTip(pContext), m_pOleObject(nullptr), m_pBrowser(nullptr), m_bCreateTried(FALSE),
      m_dwLoadTimeout(g_dwLoadTimeout)
{
}

CKitToolTipContext::CHTMLToolTip::~CHTMLToolTip()
{
    DestroyBrowser();
}

void CKitToolTipContext::CHTMLToolTip::SetLoadTimeout(DWORD dwMilliseconds)
{
    g_dwLoadTimeout = dwMilliseconds;
}

void CKitToolTipContext::CHTMLToolTip::DestroyBrowser()
{
    if (m_pOleObject != nullptr) {
        m_pOleObject->Close(OLECLOSE_NOSAVE);
        m_pOleObject->SetClientSite(nullptr);
    }
    ReleaseAndClear(m_pBrowser);
    ReleaseAndClear(m_pOleObject);
}

BOOL CKitToolTipContext::CHTMLToolTip::CreateBrowser()
{
    m_bCreateTried = TRUE;
    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&m_pOleObject))))
        return FALSE;
    m_pSite = std::make_unique<XSite>(m_hWnd);
    const CRect rcFirst(0, 0, kFirstSize, kFirstSize);
    if (FAILED(m_pOleObject->SetClientSite(m_pSite.get())) ||
        FAILED(m_pOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_pSite.get(), 0, m_hWnd, &rcFirst)) ||
        FAILED(m_pOleObject->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_pBrowser)))) {
        DestroyBrowser();
        return FALSE;
    }
    IOleWindow* pWindow = nullptr;
    if (SUCCEEDED(m_pOleObject->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&pWindow)))) {
        HWND hBrowser = nullptr;
        if (SUCCEEDED(pWindow->GetWindow(&hBrowser)) && hBrowser != nullptr)
            ::SetWindowLongPtrA(hBrowser, GWLP_ID, AFX_IDW_PANE_FIRST);
        pWindow->Release();
    }

    // The blank page in the tip's font and colours.
    LOGFONTA lf = {};
    CString strFace = kDefaultFace;
    int nHeight = kDefaultFontHeight;
    if (::GetObjectA(static_cast<HFONT>(*m_pContext->GetFont()), sizeof(lf), &lf) != 0) {
        strFace = lf.lfFaceName;
        nHeight = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    }
    const COLORREF clrBack = m_pContext->GetTipBkColor();
    CString strColor;
    strColor.Format("#%0.2x%0.2x%0.2x", GetRValue(clrBack), GetGValue(clrBack), GetBValue(clrBack));
    CString strPage;
    strPage.Format("about:<head><style> body {font-family:%s; font-size:%i;}table {font-family:%s; font-size:%i;}"
                   "</style></head><body topmargin=0 leftmargin=0 bottommargin=0 rightmargin=0 bgColor=%s></body>",
                   static_cast<LPCSTR>(strFace), nHeight, static_cast<LPCSTR>(strFace), nHeight,
                   static_cast<LPCSTR>(strColor));
    BSTR bstrPage = ToBstr(strPage);
    const HRESULT hr = m_pBrowser->Navigate(bstrPage, nullptr, nullptr, nullptr, nullptr);
    ::SysFreeString(bstrPage);

    // The thread's messages are pumped until the page is complete, at most for
    // the timeout; a quit ends the wait and is posted again for the program's loop.
    READYSTATE state = READYSTATE_UNINITIALIZED;
    const DWORD dwStart = ::GetTickCount();
    BOOL bQuit = FALSE;
    while (!bQuit && SUCCEEDED(hr) && SUCCEEDED(m_pBrowser->get_ReadyState(&state)) && state != READYSTATE_COMPLETE &&
           ::GetTickCount() - dwStart < m_dwLoadTimeout) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                bQuit = TRUE;
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (!bQuit)
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPumpSlice, QS_ALLINPUT);
    }
    if (state != READYSTATE_COMPLETE) {
        DestroyBrowser();
        return FALSE;
    }
    return TRUE;
}

void CKitToolTipContext::CHTMLToolTip::SetBrowserRect(const CRect& rc)
{
    IOleInPlaceObject* pInPlace = nullptr;
    if (m_pOleObject != nullptr &&
        SUCCEEDED(m_pOleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&pInPlace)))) {
        pInPlace->SetObjectRects(&rc, &rc);
        pInPlace->Release();
    }
}

// The document's body, or null; the caller releases it.
IHTMLElement* CKitToolTipContext::CHTMLToolTip::GetBody()
{
    IDispatch* pDispatch = nullptr;
    IHTMLDocument2* pDocument = nullptr;
    IHTMLElement* pBody = nullptr;
    if (SUCCEEDED(m_pBrowser->get_Document(&pDispatch)) && pDispatch != nullptr &&
        SUCCEEDED(pDispatch->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&pDocument))))
        pDocument->get_body(&pBody);
    ReleaseAndClear(pDocument);
    ReleaseAndClear(pDispatch);
    return pBody;
}

BOOL CKitToolTipContext::CHTMLToolTip::SetBodyHtml(LPCSTR lpszHtml)
{
    IHTMLElement* pBody = GetBody();
    if (pBody == nullptr)
        return FALSE;
    BSTR bstrHtml = ToBstr(lpszHtml);
    const BOOL bDone = SUCCEEDED(pBody->put_innerHTML(bstrHtml));
    ::SysFreeString(bstrHtml);
    pBody->Release();
    return bDone;
}

BOOL CKitToolTipContext::CHTMLToolTip::GetScrollSize(CSize& size)
{
    IHTMLElement* pBody = GetBody();
    IHTMLTextContainer* pContainer = nullptr;
    BOOL bDone = FALSE;
    if (pBody != nullptr &&
        SUCCEEDED(pBody->QueryInterface(IID_IHTMLTextContainer, reinterpret_cast<void**>(&pContainer)))) {
        LONG cx = 0;
        LONG cy = 0;
        bDone = SUCCEEDED(pContainer->get_scrollWidth(&cx)) && SUCCEEDED(pContainer->get_scrollHeight(&cy));
        size = CSize(cx, cy);
    }
    ReleaseAndClear(pContainer);
    ReleaseAndClear(pBody);
    return bDone;
}

// The narrowest width whose height is no more than at the probe size.
CSize CKitToolTipContext::CHTMLToolTip::CalcSize(CDC*, TOOLITEM* pTool)
{
    const CString strText = GetToolText(pTool);
    if (strText.IsEmpty())
        return CSize(0, 0);
    if (m_pBrowser == nullptr && (m_bCreateTried || !CreateBrowser()))
        return CSize(0, 0);
    if (!SetBodyHtml(strText))
        return CSize(0, 0);
    SetBrowserRect(CRect(0, 0, kProbeWidth, kProbeHeight));
    CSize szScroll;
    if (!GetScrollSize(szScroll))
        return CSize(0, 0);
    const int nReference = szScroll.cy;
    int nMaxWidth = m_pContext->GetMaxTipWidth();
    if (nMaxWidth <= 0)
        nMaxWidth = ::GetSystemMetrics(SM_CXSCREEN);
    int nLow = 0;
    int nHigh = 2 * nMaxWidth;
    int nResult = nMaxWidth;
    int nHeight = nReference;
    while (nLow <= nHigh) {
        const int nMid = (nLow + nHigh) / 2;
        SetBrowserRect(CRect(0, 0, nMid, kProbeHeight));
        if (!GetScrollSize(szScroll))
            break;
        if (szScroll.cx > nMid && szScroll.cy <= nReference) {
            nResult = szScroll.cx;
            nHeight = szScroll.cy;
            break;
        }
        if (szScroll.cx > nMid) {
            nLow = nMid + 1;
        } else if (szScroll.cy <= nReference) {
            nResult = nMid;
            nHeight = szScroll.cy;
            nHigh = nMid - 1;
        } else {
            nLow = nMid + 1;
        }
    }
    const CRect& rcMargin = m_pContext->GetMargin();
    SetBrowserRect(CRect(CPoint(rcMargin.left + 3, rcMargin.top + 3), CSize(nResult, nHeight)));
    const CSize szExtra = GetExtra();
    return CSize(nResult + szExtra.cx, nHeight + szExtra.cy);
}

void CKitToolTipContext::CHTMLToolTip::DrawContent(CDC* pDC, TOOLITEM*, CRect)
{
    if (m_bmpCache.GetSafeHandle() == nullptr)
        return;
    const CRect& rcMargin = m_pContext->GetMargin();
    BITMAP bm = {};
    ::GetObjectA(m_bmpCache.GetSafeHandle(), sizeof(bm), &bm);
    HDC hdcCache = ::CreateCompatibleDC(*pDC);
    HGDIOBJ hOld = ::SelectObject(hdcCache, m_bmpCache.GetSafeHandle());
    ::BitBlt(*pDC, rcMargin.left + 3, rcMargin.top + 3, bm.bmWidth, bm.bmHeight, hdcCache, 0, 0, SRCCOPY);
    ::SelectObject(hdcCache, hOld);
    ::DeleteDC(hdcCache);
}

void CKitToolTipContext::CHTMLToolTip::OnVisibilityChanged(BOOL bShown)
{
    if (!bShown)
        m_bmpCache.DeleteObject();
}
