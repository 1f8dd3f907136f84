// CKitControls, CKitOriginalControls: the controls of a command bar, each held by one counted reference, with their creation, navigation, menu conversion and column layout.
#pragma once

#include "framework/geometry.h"
#include "framework/msgmap.h"

#include <windows.h>

#include <vector>

class CDC;
class CKitCommandBar;
class CKitCommandBarList;
class CKitCommandBarManager;
class CKitControl;
class CKitControlActions;
class CKitOriginalControls;
class CKitPropExchange;
class CMenu;
class CWnd;

// Site messages sent while a menu item or a command id becomes a control, and before a popup bar is made
// (lParam is a KIT_CONTROL_FROM_MENU).
constexpr UINT WM_KIT_CONTROL_CREATE = 0x285E;
constexpr UINT WM_KIT_CONTROL_CREATED = 0x285F;
constexpr UINT WM_KIT_POPUP_BAR_CREATE = 0x2861;

// What a site may change while a menu item becomes a control.
struct KIT_CONTROL_FROM_MENU {
    UINT nId;
    CMenu* pMenu;
    int nIndex;
    CString strCaption;
    int nType;
    // A ready control (one reference) or popup bar the site hands over; the control after creation.
    CKitControl* pControl;
    CKitCommandBar* pCommandBar;
    // A control made from a command id: whether it begins a group, and flags added to its own.
    BOOL bBeginGroup = FALSE;
    DWORD dwFlags = 0;
};

// Layout modes of the row layout (the framework's flags), plus wrapping at groups.
constexpr DWORD LM_STRETCH = 0x01;
constexpr DWORD LM_HORZ = 0x02;
constexpr DWORD LM_MRUWIDTH = 0x04;
constexpr DWORD LM_HORZDOCK = 0x08;
constexpr DWORD LM_VERTDOCK = 0x10;
constexpr DWORD LM_LENGTHY = 0x20;
constexpr DWORD LM_COMMIT = 0x40;
// A docked bar that may be squeezed in its row.
constexpr DWORD kitLayoutSqueeze = 0x80;
constexpr DWORD kitLayoutWrapGroups = 0x100;

// The bar flag of the grouped layout.
constexpr DWORD kitBarFlagGrouped = 0x200000;

// The gaps of a row layout: between groups from the paint manager, between neighbours the bar's own.
struct KitRowLayoutMetrics {
    CSize szGroupGap;
    CSize szSpacing;
    // The bar's most-recently-used width (32767: none).
    int nMRUWidth = 32767;
    // Bar flag kitBarFlagGrouped: the grouped layout in one line; controls are neither centred nor aligned.
    BOOL bGrouped = FALSE;
    // The bar's large icon width: a control with an icon of that width is laid out large.
    int nLargeIconWidth = 32;
};

// The metrics of a menu layout, from the paint manager.
struct KitPopupLayoutMetrics {
    CRect rcBorders;
    int nSeparatorHeight = 0;
    int nSeparatorWidth = 0;
    // Items wider than a third of the work area are narrowed unless this is set.
    BOOL bWideItemsAllowed = FALSE;
    int nWorkAreaRight = 0;
};

class CKitControls : public CCmdTarget {
    DECLARE_DYNCREATE(CKitControls)
public:
    // The reserved ids of special buttons.
    static constexpr UINT kIdWindowList = 35000;
    static constexpr UINT kIdWorkspaceActions = 35002;
    static constexpr UINT kIdRecentFileList = 35003;
    // The toolbar list, the OLE verbs and the recent files take the framework's ids (ID_VIEW_TOOLBAR,
    // ID_OLE_VERB_FIRST, ID_FILE_MRU_FILE1); the first MDI child's item (AFX_IDM_FIRST_MDICHILD) is left out.
    // The menu text of the OLE verbs' place.
    static constexpr const char* kOleVerbsPlaceholder = "<<OLE VERBS GO HERE>>";
    // An empty menu's and an empty bar's layout.
    static constexpr int kEmptyPopupHeight = 22;
    static constexpr int kMinPopupWidth = 24;

    CKitControls() = default;
    ~CKitControls() override;
    CKitControls(const CKitControls&) = delete;
    CKitControls& operator=(const CKitControls&) = delete;

    // A new control of the type (null for an unknown type) with its texts, inserted before the index.
    CKitControl* Add(int nType, UINT nId, LPCSTR lpszParameter = nullptr, int nBefore = -1, BOOL bTemporary = FALSE);
    // Adds an existing control (taking over one reference), with its action or texts for the id.
    CKitControl* Add(CKitControl* pControl, UINT nId, LPCSTR lpszParameter = nullptr, int nBefore = -1,
                     BOOL bTemporary = FALSE);
    // Takes over one reference to the control and inserts it before the index (outside the range appends).
    CKitControl* InsertAt(CKitControl* pControl, int nBefore = -1);
    CKitControl* AddControl(CKitControl* pControl) { return InsertAt(pControl, -1); }
    // A clone of the control inserted before the index.
    CKitControl* AddClone(const CKitControl* pControl, int nBefore = -1, BOOL bRecursive = FALSE);
    // Releases the control after unlinking it; nothing for a control of another collection.
    virtual void Remove(CKitControl* pControl);
    void Remove(int nIndex) { Remove(GetAt(nIndex)); }
    // Removes and releases every control, last first.
    void RemoveAll();

    int GetCount() const { return static_cast<int>(m_controls.size()); }
    // The control at the index, or null out of range.
    CKitControl* GetAt(int nIndex) const;
    int IndexOf(const CKitControl* pControl) const;

    // The first control of the type (0: any) and id (-1: any), optionally shown only, optionally in sub-bars.
    CKitControl* FindControl(int nType, int nId, BOOL bVisible = FALSE, BOOL bRecursive = FALSE) const;
    CKitControl* FindControlById(int nId) const { return FindControl(0, nId, FALSE, FALSE); }
    // The first shown control whose rectangle holds the point.
    CKitControl* HitTest(CPoint pt) const;
    // The next qualifying index after nIndex in the direction (+1 or -1); -1 when there is none.
    int GetNext(int nIndex, int nDirection = +1, BOOL bSkipNoFocus = TRUE, BOOL bSkipTemporary = FALSE,
                BOOL bStrict = TRUE) const;
    // Shown controls; without bAll a control hidden only for lack of room counts.
    int GetVisibleCount(BOOL bAll = TRUE) const;
    CKitControl* GetVisibleAt(int nIndex, BOOL bAll = TRUE) const;

    CKitCommandBar* GetParent() const { return m_pParent; }
    // The owning bar of the collection and of every control in it.
    void SetParent(CKitCommandBar* pParent);
    // The action table used when the collection makes controls: its own, else the manager's (null: no actions).
    CKitControlActions* GetActions() const;
    // The owning bar's manager, or null.
    CKitCommandBarManager* GetCommandBars() const;
    void SetActions(CKitControlActions* pActions) { m_pActions = pActions; }

    // Changes the type: among the popup kinds in place, else a new control replaces the old one.
    CKitControl* SetControlType(CKitControl* pControl, int nType);
    CKitControl* SetControlTypeAt(int nIndex, int nType) { return SetControlType(GetAt(nIndex), nType); }

    // The frozen copy of the controls from before the user customized them.
    void CreateOriginalControls();
    CKitOriginalControls* GetOriginalControls() const { return m_pOriginalControls; }
    void SetOriginalControls(CKitOriginalControls* pControls);
    // Whether the non-temporary controls differ from the original copy.
    BOOL IsChanged() const;
    // A new collection of the same class with clones of the non-temporary controls.
    CKitControls* Duplicate(BOOL bRecursive = FALSE) const;
    virtual void Copy(const CKitControls* pSource, BOOL bRecursive = FALSE);
    // Whether the control is stored and copied with the collection: every control but a temporary one.
    virtual BOOL IsPersistent(const CKitControl* pControl) const;
    // Drops the controls a load or a copy replaces: all of them here; a collection that holds parts of its own
    // bar keeps those.
    virtual void RemoveReplaceable() { RemoveAll(); }

    // Saves the persistent controls (and the original copy) or loads them in place of the present ones.
    void DoPropExchange(CKitPropExchange* pPX);
    void GenerateCommandBarList(DWORD& nNextId, CKitCommandBarList* pList, DWORD dwFlags);
    void RestoreCommandBarList(CKitCommandBarList* pList);

    // Converts one menu item into a control appended to the collection; null for a skipped item.
    CKitControl* AddMenuItem(CMenu* pMenu, int nIndex);
    // Appends a control for the command id after asking the site (WM_KIT_CONTROL_CREATE), which may hand over
    // a control or change the type, and tells the site of it (WM_KIT_CONTROL_CREATED); null when none was made.
    CKitControl* AddCommandId(UINT nId, BOOL bBeginGroup);
    // Appends one control per id (a 0 makes the next one begin a group).
    void AddCommandIds(const UINT* pIds, int nCount);

    // Lays the controls out in columns of at most nMaxHeight (0: no limit) and returns the popup's size.
    CSize CalcPopupSize(CDC* pDC, int nMaxHeight, const KitPopupLayoutMetrics& metrics);
    // Lays the controls out in rows for the length and mode (LM_ flags); with LM_COMMIT the controls take
    // their places. Returns the bar's size with the borders.
    CSize CalcDynamicSize(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorders, int nMinimum,
                          const KitRowLayoutMetrics& metrics);

protected:
    virtual void OnControlAdded(CKitControl* /*pControl*/) { OnChanged(); }
    virtual void OnControlRemoved(CKitControl* pControl);
    // TRUE refuses the removal.
    virtual BOOL OnControlRemoving(CKitControl* /*pControl*/) { return FALSE; }
    // Renumbers the controls, links them to the collection and the bar, and tells the bar.
    virtual void OnChanged();
    // The window that is told about menu conversion.
    CWnd* GetSite() const;
    // Attaches the id's action (made when the table allows it), else loads the id's texts.
    void AssignId(CKitControl* pControl, UINT nId, const CString& strMenuText, BOOL bFromMenu);

    std::vector<CKitControl*> m_controls;
    CKitCommandBar* m_pParent = nullptr;
    CKitControlActions* m_pActions = nullptr;
    CKitOriginalControls* m_pOriginalControls = nullptr;
};

// A bar's controls from before the user customized them.
class CKitOriginalControls : public CKitControls {
    DECLARE_DYNCREATE(CKitOriginalControls)
public:
    CKitOriginalControls() = default;
};

// A new control of the class for the type (null for an unknown type); the reserved ids of the
// window list, recent files, toolbars and OLE verbs make plain buttons, and the kinds without a
// class of their own yet (7 to 11) the base control of that type.
CKitControl* KitCreateControl(int nType);
