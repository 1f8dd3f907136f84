#include "corvel/workspace/file_view.h"

#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/controls/product_message.h"
#include "corvel/model/product.h"
#include "corvel/project/path_utils.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/main_view.h"

#include <shellapi.h>

#include <map>
#include <vector>

namespace {

const char kIedRootText[] = "IEC 61850 Configurations";
// The mask colour of the tree's pictures.
constexpr COLORREF kImageMask = RGB(255, 0, 255);
constexpr int kImageWidth = 16;

// Texts of the library's entries that name a PLC kind, tested in this order, and the categories.
const struct {
    const char* text;
    int kind;
} kEntryKinds[] = {
    {"Ethernet/IP Class 3", CViewTree::kDragClass3Device},
    {"ControlLogix", CViewTree::kDragControlLogix},
    {"CompactLogix", CViewTree::kDragCompactLogix},
    {"Devices & Configurations", CViewTree::kDragNone},
    {"Ethernet/IP Devices", CViewTree::kDragNone},
    {"Rockwell Automation", CViewTree::kDragNone},
    {kIedRootText, CViewTree::kDragNone},
};

} // namespace

bool UsesHighColourIcons()
{
    HDC screen = ::GetDC(nullptr);
    const int bits = ::GetDeviceCaps(screen, BITSPIXEL);
    ::ReleaseDC(nullptr, screen);
    return bits > 8;
}

IMPLEMENT_DYNAMIC(CViewTree, CTreeCtrl)
IMPLEMENT_DYNAMIC(CFileViewToolBar, CMFCToolBar)
IMPLEMENT_DYNCREATE(CFileView, CDockablePane)

BEGIN_MESSAGE_MAP(CViewTree, CTreeCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGA, &CViewTree::OnBeginDrag)
    ON_NOTIFY_REFLECT(TVN_BEGINDRAGW, &CViewTree::OnBeginDrag)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

int CViewTree::DragKindOfText(const CString& text)
{
    for (const auto& entry : kEntryKinds) {
        if (text.Find(entry.text) >= 0)
            return entry.kind;
    }
    return -1;
}

HTREEITEM CViewTree::GetNextTreeItem(HTREEITEM hItem) const
{
    if (hItem == nullptr)
        return nullptr;
    if (HTREEITEM child = GetChildItem(hItem))
        return child;
    for (HTREEITEM item = hItem; item != nullptr; item = GetParentItem(item)) {
        if (HTREEITEM sibling = GetNextSiblingItem(item))
            return sibling;
    }
    return nullptr;
}

CIedItemData* CViewTree::GetIedItemData(HTREEITEM hItem) const
{
    return hItem != nullptr ? reinterpret_cast<CIedItemData*>(GetItemData(hItem)) : nullptr;
}

void CViewTree::DeleteItemData(HTREEITEM hItem)
{
    if (CIedItemData* data = GetIedItemData(hItem)) {
        // A drag must not hand the freed access point on.
        if (m_dragEntry != nullptr && m_dragEntry == data->connectedAP.get())
            ResetDrag();
        SetItemData(hItem, 0);
        delete data;
    }
}

void CViewTree::DeleteItemDataTree(HTREEITEM hItem)
{
    if (hItem == nullptr)
        return;
    DeleteItemData(hItem);
    for (HTREEITEM child = GetChildItem(hItem); child != nullptr; child = GetNextSiblingItem(child))
        DeleteItemDataTree(child);
}

void CViewTree::ResetDrag()
{
    m_dragging = false;
    m_dragKind = kDragNone;
    m_dragFilePath.Empty();
    m_dragIedName.Empty();
    m_dragEntry = nullptr;
}

// Every press starts from nothing: an entry that names no device leaves nothing to drop.
void CViewTree::OnLButtonDown(UINT nFlags, CPoint point)
{
    ResetDrag();
    if (HTREEITEM item = HitTest(point)) {
        const int kind = DragKindOfText(GetItemText(item));
        if (kind >= 0) {
            m_dragKind = kind;
        } else if (const CIedItemData* data = GetIedItemData(item)) {
            m_dragFilePath = data->filePath;
            m_dragIedName = data->iedName;
            m_dragEntry = data->connectedAP.get();
            m_dragKind = kDragIed;
        }
    }
    CTreeCtrl::OnLButtonDown(nFlags, point);
}

// A category names no device: it begins no drag.
void CViewTree::OnBeginDrag(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_dragKind == kDragNone)
        return;
    m_dragging = true;
    ::SetCursor(DragCursor());
    SetCapture();
}

// Made once from the resource; the standard arrow when it cannot be.
HCURSOR CViewTree::DragCursor()
{
    static const HCURSOR cursor = [] {
        const HCURSOR made = CreateCursorFromData(AfxGetResourceHandle(), IDC_DRAG_CURSOR);
        return made != nullptr ? made : ::LoadCursorA(nullptr, IDC_ARROW);
    }();
    return cursor;
}

CMainView* CViewTree::NetworkViewAt(CPoint screenPoint)
{
    return DYNAMIC_DOWNCAST(CMainView, CWnd::FromHandlePermanent(::WindowFromPoint(screenPoint)));
}

void CViewTree::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_dragging && m_dragKind != kDragNone) {
        if (m_dragKind == kDragIed && !FileExists(m_dragFilePath)) {
            ::SetCursor(::LoadCursorA(nullptr, IDC_NO));
            return;
        }
        CPoint screen = point;
        ClientToScreen(&screen);
        ::SetCursor(NetworkViewAt(screen) != nullptr ? DragCursor() : ::LoadCursorA(nullptr, IDC_NO));
    }
    CTreeCtrl::OnMouseMove(nFlags, point);
}

void CViewTree::OnLButtonUp(UINT nFlags, CPoint point)
{
    ::ReleaseCapture();
    const int maxIeds = CMainView::ReadIedSlotCount();
    CPoint screen = point;
    ClientToScreen(&screen);
    const bool dropping = m_dragging && m_dragKind != kDragNone;
    m_dragging = false;
    if (dropping) {
        if (CMainView* view = NetworkViewAt(screen)) {
            if (m_dragKind == kDragIed) {
                if (view->CountDevices(kDragIed) >= maxIeds) {
                    AfxMessageBox(IDS_MAX_IEDS_REACHED, MB_OK | MB_ICONEXCLAMATION);
                    return;
                }
                view->AddDevice(kDragIed, m_dragFilePath, m_dragEntry);
                ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
                return;
            }
            if (view->CountDevices(m_dragKind) >= kMaxPlcDevicesOfKind)
                return;
            view->AddDevice(m_dragKind, CString(), nullptr);
        }
    }
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    CTreeCtrl::OnLButtonUp(nFlags, point);
}

BOOL CViewTree::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != TTN_SHOW)
        return CTreeCtrl::OnNotify(wParam, lParam, pResult);
    *pResult = Default();
    if (HWND tooltip = reinterpret_cast<HWND>(SendMessage(TVM_GETTOOLTIPS)))
        ::SetWindowPos(tooltip, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

// The items go with the control, so their data is freed while they are still there.
void CViewTree::OnDestroy()
{
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextSiblingItem(item))
        DeleteItemDataTree(item);
    CTreeCtrl::OnDestroy();
}

void CFileViewToolBar::OnUpdateCmdUI(CCmdTarget*, BOOL bDisableIfNoHndler)
{
    if (CWnd* pane = GetParent())
        CMFCToolBar::OnUpdateCmdUI(pane, bDisableIfNoHndler);
}

BEGIN_MESSAGE_MAP(CFileView, CDockablePane)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_CONTEXTMENU()
    ON_WM_INITMENUPOPUP()
    ON_WM_DROPFILES()
    ON_COMMAND(ID_FILE_VIEW_PROPERTIES, &CFileView::OnProperties)
    ON_COMMAND(ID_FILE_DISPLAY, &CFileView::OnDisplay)
    ON_COMMAND(ID_EDIT_SCL_PATH, &CFileView::OnEditPath)
    ON_COMMAND(ID_EDIT_CLEAR, &CFileView::OnRemove)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, &CFileView::OnUpdateRemove)
    ON_COMMAND(ID_COPY_SCL_FILE, &CFileView::OnCopySclFile)
    ON_COMMAND(ID_ADD_IED, &CFileView::OnAddIed)
    ON_COMMAND(ID_EDIT_CUT, &CFileView::OnNothingToDo)
    ON_COMMAND(ID_EDIT_COPY, &CFileView::OnNothingToDo)
    ON_COMMAND(ID_FILE_VIEW_OPEN, &CFileView::OnNothingToDo)
    ON_COMMAND(ID_FILE_VIEW_OPEN_WITH, &CFileView::OnNothingToDo)
END_MESSAGE_MAP()

CFileView::CFileView() = default;
CFileView::~CFileView() = default;

int CFileView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    const DWORD style = WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_LINESATROOT | TVS_HASBUTTONS;
    if (!m_wndFileView.Create(style, CRect(0, 0, 0, 0), this, kTreeId))
        return -1;
    const bool highColour = UsesHighColourIcons();
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                               CRect(0, 0, 0, 0), kToolBarId) ||
        !m_wndToolBar.LoadToolBar(highColour ? IDR_FILE_VIEW_TOOLBAR_HC : IDR_FILE_VIEW_TOOLBAR, 0, 0, TRUE))
        return -1;
    LoadImages();
    FillFileView();
    AdjustLayout();
    DragAcceptFiles(TRUE);
    return 0;
}

void CFileView::LoadImages()
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(UsesHighColourIcons() ? IDB_FILE_VIEW_HC : IDB_FILE_VIEW))
        return;
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    m_fileViewImages.DeleteImageList();
    if (!m_fileViewImages.Create(kImageWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 0))
        return;
    m_fileViewImages.Add(&bitmap, kImageMask);
    m_wndFileView.SetImageList(&m_fileViewImages, TVSIL_NORMAL);
}

void CFileView::AdjustLayout()
{
    if (m_wndFileView.GetSafeHwnd() == nullptr || m_wndToolBar.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int toolBarHeight = m_wndToolBar.CalcFixedLayout(FALSE, TRUE).cy;
    m_wndToolBar.SetWindowPos(nullptr, client.left, client.top, client.Width(), toolBarHeight,
                              SWP_NOACTIVATE | SWP_NOZORDER);
    m_wndFileView.SetWindowPos(nullptr, client.left + 1, client.top + toolBarHeight + 1, client.Width() - 2,
                               client.Height() - toolBarHeight - 2, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CFileView::OnSize(UINT nType, int cx, int cy)
{
    CDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

// A frame in the shadow colour one pixel around the tree.
void CFileView::OnPaint()
{
    CPaintDC dc(this);
    CRect tree;
    m_wndFileView.GetWindowRect(&tree);
    ScreenToClient(&tree);
    tree.InflateRect(1, 1);
    dc.Draw3dRect(tree, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
}

void CFileView::OnSetFocus(CWnd* pOldWnd)
{
    CDockablePane::OnSetFocus(pOldWnd);
    m_wndFileView.SetFocus();
}

void CFileView::FillFileView()
{
    HTREEITEM top = m_wndFileView.InsertItem("Devices & Configurations", kImageFolder, kImageFolder);
    m_wndFileView.SetItemState(top, TVIS_BOLD, TVIS_BOLD);
    HTREEITEM devices = m_wndFileView.InsertItem("Ethernet/IP Devices", kImageFolder, kImageFolder, top);
    m_wndFileView.InsertItem("Ethernet/IP Class 3", kImageDevice, kImageDevice, devices);
    m_hIedRoot = m_wndFileView.InsertItem(kIedRootText, kImageFolder, kImageFolder, top);
    m_wndFileView.Expand(top, TVE_EXPAND);
    m_wndFileView.Expand(devices, TVE_EXPAND);
    m_wndFileView.Expand(m_hIedRoot, TVE_EXPAND);
}

HTREEITEM CFileView::AddFileItem(const CString& filePath, int image)
{
    return m_wndFileView.InsertItem(filePath, image, image, m_hIedRoot, TVI_LAST);
}

void CFileView::AddSclFileNode(const CString& filePath)
{
    HTREEITEM fileItem = AddFileItem(filePath, kImageFile);
    CMainDoc::CConnectedAPArray entries;
    CMainDoc::ReadIedHeader(filePath, entries);
    // One item per IED name, in name order, with the IED's last access point.
    std::map<CString, std::unique_ptr<CConnectedAP>> byName;
    for (INT_PTR i = 0; i < entries.GetSize(); ++i) {
        std::unique_ptr<CConnectedAP> entry(entries[i]);
        const CString name = entry->ied.name;
        byName[name] = std::move(entry);
    }
    entries.RemoveAll();
    for (auto& [name, entry] : byName) {
        auto data = std::make_unique<CIedItemData>();
        data->filePath = filePath;
        data->iedName = name;
        data->connectedAP = std::move(entry);
        HTREEITEM item =
            fileItem != nullptr ? m_wndFileView.InsertItem(name, kImageIed, kImageIed, fileItem, TVI_LAST) : nullptr;
        if (item != nullptr && m_wndFileView.SetItemData(item, reinterpret_cast<DWORD_PTR>(data.get())))
            data.release();
    }
    m_wndFileView.Expand(m_hIedRoot, TVE_EXPAND);
}

void CFileView::FillFromProject()
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    for (POSITION pos = doc->project.sclFiles.GetHeadPosition(); pos != nullptr;) {
        const CMainDoc::_ICD_FILES* file = doc->project.sclFiles.GetNext(pos);
        if (file->fileName.IsEmpty())
            continue;
        if (FileExists(file->filePath))
            AddSclFileNode(file->filePath);
        else
            AddFileItem(file->filePath, kImageMissingFile);
    }
    m_wndFileView.Expand(m_hIedRoot, TVE_EXPAND);
}

void CFileView::RemoveFileItems()
{
    if (m_hIedRoot == nullptr)
        return;
    HTREEITEM child = m_wndFileView.GetChildItem(m_hIedRoot);
    while (child != nullptr) {
        HTREEITEM next = m_wndFileView.GetNextSiblingItem(child);
        m_wndFileView.DeleteItemDataTree(child);
        m_wndFileView.DeleteItem(child);
        child = next;
    }
}

void CFileView::ChangeSclFilePath(const CString& oldPath, const CString& newPath)
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    for (CMainDoc::_IED_DEVICE* device : doc->RepointSclFile(oldPath, newPath)) {
        if (device->button != nullptr)
            device->button->sclFilePath = newPath;
    }
}

// The records of the old file's name take the chosen file's path and name, so that the project finds the file
// by its name again; the placed IEDs of that file follow it.
void CFileView::EditSclFilePath(const CString& filePath)
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                       kSclFileFilter, this);
    CMainDoc* doc = FindMainDocument();
    if (dialog.DoModal() == IDOK && doc != nullptr) {
        const CString newPath = dialog.GetPathName();
        std::vector<CMainDoc::_IED_DEVICE*> devices;
        const bool changed = doc->RenameSclFile(GetFileNameOfPath(filePath), newPath, devices);
        for (CMainDoc::_IED_DEVICE* device : devices) {
            if (device->button != nullptr)
                device->button->sclFilePath = newPath;
        }
        // The project's files hold the paths: a changed path is unsaved work.
        if (changed)
            doc->SetModified();
    }
    if (CWnd* mainWnd = AfxGetMainWnd())
        mainWnd->SendMessage(WM_REFRESH_FILE_VIEW);
}

CString CFileView::SelectedText() const
{
    HTREEITEM selected = m_wndFileView.GetSelectedItem();
    return selected != nullptr ? m_wndFileView.GetItemText(selected) : CString();
}

// A file's menu (or the missing file's) on a file item, the Add IED menu on the IED root.
void CFileView::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (pWnd == nullptr || pWnd->m_hWnd != m_wndFileView.m_hWnd) {
        CDockablePane::OnContextMenu(pWnd, point);
        return;
    }
    HTREEITEM item = nullptr;
    if (point != CPoint(-1, -1)) {
        CPoint client = point;
        m_wndFileView.ScreenToClient(&client);
        item = m_wndFileView.HitTest(client);
        if (item != nullptr)
            m_wndFileView.SelectItem(item);
    }
    m_wndFileView.SetFocus();
    if (item == nullptr)
        return;
    UINT menu = 0;
    if (m_wndFileView.GetParentItem(item) == m_hIedRoot) {
        int image = 0;
        int selectedImage = 0;
        m_wndFileView.GetItemImage(item, image, selectedImage);
        menu = image == kImageMissingFile ? IDR_MENU_MISSING_FILE : IDR_MENU_SCL_FILE;
    } else if (m_wndFileView.GetItemText(item) == kIedRootText) {
        menu = IDR_MENU_IED_ROOT;
    }
    auto* app = DYNAMIC_DOWNCAST(CWinAppEx, AfxGetApp());
    if (menu != 0 && app != nullptr && app->GetContextMenuManager() != nullptr)
        app->GetContextMenuManager()->ShowPopupMenu(menu, point.x, point.y, this, TRUE);
}

// The pane owns its menus: their items are enabled by its handlers and, after them, the frame's.
void CFileView::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (!bSysMenu && pPopupMenu != nullptr)
        AfxUpdateMenuCommandUI(this, pPopupMenu, TRUE);
}

BOOL CFileView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CDockablePane::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Commands of the pane's menus that the document handles (pointing the files to another folder), through
    // the main window also while the pane floats; a frame that asks its panes in turn does not come back here.
    CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (frame == nullptr || m_routingToFrame)
        return FALSE;
    m_routingToFrame = true;
    const BOOL handled = frame->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    m_routingToFrame = false;
    return handled;
}

void CFileView::OnDropFiles(HDROP hDropInfo)
{
    char path[MAX_PATH] = {};
    if (::DragQueryFileA(hDropInfo, 0, path, MAX_PATH) > 0) {
        const CString name(path);
        CString lower = name;
        lower.MakeLower();
        const CString extension = lower.Right(3);
        if (extension == "scd" || extension == "icd" || extension == "cid") {
            if (CMainDoc* doc = FindMainDocument())
                doc->OpenFileByType(name, TRUE);
        }
    }
    ::DragFinish(hDropInfo);
}

void CFileView::OnProperties()
{
    CMainDoc* doc = FindMainDocument();
    if (doc != nullptr && doc->project.bridgeButton != nullptr)
        doc->project.bridgeButton->OnProperties();
}

void CFileView::OnDisplay()
{
    ::ShellExecuteA(nullptr, "open", "notepad.exe", SelectedText(), nullptr, SW_SHOWNORMAL);
}

void CFileView::OnEditPath()
{
    EditSclFilePath(SelectedText());
}

// The file's item goes with its IEDs' data; the IEDs already placed stay in the project.
void CFileView::OnRemove()
{
    HTREEITEM selected = m_wndFileView.GetSelectedItem();
    CMainDoc* doc = FindMainDocument();
    if (selected == nullptr || doc == nullptr)
        return;
    const CString path = m_wndFileView.GetItemText(selected);
    doc->RemoveSclFile(path);
    m_wndFileView.DeleteItemDataTree(selected);
    m_wndFileView.DeleteItem(selected);
    const CString fileName = GetFileNameOfPath(path);
    for (INT_PTR i = 0; i < doc->fileListA.GetSize(); ++i) {
        if (doc->fileListA[i] == fileName) {
            doc->fileListA.RemoveAt(i);
            break;
        }
    }
    doc->MarkChangedAndUpdateViews();
}

// Disabled while an IED of the selected file is placed in the network view.
void CFileView::OnUpdateRemove(CCmdUI* pCmdUI)
{
    HTREEITEM selected = m_wndFileView.GetSelectedItem();
    const CMainDoc* doc = FindMainDocument();
    bool placed = false;
    for (HTREEITEM child = selected != nullptr ? m_wndFileView.GetChildItem(selected) : nullptr;
         child != nullptr && doc != nullptr && !placed; child = m_wndFileView.GetNextSiblingItem(child)) {
        const CString name = m_wndFileView.GetItemText(child);
        for (POSITION pos = doc->project.iedDevices.GetHeadPosition(); pos != nullptr && !placed;) {
            const CMainDoc::_IED_DEVICE* device = doc->project.iedDevices.GetNext(pos);
            placed = device->state != Corvel::Records::kSlotFree && device->label == name;
        }
    }
    pCmdUI->Enable(!placed);
}

// Copies a file chosen by the user over the project's SCL file of the selected item's name.
void CFileView::OnCopySclFile()
{
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr)
        return;
    const CString fileName = GetFileNameOfPath(SelectedText());
    const CMainDoc::_ICD_FILES* record = nullptr;
    for (POSITION pos = doc->project.sclFiles.GetHeadPosition(); pos != nullptr && record == nullptr;) {
        const CMainDoc::_ICD_FILES* file = doc->project.sclFiles.GetNext(pos);
        if (file->fileName == fileName)
            record = file;
    }
    if (record == nullptr || record->filePath.IsEmpty()) {
        CString text;
        text.LoadString(IDS_COPY_SCL_NO_DESTINATION);
        ShowProductMessage(text, MB_OK | MB_ICONERROR, GetSafeHwnd());
        return;
    }
    const int dot = record->fileName.ReverseFind('.');
    const CString title = dot >= 0 ? record->fileName.Left(dot) : record->fileName;
    const CString extension = dot >= 0 ? record->fileName.Mid(dot + 1) : CString();
    CFileDialog dialog(TRUE, extension, title, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST,
                       kSclFileFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString chosen = dialog.GetPathName();
    if (GetFileNameOfPath(chosen) != record->fileName) {
        AfxMessageBox(IDS_COPY_SCL_NOT_MATCHED);
        return;
    }
    if (chosen != record->filePath && !::CopyFileA(chosen, record->filePath, FALSE))
        AfxMessageBox(IDS_COPY_SCL_FAILED);
}

void CFileView::OnAddIed()
{
    if (CWnd* mainWnd = AfxGetMainWnd())
        mainWnd->PostMessage(WM_COMMAND, ID_ADD_IED);
}

void CFileView::OnNothingToDo() {}
