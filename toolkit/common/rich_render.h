// CKitRichRender: rich text (RTF) or plain text measured and drawn on any device context without a window.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"

#include <windows.h>

#include <richedit.h>
#include <textserv.h>

class CDC;

// Hosts the system's windowless rich-edit text services ("RICHED20.dll").
// Without them every operation does nothing and sizes are 0 x 0.
class CKitRichRender : public CCmdTarget {
    DECLARE_DYNAMIC(CKitRichRender)
public:
    CKitRichRender();
    ~CKitRichRender() override;
    CKitRichRender(const CKitRichRender&) = delete;
    CKitRichRender& operator=(const CKitRichRender&) = delete;

    BOOL HasTextServices() const { return m_pTextServices != nullptr; }

    void SetDefaultCharFormat(const CHARFORMATW& cf);
    const CHARFORMATW& GetDefaultCharFormat() const { return m_charFormat; }
    // The characters read: a text starting with "{" is read as RTF when that
    // reads anything, else (and otherwise) as plain text.
    LRESULT SetText(LPCSTR lpszText);
    // The narrowest size that does not make the text taller than in nMaxWidth.
    void GetTextExtent(CSize& size, CDC* pDC, int nMaxWidth);
    void Draw(CDC* pDC, const CRect& rc);

    // What the text services asked for last (EN_REQUESTRESIZE).
    CSize GetNaturalSize() const { return m_szNatural; }

private:
    // The text host: answers the text services as a transparent, multi-line,
    // word-wrapping rich text without a window.
    class XTextHost : public ITextHost {
    public:
        explicit XTextHost(CKitRichRender* pOwner) : m_pOwner(pOwner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HDC TxGetDC() override { return nullptr; }
        INT TxReleaseDC(HDC) override { return 0; }
        WINBOOL TxShowScrollBar(INT, WINBOOL) override { return FALSE; }
        WINBOOL TxEnableScrollBar(INT, INT) override { return FALSE; }
        WINBOOL TxSetScrollRange(INT, LONG, INT, WINBOOL) override { return FALSE; }
        WINBOOL TxSetScrollPos(INT, INT, WINBOOL) override { return FALSE; }
        void TxInvalidateRect(LPCRECT, WINBOOL) override {}
        void TxViewChange(WINBOOL) override {}
        WINBOOL TxCreateCaret(HBITMAP, INT, INT) override { return FALSE; }
        WINBOOL TxShowCaret(WINBOOL) override { return FALSE; }
        WINBOOL TxSetCaretPos(INT, INT) override { return FALSE; }
        WINBOOL TxSetTimer(UINT, UINT) override { return FALSE; }
        void TxKillTimer(UINT) override {}
        void TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) override {}
        void TxSetCapture(WINBOOL) override {}
        void TxSetFocus() override {}
        void TxSetCursor(HCURSOR, WINBOOL) override {}
        WINBOOL TxScreenToClient(LPPOINT) override { return FALSE; }
        WINBOOL TxClientToScreen(LPPOINT) override { return FALSE; }
        HRESULT TxActivate(LONG*) override { return E_FAIL; }
        HRESULT TxDeactivate(LONG) override { return E_FAIL; }
        // No client rectangle; the rectangle is left empty for services that read it anyway.
        HRESULT TxGetClientRect(LPRECT prc) override;
        HRESULT TxGetViewInset(LPRECT prc) override;
        HRESULT TxGetCharFormat(const CHARFORMATW** ppCF) override;
        HRESULT TxGetParaFormat(const PARAFORMAT** ppPF) override;
        COLORREF TxGetSysColor(int nIndex) override { return ::GetSysColor(nIndex); }
        HRESULT TxGetBackStyle(TXTBACKSTYLE* pStyle) override;
        HRESULT TxGetMaxLength(DWORD* pLength) override;
        HRESULT TxGetScrollBars(DWORD* pdwScrollBar) override;
        HRESULT TxGetPasswordChar(TCHAR*) override { return S_FALSE; }
        HRESULT TxGetAcceleratorPos(LONG* pcp) override;
        HRESULT TxGetExtent(LPSIZEL) override { return E_NOTIMPL; }
        HRESULT OnTxCharFormatChange(const CHARFORMATW*) override { return E_FAIL; }
        HRESULT OnTxParaFormatChange(const PARAFORMAT*) override { return E_FAIL; }
        HRESULT TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) override;
        HRESULT TxNotify(DWORD iNotify, void* pv) override;
        HIMC TxImmGetContext() override { return nullptr; }
        void TxImmReleaseContext(HIMC) override {}
        HRESULT TxGetSelectionBarWidth(LONG* pWidth) override;

    private:
        CKitRichRender* m_pOwner;
    };

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);
    // Streams the text in with the format (SF_RTF, SF_TEXT); the characters read.
    LRESULT StreamIn(LPCSTR lpszText, size_t nLength, UINT nFormat);
    // Draws into a rectangle nWidth wide and 1 high, which makes the services report the size they need.
    void Probe(HDC hdc, int nWidth);

    XTextHost m_xTextHost;
    ITextServices* m_pTextServices;
    CHARFORMATW m_charFormat;
    PARAFORMAT2 m_paraFormat;
    CSize m_szNatural;
    HMODULE m_hRichEdit;
};
