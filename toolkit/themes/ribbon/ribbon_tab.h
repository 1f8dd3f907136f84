// CKitRibbonTab, CKitRibbonTabContextHeader: a tab of the ribbon with its groups and context, and the header over a context's tabs.
#pragma once

#include "framework/geometry.h"
#include "framework/strings.h"

#include <windows.h>
#include "toolkit/themes/tabs/tab_manager.h"

class CKitCommandBar;
class CKitPropExchange;
class CKitRibbonBar;
class CKitRibbonGroup;
class CKitRibbonGroups;
class CKitRibbonTabContextHeader;

// An item of the ribbon's tab strip owning the groups shown while it is selected.
class CKitRibbonTab : public CKitTabManagerItem {
    DECLARE_DYNCREATE(CKitRibbonTab)
public:
    // Context colours; the names appear only in picture names.
    enum ContextColor { kContextNone = 0, kContextBlue = 1, kContextYellow = 2, kContextGreen = 3,
                        kContextRed = 4, kContextPurple = 5, kContextCyan = 6, kContextOrange = 7 };

    CKitRibbonTab();
    ~CKitRibbonTab() override;
    CKitRibbonTab(const CKitRibbonTab&) = delete;
    CKitRibbonTab& operator=(const CKitRibbonTab&) = delete;

    CKitRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    // Sets the ribbon and the parent bar together.
    void SetRibbonBar(CKitRibbonBar* pRibbonBar);
    // The bar whose controls show the tab's groups: the ribbon, or a popup showing a copy of the tab.
    CKitCommandBar* GetParentBar() const { return m_pParent; }
    void SetParentBar(CKitCommandBar* pParent) { m_pParent = pParent; }
    CKitRibbonGroups* GetGroups() const { return m_pGroups; }
    // The first group of the tab with the id, else null.
    CKitRibbonGroup* FindGroup(int nId) const;

    // Id 1 with code -2 redraws the ribbon; the rest goes to the command routing.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Hiding the selected tab selects the first selectable one.
    void SetVisible(BOOL bVisible) override;
    // Empties the groups.
    void OnRemoved() override;
    // Takes the source's caption, context, id, visibility, tooltip, selection and groups.
    virtual void Copy(const CKitRibbonTab* pSource);
    // Texts, context, id, visibility, whether selected, then the "Groups" section; loading takes the ribbon
    // and the tab manager from the owning tab strip.
    virtual void DoPropExchange(CKitPropExchange* pPX);
    int GetId() const { return m_nId; }
    void SetId(int nId) { m_nId = nId; }
    // 0 for a tab outside any context.
    int GetContextColor() const { return m_nContextColor; }
    void SetContextColor(int nColor) { m_nContextColor = nColor; }
    CString GetContextCaption() const { return m_strContextCaption; }
    void SetContextCaption(const CString& strCaption) { m_strContextCaption = strCaption; }
    // The header spanning the tab, set by the header and cleared by each layout.
    CKitRibbonTabContextHeader* GetContextHeader() const { return m_pContextHeader; }
    void SetContextHeader(CKitRibbonTabContextHeader* pHeader) { m_pContextHeader = pHeader; }

private:
    CKitRibbonGroups* m_pGroups;
    CKitRibbonBar* m_pRibbonBar = nullptr;
    CKitCommandBar* m_pParent = nullptr;
    int m_nId = 0;
    int m_nContextColor = kContextNone;
    CString m_strContextCaption;
    CKitRibbonTabContextHeader* m_pContextHeader = nullptr;
};

// The record of the tab strip's TCN_SELCHANGING and TCN_SELCHANGE notifications: the header, then the tab.
struct NMKITRIBBONTAB {
    NMHDR hdr;
    CKitRibbonTab* pTab;
};

// Adjacent visible tabs of one context under one caption in the caption band.
class CKitRibbonTabContextHeader {
public:
    // Spans the first tab only and takes its colour and caption; the tab points back to it.
    explicit CKitRibbonTabContextHeader(CKitRibbonTab* pFirstTab);

    CKitRibbonTab* m_pFirstTab;
    CKitRibbonTab* m_pLastTab;
    int m_nColor;
    CString m_strCaption;
    // In ribbon bar coordinates.
    CRect m_rcHeader;
};
