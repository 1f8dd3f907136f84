// CKitRibbonSystemPopupBar, CKitRibbonSystemPopupBarPage, CKitRibbonControlSystemPopupBarButton,
// CKitRibbonControlSystemPopupBarListItem, CKitRibbonControlSystemPopupBarPinableListItem,
// CKitRibbonControlSystemPopupBarListCaption, CKitRibbonControlSystemRecentFileList, CKitPinableRecentFileList:
// the system button's menu, its side page, bottom-row buttons and recent-file list.
#pragma once

#include "framework/recentfiles.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/popup_bar.h"

#include <memory>
#include <vector>

class CKitImageManager;

// The system button's menu: commands on the left, a page or list beside them, buttons in the bottom border.
class CKitRibbonSystemPopupBar : public CKitPopupBar {
    DECLARE_DYNCREATE(CKitRibbonSystemPopupBar)
public:
    CKitRibbonSystemPopupBar();

    // Its own borders whatever the theme: the bottom one holds the row of buttons.
    CRect GetBorders() override { return m_rcBorders; }

    // The popup's own layout without the bottom-row buttons, which then stand right-aligned in the bottom border.
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void FillCommandBarEntry(CDC* pDC) override;

protected:
    // Over the system button that opened it the popup lets the mouse through.
    afx_msg LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// A page opened from an item of the system menu, aligned with the menu's item column.
class CKitRibbonSystemPopupBarPage : public CKitPopupBar {
    DECLARE_DYNCREATE(CKitRibbonSystemPopupBarPage)
public:
    void UpdateExcludeRect() override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    int GetMinimumHeight() const { return m_nMinimumHeight; }

protected:
    // The system menu whose item opened the page; null elsewhere.
    CKitRibbonSystemPopupBar* GetSystemPopupParent() const;

    int m_nMinimumHeight = 0;
};

// A button in the bottom border of the system menu; a plain button elsewhere.
class CKitRibbonControlSystemPopupBarButton : public CKitControlButton {
    DECLARE_DYNCREATE(CKitRibbonControlSystemPopupBarButton)
public:
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    CSize GetButtonSize() const override { return CSize(22, 22); }
    CSize GetIconSize() const override { return CSize(16, 16); }

protected:
    BOOL IsInSystemPopup() const;
};

// A 300 x 21 item of a list in the system menu; numbered items keep a column for their number.
class CKitRibbonControlSystemPopupBarListItem : public CKitControlButton {
    DECLARE_DYNCREATE(CKitRibbonControlSystemPopupBarListItem)
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 21;

    CSize GetSize(CDC* /*pDC*/) override { return CSize(kWidth, kHeight); }
    void Draw(CDC* pDC) override;
    BOOL IsNumberAcceleratorDisplayed() const { return m_bShowNumber; }

protected:
    // Background and text up to the right edge given; the text colour is set.
    void DrawItem(CDC* pDC, const CRect& rcBackground, int nTextRight);

    BOOL m_bShowNumber = FALSE;
};

// The selection state of a pinable item while the mouse is over its pin.
constexpr int kitSelectedPin = 5;

// A list item with a pin at its right end; its pinned state is its checked state.
class CKitRibbonControlSystemPopupBarPinableListItem : public CKitRibbonControlSystemPopupBarListItem {
    DECLARE_DYNCREATE(CKitRibbonControlSystemPopupBarPinableListItem)
public:
    // The pin area: the item's rightmost pixels.
    static constexpr int kPinWidth = 28;

    CKitRibbonControlSystemPopupBarPinableListItem();
    ~CKitRibbonControlSystemPopupBarPinableListItem() override;

    BOOL IsPinned() const { return GetChecked() == 1; }
    // The pin picture drawn for a state: 0 pinned, 1 not pinned.
    CKitImageManagerIcon* GetPinImage(BOOL bPinned) const;
    virtual void SetPinned(BOOL bPinned);
    CRect GetPinRect() const;

    void Draw(CDC* pDC) override;
    void OnMouseMove(CPoint pt) override;
    BOOL OnSetSelected(int nSelected) override;
    // Over the pin it toggles the pin; elsewhere the item runs as a button.
    void OnLButtonUp(CPoint pt) override;

protected:
    // The cursor in the parent bar's client coordinates.
    virtual CPoint GetCursorInBar() const;

    CKitImageManager* m_pPinImages;
};

// The heading of a list: bold text over a double line.
class CKitRibbonControlSystemPopupBarListCaption : public CKitControl {
    DECLARE_DYNCREATE(CKitRibbonControlSystemPopupBarListCaption)
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 27;

    CKitRibbonControlSystemPopupBarListCaption();
    CSize GetSize(CDC* /*pDC*/) override { return CSize(kWidth, kHeight); }
    void Draw(CDC* pDC) override;
};

// The application's recent files with a pin record per entry.
class CKitPinableRecentFileList : public CRecentFileList {
public:
    struct CPinRecord {
        BOOL bPinned = FALSE;
        UINT nIconId = 0;
        CString strCaption;
    };

    using CRecentFileList::CRecentFileList;

    // Null out of range.
    CPinRecord* GetPinRecord(int nIndex);
    BOOL HasPinRecords() const { return !m_pinRecords.empty(); }
    // Gives every entry a record.
    void CreatePinRecords() { m_pinRecords.resize(static_cast<size_t>(GetSize())); }

    // The entries move as the base list moves them; each record moves with its file.
    void Add(LPCSTR lpszPathName) override;
    void Remove(int nIndex) override;

private:
    std::vector<CString> GetEntries() const;
    // Gives each entry the record its file had among the entries before; a new file gets an empty one.
    void MoveRecordsWithFiles(const std::vector<CString>& before);

    std::vector<CPinRecord> m_pinRecords;
};

// Heads the recent files and, before its popup is laid out, puts one item per file after itself.
class CKitRibbonControlSystemRecentFileList : public CKitRibbonControlSystemPopupBarListCaption {
    DECLARE_DYNCREATE(CKitRibbonControlSystemRecentFileList)
public:
    class CControlFileItem : public CKitRibbonControlSystemPopupBarListItem {
        DECLARE_DYNCREATE(CControlFileItem)
    public:
        CControlFileItem() { m_bShowNumber = TRUE; }
    };

    class CControlPinableFileItem : public CKitRibbonControlSystemPopupBarPinableListItem {
        DECLARE_DYNCREATE(CControlPinableFileItem)
    public:
        CControlPinableFileItem() { m_bShowNumber = TRUE; }
        CControlPinableFileItem(CKitPinableRecentFileList* pList, int nEntry);
        // Also stored in the entry's pin record.
        void SetPinned(BOOL bPinned) override;
        void Copy(const CKitControl* pSource, BOOL bRecursive) override;
        int GetEntry() const { return m_nEntry; }

    protected:
        CKitPinableRecentFileList* m_pList = nullptr;
        int m_nEntry = -1;
    };

    // The name with every "&" doubled; 1 to 9 get the mnemonic "&n " before it, 0 and 10 and above nothing.
    static CString FormatRecentFileCaption(LPCSTR lpszName, int nNumber);

    void OnBeforePopup() override;
    // Puts one item per entry of the list after this control (the old ones go first).
    void RebuildItems();

protected:
    // The application's list; null without one.
    virtual CRecentFileList* GetRecentFileList() const;
};
