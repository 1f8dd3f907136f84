// CControlBar, CToolBar: bars docked along an edge of their parent, laid out by CWnd::RepositionBars and updated at idle time.
#pragma once

#include "framework/wnd.h"

#include <map>
#include <vector>

// Bar styles, kept by the bar apart from its window style: the edge it docks
// to, the borders it draws, tooltips and fly-by prompts.
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000L;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000L;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000L;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000L;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000L;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100L;
constexpr DWORD CBRS_BORDER_TOP = 0x0200L;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400L;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800L;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004L;
constexpr DWORD CBRS_TOOLTIPS = 0x0010L;
constexpr DWORD CBRS_FLYBY = 0x0020L;
constexpr DWORD CBRS_GRIPPER = 0x00400000L;
constexpr DWORD CBRS_ALL = 0x0040FFFFL;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// A bar along one edge of its parent. The parent lays its bars out with
// RepositionBars; at idle time the bar's items are updated through the
// update handlers of the window that owns it.
class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle & CBRS_ALL; }
    // Docked along a horizontal edge (top or bottom) rather than a side.
    bool IsHorizontal() const { return (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }

    // The bar's size when docked; with bStretch it takes the whole length of its edge (0 here: the layout fills it).
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) = 0;
    // Whether the parent's layout places the bar (a pane that floats or hides itself is not placed).
    virtual bool IsLaidOutByParent() const { return true; }
    // Updates the bar's items through pTarget's ON_UPDATE_COMMAND_UI handlers; items
    // without any handler are disabled when bDisableIfNoHndler.
    virtual void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) = 0;

    // WM_IDLEUPDATECMDUI: a visible bar updates its items through the frame above it, or its parent.
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

protected:
    // The window style of a bar created with dwStyle: its bar styles are kept in m_dwStyle.
    DWORD TakeBarStyle(DWORD dwStyle);

    DWORD m_dwStyle;

    DECLARE_MESSAGE_MAP()
};

// A row of buttons made from a toolbar resource (its bitmap and the ids of its buttons).
class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    ~CToolBar() override;
    // dwCtrlStyle: toolbar control styles (TBSTYLE_FLAT ...); dwStyle: window and bar styles.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // Loads the toolbar resource nIDResource and the bitmap of the same id; FALSE when either is missing or malformed.
    virtual BOOL LoadToolBar(UINT nIDResource);
    // The size of the buttons and of their pictures.
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    int GetCount() const { return static_cast<int>(m_buttonIds.size()); }
    // The command of button nIndex (ID_SEPARATOR for a separator).
    UINT GetItemID(int nIndex) const;
    // The button of nIDFind, or -1.
    int CommandToIndex(UINT nIDFind) const;
    UINT GetButtonState(int nIndex) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    // The commands of the buttons, in order; the control's buttons past them are not the bar's own.
    std::vector<UINT> m_buttonIds;
    // The image of each command of the loaded resource.
    std::map<UINT, int> m_images;

private:
    // Makes the image lists of the buttons' pictures from the bitmap resource; false when it cannot be read.
    bool SetButtonImages(HINSTANCE hInstance, UINT nIDResource, int imageWidth, int imageHeight);
    void DestroyButtonImages();

    // The pictures of enabled and hot buttons, and their greyed copies (the control does not own the lists it is
    // given).
    HIMAGELIST m_hImages = nullptr;
    HIMAGELIST m_hDisabledImages = nullptr;
};
