// CFileView, CFileViewToolBar, CViewTree, CIedItemData: the device view pane, its toolbar, its device library
// tree and the data of the tree's IED items.
#pragma once
#include "framework/ui.h"
#include "corvel/model/ied_records.h"

#include <memory>

class CMainDoc;
class CMainView;

// Whether the screen shows more than 256 colours: the bars and panes take their high-colour pictures then.
bool UsesHighColourIcons();

// Item data of an IED item: its SCL file, the IED name and the access point, which it owns.
struct CIedItemData {
    CString filePath;
    CString iedName;
    std::unique_ptr<CConnectedAP> connectedAP;
};

// The device library tree. Items with data are IED items; the tree deletes their data with itself. An entry
// dragged onto the network view becomes a device of the project there.
class CViewTree : public CTreeCtrl {
    DECLARE_DYNAMIC(CViewTree)
public:
    CViewTree() = default;

    // Kinds of a dragged entry, as the network view's AddDevice takes them; kDragNone for a category.
    static constexpr int kDragNone = 0;
    static constexpr int kDragIed = 4;
    static constexpr int kDragControlLogix = 7;
    static constexpr int kDragCompactLogix = 8;
    static constexpr int kDragClass3Device = 9;
    // More placed devices of one PLC kind than this are refused without a message.
    static constexpr int kMaxPlcDevicesOfKind = 3;

    // The kind an entry's text names: a PLC kind, kDragNone for a category, or -1 for any other text.
    static int DragKindOfText(const CString& text);

    // The next item in depth-first order: the first child, else the next sibling of the item or of its
    // nearest ancestor that has one; null after the last item.
    HTREEITEM GetNextTreeItem(HTREEITEM hItem) const;
    // Deletes the item data of the item and of all its descendants; the items stay.
    void DeleteItemDataTree(HTREEITEM hItem);
    // The data of an IED item, or null.
    CIedItemData* GetIedItemData(HTREEITEM hItem) const;

    // The cursor of an entry dragged over a network view.
    static HCURSOR DragCursor();

    // The state of the drag: set by the last left-button press over an entry.
    bool IsDragging() const { return m_dragging; }
    int GetDragKind() const { return m_dragKind; }
    const CString& GetDragFilePath() const { return m_dragFilePath; }
    const CString& GetDragIedName() const { return m_dragIedName; }
    const CConnectedAP* GetDragEntry() const { return m_dragEntry; }

protected:
    // Takes the kind and the IED of the entry under the point.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    // The tree's begin-drag notification: the drag cursor and the mouse capture, for an entry that names a device.
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    // The drag cursor over a network view, the "not allowed" cursor elsewhere.
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    // The drop: a device of the dragged kind placed on a network view under the point, within the limits.
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    // The tree's tooltip is brought to the top when it shows.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    DECLARE_MESSAGE_MAP()

private:
    void DeleteItemData(HTREEITEM hItem);
    void ResetDrag();
    // The network view under a screen point, or null.
    static CMainView* NetworkViewAt(CPoint screenPoint);

    bool m_dragging = false;
    int m_dragKind = kDragNone;
    CString m_dragFilePath;
    CString m_dragIedName;
    // Owned by the item data of the pressed entry; forgotten when that data is deleted.
    const CConnectedAP* m_dragEntry = nullptr;
};

// The device view's toolbar: its buttons are enabled by the pane that holds it, not by the frame.
class CFileViewToolBar : public CMFCToolBar {
    DECLARE_DYNAMIC(CFileViewToolBar)
public:
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;
};

// The "Device View" pane at the left of the main window: a toolbar above the device library tree, which lists
// the EtherNet/IP device and the project's SCL files with their IEDs.
class CFileView : public CDockablePane {
    DECLARE_DYNCREATE(CFileView)
public:
    CFileView();
    ~CFileView() override;

    // Control ids of the tree and the toolbar.
    static constexpr UINT kTreeId = 4;
    static constexpr UINT kToolBarId = 169;

    CViewTree& GetFileTree() { return m_wndFileView; }
    CFileViewToolBar& GetToolBar() { return m_wndToolBar; }
    CImageList& GetTreeImages() { return m_fileViewImages; }
    // The "IEC 61850 Configurations" item, under which the SCL files are listed.
    HTREEITEM GetIedRoot() const { return m_hIedRoot; }

    // Inserts the fixed branches of the tree.
    void FillFileView();
    // Adds a node for each SCL file of the project (the missing-file image, without IEDs, when it is gone).
    void FillFromProject();
    // Adds an SCL file's node under the IED root with one IED item per IED of the file, in name order.
    void AddSclFileNode(const CString& filePath);
    // Deletes every item under the IED root with its item data.
    void RemoveFileItems();
    // Gives the first SCL file record of the old path's file name the new path, and every IED device
    // that refers to the old path (with its button) the new one.
    void ChangeSclFilePath(const CString& oldPath, const CString& newPath);
    // Lets the user choose where the SCL file filePath went: the project's file of that file name (and its entry
    // in the list of file names) gets the chosen path and name, and so does every placed IED device of that file
    // name (with its button); a path that changed marks the project modified. The main window then refills the
    // tree, also when the user cancelled.
    void EditSclFilePath(const CString& filePath);

    // Tree images.
    static constexpr int kImageFolder = 0;
    static constexpr int kImageDevice = 1;
    static constexpr int kImageFile = 2;
    static constexpr int kImageMissingFile = 3;
    static constexpr int kImageIed = 8;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnDropFiles(HDROP hDropInfo);

    afx_msg void OnProperties();
    afx_msg void OnDisplay();
    afx_msg void OnEditPath();
    afx_msg void OnRemove();
    afx_msg void OnUpdateRemove(CCmdUI* pCmdUI);
    afx_msg void OnCopySclFile();
    afx_msg void OnAddIed();
    // Cut, Copy, Open and Open With: enabled while the pane routes them, and nothing to do.
    afx_msg void OnNothingToDo();

    DECLARE_MESSAGE_MAP()

private:
    HTREEITEM AddFileItem(const CString& filePath, int image);
    void AdjustLayout();
    // The tree's and the toolbar's pictures for the screen's colours.
    void LoadImages();
    CString SelectedText() const;

    HTREEITEM m_hIedRoot = nullptr;
    bool m_routingToFrame = false;
    CViewTree m_wndFileView;
    CImageList m_fileViewImages;
    CFileViewToolBar m_wndToolBar;
};
