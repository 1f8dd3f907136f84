// CKitToolTipContext::CHTMLToolTip: the tooltip whose text is HTML shown in the system's browser control.
#pragma once

#include "toolkit/common/tooltip_context.h"

#include <windows.h>

#include <memory>

struct IHTMLElement;
struct IOleObject;
struct IWebBrowser2;

// The browser control is a child of the tip, made on first use; when the
// platform has no browser engine, or its blank page does not finish loading
// in time, tips measure 0 x 0 and do not show.
class CKitToolTipContext::CHTMLToolTip : public CKitToolTipContextToolTip {
public:
    // How long the first page may take to load.
    static constexpr DWORD kDefaultLoadTimeout = 5000;

    explicit CHTMLToolTip(CKitToolTipContext* pContext);
    ~CHTMLToolTip() override;

    CSize CalcSize(CDC* pDC, TOOLITEM* pTool) override;
    void DrawContent(CDC* pDC, TOOLITEM* pTool, CRect rc) override;
    void OnVisibilityChanged(BOOL bShown) override;

    // The load timeout of tips made from now on; tests shorten it.
    static void SetLoadTimeout(DWORD dwMilliseconds);
    BOOL HasBrowser() const { return m_pBrowser != nullptr; }

    class XSite;

private:
    // Creates the control and loads its blank page; FALSE when either fails.
    BOOL CreateBrowser();
    void DestroyBrowser();
    void SetBrowserRect(const CRect& rc);
    // The body's scroll size at the control's present size; FALSE without a document.
    BOOL GetScrollSize(CSize& size);
    BOOL SetBodyHtml(LPCSTR lpszHtml);
    IHTMLElement* GetBody();

    std::unique_ptr<XSite> m_pSite;
    IOleObject* m_pOleObject;
    IWebBrowser2* m_pBrowser;
    BOOL m_bCreateTried;
    DWORD m_dwLoadTimeout;
    CBitmap m_bmpCache;
};
