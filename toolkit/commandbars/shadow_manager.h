// CKitShadowManager and its CShadowWnd: soft drop shadows under popup windows, thin layered strips that follow their owner.
#pragma once

#include "framework/wnd.h"
#include "toolkit/commandbars/hook_manager.h"
#include "toolkit/common/upper_services.h"

#include <windows.h>

#include <list>
#include <vector>

class CKitShadowManager : public CCmdTarget, public CKitShadowCaster {
    DECLARE_DYNAMIC(CKitShadowManager)
public:
    class CShadowWnd;
    using CShadowList = std::list<CShadowWnd*>;

    // The kinds of shadow window.
    enum ShadowKind {
        kShadowRight = 0,  // the strip along the right edge
        kShadowBottom = 1, // the strip along the bottom edge
        kShadowCorner = 2, // the corner pixel of a popup with a rounded region
    };
    // The manager's flags are the caster's (kFlagAlways, kFlagCutControl, kFlagControls).
    // The strips' thickness with and without per-pixel alpha.
    static constexpr int kAlphaThickness = 4;
    static constexpr int kPlainThickness = 2;

    // Binds UpdateLayeredWindow; alpha shadows need it and more than 256 colours.
    CKitShadowManager();
    ~CKitShadowManager() override;

    // Casts the shadows of a popup window: the bottom and the right strip, and
    // the corner pixel when the popup has a complex region. rcExclude (screen
    // coordinates) is the control the popup drops from.
    void SetShadow(CWnd* pPopup, const CRect& rcExclude, BOOL bGroup = FALSE) override;
    // With the flags kFlagControls: shadows for a control's rectangle (screen coordinates).
    void SetShadowRect(const CRect& rc, CWnd* pOwner);
    // Removes every shadow of the owner.
    void RemoveShadow(CWnd* pOwner);
    // Follows a change of the owner's size by dx and dy.
    void OffsetShadow(CWnd* pOwner, CSize szOffset);

    int GetFlags() const { return m_nFlags; }
    void SetFlags(int nFlags) override { m_nFlags = nFlags; }
    void ReleaseCaster() override { InternalRelease(); }
    COLORREF GetShadowColor() const { return m_clrShadow; }
    void SetShadowColor(COLORREF clr) { m_clrShadow = clr; }
    BOOL IsAlphaSupported() const { return m_bAlphaShadow; }
    const CShadowList& GetShadows() const { return m_lstShadow; }

    // The premultiplied pixels (alpha in bits 24-31, red in 16-23, top row
    // first) of a shadow of that kind and size; nFactor 2 is the full shadow, 1 the half.
    static std::vector<DWORD> MakeShadowImage(int nKind, int cx, int cy, int nFactor, COLORREF clrShadow);

protected:
    // The system's drop-shadow setting.
    virtual BOOL IsSystemShadowEnabled() const;

private:
    friend class CShadowWnd;
    using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                DWORD);

    // Makes and shows one shadow of the owner's rectangle; null when its window cannot be made.
    CShadowWnd* CreateShadow(int nKind, CWnd* pOwner, const CRect& rcOwner, const CRect& rcExclude, BOOL bGroup,
                             BOOL bControl);
    // Shortens a new strip that would overlap an existing strip of the other kind.
    void JoinStrips(int nKind, CRect& rc) const;
    // The window region of a new shadow: the exclude rectangle and the other owners of its group cut out.
    HRGN MakeShadowRegion(const CShadowWnd* pShadow, const CRect& rc, const CRect& rcExclude) const;
    void Forget(CShadowWnd* pShadow);

    int m_nClassStyle;
    UpdateLayeredWindowFn m_pfnUpdateLayeredWindow;
    CShadowList m_lstShadow;
    BOOL m_bAlphaShadow;
    int m_nFlags;
    COLORREF m_clrShadow;
};

// One shadow window; it watches its owner to follow its showing and destruction.
class CKitShadowManager::CShadowWnd : public CWnd, public CKitHookManagerHookAble {
    DECLARE_DYNAMIC(CShadowWnd)
public:
    CShadowWnd(CKitShadowManager* pManager, int nKind, HWND hOwner, BOOL bGroup, BOOL bControl);

    BOOL Create(HWND hWndParent, BOOL bLayered, int nClassStyle);
    int GetKind() const { return m_nKind; }
    HWND GetOwnerWindow() const { return m_hOwner; }
    BOOL IsGroup() const { return m_bGroup; }
    BOOL IsControlShadow() const { return m_bControl; }
    BOOL HasRegion() const { return m_bHasRegion; }
    void SetHasRegion(BOOL bHasRegion) { m_bHasRegion = bHasRegion; }
    // The picture the shadow puts on screen (premultiplied, top row first).
    std::vector<DWORD> GetImage() const;

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

protected:
    void PostNcDestroy() override;
    // Puts the layered picture on screen at the window's place.
    void UpdateLayered();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    int m_nKind;
    BOOL m_bHasRegion;
    HWND m_hOwner;
    BOOL m_bGroup;
    BOOL m_bControl;
    CKitShadowManager* m_pManager;

    DECLARE_MESSAGE_MAP()
};
