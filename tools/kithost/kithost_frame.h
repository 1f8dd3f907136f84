// CKitHostFrame: kithost's MDI frame, carrying a command-bar manager with a menu bar, toolbars docked on two edges and a floating one, built from the program's resources, a bar of fields, a dialog bar, and its documents as tab groups.
#pragma once

#include "framework/frame.h"
#include "framework/strings.h"
#include "framework/statusbar.h"

class CEdit;
class CKitCommandBarManager;
class CKitDialogBar;
class CListBox;
class CKitMenuBar;
class CKitPopupBar;
class CKitTabClientWnd;
class CKitToolBar;

class CKitHostFrame : public CFrameWnd {
    DECLARE_DYNAMIC(CKitHostFrame)
public:
    CKitHostFrame();
    ~CKitHostFrame() override;

    // Creates the frame window with its bars, status bar and text pane (hidden).
    BOOL CreateHost();

    CKitCommandBarManager* GetCommandBars() const { return m_pCommandBars; }
    CKitMenuBar* GetMenuBar() const { return m_pMenuBar; }
    CKitToolBar* GetToolBar() const { return m_pToolBar; }
    CKitToolBar* GetToolsBar() const { return m_pToolsBar; }
    CKitToolBar* GetDocumentsBar() const { return m_pDocumentsBar; }
    // The bar of fields: gallery, combo box, edit with spin buttons, slider and progress.
    CKitToolBar* GetControlsBar() const { return m_pControlsBar; }
    // The dialog bar docked on the right, hosting a list of properties.
    CKitDialogBar* GetPropertiesBar() const { return m_pPropertiesBar; }
    // The documents' area shows the documents as tabs in groups.
    CKitTabClientWnd* GetTabClient() const { return m_pTabClient; }
    HWND GetMDIClient() const { return m_hMDIClient; }
    // The registry key (under HKEY_CURRENT_USER) where the bars' state is loaded at creation and
    // saved when the frame goes; empty (the default) keeps no state.
    void SetBarStateKey(LPCSTR lpszKey) { m_strBarStateKey = lpszKey; }
    // Opens a document of the type (IDR_TEXTTYPE or IDR_GRIDTYPE) in a new child window.
    HWND OpenDocument(UINT nIDType);
    // Two text documents and a grid, the grid in a group of its own on the right.
    void OpenSampleDocuments();
    CStatusBar& GetStatusBar() { return m_wndStatusBar; }

    // The bars along the top, the status bar at the bottom, the text pane in the rest.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The text pane's context menu at the screen point, as a popup menu of the bars; opened from the
    // keyboard it shows its keyboard tips.
    void ShowContextMenu(CPoint ptScreen, BOOL bKeyboard);
    // The context menu while it is open; null otherwise.
    CKitPopupBar* GetContextMenu() const { return m_pContextMenu; }
    // Adds a line to the notes pane.
    void Note(LPCSTR lpszText);

protected:
    // Makes the bars on the command-bar manager, which is sited on the frame: the menu bar, the toolbars
    // and the dialog bar; with the documents' menus.
    virtual BOOL CreateBars();
    // The first lines of the notes pane.
    virtual LPCSTR GetIntroText() const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAll();
    afx_msg void OnEditSelectAll();
    afx_msg LRESULT OnContextMenuMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnShowMenuTips(WPARAM wParam, LPARAM lParam);
    afx_msg void OnFilePrint();
    afx_msg void OnAppAbout();
    afx_msg void OnAppExit();
    afx_msg void OnViewToolBar();
    afx_msg void OnUpdateViewToolBar(CCmdUI* pCmdUI);
    afx_msg void OnNewText();
    afx_msg void OnNewGrid();
    afx_msg void OnWindowCascade();
    afx_msg void OnControlsCommand(UINT nId);
    afx_msg void OnViewStatusBar();
    afx_msg void OnUpdateViewStatusBar(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    CKitCommandBarManager* m_pCommandBars = nullptr;
    CKitMenuBar* m_pMenuBar = nullptr;
    CKitToolBar* m_pToolBar = nullptr;
    CKitToolBar* m_pToolsBar = nullptr;
    CKitToolBar* m_pDocumentsBar = nullptr;
    CKitToolBar* m_pControlsBar = nullptr;
    CKitDialogBar* m_pPropertiesBar = nullptr;
    CListBox* m_pProperties = nullptr;
    CKitTabClientWnd* m_pTabClient = nullptr;
    HWND m_hMDIClient = nullptr;
    HMENU m_hTextMenu = nullptr;
    HMENU m_hGridMenu = nullptr;
    int m_nDocuments = 0;
    CString m_strBarStateKey;
    CStatusBar m_wndStatusBar;
    CEdit* m_pPane = nullptr;
    CKitPopupBar* m_pContextMenu = nullptr;
};
