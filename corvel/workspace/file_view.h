// CFileView, CViewTree, CIedItemData: the device view pane, its device library tree and the data of its IED items.
#pragma once
#include "framework/ui.h"
#include "corvel/model/ied_records.h"

#include <memory>

class CMainDoc;

// Item data of an IED item: its SCL file, the IED name and the access point, which it owns.
struct CIedItemData {
    CString filePath;
    CString iedName;
    std::unique_ptr<CConnectedAP> connectedAP;
};

// The device library tree. Items with data are IED items; the tree deletes their data with itself.
class CViewTree : public CTreeCtrl {
    DECLARE_DYNAMIC(CViewTree)
public:
    CViewTree() = default;

    // The next item in depth-first order: the first child, else the next sibling of the item or of its
    // nearest ancestor that has one; null after the last item.
    HTREEITEM GetNextTreeItem(HTREEITEM hItem) const;
    // Deletes the item data of the item and of all its descendants; the items stay.
    void DeleteItemDataTree(HTREEITEM hItem);
    // The data of an IED item, or null.
    CIedItemData* GetIedItemData(HTREEITEM hItem) const;

protected:
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    void DeleteItemData(HTREEITEM hItem);
};

// The pane at the left of the main window holding the device library tree.
class CFileView : public CDockablePane {
    DECLARE_DYNCREATE(CFileView)
public:
    CFileView();
    ~CFileView() override;

    // Control id of the tree.
    static constexpr UINT kTreeId = 4;

    CViewTree& GetFileTree() { return m_wndFileView; }
    // The "IEC 61850 Configurations" item, under which the SCL files are listed.
    HTREEITEM GetIedRoot() const { return m_hIedRoot; }

    // Inserts the fixed branches of the tree.
    void FillFileView();
    // Adds a node for each SCL file of the project (the missing-file image when it is gone).
    void FillFromProject();
    // Adds an SCL file's node under the IED root with one IED item per access point the header reader
    // returns (fileName is not used).
    void AddSclFileNode(const CString& filePath, const CString& fileName);
    // Deletes every item under the IED root with its item data.
    void RemoveFileItems();
    // Gives the first SCL file record of the old path's file name the new path, and every IED device
    // that refers to the old path (with its button) the new one.
    void ChangeSclFilePath(const CString& oldPath, const CString& newPath);
    // Lets the user choose where the SCL file filePath went: the project's file of that file name gets the
    // chosen path and name, and so does every placed IED device of that file name (with its button). The main
    // window then refills the tree, also when the user cancelled.
    void EditSclFilePath(const CString& filePath);

    // Tree images.
    static constexpr int kImageFolder = 0;
    static constexpr int kImageDevice = 1;
    static constexpr int kImageFile = 2;
    static constexpr int kImageMissingFile = 3;
    static constexpr int kImageIed = 8;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);

    DECLARE_MESSAGE_MAP()

private:
    HTREEITEM AddFileItem(const CString& filePath, int image);

    CViewTree m_wndFileView;
    HTREEITEM m_hIedRoot = nullptr;
};
