// CKitControlAction, CKitControlActions: the texts and state of one command shared by every control that stands for it, and the table of them.
#pragma once

#include "framework/msgmap.h"
#include "framework/strings.h"

#include <windows.h>

#include <vector>

class CKitControl;
class CKitControlActions;
class CKitControlGalleryEntryList;

// The properties an action tells its controls about.
enum KitActionProperty { kitActionEnabled = 0, kitActionChecked = 1, kitActionVisible = 2, kitActionCaption = 3 };

class CKitControlAction : public CCmdTarget {
    DECLARE_DYNAMIC(CKitControlAction)
public:
    CKitControlAction(CKitControlActions* pActions, UINT nId);
    ~CKitControlAction() override;
    CKitControlAction(const CKitControlAction&) = delete;
    CKitControlAction& operator=(const CKitControlAction&) = delete;

    UINT GetId() const { return m_nId; }
    UINT GetIconId() const { return m_nIconId; }
    void SetIconId(UINT nId) { m_nIconId = nId; }
    UINT GetHelpId() const { return m_nHelpId; }
    void SetHelpId(UINT nId) { m_nHelpId = nId; }

    // The caption, else the tooltip.
    CString GetCaption() const;
    // Only the part before a tab is kept.
    void SetCaption(LPCSTR lpszCaption);
    const CString& GetTooltip() const { return m_strTooltip; }
    void SetTooltip(LPCSTR lpszTooltip) { m_strTooltip = lpszTooltip; }
    const CString& GetDescription() const { return m_strDescription; }
    void SetDescription(LPCSTR lpszDescription) { m_strDescription = lpszDescription; }
    const CString& GetShortcutText() const { return m_strShortcutText; }
    void SetShortcutText(LPCSTR lpszText) { m_strShortcutText = lpszText; }
    const CString& GetKeyboardTip() const { return m_strKeyboardTip; }
    void SetKeyboardTip(LPCSTR lpszTip) { m_strKeyboardTip = lpszTip; }

    // Always enabled while the bars are customized.
    BOOL IsEnabled() const;
    void SetEnabled(BOOL bEnabled);
    int GetChecked() const { return m_nChecked; }
    void SetChecked(int nChecked);
    BOOL IsVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible);

    // Fills the empty texts from the id's string resource.
    void LoadResourceTexts();

    // The entries its galleries show (one reference held); null when none.
    CKitControlGalleryEntryList* GetGalleryEntries() const { return m_pGalleryEntries; }
    void SetGalleryEntries(CKitControlGalleryEntryList* pEntries);

    // The controls attached to the action.
    int GetCount() const { return static_cast<int>(m_controls.size()); }
    CKitControl* GetAt(int nIndex) const;

private:
    friend class CKitControl;
    void AddControl(CKitControl* pControl);
    void RemoveControl(CKitControl* pControl);
    // Tells every control the property changed (before and after the change).
    void NotifyChanging(int nProperty);
    void NotifyChanged(int nProperty);
    // Stores a new value between the two notifications; FALSE when it was the same.
    template <class T>
    BOOL ChangeProperty(T& field, const T& value, int nProperty)
    {
        if (field == value)
            return FALSE;
        NotifyChanging(nProperty);
        field = value;
        NotifyChanged(nProperty);
        return TRUE;
    }

    CKitControlActions* m_pActions;
    UINT m_nId;
    UINT m_nIconId = 0;
    UINT m_nHelpId = 0;
    BOOL m_bEnabled = TRUE;
    int m_nChecked = 0;
    BOOL m_bVisible = TRUE;
    CString m_strCaption;
    CString m_strTooltip;
    CString m_strDescription;
    CString m_strShortcutText;
    CString m_strKeyboardTip;
    std::vector<CKitControl*> m_controls;
    CKitControlGalleryEntryList* m_pGalleryEntries = nullptr;
};

// The command-bar manager's actions, sorted by command id; each held by one reference.
class CKitControlActions : public CCmdTarget {
    DECLARE_DYNAMIC(CKitControlActions)
public:
    // Ids from 1 up to, not including, this one can have actions.
    static constexpr UINT kMaxActionId = 0xFFFFFFF;

    CKitControlActions() = default;
    ~CKitControlActions() override;
    CKitControlActions(const CKitControlActions&) = delete;
    CKitControlActions& operator=(const CKitControlActions&) = delete;

    // The action of the id, or null.
    CKitControlAction* FindAction(UINT nId) const;
    // The action of the id, made (with its texts from the string resource) when missing; null for ids out of range.
    CKitControlAction* CreateAction(UINT nId);
    void RemoveAll();

    int GetCount() const { return static_cast<int>(m_actions.size()); }
    CKitControlAction* GetAt(int nIndex) const;

    // While the bars are customized every action counts as enabled.
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void SetCustomizeMode(BOOL bCustomize) { m_bCustomizeMode = bCustomize; }

private:
    std::vector<CKitControlAction*> m_actions;
    BOOL m_bCustomizeMode = FALSE;
};
