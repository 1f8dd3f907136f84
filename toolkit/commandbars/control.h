// CKitControl, CKitControlButton, CKitControlPopup: the items of a command bar (edits and combo boxes in control_edit.h and control_combo.h).
#pragma once

#include "framework/collections.h"
#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"
#include "toolkit/common/accessible.h"

#include <windows.h>
#include <commctrl.h>

class CDC;
class CKitBarPainter;
class CKitImageManagerIcon;
class CKitCommandBar;
class CKitControl;
class CKitControlAction;
class CKitCommandBarList;
class CKitImageManager;
class CKitControls;
class CKitPropExchange;
class CKitRibbonGroup;
class CWnd;

// Control types.
enum KitControlType {
    kitControlError = 0,
    kitControlButton = 1,
    kitControlPopup = 2,
    kitControlButtonPopup = 3,
    kitControlSplitButtonPopup = 4,
    kitControlComboBox = 5,
    kitControlEdit = 6,
    kitControlCustom = 7,
    kitControlLabel = 8,
    kitControlCheckBox = 9,
    kitControlGallery = 10,
    kitControlRadioButton = 11,
};

// Button styles.
enum KitButtonStyle {
    kitButtonAutomatic = 0,
    kitButtonCaption = 1,
    kitButtonIcon = 2,
    kitButtonIconAndCaption = 3,
    kitButtonIconAndCaptionBelow = 4,
    kitButtonCaptionAndDescription = 5,
};

// Hide flags: the control is shown only when none is set (apart from those a caller skips).
enum KitHideFlag : DWORD {
    kitHideUser = 1,
    kitHideWrap = 2,
    kitHideScroll = 4,
    kitHideExpand = 8,
    kitHideCustomize = 16,
    kitHideGeneric = 32,
    kitHideDocTemplate = 64,
    // The bits a copy drops.
    kitHideLayoutMask = kitHideWrap | kitHideScroll | kitHideExpand | kitHideGeneric,
};

// Control flags.
enum KitControlFlag : DWORD {
    kitFlagRightAlign = 1,
    kitFlagSkipFocus = 2,
    // A popup control whose popup opens leftwards.
    kitFlagOpenLeft = 4,
    kitFlagManualUpdate = 8,
    kitFlagNoMovable = 16,
    kitFlagControlStretched = 32,
    // Shows its tooltip in popup bars too.
    kitFlagShowTooltip = 64,
    kitFlagWrapRow = 128,
};

// A control's selection states.
enum KitControlSelection {
    kitSelectedNone = 0,
    kitSelectedMouse = 1,
    kitSelectedKeyboard = 2,
    kitSelectedKeyboardBack = 3,
    kitSelectedSplitCommand = 4,
    kitSelectedSplitDropDown = 5,
};

// IsEnabled of a split button with one part disabled.
constexpr int kitSplitDropDownDisabled = 4;
constexpr int kitSplitCommandDisabled = 5;

// The tracking mode of a bar whose popup is open.
constexpr int kitTrackingModePopup = 2;

// The command-target call (id, code) that asks a control, a ribbon group or a ribbon tab to redraw.
constexpr UINT kitRedrawCommandId = 1;
constexpr int kitRedrawCommandCode = -2;

// The notification a control sends its site before its command.
constexpr int kitNotifyExecute = 100;
// The site message that carries a control's notification record.
constexpr UINT WM_KIT_CONTROL_NOTIFY = 0x2862;

// The record of a control's notification: the header, then the control.
struct NMKITCONTROL {
    NMHDR hdr;
    CKitControl* pControl;
};

// A command-bar item: command id, texts, icon, state and layout rectangle.
class CKitControl : public CCmdTarget, public CKitAccessible {
    DECLARE_DYNCREATE(CKitControl)
public:
    // Document-template resource ids, each with a value.
    class CDocTemplateMap : public CMap<UINT, UINT, int, int> {
    public:
        CDocTemplateMap() : CMap(10) { InitHashTable(17); }
        void Copy(const CDocTemplateMap& source);
        BOOL Contains(UINT nTemplate) const;
    };

    explicit CKitControl(int nType = kitControlButton) : m_nType(nType) {}
    ~CKitControl() override;
    CKitControl(const CKitControl&) = delete;
    CKitControl& operator=(const CKitControl&) = delete;

    int GetType() const { return m_nType; }
    // Only the controls collection rewrites the type (among the popup kinds).
    void SetType(int nType) { m_nType = nType; }
    UINT GetId() const { return m_nId; }
    // Loads the id's string resource into the empty texts, then stores the id.
    void SetId(UINT nId);
    int GetIndex() const { return m_nIndex; }
    DWORD_PTR GetTag() const { return m_nTag; }
    void SetTag(DWORD_PTR nTag) { m_nTag = nTag; }
    UINT GetHelpId() const { return m_nHelpId; }
    void SetHelpId(UINT nId) { m_nHelpId = nId; }

    // Texts. The custom caption, else the own, else the action's.
    virtual CString GetCaption() const;
    // A tab splits off the automatic shortcut text.
    void SetCaption(LPCSTR lpszCaption);
    void SetCaptionFromResource(UINT nId);
    void SetCustomCaption(LPCSTR lpszCaption) { m_strCustomCaption = lpszCaption; }
    virtual CString GetDescription() const;
    void SetDescription(LPCSTR lpszDescription) { m_strDescription = lpszDescription; }
    virtual CString GetTooltip() const;
    void SetTooltip(LPCSTR lpszTooltip) { m_strTooltip = lpszTooltip; }
    // The own shortcut text, else the action's, else the automatic one.
    CString GetShortcutText() const;
    void SetShortcutText(LPCSTR lpszText) { m_strShortcutText = lpszText; }
    const CString& GetShortcutTextAuto() const { return m_strShortcutTextAuto; }
    void SetShortcutTextAuto(LPCSTR lpszText) { m_strShortcutTextAuto = lpszText; }
    CString GetParameter() const { return m_strParameter; }
    void SetParameter(LPCSTR lpszParameter) { m_strParameter = lpszParameter; }
    CString GetKeyboardTip() const;
    // The templates this control is shown for (none: all) and hidden for.
    CDocTemplateMap* GetDocTemplatesAssigned() { return &m_docTemplatesAssigned; }
    CDocTemplateMap* GetDocTemplatesExcluded() { return &m_docTemplatesExcluded; }
    // Sets or clears the template hide flag for the active template; whether it changed.
    BOOL UpdateDocTemplateVisibility(UINT nTemplate);
    void SetKeyboardTip(LPCSTR lpszTip) { m_strKeyboardTip = lpszTip; }
    const CString& GetCategory() const { return m_strCategory; }
    void SetCategory(LPCSTR lpszCategory) { m_strCategory = lpszCategory; }

    // The custom icon id, else the own one when positive, else the action's, else the command id.
    UINT GetIconId() const;
    void SetIconId(UINT nId) { m_nIconId = nId; }
    UINT GetCustomIconId() const { return m_nCustomIconId; }
    void SetCustomIconId(UINT nId) { m_nCustomIconId = nId; }
    // The custom width and height (0: measured).
    CSize GetCustomSize() const { return CSize(m_nWidth, m_nHeight); }
    void SetCustomSize(CSize size)
    {
        SetWidth(size.cx);
        SetHeight(size.cy);
    }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    virtual void SetWidth(int nWidth);
    virtual void SetHeight(int nHeight);
    // The control's own icon size, else the parent bar's.
    virtual CSize GetIconSize() const;
    void SetIconSize(CSize size) { m_szIcon = size; }
    virtual CSize GetButtonSize() const;
    // The image manager's icon for the control's icon id at the width, or null.
    virtual CKitImageManagerIcon* GetIcon(int nWidth) const;
    // Whether the control shows a drop-down arrow after its caption.
    virtual BOOL HasDropDownArrow() const { return FALSE; }
    // Whether the caption is drawn: always in popup bars, else after the style and the type.
    virtual BOOL IsCaptionVisible() const;
    void SetCaptionVisible(BOOL bVisible) { m_bCaptionVisible = bVisible; }

    // The effective button style: custom, else own, else default, else the parent bar's default.
    int GetStyle() const;
    void SetStyle(int nStyle) { m_nButtonStyle = nStyle; }
    void SetCustomStyle(int nStyle) { m_nButtonCustomStyle = nStyle; }
    int GetDefaultStyle() const { return m_nButtonDefaultStyle; }
    void SetDefaultStyle(int nStyle) { m_nButtonDefaultStyle = nStyle; }

    // The own checked state, or the action's when it is -1.
    int GetChecked() const;
    virtual void SetChecked(int nChecked);
    // The bar's override, else the own state, else the action's (4 and 5: one part of a split button).
    int IsEnabled() const;
    int GetEnabledState() const { return m_nEnabled; }
    virtual void SetEnabled(int nEnabled);
    virtual int GetSelected() const { return m_nSelected; }
    // Changes the selection state; FALSE when it was the same.
    virtual BOOL OnSetSelected(int nSelected);
    void SetSelected(int nSelected) { m_nSelected = nSelected; }
    virtual int GetPressed() const { return m_nPressed; }
    void SetPressed(int nPressed) { m_nPressed = nPressed; }
    BOOL GetPopuped() const { return m_bPopuped; }
    void SetPopuped(BOOL bPopuped) { m_bPopuped = bPopuped; }
    virtual void SetFocused(BOOL /*bFocused*/) {}
    virtual BOOL IsFocused() const { return FALSE; }
    virtual BOOL IsFocusable() const { return FALSE; }

    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    virtual void SetBeginGroup(BOOL bBeginGroup);
    BOOL IsCaptionBold() const { return m_bBoldCaption || m_bDefaultItem; }
    void SetCaptionBold(BOOL bBold) { m_bBoldCaption = bBold; }
    BOOL IsDefaultItem() const { return m_bDefaultItem; }
    void SetDefaultItem(BOOL bDefault) { m_bDefaultItem = bDefault; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    virtual void SetHideFlags(DWORD dwFlags) { m_dwHideFlags = dwFlags; }
    // Clears hide flag 1 when shown, sets it when hidden.
    void SetHideFlag(BOOL bShow);
    // Sets or clears the given hide flags, leaving the others.
    void SetHidden(DWORD dwFlags, BOOL bHidden)
    {
        SetHideFlags(bHidden ? (m_dwHideFlags | dwFlags) : (m_dwHideFlags & ~dwFlags));
    }
    // FALSE under a hidden action; else TRUE when every set hide flag is among the skipped ones.
    virtual BOOL IsVisible(DWORD dwSkipHideFlags = 0) const;
    BOOL IsCollapsible() const { return m_bCollapsible; }
    // Clearing it shows a control that a popup hid as rarely used.
    void SetCollapsible(BOOL bCollapsible);
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL bTemporary) { m_bTemporary = bTemporary; }
    BOOL GetCloseSubMenuOnClick() const { return m_bCloseSubMenuOnClick; }
    void SetCloseSubMenuOnClick(BOOL bClose) { m_bCloseSubMenuOnClick = bClose; }
    // Milliseconds between repeats of the command while the control is held; 0 runs it once on release.
    int GetExecuteOnPressInterval() const { return m_nExecuteOnPressInterval; }
    void SetExecuteOnPressInterval(int nInterval) { m_nExecuteOnPressInterval = nInterval; }

    CRect GetRect() const { return m_rcControl; }
    virtual void SetRect(const CRect& rc);
    // The row the bar put the control in at layout.
    CRect GetRowRect() const { return m_rcRow; }
    void SetRowRect(const CRect& rc) { m_rcRow = rc; }
    // The control starts a new row or column.
    BOOL GetWrap() const { return m_bWrap; }
    void SetWrap(BOOL bWrap) { m_bWrap = bWrap; }
    // Hidden for lack of room and shown when the popup is expanded.
    BOOL GetExpanded() const { return m_bExpanded; }
    void SetExpanded(BOOL bExpanded) { m_bExpanded = bExpanded; }

    CKitCommandBar* GetParent() const { return m_pParent; }
    // Drawn over a composited frame: the part of it the parent bar draws its caption on, else a parent bar docked
    // under glass.
    BOOL IsOnCompositedFrame() const;
    // Whether the control stands in a popup bar (a menu).
    BOOL IsInPopupBar() const;
    // The image manager of the parent bar, else the shared one.
    CKitImageManager* GetImageManager() const;
    virtual void SetParent(CKitCommandBar* pParent) { m_pParent = pParent; }
    CKitControls* GetControls() const { return m_pControls; }
    // The attached action, or null.
    CKitControlAction* GetAction() const { return m_pAction; }
    // Detaches from the old action and attaches to the new one (null detaches).
    virtual void SetAction(CKitControlAction* pAction);
    // The sub-bar; null but for popups.
    virtual CKitCommandBar* GetCommandBar() const { return nullptr; }
    // The ribbon group that holds the control; null outside a ribbon.
    CKitRibbonGroup* GetRibbonGroup() const { return m_pRibbonGroup; }
    void SetRibbonGroup(CKitRibbonGroup* pGroup) { m_pRibbonGroup = pGroup; }

    // Equality of the persistent look: style, type, id, flags, group, icon, texts and width.
    virtual BOOL Compare(const CKitControl* pOther) const;
    // Copies the source's id, action, texts, icons, styles, flags and state.
    virtual void Copy(const CKitControl* pSource, BOOL bRecursive);
    // A new control of the same class filled by Copy; one reference for the caller.
    virtual CKitControl* Clone(BOOL bRecursive) const;
    // Saves or loads the control's persistent record.
    virtual void DoPropExchange(CKitPropExchange* pPX);
    // Adds the sub-bars the control reaches to the list; nothing for a control without one.
    virtual void GenerateCommandBarList(DWORD& nNextId, CKitCommandBarList* pList, DWORD dwFlags);
    // Links the sub-bar stored by id after loading; nothing for a control without one.
    virtual void RestoreCommandBarList(CKitCommandBarList* pList);

    // Measures the control through the paint manager.
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    // The parent bar's paint manager, else the current one (null without the themes).
    CKitBarPainter* GetPaintManager() const;

    // Runs the command: closes the menus, notifies the site and sends WM_COMMAND.
    virtual void OnExecute();
    // Notifies the site (the given window, else the parent bar's owner site); the site's answer.
    LRESULT NotifySite(CWnd* pSite, int nCode, NMKITCONTROL* pRecord = nullptr);
    LRESULT NotifySite(int nCode) { return NotifySite(nullptr, nCode); }

    virtual void OnKeyboardTip() { OnExecute(); }
    virtual void OnClick(BOOL /*bKeyboard*/ = FALSE, CPoint /*pt*/ = CPoint()) {}
    virtual BOOL SetPopup(BOOL /*bPopup*/) { return FALSE; }
    virtual void OnLButtonDown(CPoint pt);
    virtual void OnLButtonUp(CPoint /*pt*/) {}
    virtual void OnLButtonDblClk(CPoint pt) { OnClick(FALSE, pt); }
    virtual BOOL OnRButtonDown(CPoint /*pt*/) { return FALSE; }
    virtual BOOL OnRButtonUp(CPoint /*pt*/) { return FALSE; }
    virtual void OnMouseMove(CPoint /*pt*/) {}
    virtual void OnMouseHover();
    virtual BOOL OnHookKeyDown(UINT /*nChar*/, LPARAM /*lParam*/) { return FALSE; }
    // The wheel while the bar tracks with this control selected; whether the control took it.
    virtual BOOL OnHookMouseWheel(UINT /*nFlags*/, short /*zDelta*/, CPoint /*pt*/) { return FALSE; }
    // A control with tools of its own fills the bar's tool record for the point and returns the tool's id, or -1
    // for none; kToolHitOwn (the default) lets the bar show the control's tooltip.
    static constexpr INT_PTR kToolHitOwn = -2;
    virtual INT_PTR OnToolHitTest(CPoint /*pt*/, TOOLINFOA* /*pTI*/) { return kToolHitOwn; }
    virtual BOOL IsCustomizeMovable() const { return (m_dwFlags & kitFlagNoMovable) == 0; }
    virtual void OnCustomizeDragStart(CPoint /*pt*/) {}
    virtual void OnIdleUpdate() {}
    // Called before the popup bar that holds the control shows.
    virtual void OnBeforePopup() {}
    // Called before the bar lays its controls out in rows, with the layout mode (LM_ flags).
    virtual void OnCalcDynamicSize(DWORD /*dwMode*/) {}
    // Called when the control leaves its collection: lets its action go.
    virtual void OnRemoved() { SetAction(nullptr); }
    virtual void OnActionChanged(int nProperty);
    virtual void OnActionChanging(int /*nProperty*/) {}
    virtual void OnCaptionChanged() {}
    virtual void OnEnabledChanged() {}
    // Id 1 with code -2 redraws the control; everything else goes to the framework.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Redraws the control's rectangle in the parent bar when the control is shown.
    void RedrawParent(BOOL bAnimate = TRUE);
    // Marks the parent bar's layout pending.
    void MarkParentDirty();
    // Whether the cursor lies in the control's rectangle.
    BOOL IsCursorOver() const;

    // The control as accessibility clients see it (the control itself is child 0).
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;
    CCmdTarget* GetAccessibleTarget() override { return this; }
    // The accessible name: the caption without its mnemonic marker, a tab and the shortcut; else the tooltip.
    CString GetAccessibleNameText() const;

    // Texts from a string resource laid out "description\ntooltip\ncaption\nkeyboard tip".
    struct CResourceTexts {
        CString strDescription;
        CString strTooltip;
        CString strCaption;
        CString strKeyboardTip;
        BOOL bHasCaption = FALSE;
        BOOL bHasKeyboardTip = FALSE;
    };
    static CResourceTexts SplitResourceString(const CString& strResource);

protected:
    friend class CKitControls;

    // Sets the pressed state after an execution and tells the manager.
    void MarkExecuted();
    // Fills the empty texts from the id's string resource.
    void LoadResourceTexts(UINT nId);

    int m_nType;
    DWORD_PTR m_nTag = 0;
    int m_nIndex = -1;
    UINT m_nId = 0;
    UINT m_nIconId = 0;
    UINT m_nHelpId = 0;
    UINT m_nCustomIconId = 0;
    BOOL m_bWrap = FALSE;
    BOOL m_bBeginGroup = FALSE;
    int m_nEnabled = 1;
    int m_nChecked = 0;
    int m_nSelected = 0;
    int m_nPressed = 0;
    BOOL m_bTemporary = FALSE;
    CRect m_rcControl;
    CRect m_rcRow;
    DWORD m_dwHideFlags = 0;
    DWORD m_dwFlags = 0;
    CString m_strCaption;
    CString m_strCustomCaption;
    CString m_strShortcutText;
    CString m_strShortcutTextAuto;
    CString m_strTooltip;
    CString m_strDescription;
    CString m_strParameter;
    CString m_strKeyboardTip;
    CKitControls* m_pControls = nullptr;
    CKitCommandBar* m_pParent = nullptr;
    CKitRibbonGroup* m_pRibbonGroup = nullptr;
    BOOL m_bCollapsible = TRUE;
    CString m_strCategory;
    BOOL m_bDefaultItem = FALSE;
    int m_nButtonStyle = 0;
    int m_nButtonCustomStyle = -1;
    int m_nButtonDefaultStyle = 0;
    BOOL m_bCloseSubMenuOnClick = TRUE;
    CKitControlAction* m_pAction = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nExecuteOnPressInterval = 0;
    CSize m_szIcon;
    CDocTemplateMap m_docTemplatesAssigned;
    CDocTemplateMap m_docTemplatesExcluded;
    BOOL m_bCaptionVisible = TRUE;
    BOOL m_bBoldCaption = FALSE;
    BOOL m_bPopuped = FALSE;
    BOOL m_bExpanded = FALSE;
};

// Type 1: runs its command on a click; repeats it while held when it has a press interval.
class CKitControlButton : public CKitControl {
    DECLARE_DYNCREATE(CKitControlButton)
public:
    // The timer of the repeat while pressed.
    static constexpr UINT_PTR kTimerRepeat = 4269;

    CKitControlButton() : CKitControl(kitControlButton) {}

    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint()) override;
    void OnLButtonUp(CPoint pt) override;
    void DoPropExchange(CKitPropExchange* pPX) override;

protected:
    explicit CKitControlButton(int nType) : CKitControl(nType) {}
    // The modal loop of a pressed button; rcButton is the part that counts as inside.
    void TrackPressed(const CRect& rcButton);
    // Notifies the site with the execute code, else sends WM_COMMAND.
    void FireCommand();
};

// Types 2, 3 and 4: opens its sub-bar; type 4 is a split button with a command part.
class CKitControlPopup : public CKitControlButton {
    DECLARE_DYNCREATE(CKitControlPopup)
public:
    explicit CKitControlPopup(int nType = kitControlPopup) : CKitControlButton(nType) {}
    ~CKitControlPopup() override;

    BOOL HasDropDownArrow() const override { return TRUE; }

    CKitCommandBar* GetCommandBar() const override { return m_pCommandBar; }
    // Takes over one reference to the bar; the one held before is released.
    void SetCommandBar(CKitCommandBar* pBar);
    BOOL GetShadow() const { return m_bShadow; }
    void SetShadow(BOOL bShadow) { m_bShadow = bShadow; }

    BOOL SetPopup(BOOL bPopup) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint pt = CPoint()) override;
    void OnLButtonUp(CPoint pt) override;
    void OnLButtonDblClk(CPoint pt) override;
    void OnMouseMove(CPoint pt) override;
    void OnMouseHover() override;
    BOOL OnSetSelected(int nSelected) override;
    void OnKeyboardTip() override;
    BOOL Compare(const CKitControl* pOther) const override;
    void Copy(const CKitControl* pSource, BOOL bRecursive) override;
    // Whether the bar is this popup's sub-bar or lies below it.
    BOOL IsContainPopup(const CKitCommandBar* pBar) const;
    // The rectangle the open sub-bar stays clear of, as the paint manager adjusts it.
    virtual void AdjustExcludeRect(CRect& rc, BOOL bVertical);
    // Shows the hidden items of an open popup bar.
    void ExpandPopup();
    void DoPropExchange(CKitPropExchange* pPX) override;
    void GenerateCommandBarList(DWORD& nNextId, CKitCommandBarList* pList, DWORD dwFlags) override;
    void RestoreCommandBarList(CKitCommandBarList* pList) override;
    // The sub-bar's id read from a stored state, until the bars are linked.
    UINT GetPendingBarId() const { return m_nPendingBarId; }

protected:
    // The split button's command part (the whole control for other kinds).
    CRect GetCommandPartRect() const;
    // Sets the split button's hot part from the point.
    void UpdateSplitHotPart(CPoint pt);
    // Casts the shadow that joins the open popup to the control.
    void AttachShadow();

    CKitCommandBar* m_pCommandBar = nullptr;
    BOOL m_bShadow = TRUE;
    UINT m_nPendingBarId = 0;
};
