// CKitRibbonGroup, CKitRibbonGroups: a captioned block of controls on a ribbon tab, and a tab's groups.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"
#include "framework/strings.h"
#include "toolkit/commandbars/control.h"

#include <vector>

class CDC;
class CKitCommandBar;
class CKitPropExchange;
class CKitRibbonBar;
class CKitRibbonGroups;
class CKitRibbonPaintManager;
class CKitRibbonTab;

// The option (dialog launcher) button at the corner of a group's caption.
class CKitRibbonGroupOption : public CKitControlButton {
    DECLARE_DYNCREATE(CKitRibbonGroupOption)
public:
    // Never offered for the quick access toolbar.
    CKitRibbonGroupOption();
    // Measured and drawn by the ribbon painter while it belongs to a group.
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
};

// The button that stands for a reduced group.
class CKitRibbonGroupControlPopup : public CKitControlPopup {
    DECLARE_DYNCREATE(CKitRibbonGroupControlPopup)
public:
    CKitRibbonGroupControlPopup();
    // Visible only while its group is.
    BOOL IsVisible(DWORD dwSkipHideFlags = 0) const override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    // Opening takes a fresh popup showing a copy of its group (a plain popup toolbar without a group).
    BOOL SetPopup(BOOL bPopup) override;
    // Nothing to store: the popup is made again at every opening.
    void GenerateCommandBarList(DWORD& nNextId, CKitCommandBarList* pList, DWORD dwFlags) override;
};

// Answers the request of a tab or a group to redraw its ribbon (id 1, code -2); FALSE for any other command.
BOOL KitRibbonRedrawRequest(CKitRibbonBar* pRibbonBar, UINT nID, int nCode);

// What the group layout combines: the group area, caption and button heights, the row height of grouped
// controls and the gap between groups.
struct KitRibbonGroupMetrics {
    int nAreaHeight = 0;
    int nCaptionHeight = 0;
    int nButtonHeight = 0;
    int nControlHeight = 0;
    int nGroupSpacing = 0;
};

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
    int GetIconId() const { return m_nIconId; }
    void SetIconId(int nIconId) { m_nIconId = nIconId; }
    CRect GetRect() const { return m_rcGroup; }
    // Stores the rectangle; the popup button shows and takes it only while the group is reduced, the option
    // button sits at the caption's right end while it is shown.
    virtual void SetRect(const CRect& rc);
    CKitRibbonGroupOption* GetControlGroupOption() const { return m_pOptionButton; }
    CKitRibbonGroupControlPopup* GetControlGroupPopup() const { return m_pPopupButton; }
    // Id 1 with code -2 redraws the ribbon; the rest goes to the command routing.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // The source's settings; clones of its controls join this group in the parent bar before the option button,
    // and the option and popup buttons take the source's; all of them shown.
    virtual void Copy(const CKitRibbonGroup* pSource);
    // The settings, the "Controls" section (class and properties of each non-temporary control), then the
    // option and popup buttons; loading joins the collection of the exchange's owner and its ribbon bar.
    virtual void DoPropExchange(CKitPropExchange* pPX);
    // The two buttons join the parent bar's controls when the group joins a tab, and leave when it leaves.
    virtual void OnGroupAdded();
    virtual void OnGroupRemoved();

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
    BOOL IsControlsCentering() const { return m_bControlsCentering; }
    void SetControlsCentering(BOOL bCentering) { m_bControlsCentering = bCentering; }
    // A reduction of a level is allowed only while the level is below this number.
    int GetAllowReduceLevels() const { return m_nAllowReduceLevels; }
    void SetAllowReduceLevels(int nLevels) { m_nAllowReduceLevels = nLevels; }
    BOOL GetVisible() const { return m_bVisible; }
    void SetVisible(BOOL bVisible) { m_bVisible = bVisible; }
    // Outside the ribbon bar the visible flag; on it, also only while the group's tab is selected.
    BOOL IsVisible() const;
    // The scrollable part of the parent bar names this group as its highlighted one.
    BOOL IsHighlighted() const;
    // The rectangle's bottom band of the caption height.
    CRect GetCaptionRect() const;
    // Give the edit and combo boxes of one column a common width.
    BOOL IsAlignEditWidths() const { return m_bAlignEditWidths; }
    void SetAlignEditWidths(BOOL bAlign) { m_bAlignEditWidths = bAlign; }
    // The ribbon painter's frame and caption, the separators, the controls meeting the clip rectangle, then
    // the popup and option buttons.
    virtual void Draw(CDC* pDC, const CRect& rcClip);

    // Layout pass, driven by CKitRibbonGroups::RepositionGroups.
    // Measures every visible control with its widest style; starts the pass's layout record.
    virtual void OnBeforeCalcSize(CDC* pDC);
    // The group's width for the styles the record holds now.
    virtual int CalcSize(CDC* pDC);
    // One reduction step of the level; FALSE when the group has none to give at that level.
    virtual BOOL OnReduceSize(int nLevel, int nExcess);
    // Widens a resizable gallery into the extra room; FALSE when none takes it.
    virtual BOOL OnExtendSize(int nExtra);
    // Places every control with no hide flag side by side at its measured size, from the left + 4 and the top
    // + caption height of the group's rectangle.
    virtual void ArrangeControlsInRow(CDC* pDC);
    // Places the measured controls in the group at the rectangle's left and top.
    virtual void ArrangeControls(int nWidth, const CRect& rcMargins);
    // Hands the computed rectangles and hide states to the controls; ends the pass.
    virtual void OnAfterCalcSize();
    // The caption's text width, plus the caption height with an option button.
    virtual int GetMinimumWidth(CDC* pDC);

    // The ribbon's painter, else the current theme's.
    CKitRibbonPaintManager* GetRibbonPaintManager() const;
    // Metrics and measurements the layout takes from the painters; tests replace them.
    virtual KitRibbonGroupMetrics GetLayoutMetrics() const;
    virtual CSize MeasureControl(CDC* pDC, CKitControl* pControl);
    // The width of the popup button that stands for the reduced group.
    virtual int MeasurePopupButton(CDC* pDC);
    // The image manager holds the control's icon at the ribbon's large icon width.
    virtual BOOL HasLargeIcon(CKitControl* pControl) const;

    int GetCount() const { return static_cast<int>(m_arrControls.size()); }
    // The control at the index, null out of range.
    CKitControl* GetAt(int nIndex) const;
    // The control's place in the group; -1 for a control of another group.
    int IndexOf(const CKitControl* pControl) const;
    // Holds a reference to the control and makes it point back to this group.
    void Add(CKitControl* pControl);
    // A new control of the given one's class and a copy of it, at the index (outside 0..count: the end) of the
    // group and at the matching place before the option button in the ribbon's controls; null without a ribbon.
    CKitControl* Add(const CKitControl* pControl, int nIndex, BOOL bRecursive);
    // Removes the control at the index; nothing out of range.
    void RemoveAt(int nIndex);
    // Drops the control and its reference, and takes it off the parent bar; nothing for a control of another group.
    void Remove(CKitControl* pControl);
    // Removes every control, last first.
    void RemoveAll();

private:
    friend class CKitRibbonGroups;
    friend class CKitRibbonGroupPopupToolBar;
    struct LayoutItem;
    struct Layout;

    // The last items, from nStart leftwards, that fill one column; the index of the leftmost, or -1.
    int CollectColumn(int nStart, int nRows, int nLevel, int& nStop) const;
    void CenterColumn(int nFirst, int nLast, int nHeight);
    // Gives the edit and combo boxes of each column the widest one's width.
    void AlignEditWidths();
    // Grouped layout: rows of small blocks of controls.
    int CalcGroupedSize();
    // Marks the rows' first items within the width limit; the number of breaks.
    int WrapControls(int nLimit, bool bEveryFit);
    // Places the items in their rows; the widest row plus the margins.
    int FlowLayout();
    // Breaks the items into three rows of about equal width; FALSE when they hold fewer breaks.
    bool BalanceThreeRows();

    CString m_strCaption;
    int m_nId = -1;
    int m_nIconId = 0;
    std::vector<CKitControl*> m_arrControls;
    int m_nIndex = -1;
    CKitRibbonGroups* m_pGroups = nullptr;
    CRect m_rcGroup;
    CKitCommandBar* m_pParent = nullptr;
    CKitRibbonBar* m_pRibbonBar = nullptr;
    BOOL m_bReduced = FALSE;
    BOOL m_bShowOptionButton = FALSE;
    BOOL m_bControlsGrouping = FALSE;
    BOOL m_bControlsCentering = FALSE;
    BOOL m_bVisible = TRUE;
    int m_nAllowReduceLevels = 4;
    int m_nGroupedRowLimit = 2;
    BOOL m_bAlignEditWidths = TRUE;
    Layout* m_pLayout = nullptr;
    CKitRibbonGroupOption* m_pOptionButton;
    CKitRibbonGroupControlPopup* m_pPopupButton;
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
    // Links the group to the collection and its tab's ribbon; takes over one reference; out of range appends.
    void InsertAt(int nIndex, CKitRibbonGroup* pGroup);
    void RemoveAll();
    // Groups of the source's classes copied from the source's, in place of the present ones.
    void Copy(const CKitRibbonGroups* pSource);
    // One "Group" section per group: its class and its properties; loading replaces the groups.
    void DoPropExchange(CKitPropExchange* pPX);
    // The first visible group whose rectangle holds the point.
    CKitRibbonGroup* HitTest(CPoint pt) const;
    CKitRibbonBar* GetRibbonBar() const;

    // Lays the groups out in the width between the margins (left, top, right, bottom), reducing or
    // extending them to fit and scrolling what still does not.
    void RepositionGroups(CDC* pDC, int nWidth, const CRect& rcMargins);
    // Reduces or extends the groups whose widths are given until they fit in the available width.
    void ReduceGroups(CDC* pDC, std::vector<int>& widths, int nAvailable);

    int GetScrollOffset() const { return m_nScrollOffset; }
    // The offset the next layout pass asks for.
    void SetScrollOffsetRequest(int nOffset) { m_nScrollOffsetRequest = nOffset; }
    int GetScrollOffsetRequest() const { return m_nScrollOffsetRequest; }
    // Whether the last pass wanted the left and the right scroll buttons.
    BOOL IsScrollLeftVisible() const { return m_bScrollLeft; }
    BOOL IsScrollRightVisible() const { return m_bScrollRight; }

private:
    CKitRibbonTab* m_pTab;
    int m_nScrollOffset = 0;
    int m_nScrollOffsetRequest = 0;
    BOOL m_bScrollLeft = FALSE;
    BOOL m_bScrollRight = FALSE;
    std::vector<CKitRibbonGroup*> m_arrGroups;
};
