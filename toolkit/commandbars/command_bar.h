// CKitCommandBar, CKitToolBar, CKitMenuBar, CKitPopupBar: the command bars as the paint managers read them.
#pragma once

#include "framework/geometry.h"
#include "framework/strings.h"
#include "framework/wnd.h"

#include <windows.h>

class CKitControl;
class CKitControlPopup;
class CKitControls;

// Bar types.
enum KitBarType { kitBarTypeMenuBar = 0, kitBarTypeNormal = 1, kitBarTypePopup = 2 };

// Bar positions.
enum KitBarPosition {
    kitBarTop = 0,
    kitBarBottom = 1,
    kitBarLeft = 2,
    kitBarRight = 3,
    kitBarFloating = 4,
    kitBarPopup = 5,
    kitBarListBox = 6,
};

// Text orientations of a bar: 0 follows the position.
enum KitBarTextOrientation { kitTextOrientationAuto = 0, kitTextOrientationVertical = 1, kitTextOrientationHorizontal = 2 };

class CKitCommandBar : public CWnd {
    DECLARE_DYNAMIC(CKitCommandBar)
public:
    // The style-word bit that makes the paint manager fill the bar before its controls.
    static constexpr DWORD kStylePaintBackground = 0x400000;

    explicit CKitCommandBar(int nBarType = kitBarTypeNormal);
    ~CKitCommandBar() override;
    CKitCommandBar(const CKitCommandBar&) = delete;
    CKitCommandBar& operator=(const CKitCommandBar&) = delete;

    int GetType() const { return m_nBarType; }
    int GetPosition() const { return m_nBarPosition; }
    void SetPosition(int nPosition) { m_nBarPosition = nPosition; }
    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }

    int GetTextOrientation() const { return m_nTextOrientation; }
    void SetTextOrientation(int nOrientation) { m_nTextOrientation = nOrientation; }
    int GetDefaultButtonStyle() const { return m_nDefaultButtonStyle; }
    void SetDefaultButtonStyle(int nStyle) { m_nDefaultButtonStyle = nStyle; }

    // The bar's icon size: its own when set, else 16 x 16.
    CSize GetIconSize() const;
    void SetIconSize(CSize size) { m_szIcons = size; }
    // The icon size of large buttons: its own when set, else 32 x 32.
    CSize GetLargeIconSize() const;
    void SetLargeIconSize(CSize size) { m_szLargeIcons = size; }
    // The bar's own button size when set; else with bAutomatic the icon size plus
    // the button's frame (7 by 6), without it twice the icon size.
    CSize GetButtonSize(BOOL bAutomatic = TRUE) const;
    void SetButtonSize(CSize size) { m_szButtons = size; }
    // Whether mnemonics are underlined.
    BOOL IsKeyboardCuesVisible() const { return m_bKeyboardCues; }
    void SetKeyboardCuesVisible(BOOL bVisible) { m_bKeyboardCues = bVisible; }

    // The controls collection (owned).
    CKitControls* GetControls() const { return m_pControls; }
    int GetControlCount() const;
    // The control at the index, or null out of range.
    CKitControl* GetControl(int nIndex) const;

    BOOL GetPaintBackground() const { return (m_dwStyle & kStylePaintBackground) != 0; }
    void SetPaintBackground(BOOL bPaint);
    DWORD GetFlags() const { return m_dwFlags; }
    // Adds, then removes: a bit in both ends cleared.
    void SetFlags(DWORD dwAdd, DWORD dwRemove = 0);

    // FALSE for every bar but a dialog bar.
    virtual BOOL IsDialogBar() const { return FALSE; }
    // Whether a popup bar shows two columns (its option and its flag both on).
    virtual BOOL IsDoubleColumn() const { return FALSE; }

protected:
    int m_nBarType;
    int m_nBarPosition = kitBarTop;
    CString m_strTitle;
    int m_nTextOrientation = kitTextOrientationAuto;
    int m_nDefaultButtonStyle = 0;
    CSize m_szIcons;
    CSize m_szButtons;
    CSize m_szLargeIcons;
    BOOL m_bKeyboardCues = TRUE;
    CKitControls* m_pControls;
    DWORD m_dwStyle = 0;
    DWORD m_dwFlags = 0;
};

class CKitToolBar : public CKitCommandBar {
    DECLARE_DYNAMIC(CKitToolBar)
public:
    CKitToolBar() : CKitCommandBar(kitBarTypeNormal) {}

    // The "ShowTextBelowIcons" option; 2 means the manager's option applies.
    int GetShowTextBelowIcons() const { return m_nShowTextBelowIcons; }
    void SetShowTextBelowIcons(int nShow) { m_nShowTextBelowIcons = nShow; }

protected:
    explicit CKitToolBar(int nBarType) : CKitCommandBar(nBarType) {}

private:
    int m_nShowTextBelowIcons = 2;
};

// A toolbar of bar type 0.
class CKitMenuBar : public CKitToolBar {
    DECLARE_DYNAMIC(CKitMenuBar)
public:
    CKitMenuBar() : CKitToolBar(kitBarTypeMenuBar) {}
};

// Bar type 2 at position 5.
class CKitPopupBar : public CKitCommandBar {
    DECLARE_DYNAMIC(CKitPopupBar)
public:
    CKitPopupBar();

    BOOL IsDoubleColumn() const override { return m_bDoubleColumnOption && m_bDoubleColumn; }
    void SetDoubleColumn(BOOL bOption, BOOL bFlag)
    {
        m_bDoubleColumnOption = bOption;
        m_bDoubleColumn = bFlag;
    }
    // The popup control that opened the bar; null for a context menu.
    CKitControlPopup* GetControlPopup() const { return m_pControlPopup; }
    void SetControlPopup(CKitControlPopup* pControl) { m_pControlPopup = pControl; }

private:
    BOOL m_bDoubleColumnOption = FALSE;
    BOOL m_bDoubleColumn = FALSE;
    CKitControlPopup* m_pControlPopup = nullptr;
};
