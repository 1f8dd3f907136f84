// CKitRibbonQuickAccessControls, CKitRibbonBarControlQuickAccessPopup, CKitRibbonBarMorePopupToolBar: the controls
// on the ribbon's quick access toolbar, its customize button and the popup of the controls that did not fit.
#pragma once

#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/commandbars/popup_bar.h"

class CKitRibbonBar;

// Each control of the list also stands in the ribbon bar's controls, after the system button.
class CKitRibbonQuickAccessControls : public CKitControls {
    DECLARE_DYNCREATE(CKitRibbonQuickAccessControls)
public:
    CKitRibbonQuickAccessControls() = default;

    CKitRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    void SetRibbonBar(CKitRibbonBar* pRibbonBar) { m_pRibbonBar = pRibbonBar; }

    // Drops a control of the list, from the ribbon bar's controls too; nothing for another control.
    void Remove(CKitControl* pControl) override;
    // Position searching from the end; -1 when absent.
    int IndexOf(const CKitControl* pControl) const;
    // The first control of the same id, type and class that is shown apart from layout hiding; null when none.
    CKitControl* FindDuplicate(const CKitControl* pControl) const;

protected:
    // The control also enters the ribbon bar's controls at its place in the list.
    void OnControlAdded(CKitControl* pControl) override;
    // The control leaves the ribbon bar's controls as well.
    void OnControlRemoved(CKitControl* pControl) override;
    // Every control is told its bar, the ribbon bar.
    void OnChanged() override;

private:
    CKitRibbonBar* m_pRibbonBar = nullptr;
};

// The drop-down button at the end of the quick access toolbar.
class CKitRibbonBarControlQuickAccessPopup : public CKitControlPopup {
    DECLARE_DYNCREATE(CKitRibbonBarControlQuickAccessPopup)
public:
    CKitRibbonBarControlQuickAccessPopup() = default;

    // Square in height, the ribbon's control height (at least 22); 13/22 of it wide.
    CSize GetSize(CDC* pDC) override;
    // Opening takes a fresh drop-down menu from the ribbon it belongs to.
    BOOL SetPopup(BOOL bPopup) override;
    // The ribbon painter's quick access button; no caption.
    void Draw(CDC* pDC) override;

    static constexpr int kMinHeight = 22;

private:
    // The ribbon at the root of the bar the button stands on; null when there is none.
    CKitRibbonBar* FindRibbonBar() const;
};

// The popup of the quick access controls that did not fit, in the ribbon's look and sizes.
class CKitRibbonBarMorePopupToolBar : public CKitPopupToolBar {
    DECLARE_DYNCREATE(CKitRibbonBarMorePopupToolBar)
public:
    explicit CKitRibbonBarMorePopupToolBar(CKitRibbonBar* pRibbonBar = nullptr);

    CKitRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    // The bar's copy, for the same ribbon.
    void Copy(const CKitCommandBar* pSource, BOOL bRecursive) override;
    // 3 on every side.
    CRect GetBorders() override { return CRect(3, 3, 3, 3); }
    // The ribbon painter's more-popup background.
    void FillCommandBarEntry(CDC* pDC) override;
    // The ribbon bar's icon and button sizes.
    CSize GetIconSize() const override;
    CSize GetButtonSize(BOOL bAutomatic = TRUE) const override;

private:
    CKitRibbonBar* m_pRibbonBar;
};
