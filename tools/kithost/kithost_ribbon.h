// CKitHostRibbonBar, CKitHostRibbonFrame: kithost's ribbon variant, a frame whose commands stand on a ribbon of three
// tabs with a quick access toolbar, an application button opening a menu of commands and recent files, and a
// backstage view of the program's information and options.
#pragma once

#include "framework/recentfiles.h"
#include "toolkit/themes/ribbon/ribbon_bar.h"
#include "toolkit/themes/ribbon/ribbon_system_popup_bar.h"
#include "tools/kithost/kithost_frame.h"
#include "tools/kithost/res/resource.h"

#include <memory>

class CDialog;
class CKitRibbonBackstageView;
class CKitRibbonControlSystemButton;
class CKitRibbonSystemPopupBar;

// The ribbon with its application button.
class CKitHostRibbonBar : public CKitRibbonBar {
    DECLARE_DYNCREATE(CKitHostRibbonBar)
public:
    // The application button at the ribbon's corner, opening the menu; first of the bar's controls.
    CKitRibbonControlSystemButton* AddSystemButton(CKitCommandBar* pMenu);
};

class CKitHostRibbonFrame : public CKitHostFrame {
    DECLARE_DYNAMIC(CKitHostRibbonFrame)
public:
    // The frame at this width shows every group of the Home tab in full.
    static constexpr int kFullWidth = 820;

    CKitHostRibbonFrame();
    ~CKitHostRibbonFrame() override;

    CKitHostRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    // The application button's menu: commands, the recent files and the buttons at its bottom.
    CKitRibbonSystemPopupBar* GetSystemMenu() const { return m_pSystemMenu; }
    CKitRibbonBackstageView* GetBackstageView() const { return m_pBackstage; }
    // The files the application button's menu lists, most recent first.
    CKitPinableRecentFileList* GetRecentFiles() { return &m_recentFiles; }
    BOOL IsWordWrap() const { return m_bWordWrap; }
    BOOL IsGridlines() const { return m_bGridlines; }
    // Opens the backstage view over the documents, the page of the entry with the id shown.
    BOOL ShowBackstage(UINT nPageId = ID_KIT_BACKSTAGE_INFO);

protected:
    BOOL CreateBars() override;
    LPCSTR GetIntroText() const override;

    afx_msg void OnDestroy();
    afx_msg void OnEditCommand(UINT nId);
    afx_msg void OnRibbonCommand(UINT nId);
    afx_msg void OnRecentFile(UINT nId);
    afx_msg void OnOptions();
    afx_msg void OnFileClose();
    afx_msg void OnNewWindow();
    afx_msg void OnWindowTile();
    afx_msg void OnToggle(UINT nId);
    afx_msg void OnUpdateToggle(CCmdUI* pCmdUI);
    afx_msg LRESULT OnShowBackstage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBackstageClosed(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The tabs with their groups and the quick access toolbar.
    void FillRibbon();
    void FillSystemMenu();
    BOOL CreateBackstage();
    // The application button opens its menu again once the backstage view has closed.
    void RestoreSystemMenu();

    CKitHostRibbonBar* m_pRibbonBar = nullptr;
    CKitRibbonSystemPopupBar* m_pSystemMenu = nullptr;
    CKitRibbonBackstageView* m_pBackstage = nullptr;
    std::unique_ptr<CDialog> m_pInfoPage;
    std::unique_ptr<CDialog> m_pOptionsPage;
    CKitPinableRecentFileList m_recentFiles;
    BOOL m_bWordWrap = TRUE;
    BOOL m_bGridlines = TRUE;
};
