// CFileView, CViewTree: the device view pane and its device library tree.
#pragma once
#include "framework/ui.h"

class CMainDoc;

// The device library tree.
class CViewTree : public CTreeCtrl {
    DECLARE_DYNAMIC(CViewTree)
public:
    CViewTree() = default;
};

// The pane at the left of the main window holding the device library tree.
class CFileView : public CWnd {
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
    // Adds an SCL file's node under the IED root.
    void AddSclFileNode(const CString& filePath, const CString& fileName);
    // Deletes every item under the IED root.
    void RemoveFileItems();

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
