// CCreateContext, CDocument, CView, CScrollView, CDocTemplate, CSingleDocTemplate: documents, their views and the templates that tie them to frames.
#pragma once

#include "framework/collections.h"
#include "framework/print.h"
#include "framework/wnd.h"

class CDocTemplate;
class CDocument;

// The style of the views frames create.
constexpr DWORD AFX_WS_DEFAULT_VIEW = WS_CHILD | WS_VISIBLE | WS_BORDER;
class CFrameWnd;
class CView;

// What a frame needs to create its view: passed as lpCreateParams.
class CCreateContext {
public:
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    // Leaves its template; its views must already be gone.
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Also makes the file name the title and (bAddToMRU) adds it to the recent files.
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    void ClearPathName();
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // Calls OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // Empties the document; called before New, Open and close.
    virtual void DeleteContents();
    // New: DeleteContents, clean, no path. FALSE cancels.
    virtual BOOL OnNewDocument();
    // Open: reads the file through Serialize; failures are reported and give FALSE.
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    // Save: writes the file through Serialize; failures are reported and give FALSE.
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // Destroys the frames of the views, empties and (m_bAutoDelete) deletes the document.
    virtual void OnCloseDocument();
    // Asks "Save changes to <title>?" when modified: Yes saves, No discards,
    // Cancel (or a failed save) gives FALSE.
    virtual BOOL SaveModified();
    // Saves under lpszPathName, or asks for a name when it is null.
    virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();
    virtual void OnChangedViewList();
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);

    // The document's own map, then its template's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    afx_msg void OnFileClose();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

    BOOL m_bAutoDelete;

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;
    BOOL m_bModified;

    friend class CDocTemplate;

    DECLARE_MESSAGE_MAP()
};

// A view of a document, created by its frame. It deletes itself when its window goes.
class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Paints the view (also used for printing).
    virtual void OnDraw(CDC* pDC) = 0;

    // Printing, in the order a print job calls them. OnPreparePrinting gets the printer (FALSE cancels the
    // job); the default calls DoPreparePrinting. OnBeginPrinting and OnEndPrinting bracket the pages.
    // OnPrepareDC readies the DC for a page (or for painting, with no pInfo) and, while the page count is
    // unknown, ends the job after page 1. OnPrint draws a page: by default OnDraw.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The print dialog, or the default printer without a dialog for a direct print or a preview; the printer's
    // DC is left in pInfo->m_pPD. FALSE when cancelled or there is no printer.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // Called once after the document is ready; calls OnUpdate.
    virtual void OnInitialUpdate();
    // Called by UpdateAllViews; invalidates the view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // Called when the frame's active view changes; the activated view takes the focus.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The view's map, then its document's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // Deletes the object: views are created with new by their frame.
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg LRESULT OnMouseActivate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    // ID_WINDOW_SPLIT: the splitter holding the view moves its bar from the keyboard; enabled only inside a
    // splitter that is not already moving one.
    afx_msg void OnSplitCmd();
    afx_msg void OnUpdateSplitCmd(CCmdUI* pCmdUI);
    // ID_NEXT_PANE, ID_PREV_PANE: the next or previous pane of the splitter holding the view.
    afx_msg void OnNextPaneCmd(UINT nID);
    afx_msg void OnUpdateNextPaneMenu(CCmdUI* pCmdUI);
    // ID_FILE_PRINT and ID_FILE_PRINT_DIRECT (a derived view routes them here): prints the view's pages on
    // the chosen printer, or on the default printer without asking for ID_FILE_PRINT_DIRECT.
    afx_msg void OnFilePrint();
    // ID_FILE_PRINT_PREVIEW (a derived view routes it here): shows the view's pages as the default printer would
    // print them, over the frame's client area (see CPreviewView).
    afx_msg void OnFilePrintPreview();

protected:
    CDocument* m_pDocument;

    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};

// A view that scrolls a logical area of m_totalLog pixels.
class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    CScrollView();
    // Sets the area and the page and line steps (0: a tenth of the page).
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = CSize(0, 0),
                        const SIZE& sizeLine = CSize(0, 0));
    CPoint GetScrollPosition() const;
    // Moves the bars to pt (each kept within its range) and the picture and the child windows with them.
    void ScrollToPosition(POINT pt);
    CSize GetTotalSize() const { return m_totalLog; }
    // Sets the mapping mode; a painting DC also gets the scroll origin, a printer's starts at the page's corner.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

protected:
    void UpdateBars();
    void ScrollBy(int bar, int nSBCode);
    // Scrolls the window (its child windows with it) from the origin it was drawn at to where the bars are,
    // which the system may have moved when a range or page changed.
    void FollowScrollBars();

    // The scroll position the picture and the child windows are placed for.
    CPoint m_origin;
    int m_nMapMode;
    CSize m_totalLog;
    CSize m_pageDev;
    CSize m_lineDev;

    DECLARE_MESSAGE_MAP()
};

// Ties a document class to its frame and view classes and the resources
// (menu, accelerators, strings) of one resource id.
class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // Fields of the template's string resource, separated by '\n'.
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    ~CDocTemplate() override;

    // The field of the string resource; FALSE when it is missing or empty.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    // A new document of the document class, added to this template.
    virtual CDocument* CreateNewDocument();
    // A new frame (LoadFrame with the resource id) holding a new view of pDoc.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // lpszPathName null: a new document. Null when it could not be made or opened.
    virtual CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual BOOL SaveAllModified();
    virtual void CloseAllDocuments(BOOL bEndSession);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
};

// One document at a time, reused by New and Open, in one frame.
class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

protected:
    CDocument* m_pOnlyDoc;
};
