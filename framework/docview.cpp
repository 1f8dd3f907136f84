#include "framework/docview.h"

#include "framework/splitter.h"

#include "framework/archive.h"
#include "framework/exceptions.h"
#include "framework/file.h"
#include "framework/filedialog.h"
#include "framework/frame.h"
#include "framework/gdi.h"
#include "framework/msgbox.h"
#include "framework/winapp.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CScrollView, CView)
IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, &CDocument::OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, &CDocument::OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_MESSAGE(WM_MOUSEACTIVATE, &CView::OnMouseActivate)
    ON_MESSAGE(WM_INITIALUPDATE, &CView::OnInitialUpdateMessage)
    ON_COMMAND(ID_WINDOW_SPLIT, &CView::OnSplitCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_SPLIT, &CView::OnUpdateSplitCmd)
    ON_COMMAND_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CView::OnNextPaneCmd)
    ON_UPDATE_COMMAND_UI_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CView::OnUpdateNextPaneMenu)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

namespace {

const char kAskToSave[] = "Save changes to %s?";
const char kUntitled[] = "Untitled";
// Lines per page when a scroll view's page step is not given.
constexpr int kLinesPerPage = 10;
// A print job's name is cut to this length; a job that could not start or print a page is reported.
constexpr int kPrintJobNameLength = 31;
const char kPrintFailed[] = "Failed to print the document.";

// The file dialog filter of a template's strings: "Name|*.ext|All Files (*.*)|*.*||".
CString FilterOf(CDocTemplate* pTemplate)
{
    CString name;
    CString extension;
    if (pTemplate == nullptr || !pTemplate->GetDocString(extension, CDocTemplate::filterExt))
        return "All Files (*.*)|*.*||";
    pTemplate->GetDocString(name, CDocTemplate::filterName);
    return name + "|*" + extension + "|All Files (*.*)|*.*||";
}

} // namespace

// CDocument

CDocument::CDocument() : m_bAutoDelete(TRUE), m_pDocTemplate(nullptr), m_bModified(FALSE) {}

CDocument::~CDocument()
{
    // Views that still exist no longer have a document.
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr)
        GetNextView(pos)->m_pDocument = nullptr;
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
        if (pFrame != nullptr)
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU)
{
    char fullPath[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(lpszPathName, MAX_PATH, fullPath, nullptr);
    m_strPathName = length > 0 && length < MAX_PATH ? CString(fullPath) : CString(lpszPathName);
    const int slash = m_strPathName.ReverseFind('\\');
    SetTitle(m_strPathName.Mid(slash + 1));
    if (bAddToMRU) {
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(m_strPathName);
    }
}

void CDocument::ClearPathName()
{
    m_strPathName.Empty();
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || pView->m_pDocument == this)
        return;
    if (pView->m_pDocument != nullptr)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == nullptr)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList()
{
    // A document whose last view went away closes (it was not closed by OnCloseDocument yet).
    if (m_viewList.IsEmpty() && m_bAutoDelete && m_pDocTemplate == nullptr)
        OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName)
{
    CFile file;
    CFileException error;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        error.ReportError();
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);
    try {
        CArchive archive(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        Serialize(archive);
        archive.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        DeleteContents();
        e->ReportError();
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName)
{
    CFile file;
    CFileException error;
    if (!file.Open(lpszPathName, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error)) {
        error.ReportError();
        return FALSE;
    }
    try {
        CArchive archive(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        Serialize(archive);
        archive.Close();
        file.Close();
    } catch (CException* e) {
        file.Abort();
        e->ReportError();
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Destroying a frame destroys its views, which leave the list.
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    std::vector<CFrameWnd*> frames;
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        CFrameWnd* frame = GetNextView(pos)->GetParentFrame();
        if (frame != nullptr && std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    }
    for (CFrameWnd* frame : frames)
        frame->DestroyWindow();
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName.Mid(m_strPathName.ReverseFind('\\') + 1);
    if (name.IsEmpty())
        name = kUntitled;
    CString prompt;
    prompt.Format(kAskToSave, static_cast<LPCSTR>(name));
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDocument::DoFileSave()
{
    const DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    if (m_strPathName.IsEmpty() || (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)))
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    CString path = lpszPathName != nullptr ? CString(lpszPathName) : CString();
    if (path.IsEmpty()) {
        CString extension;
        if (m_pDocTemplate != nullptr)
            m_pDocTemplate->GetDocString(extension, CDocTemplate::filterExt);
        CString suggested = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
        CFileDialog dialog(FALSE, extension.IsEmpty() ? nullptr : static_cast<LPCSTR>(extension), suggested,
                           OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, FilterOf(m_pDocTemplate), AfxGetMainWnd());
        if (dialog.DoModal() != IDOK)
            return FALSE;
        path = dialog.GetPathName();
    }
    CWaitCursor wait;
    if (!OnSaveDocument(path))
        return FALSE;
    if (bReplace)
        SetPathName(path);
    return TRUE;
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    return SaveModified();
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::OnFileClose()
{
    if (SaveModified())
        OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

// CView

CView::CView() : m_pDocument(nullptr) {}

CView::~CView()
{
    // A view deleted before its window goes must not stay its frame's active view.
    if (m_hWnd != nullptr) {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != nullptr && pFrame->GetActiveView() == this)
            pFrame->SetActiveView(nullptr, FALSE);
    }
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* pSender, LPARAM, CObject*)
{
    if (pSender != this && m_hWnd != nullptr)
        Invalidate(TRUE);
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
    // Without a page count only the first page is printed.
    if (pInfo != nullptr && pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CPrintDialog* dialog = pInfo->m_pPD;
    CWnd* owner = AfxGetMainWnd();
    dialog->m_pd.hwndOwner = owner != nullptr ? owner->m_hWnd : m_hWnd;
    dialog->m_pd.nMinPage = static_cast<WORD>(std::min<UINT>(pInfo->GetMinPage(), 0xFFFF));
    dialog->m_pd.nMaxPage = static_cast<WORD>(std::min<UINT>(pInfo->GetMaxPage(), 0xFFFF));
    if (pInfo->m_bDirect || pInfo->m_bPreview)
        return dialog->GetDefaults() && dialog->CreatePrinterDC() != nullptr;
    if (dialog->DoModal() != IDOK || dialog->GetPrinterDC() == nullptr)
        return FALSE;
    if (dialog->m_pd.Flags & PD_PAGENUMS)
        pInfo->SetPageRange(dialog->m_pd.nFromPage, dialog->m_pd.nToPage);
    return TRUE;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    const MSG* current = AfxGetCurrentMessage();
    info.m_bDirect = current != nullptr && current->message == WM_COMMAND &&
                     LOWORD(current->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info) || info.m_pPD->GetPrinterDC() == nullptr)
        return;
    CDC dc;
    dc.Attach(info.m_pPD->GetPrinterDC());
    dc.m_bPrinting = TRUE;
    // The job is named for the document, as far as the spooler takes a name.
    CString title = m_pDocument != nullptr ? m_pDocument->GetTitle() : CString();
    if (title.IsEmpty())
        GetWindowText(title);
    title = title.Left(kPrintJobNameLength);
    DOCINFOA job = {};
    job.cbSize = sizeof job;
    job.lpszDocName = title;
    if (dc.StartDoc(&job) <= 0) {
        AfxMessageBox(kPrintFailed, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    OnBeginPrinting(&dc, &info);
    bool failed = false;
    for (info.m_nCurPage = info.GetFromPage(); info.m_nCurPage <= info.GetToPage(); ++info.m_nCurPage) {
        OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        if (dc.StartPage() <= 0) {
            failed = true;
            break;
        }
        info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        ::DPtoLP(dc.m_hDC, reinterpret_cast<POINT*>(&info.m_rectDraw), 2);
        OnPrint(&dc, &info);
        if (dc.EndPage() <= 0) {
            failed = true;
            break;
        }
    }
    OnEndPrinting(&dc, &info);
    if (failed) {
        dc.AbortDoc();
        AfxMessageBox(kPrintFailed, MB_OK | MB_ICONEXCLAMATION);
    } else {
        dc.EndDoc();
    }
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this && m_hWnd != nullptr)
        ::SetFocus(m_hWnd);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxFrameOrViewWndClass();
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::PostNcDestroy()
{
    delete this;
}

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CCreateContext* pContext = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

LRESULT CView::OnMouseActivate(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT)
        return result;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr)
        pFrame->SetActiveView(this);
    return result;
}

// CScrollView

CScrollView::CScrollView() : m_nMapMode(MM_TEXT) {}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_pageDev = sizePage;
    m_lineDev = sizeLine;
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalLog.cx / kLinesPerPage;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalLog.cy / kLinesPerPage;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = std::max<LONG>(1, m_pageDev.cx / kLinesPerPage);
    if (m_lineDev.cy == 0)
        m_lineDev.cy = std::max<LONG>(1, m_pageDev.cy / kLinesPerPage);
    if (m_hWnd != nullptr)
        UpdateBars();
}

CPoint CScrollView::GetScrollPosition() const
{
    return CPoint(::GetScrollPos(m_hWnd, SB_HORZ), ::GetScrollPos(m_hWnd, SB_VERT));
}

void CScrollView::ScrollToPosition(POINT pt)
{
    ::SetScrollPos(m_hWnd, SB_HORZ, pt.x, TRUE);
    ::SetScrollPos(m_hWnd, SB_VERT, pt.y, TRUE);
    FollowScrollBars();
}

void CScrollView::FollowScrollBars()
{
    if (m_hWnd == nullptr)
        return;
    const CPoint now = GetScrollPosition();
    if (now == m_origin)
        return;
    ::ScrollWindow(m_hWnd, m_origin.x - now.x, m_origin.y - now.y, nullptr, nullptr);
    m_origin = now;
}

void CScrollView::UpdateBars()
{
    // Showing or hiding a bar changes the client area, and so the page: settle in a few passes.
    for (int pass = 0; pass < 3; ++pass) {
        CRect client;
        GetClientRect(&client);
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMax = m_totalLog.cx - 1;
        info.nPage = static_cast<UINT>(std::max(0, client.Width()));
        ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
        info.nMax = m_totalLog.cy - 1;
        info.nPage = static_cast<UINT>(std::max(0, client.Height()));
        ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
        CRect after;
        GetClientRect(&after);
        if (after == client)
            break;
    }
    // A larger page or a smaller range may have clamped the positions.
    FollowScrollBars();
}

void CScrollView::ScrollBy(int bar, int nSBCode)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, bar, &info);
    const int line = bar == SB_HORZ ? m_lineDev.cx : m_lineDev.cy;
    const int page = bar == SB_HORZ ? m_pageDev.cx : m_pageDev.cy;
    int pos = info.nPos;
    switch (nSBCode) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_TOP: pos = info.nMin; break;
    case SB_BOTTOM: pos = info.nMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    default: return;
    }
    CPoint target = GetScrollPosition();
    (bar == SB_HORZ ? target.x : target.y) = pos;
    ScrollToPosition(target);
}

void CScrollView::OnPaint()
{
    CPaintDC dc(this);
    dc.SaveDC();
    OnPrepareDC(&dc);
    OnDraw(&dc);
    dc.RestoreDC(-1);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    ::SetMapMode(pDC->m_hDC, m_nMapMode);
    // The origin the child windows are placed for.
    if (!pDC->IsPrinting())
        ::SetViewportOrgEx(pDC->m_hDC, -m_origin.x, -m_origin.y, nullptr);
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    ScrollBy(SB_HORZ, static_cast<int>(nSBCode));
}

void CScrollView::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    ScrollBy(SB_VERT, static_cast<int>(nSBCode));
}

// CDocTemplate

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    m_strDocStrings.LoadString(nIDResource);
}

CDocTemplate::~CDocTemplate() = default;

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const
{
    return AfxExtractSubString(rString, m_strDocStrings, static_cast<int>(index), '\n') && !rString.IsEmpty();
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CDocument* pDocument = m_pDocClass != nullptr ? DYNAMIC_DOWNCAST(CDocument, m_pDocClass->CreateObject()) : nullptr;
    if (pDocument != nullptr)
        AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd*)
{
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* pObject = m_pFrameClass != nullptr ? m_pFrameClass->CreateObject() : nullptr;
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pObject);
    if (pFrame == nullptr) {
        delete pObject;
        return nullptr;
    }
    context.m_pCurrentFrame = pFrame;
    // A frame whose creation fails has already deleted itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr)
        GetNextDoc(pos)->OnCloseDocument();
}

// CSingleDocTemplate

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(nullptr)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != nullptr)
        m_pOnlyDoc->OnCloseDocument();
    // A document that is not deleted on close stays with nobody's template.
    if (m_pOnlyDoc != nullptr)
        RemoveDocument(m_pOnlyDoc);
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    // One element: its position is the document itself.
    return reinterpret_cast<POSITION>(m_pOnlyDoc);
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDocument = reinterpret_cast<CDocument*>(rPos) == m_pOnlyDoc ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return pDocument;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = nullptr;
    bool created = false;
    if (pDocument != nullptr) {
        if (!pDocument->SaveModified())
            return nullptr;
        POSITION pos = pDocument->GetFirstViewPosition();
        if (pos != nullptr)
            pFrame = pDocument->GetNextView(pos)->GetParentFrame();
    } else {
        pDocument = CreateNewDocument();
        if (pDocument == nullptr)
            return nullptr;
        created = true;
    }

    const bool createdFrame = pFrame == nullptr;
    if (createdFrame) {
        const BOOL autoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE; // the frame's failure must not delete it
        pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = autoDelete;
        if (pFrame == nullptr) {
            if (created)
                delete pDocument;
            return nullptr;
        }
    }

    if (lpszPathName == nullptr) {
        SetDefaultTitle(pDocument);
        if (!pDocument->OnNewDocument()) {
            if (createdFrame)
                pFrame->DestroyWindow();
            if (created)
                delete pDocument;
            return nullptr;
        }
    } else {
        CWaitCursor wait;
        if (!pDocument->OnOpenDocument(lpszPathName)) {
            if (createdFrame) {
                pFrame->DestroyWindow();
                if (created)
                    delete pDocument;
            } else if (!pDocument->IsModified()) {
                // The failed open emptied the document: it becomes a new one.
                SetDefaultTitle(pDocument);
                pDocument->OnNewDocument();
                pDocument->UpdateAllViews(nullptr);
            }
            return nullptr;
        }
        pDocument->SetPathName(lpszPathName);
    }

    CWinApp* app = AfxGetApp();
    if (createdFrame && app != nullptr && app->m_pMainWnd == nullptr)
        app->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (!GetDocString(title, docName))
        title = kUntitled;
    pDocument->SetTitle(title);
}

namespace {

// The splitter a view is a pane of, or null.
CSplitterWnd* SplitterOf(CWnd* pView)
{
    return DYNAMIC_DOWNCAST(CSplitterWnd, pView->GetParent());
}

} // namespace

void CView::OnSplitCmd()
{
    if (CSplitterWnd* splitter = SplitterOf(this))
        splitter->DoKeyboardSplit();
}

void CView::OnUpdateSplitCmd(CCmdUI* pCmdUI)
{
    CSplitterWnd* splitter = SplitterOf(this);
    pCmdUI->Enable(splitter != nullptr && !splitter->IsTracking() &&
                   (splitter->GetRowCount() > 1 || splitter->GetColumnCount() > 1));
}

void CView::OnNextPaneCmd(UINT nID)
{
    if (CSplitterWnd* splitter = SplitterOf(this))
        splitter->ActivateNext(nID == ID_PREV_PANE);
}

void CView::OnUpdateNextPaneMenu(CCmdUI* pCmdUI)
{
    CSplitterWnd* splitter = SplitterOf(this);
    pCmdUI->Enable(splitter != nullptr && splitter->CanActivateNext(pCmdUI->m_nID == ID_PREV_PANE));
}
