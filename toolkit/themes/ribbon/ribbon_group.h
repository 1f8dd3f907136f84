// CKitRibbonGroup, CKitRibbonGroups: a captioned block of controls on a ribbon tab, and a tab's groups.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"

#include <vector>

class CKitCommandBar;
class CKitControl;
class CKitRibbonBar;
class CKitRibbonGroups;
class CKitRibbonTab;

// Reference counted; its controls live in the parent bar's controls and point back to it.
class CKitRibbonGroup : public CCmdTarget {
    DECLARE_DYNCREATE(CKitRibbonGroup)
public:
    CKitRibbonGroup();
    ~CKitRibbonGroup() override;
    CKitRibbonGroup(const CKitRibbonGroup&) = delete;
    CKitRibbonGroup& operator=(const CKitRibbonGroup&) = delete;

    CString GetCaption() const { return m_strCaption; }
    void SetCaption(const CString& strCaption) { m_strCaption = strCaption; }
    int GetId() const { return m_nId; }
    void SetId(int nId) { m_nId = nId; }
    CRect GetRect() const { return m_rcGroup; }
    virtual void SetRect(const CRect& rc) { m_rcGroup = rc; }

    // The bar that shows the controls: the ribbon bar or a popup showing a copy of the group.
    CKitCommandBar* GetParent() const { return m_pParent; }
    void SetParent(CKitCommandBar* pParent) { m_pParent = pParent; }
    CKitRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    void SetRibbonBar(CKitRibbonBar* pRibbonBar) { m_pRibbonBar = pRibbonBar; }
    CKitRibbonGroups* GetGroups() const { return m_pGroups; }
    // The tab of the owning collection; null outside a tab.
    CKitRibbonTab* GetRibbonTab() const;

    // Shown as its popup button only.
    BOOL IsReduced() const { return m_bReduced; }
    void SetReduced(BOOL bReduced) { m_bReduced = bReduced; }
    void ShowOptionButton(BOOL bShow) { m_bShowOptionButton = bShow; }
    BOOL IsOptionButtonVisible() const { return !m_bReduced && m_bShowOptionButton; }
    // The controls stand in joined rows instead of columns.
    BOOL IsControlsGrouping() const { return m_bControlsGrouping; }
    void SetControlsGrouping(BOOL bGrouping) { m_bControlsGrouping = bGrouping; }
    // The scrollable part of the parent bar names this group as its highlighted one.
    BOOL IsHighlighted() const;

    int GetCount() const { return static_cast<int>(m_arrControls.size()); }
    // The control at the index, null out of range.
    CKitControl* GetAt(int nIndex) const;
    // Holds a reference to the control and makes it point back to this group.
    void Add(CKitControl* pControl);
    // Drops the control and its reference; nothing for a control of another group.
    void Remove(CKitControl* pControl);
    void RemoveAll();

private:
    friend class CKitRibbonGroups;

    CString m_strCaption;
    int m_nId = -1;
    std::vector<CKitControl*> m_arrControls;
    int m_nIndex = -1;
    CKitRibbonGroups* m_pGroups = nullptr;
    CRect m_rcGroup;
    CKitCommandBar* m_pParent = nullptr;
    CKitRibbonBar* m_pRibbonBar = nullptr;
    BOOL m_bReduced = FALSE;
    BOOL m_bShowOptionButton = FALSE;
    BOOL m_bControlsGrouping = FALSE;
};

// The ordered groups of one tab; each entry holds a reference.
class CKitRibbonGroups : public CCmdTarget {
    DECLARE_DYNAMIC(CKitRibbonGroups)
public:
    explicit CKitRibbonGroups(CKitRibbonTab* pTab) : m_pTab(pTab) {}
    ~CKitRibbonGroups() override;
    CKitRibbonGroups(const CKitRibbonGroups&) = delete;
    CKitRibbonGroups& operator=(const CKitRibbonGroups&) = delete;

    CKitRibbonTab* GetRibbonTab() const { return m_pTab; }
    int GetCount() const { return static_cast<int>(m_arrGroups.size()); }
    // The group at the index, null out of range.
    CKitRibbonGroup* GetAt(int nIndex) const;
    // A new group with the caption and id at the end; the collection holds its reference.
    CKitRibbonGroup* Add(const CString& strCaption, int nId);
    void RemoveAll();

private:
    CKitRibbonTab* m_pTab;
    std::vector<CKitRibbonGroup*> m_arrGroups;
};
