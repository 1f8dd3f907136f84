// CMFCToolBarsCustomizeDialog and its pages: the modeless dialog in which the user customises the toolbars.
#pragma once

#include "framework/propsheet.h"

#include <map>
#include <vector>

class CFrameWnd;
class CFrameWndEx;
class CMFCToolBar;
class CMFCToolBarsCustomizeDialog;

// Flags of the customisation dialog: which options it offers, and no Help button.
constexpr UINT AFX_CUSTOMIZE_MENU_SHADOWS = 0x0001;
constexpr UINT AFX_CUSTOMIZE_TEXT_LABELS = 0x0002;
constexpr UINT AFX_CUSTOMIZE_MENU_ANIMATIONS = 0x0004;
constexpr UINT AFX_CUSTOMIZE_NOHELP = 0x0008;

// A page whose template is built in memory.
class CMFCCustomizePage : public CPropertyPage {
    DECLARE_DYNAMIC(CMFCCustomizePage)
public:
    CMFCCustomizePage(CMFCToolBarsCustomizeDialog* pSheet, LPCSTR lpszTitle);
    CMFCToolBarsCustomizeDialog* GetSheet() const { return m_pSheet; }

protected:
    // The template's words; the page points the system at them.
    void SetTemplate(std::vector<WORD> words);

    CMFCToolBarsCustomizeDialog* m_pSheet;

private:
    std::vector<WORD> m_template;
    CString m_title;
};

// "Commands": the categories of commands (one per menu, and all commands) and the commands of the chosen
// one, which the user drags onto a toolbar.
class CMFCToolBarsCommandsPropertyPage : public CMFCCustomizePage {
    DECLARE_DYNAMIC(CMFCToolBarsCommandsPropertyPage)
public:
    enum { IDC_CATEGORIES = 1001, IDC_COMMANDS = 1002, IDC_DESCRIPTION = 1003 };
    explicit CMFCToolBarsCommandsPropertyPage(CMFCToolBarsCustomizeDialog* pSheet);

    BOOL OnInitDialog() override;
    // Shows the commands of category nIndex.
    void SelectCategory(int nIndex);
    // The commands listed now, in order.
    const std::vector<UINT>& GetListedCommands() const { return m_listed; }
    // A command released at a point of the screen: on a toolbar (not a locked one) it becomes a button there.
    BOOL DropCommand(UINT nID, CPoint screenPoint);
    // The same on a known bar.
    static BOOL DropCommandOn(UINT nID, CMFCToolBar* pBar, CPoint screenPoint);

protected:
    afx_msg void OnCategoryChanged();
    afx_msg void OnCommandChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

private:
    std::vector<UINT> m_listed;
    UINT m_dragCommand = 0;
};

// "Toolbars": every toolbar of the frame with a check box that shows it, and the buttons that reset,
// make, rename and delete toolbars; the text labels of the chosen toolbar.
class CMFCToolBarsToolbarsPropertyPage : public CMFCCustomizePage {
    DECLARE_DYNAMIC(CMFCToolBarsToolbarsPropertyPage)
public:
    enum {
        IDC_TOOLBARS = 1011,
        IDC_RESET = 1012,
        IDC_RESET_ALL = 1013,
        IDC_NEW = 1014,
        IDC_RENAME = 1015,
        IDC_DELETE = 1016,
        IDC_TEXT_LABELS = 1017,
    };
    explicit CMFCToolBarsToolbarsPropertyPage(CMFCToolBarsCustomizeDialog* pSheet);

    BOOL OnInitDialog() override;
    // Lists the frame's toolbars again, keeping the chosen one when it is still there.
    void FillToolBars();
    // The toolbar of row nIndex, or null.
    CMFCToolBar* GetToolBar(int nIndex) const;
    int GetSelected() const;
    void Select(int nIndex);
    // The frame makes a toolbar of that name (through AFX_WM_CREATETOOLBAR); it is listed and chosen.
    CMFCToolBar* CreateToolBar(const CString& name);
    // The name of the next new toolbar: "Custom" and the first number no toolbar has.
    CString NextToolBarName() const;

protected:
    afx_msg void OnToolBarChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnReset();
    afx_msg void OnResetAll();
    afx_msg void OnNew();
    afx_msg void OnRename();
    afx_msg void OnDelete();
    afx_msg void OnTextLabels();
    DECLARE_MESSAGE_MAP()

private:
    // Enables the buttons that only user toolbars have, and shows the chosen bar's text labels.
    void UpdateButtons();
    // Asks for a toolbar name; FALSE when the user cancels.
    BOOL AskName(LPCSTR lpszCaption, CString& name);

    std::vector<CMFCToolBar*> m_toolBars;
    bool m_filling = false;
};

// "Options": the tips of the toolbars and, as the dialog's flags allow, the menus' animation and shadows.
class CMFCToolBarsOptionsPropertyPage : public CMFCCustomizePage {
    DECLARE_DYNAMIC(CMFCToolBarsOptionsPropertyPage)
public:
    enum { IDC_SCREEN_TIPS = 1021, IDC_SHORTCUT_KEYS = 1022, IDC_ANIMATIONS = 1023, IDC_MENU_SHADOWS = 1024 };
    explicit CMFCToolBarsOptionsPropertyPage(CMFCToolBarsCustomizeDialog* pSheet);

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnScreenTips();
    afx_msg void OnShortcutKeys();
    afx_msg void OnAnimation();
    afx_msg void OnMenuShadows();
    DECLARE_MESSAGE_MAP()
};

// The customisation dialog of a frame's toolbars, shown modeless. While it is open the toolbars are in
// customisation: their buttons are dragged instead of pressed.
class CMFCToolBarsCustomizeDialog : public CPropertySheet {
    DECLARE_DYNAMIC(CMFCToolBarsCustomizeDialog)
public:
    // bAutoSetFromMenus: the commands come from the frame's menu, one category per top-level item.
    CMFCToolBarsCustomizeDialog(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus = FALSE,
                                UINT uiFlags = AFX_CUSTOMIZE_MENU_SHADOWS | AFX_CUSTOMIZE_TEXT_LABELS |
                                               AFX_CUSTOMIZE_MENU_ANIMATIONS | AFX_CUSTOMIZE_NOHELP);
    ~CMFCToolBarsCustomizeDialog() override;

    // Modeless; the window goes when the user closes it.
    BOOL Create(CWnd* pParentWnd = nullptr) override;
    BOOL OnInitDialog() override;

    UINT GetFlags() const { return m_flags; }
    CFrameWndEx* GetFrame() const;
    // The categories, in order: the menus' names, then "All Commands".
    const std::vector<CString>& GetCategories() const { return m_categories; }
    const std::vector<UINT>& GetCategoryCommands(int nIndex) const;
    // The name of a command as the menus give it.
    CString GetCommandName(UINT nID) const;

    CMFCToolBarsCommandsPropertyPage& GetCommandsPage() { return m_commandsPage; }
    CMFCToolBarsToolbarsPropertyPage& GetToolbarsPage() { return m_toolbarsPage; }
    CMFCToolBarsOptionsPropertyPage& GetOptionsPage() { return m_optionsPage; }

    static constexpr char kAllCommands[] = "All Commands";

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Categories and names from the menu: every command item of each top-level popup.
    void ScanMenu(HMENU hMenu);

    CFrameWnd* m_pParentFrame;
    UINT m_flags;
    std::vector<CString> m_categories;
    std::vector<std::vector<UINT>> m_commands;
    std::map<UINT, CString> m_names;
    CMFCToolBarsCommandsPropertyPage m_commandsPage;
    CMFCToolBarsToolbarsPropertyPage m_toolbarsPage;
    CMFCToolBarsOptionsPropertyPage m_optionsPage;
};
