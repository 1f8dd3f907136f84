// CKitToolTipContext, CKitToolTipContextToolTip: a control's tooltip settings, the tool under the mouse and the tooltip windows of each style.
#pragma once

#include "framework/gdi.h"
#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"
#include "framework/wnd.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

class CKitImageManager;
class CKitToolTipContext;

// What a tool carries beyond the system's record in title or image mode: the
// record's lParam points to it.
struct KIT_TOOLINFO_EXTRA {
    LPSTR lpszTitle;
    LPSTR lpszDescription;
    CKitImageManager* pImageManager;
    // Where the tip opens (below it); empty: at the cursor.
    RECT rcExclude;
};

// One tool of the toolkit's own tooltip window.
struct TOOLITEM {
    CString strText;
    BOOL bTextCallback = FALSE;
    UINT uFlags = 0;
    // Client coordinates of the tool window.
    CRect rect;
    HINSTANCE hinst = nullptr;
    HWND hwnd = nullptr;
    UINT_PTR uId = 0;
    CRect rcExclude;

    BOOL IsNone() const { return hwnd == nullptr; }
    BOOL IsSameTool(const TOOLITEM& other) const { return hwnd == other.hwnd && uId == other.uId; }
};

// The toolkit's own tooltip window: it imitates the system tooltip control's
// messages, shows the tool under the cursor after the initial delay, and at
// once when another tip was shown or hidden shortly before.
class CKitToolTipContextToolTip : public CWnd {
    DECLARE_DYNAMIC(CKitToolTipContextToolTip)
public:
    static constexpr UINT_PTR kTimerInitial = 1;
    static constexpr UINT_PTR kTimerAutoPop = 3;
    static constexpr int kDefaultInitialDelay = 500;
    static constexpr int kDefaultReshowDelay = 200;

    explicit CKitToolTipContextToolTip(CKitToolTipContext* pContext);
    ~CKitToolTipContextToolTip() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle);

    const TOOLITEM& GetShownTool() const { return m_toolShown; }
    const TOOLITEM& GetPendingTool() const { return m_toolPending; }
    BOOL IsActive() const { return m_bActive; }
    const CString& GetTitle() const { return m_strTitle; }
    int GetToolCount() const { return static_cast<int>(m_tools.size()); }

    // The clock the delays are measured with (GetTickCount); tests set their own.
    using TickCountFn = DWORD (*)();
    static void SetTickCountFunction(TickCountFn pfn);

    // The tip's size for the tool; 0 x 0 hides it.
    virtual CSize CalcSize(CDC* pDC, TOOLITEM* pTool);
    virtual void DrawContent(CDC* pDC, TOOLITEM* pTool, CRect rc);
    virtual void DrawBackground(CDC* pDC, CRect rc);
    virtual void OnVisibilityChanged(BOOL bShown);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Text, title and icon sizes as the plain tip lays them out.
    CSize CalcPlainSize(CDC* pDC, TOOLITEM* pTool);
    void DrawPlainContent(CDC* pDC, TOOLITEM* pTool, CRect rc);
    // Left + right margin + 6, top + bottom margin + 6.
    CSize GetExtra() const;
    // The text of the tool, asked for once by TTN_GETDISPINFO when it comes by callback.
    CString GetToolText(TOOLITEM* pTool);

    CKitToolTipContext* m_pContext;

private:
    friend LRESULT CALLBACK KitToolTipMouseHook(int nCode, WPARAM wParam, LPARAM lParam);

    void AddTool(const TOOLINFOA* pTI);
    TOOLITEM* FindTool(const TOOLINFOA* pTI);
    void DeleteTool(const TOOLINFOA* pTI);
    void Activate(BOOL bActivate);
    void RelayEvent(const MSG* pMsg);
    TOOLITEM* ToolUnderCursor();
    void ShowTool(TOOLITEM* pTool);
    void Hide();
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();
    void OnDestroy();
    void SetTitleIcon(HICON hIcon, BOOL bOwned);
    void InstallMouseHook(BOOL bInstall);

    std::vector<std::unique_ptr<TOOLITEM>> m_tools;
    BOOL m_bActive;
    TOOLITEM m_toolShown;
    TOOLITEM m_toolClicked;
    TOOLITEM m_toolPending;
    CString m_strTitle;
    HICON m_hTitleIcon;
    BOOL m_bTitleIconOwned;
    BOOL m_bRegionSet;
    UINT_PTR m_nTimerInitial;
    UINT_PTR m_nTimerAutoPop;
    DWORD m_dwLastShowHide;
    int m_nInitialDelay;
    int m_nReshowDelay;
    int m_nAutoPopDelay;
};

// A control's tooltip: its settings and its tooltip window. The control hands
// every message to FilterToolTipMessage, which registers the tool under the
// mouse with the tooltip window and relays the message.
class CKitToolTipContext : public CCmdTarget {
    DECLARE_DYNAMIC(CKitToolTipContext)
public:
    enum Style {
        kStyleStandard = 0,
        kStyleBalloon = 1,
        kStyleOffice = 2,
        kStyleRichEdit = 3,
        kStyleLuna = 4,
        kStyleResource = 5,
        kStyleHtml = 6,
        kStyleMarkup = 7,
    };
    // Styling option bits beside the tooltip window styles.
    static constexpr DWORD kOptionFrame3D = 0x1000;
    static constexpr DWORD kOptionNoShadow = 0x2000;
    static constexpr DWORD kOptionResourceLook = 0x4000;
    // Asks a child window whether its parent stands for it (answer 1).
    static constexpr UINT kMsgParentStandsForChild = 10824;
    // Sets the title icon of the own tooltip window (icon in lParam).
    static constexpr UINT kMsgSetTitleIcon = 10825;
    // Balloon tips need common controls 5.80.
    static constexpr DWORD kBalloonComCtlVersion = 0x50050;

    CKitToolTipContext();
    ~CKitToolTipContext() override;

    void SetStyle(int nStyle);
    int GetStyle() const { return m_nStyle; }
    // Changes the option bits; a change destroys the current tooltip window.
    void ModifyToolTipStyle(DWORD dwRemove, DWORD dwAdd);
    DWORD GetToolTipStyle() const { return m_dwOptions; }
    void ShowTitleAndDescription(BOOL bShow = TRUE, int nTitleIcon = TTI_INFO);
    BOOL IsShowTitleAndDescription() const { return m_bShowTitleAndDescription; }
    int GetTitleIcon() const { return m_nTitleIcon; }
    void ShowImage(BOOL bShow, int nImageBase = 0, int nImageWidth = 1);
    void SetMaxTipWidth(int nWidth) { m_nMaxTipWidth = nWidth; }
    int GetMaxTipWidth() const { return m_nMaxTipWidth; }
    void SetMargin(const CRect& rc) { m_rcMargin = rc; }
    const CRect& GetMargin() const { return m_rcMargin; }
    // nWhich: TTDT_RESHOW, TTDT_AUTOPOP or TTDT_INITIAL; -1 is the window's default.
    void SetDelayTime(DWORD nWhich, int nTime);
    void SetTipBkColor(COLORREF clr) { m_clrBack = clr; }
    void SetTipTextColor(COLORREF clr) { m_clrText = clr; }
    // The colours in force (defaults resolved).
    COLORREF GetTipBkColor() const;
    COLORREF GetTipTextColor() const;
    void SetStripTrailingDots(BOOL bStrip) { m_bStripDots = bStrip; }
    CFont* GetFont() { return &m_font; }
    CFont* GetBoldFont() { return &m_fontBold; }
    DWORD GetComCtlVersion() const { return m_dwComCtlVersion; }
    CWnd* GetToolTip() const { return m_pToolTip.get(); }

    // The control's message: mouse messages make the tool under the cursor the
    // tooltip's tool and go on to the tooltip window; a key or a button press cancels the tips.
    void FilterToolTipMessage(CWnd* pOwner, UINT message, WPARAM wParam, LPARAM lParam);
    void FilterToolTipMessage(CWnd* pOwner, MSG* pMsg);
    // Deactivates the tooltip window.
    void CancelToolTips();

    // Fills a tool record (size at least the first system size): window,
    // rectangle, id and a heap copy of the text, which the context frees.
    static void FillInToolInfo(TOOLINFOA* pTI, HWND hWnd, const CRect& rc, INT_PTR nID, LPCSTR lpszText);
    // As FillInToolInfo; an extended record also gets heap copies of title and
    // description (when both are given) and the image manager.
    static void FillInToolInfoEx(TOOLINFOA* pTI, HWND hWnd, const CRect& rc, INT_PTR nID, LPCSTR lpszText,
                                 LPCSTR lpszTitle = nullptr, LPCSTR lpszDescription = nullptr,
                                 CKitImageManager* pImageManager = nullptr);

    // Removes three final dots from a text of at least 4 characters.
    static void StripTrailingDots(CString& strText);
    // The window under the point; a child that answers kMsgParentStandsForChild with 1 gives its parent.
    static HWND WindowFromPoint(POINT point);

    // Makes the tooltip window of the style, parented to pOwner.
    virtual CWnd* CreateToolTip(CWnd* pOwner);
    virtual INT_PTR OnToolHitTest(CWnd* pWnd, CPoint point, TOOLINFOA* pTI);
    virtual void DrawBackground(CDC* pDC, CRect rc);

    class CStandardToolTip;
    class CLunaToolTip;
    class CRichEditToolTip;
    class CMarkupToolTip;
    class CHTMLToolTip;

private:
    void DestroyToolTip();
    // Sets up a new tooltip window: font, width, margins, colours, delays, inactive.
    void InitToolTip();
    void RegisterTool(CWnd* pOwner, TOOLINFOA& ti, KIT_TOOLINFO_EXTRA& extra, INT_PTR nHit, MSG* pMsg);
    void RelayToToolTip(const MSG* pMsg);
    static void FreeToolTexts(TOOLINFOA& ti, KIT_TOOLINFO_EXTRA* pExtra);

    BOOL m_bShowTitleAndDescription;
    BOOL m_bShowImage;
    int m_nImageWidth;
    int m_nImageBase;
    int m_nStyle;
    DWORD m_dwComCtlVersion;
    int m_nTitleIcon;
    int m_nMaxTipWidth;
    DWORD m_dwOptions;
    CRect m_rcMargin;
    int m_nDelayInitial;
    int m_nDelayReshow;
    int m_nDelayAutoPop;
    std::unique_ptr<CWnd> m_pToolTip;
    HWND m_hwndToolTipOwner;
    TOOLINFOA m_lastTool;
    COLORREF m_clrBack;
    COLORREF m_clrText;
    CFont m_font;
    CFont m_fontBold;
    BOOL m_bStripDots;
};
