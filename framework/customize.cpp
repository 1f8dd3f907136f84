#include "framework/customize.h"

#include "framework/frame.h"
#include "framework/panes.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMFCCustomizePage, CPropertyPage)
IMPLEMENT_DYNAMIC(CMFCToolBarsCommandsPropertyPage, CMFCCustomizePage)
IMPLEMENT_DYNAMIC(CMFCToolBarsToolbarsPropertyPage, CMFCCustomizePage)
IMPLEMENT_DYNAMIC(CMFCToolBarsOptionsPropertyPage, CMFCCustomizePage)
IMPLEMENT_DYNAMIC(CMFCToolBarsCustomizeDialog, CPropertySheet)

namespace {

// Size of the pages, in dialog units.
constexpr short kPageWidth = 260;
constexpr short kPageHeight = 156;
// The recent-file commands of the File menu are not commands to put on a toolbar.
constexpr UINT kFirstRecentFile = 0xE110;
constexpr UINT kLastRecentFile = 0xE11F;
// The sheet's Apply button.
constexpr int kApplyButton = 0x3021;
// The name prompt's edit.
constexpr int kNameEdit = 1031;

// Predefined window classes of dialog items.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kListBoxClass = 0x0083;
constexpr WORD kComboBoxClass = 0x0085;

// A dialog template written word by word: the header, then each item on a four-byte boundary.
class TemplateWriter {
public:
    TemplateWriter(DWORD style, short cx, short cy, LPCSTR title)
    {
        Long(style | DS_SETFONT);
        Long(0);
        m_countAt = m_words.size();
        m_words.push_back(0);
        for (short value : {short(0), short(0), cx, cy})
            m_words.push_back(static_cast<WORD>(value));
        m_words.push_back(0); // no menu
        m_words.push_back(0); // default class
        Text(title);
        m_words.push_back(8);
        Text("MS Shell Dlg");
    }

    void Item(WORD windowClass, int id, LPCSTR text, DWORD style, short x, short y, short cx, short cy)
    {
        Begin(id, style, x, y, cx, cy);
        m_words.push_back(0xFFFF);
        m_words.push_back(windowClass);
        End(text);
    }

    void Item(LPCSTR className, int id, LPCSTR text, DWORD style, short x, short y, short cx, short cy)
    {
        Begin(id, style, x, y, cx, cy);
        Text(className);
        End(text);
    }

    std::vector<WORD> Finish() { return std::move(m_words); }

private:
    void Long(DWORD value)
    {
        m_words.push_back(LOWORD(value));
        m_words.push_back(HIWORD(value));
    }
    void Text(LPCSTR text)
    {
        for (const char* p = text != nullptr ? text : ""; *p != '\0'; ++p)
            m_words.push_back(static_cast<BYTE>(*p));
        m_words.push_back(0);
    }
    void Begin(int id, DWORD style, short x, short y, short cx, short cy)
    {
        if (m_words.size() % 2 != 0)
            m_words.push_back(0);
        Long(style | WS_CHILD | WS_VISIBLE);
        Long(0);
        for (short value : {x, y, cx, cy})
            m_words.push_back(static_cast<WORD>(value));
        m_words.push_back(static_cast<WORD>(id));
        ++m_words[m_countAt];
    }
    void End(LPCSTR text)
    {
        Text(text);
        m_words.push_back(0); // no creation data
    }

    std::vector<WORD> m_words;
    size_t m_countAt = 0;
};

constexpr DWORD kPageStyle = WS_CHILD | WS_CAPTION | DS_CONTROL;
constexpr DWORD kListViewStyle =
    LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP;

// The one column of a list view as wide as the list.
void AddFullWidthColumn(HWND hList)
{
    RECT client = {};
    ::GetClientRect(hList, &client);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
    ::SendMessageA(hList, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
}

void AddRow(HWND hList, int row, const CString& text, LPARAM data)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<LPSTR>(text.GetString());
    item.lParam = data;
    ::SendMessageA(hList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int SelectedRow(HWND hList)
{
    return static_cast<int>(::SendMessageA(hList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectRow(HWND hList, int row)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(hList, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// The small modal dialog that asks for a toolbar's name.
class CToolBarNameDlg : public CDialog {
public:
    CToolBarNameDlg(CWnd* pParent, LPCSTR lpszCaption, const CString& name) : m_name(name)
    {
        TemplateWriter writer(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 186, 62, lpszCaption);
        writer.Item(kStaticClass, -1, "&Toolbar name:", SS_LEFT, 7, 7, 172, 8);
        writer.Item(kEditClass, kNameEdit, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 18, 172, 14);
        writer.Item(kButtonClass, IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 75, 41, 50, 14);
        writer.Item(kButtonClass, IDCANCEL, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 129, 41, 50, 14);
        m_template = writer.Finish();
        InitModalIndirect(reinterpret_cast<LPCDLGTEMPLATEA>(m_template.data()), pParent);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetDlgItemText(kNameEdit, m_name);
        return TRUE;
    }
    void OnOK() override
    {
        GetDlgItemText(kNameEdit, m_name);
        m_name.Trim();
        if (!m_name.IsEmpty())
            CDialog::OnOK();
    }
    const CString& GetName() const { return m_name; }

private:
    std::vector<WORD> m_template;
    CString m_name;
};

} // namespace

// CMFCCustomizePage

CMFCCustomizePage::CMFCCustomizePage(CMFCToolBarsCustomizeDialog* pSheet, LPCSTR lpszTitle)
    : m_pSheet(pSheet), m_title(lpszTitle)
{
}

void CMFCCustomizePage::SetTemplate(std::vector<WORD> words)
{
    m_template = std::move(words);
    m_psp.dwFlags |= PSP_DLGINDIRECT | PSP_USETITLE;
    m_psp.pResource = reinterpret_cast<LPCDLGTEMPLATEA>(m_template.data());
    m_psp.pszTitle = m_title;
}

// CMFCToolBarsCommandsPropertyPage

BEGIN_MESSAGE_MAP(CMFCToolBarsCommandsPropertyPage, CMFCCustomizePage)
    ON_LBN_SELCHANGE(IDC_CATEGORIES, &CMFCToolBarsCommandsPropertyPage::OnCategoryChanged)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_COMMANDS, &CMFCToolBarsCommandsPropertyPage::OnCommandChanged)
    ON_NOTIFY(LVN_BEGINDRAG, IDC_COMMANDS, &CMFCToolBarsCommandsPropertyPage::OnBeginDrag)
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CMFCToolBarsCommandsPropertyPage::CMFCToolBarsCommandsPropertyPage(CMFCToolBarsCustomizeDialog* pSheet)
    : CMFCCustomizePage(pSheet, "Commands")
{
    TemplateWriter writer(kPageStyle, kPageWidth, kPageHeight, "Commands");
    writer.Item(kStaticClass, -1,
                "To add a command to a toolbar: select a category and drag the command out of this dialog box "
                "to a toolbar.",
                SS_LEFT, 7, 6, 246, 18);
    writer.Item(kStaticClass, -1, "Cate&gories:", SS_LEFT, 7, 28, 100, 8);
    writer.Item(kListBoxClass, IDC_CATEGORIES, "", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 39, 100, 84);
    writer.Item(kStaticClass, -1, "Comman&ds:", SS_LEFT, 114, 28, 100, 8);
    writer.Item(WC_LISTVIEWA, IDC_COMMANDS, "", kListViewStyle, 114, 39, 139, 84);
    writer.Item(kButtonClass, -1, "Description", BS_GROUPBOX, 7, 126, 246, 26);
    writer.Item(kStaticClass, IDC_DESCRIPTION, "", SS_LEFT | SS_NOPREFIX, 14, 137, 232, 10);
    SetTemplate(writer.Finish());
}

BOOL CMFCToolBarsCommandsPropertyPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    for (const CString& category : m_pSheet->GetCategories())
        SendDlgItemMessage(IDC_CATEGORIES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(category.GetString()));
    AddFullWidthColumn(::GetDlgItem(m_hWnd, IDC_COMMANDS));
    SelectCategory(0);
    return TRUE;
}

void CMFCToolBarsCommandsPropertyPage::SelectCategory(int nIndex)
{
    SendDlgItemMessage(IDC_CATEGORIES, LB_SETCURSEL, static_cast<WPARAM>(nIndex));
    HWND hList = ::GetDlgItem(m_hWnd, IDC_COMMANDS);
    ::SendMessageA(hList, LVM_DELETEALLITEMS, 0, 0);
    m_listed = nIndex >= 0 && nIndex < static_cast<int>(m_pSheet->GetCategories().size())
                   ? m_pSheet->GetCategoryCommands(nIndex)
                   : std::vector<UINT>();
    for (size_t i = 0; i < m_listed.size(); ++i)
        AddRow(hList, static_cast<int>(i), m_pSheet->GetCommandName(m_listed[i]), static_cast<LPARAM>(m_listed[i]));
    SetDlgItemText(IDC_DESCRIPTION, "");
}

void CMFCToolBarsCommandsPropertyPage::OnCategoryChanged()
{
    SelectCategory(static_cast<int>(SendDlgItemMessage(IDC_CATEGORIES, LB_GETCURSEL)));
}

// The chosen command's prompt as its description.
void CMFCToolBarsCommandsPropertyPage::OnCommandChanged(NMHDR*, LRESULT* pResult)
{
    const int row = SelectedRow(::GetDlgItem(m_hWnd, IDC_COMMANDS));
    CString description;
    if (row >= 0 && row < static_cast<int>(m_listed.size()) && description.LoadString(m_listed[static_cast<size_t>(row)])) {
        const int lineBreak = description.Find('\n');
        if (lineBreak >= 0)
            description = description.Left(lineBreak);
    }
    SetDlgItemText(IDC_DESCRIPTION, description);
    *pResult = 0;
}

void CMFCToolBarsCommandsPropertyPage::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* view = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (view->iItem >= 0 && view->iItem < static_cast<int>(m_listed.size())) {
        m_dragCommand = m_listed[static_cast<size_t>(view->iItem)];
        SetCapture();
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    }
    *pResult = 0;
}

void CMFCToolBarsCommandsPropertyPage::OnLButtonUp(UINT, CPoint point)
{
    const UINT command = m_dragCommand;
    m_dragCommand = 0;
    if (command == 0)
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ClientToScreen(&point);
    DropCommand(command, point);
}

void CMFCToolBarsCommandsPropertyPage::OnCaptureChanged(CWnd*)
{
    m_dragCommand = 0;
}

BOOL CMFCToolBarsCommandsPropertyPage::DropCommand(UINT nID, CPoint screenPoint)
{
    return DropCommandOn(nID, CMFCToolBar::FromScreenPoint(screenPoint), screenPoint);
}

BOOL CMFCToolBarsCommandsPropertyPage::DropCommandOn(UINT nID, CMFCToolBar* bar, CPoint screenPoint)
{
    if (bar == nullptr || bar->IsLocked())
        return FALSE;
    CPoint client = screenPoint;
    bar->ScreenToClient(&client);
    return bar->InsertButton(nID, bar->HitTest(client));
}

// CMFCToolBarsToolbarsPropertyPage

BEGIN_MESSAGE_MAP(CMFCToolBarsToolbarsPropertyPage, CMFCCustomizePage)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_TOOLBARS, &CMFCToolBarsToolbarsPropertyPage::OnToolBarChanged)
    ON_BN_CLICKED(IDC_RESET, &CMFCToolBarsToolbarsPropertyPage::OnReset)
    ON_BN_CLICKED(IDC_RESET_ALL, &CMFCToolBarsToolbarsPropertyPage::OnResetAll)
    ON_BN_CLICKED(IDC_NEW, &CMFCToolBarsToolbarsPropertyPage::OnNew)
    ON_BN_CLICKED(IDC_RENAME, &CMFCToolBarsToolbarsPropertyPage::OnRename)
    ON_BN_CLICKED(IDC_DELETE, &CMFCToolBarsToolbarsPropertyPage::OnDelete)
    ON_BN_CLICKED(IDC_TEXT_LABELS, &CMFCToolBarsToolbarsPropertyPage::OnTextLabels)
END_MESSAGE_MAP()

CMFCToolBarsToolbarsPropertyPage::CMFCToolBarsToolbarsPropertyPage(CMFCToolBarsCustomizeDialog* pSheet)
    : CMFCCustomizePage(pSheet, "Toolbars")
{
    TemplateWriter writer(kPageStyle, kPageWidth, kPageHeight, "Toolbars");
    writer.Item(kStaticClass, -1, "Tool&bars:", SS_LEFT, 7, 7, 100, 8);
    writer.Item(WC_LISTVIEWA, IDC_TOOLBARS, "", kListViewStyle, 7, 18, 172, 112);
    const struct {
        int id;
        const char* text;
    } buttons[] = {{IDC_RESET, "&Reset"},     {IDC_RESET_ALL, "Reset &All"}, {IDC_NEW, "&New..."},
                   {IDC_RENAME, "Rena&me..."}, {IDC_DELETE, "&Delete"}};
    short y = 18;
    for (const auto& button : buttons) {
        writer.Item(kButtonClass, button.id, button.text, BS_PUSHBUTTON | WS_TABSTOP, 186, y, 67, 14);
        y += 18;
    }
    if (pSheet->GetFlags() & AFX_CUSTOMIZE_TEXT_LABELS)
        writer.Item(kButtonClass, IDC_TEXT_LABELS, "Show text &labels", BS_AUTOCHECKBOX | WS_TABSTOP, 7, 136, 172, 10);
    SetTemplate(writer.Finish());
}

BOOL CMFCToolBarsToolbarsPropertyPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    HWND hList = ::GetDlgItem(m_hWnd, IDC_TOOLBARS);
    ::SendMessageA(hList, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    AddFullWidthColumn(hList);
    FillToolBars();
    Select(0);
    return TRUE;
}

void CMFCToolBarsToolbarsPropertyPage::FillToolBars()
{
    CMFCToolBar* chosen = GetToolBar(GetSelected());
    HWND hList = ::GetDlgItem(m_hWnd, IDC_TOOLBARS);
    m_filling = true;
    ::SendMessageA(hList, LVM_DELETEALLITEMS, 0, 0);
    m_toolBars.clear();
    if (CFrameWndEx* frame = m_pSheet->GetFrame()) {
        for (CControlBar* bar : frame->GetPaneBars(true)) {
            auto* toolBar = static_cast<CMFCToolBar*>(bar);
            CString name;
            toolBar->GetWindowText(name);
            const int row = static_cast<int>(m_toolBars.size());
            AddRow(hList, row, name, 0);
            ListView_SetCheckState(hList, row, toolBar->IsWindowVisible());
            m_toolBars.push_back(toolBar);
        }
    }
    m_filling = false;
    const auto at = std::find(m_toolBars.begin(), m_toolBars.end(), chosen);
    Select(at != m_toolBars.end() ? static_cast<int>(at - m_toolBars.begin()) : 0);
}

CMFCToolBar* CMFCToolBarsToolbarsPropertyPage::GetToolBar(int nIndex) const
{
    return nIndex >= 0 && nIndex < static_cast<int>(m_toolBars.size()) ? m_toolBars[static_cast<size_t>(nIndex)] : nullptr;
}

int CMFCToolBarsToolbarsPropertyPage::GetSelected() const
{
    return m_hWnd != nullptr ? SelectedRow(::GetDlgItem(m_hWnd, IDC_TOOLBARS)) : -1;
}

void CMFCToolBarsToolbarsPropertyPage::Select(int nIndex)
{
    if (nIndex >= 0 && nIndex < static_cast<int>(m_toolBars.size()))
        SelectRow(::GetDlgItem(m_hWnd, IDC_TOOLBARS), nIndex);
    UpdateButtons();
}

void CMFCToolBarsToolbarsPropertyPage::UpdateButtons()
{
    CMFCToolBar* bar = GetToolBar(GetSelected());
    const bool user = bar != nullptr && bar->IsUserToolBar();
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_RENAME), user);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DELETE), user);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_RESET), bar != nullptr);
    if (HWND labels = ::GetDlgItem(m_hWnd, IDC_TEXT_LABELS)) {
        ::EnableWindow(labels, bar != nullptr);
        CheckDlgButton(IDC_TEXT_LABELS, bar != nullptr && bar->AreTextLabels() ? BST_CHECKED : BST_UNCHECKED);
    }
}

// A check box shows or hides its toolbar; a new choice updates the buttons.
void CMFCToolBarsToolbarsPropertyPage::OnToolBarChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_filling)
        return;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    CMFCToolBar* bar = GetToolBar(change->iItem);
    if (bar != nullptr && (change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK)) {
        const bool show = ListView_GetCheckState(::GetDlgItem(m_hWnd, IDC_TOOLBARS), change->iItem) != 0;
        if (show != (bar->IsWindowVisible() != FALSE)) {
            bar->ShowWindow(show ? SW_SHOW : SW_HIDE);
            if (CFrameWndEx* frame = m_pSheet->GetFrame())
                frame->RecalcLayout();
        }
    }
    UpdateButtons();
}

void CMFCToolBarsToolbarsPropertyPage::OnReset()
{
    if (CMFCToolBar* bar = GetToolBar(GetSelected()))
        bar->RestoreOriginalState();
}

void CMFCToolBarsToolbarsPropertyPage::OnResetAll()
{
    for (CMFCToolBar* bar : m_toolBars)
        bar->RestoreOriginalState();
}

CString CMFCToolBarsToolbarsPropertyPage::NextToolBarName() const
{
    for (int number = 1;; ++number) {
        CString name;
        name.Format("Custom %d", number);
        const bool taken = std::any_of(m_toolBars.begin(), m_toolBars.end(), [&name](CMFCToolBar* bar) {
            CString caption;
            bar->GetWindowText(caption);
            return caption.CompareNoCase(name) == 0;
        });
        if (!taken)
            return name;
    }
}

CMFCToolBar* CMFCToolBarsToolbarsPropertyPage::CreateToolBar(const CString& name)
{
    CFrameWndEx* frame = m_pSheet->GetFrame();
    if (frame == nullptr)
        return nullptr;
    auto* bar = reinterpret_cast<CMFCToolBar*>(
        frame->SendMessage(AFX_WM_CREATETOOLBAR, 0, reinterpret_cast<LPARAM>(name.GetString())));
    FillToolBars();
    const auto at = std::find(m_toolBars.begin(), m_toolBars.end(), bar);
    if (at != m_toolBars.end())
        Select(static_cast<int>(at - m_toolBars.begin()));
    return bar;
}

BOOL CMFCToolBarsToolbarsPropertyPage::AskName(LPCSTR lpszCaption, CString& name)
{
    CToolBarNameDlg dialog(this, lpszCaption, name);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    name = dialog.GetName();
    return TRUE;
}

void CMFCToolBarsToolbarsPropertyPage::OnNew()
{
    CString name = NextToolBarName();
    if (AskName("New Toolbar", name))
        CreateToolBar(name);
}

void CMFCToolBarsToolbarsPropertyPage::OnRename()
{
    CMFCToolBar* bar = GetToolBar(GetSelected());
    if (bar == nullptr || !bar->IsUserToolBar())
        return;
    CString name;
    bar->GetWindowText(name);
    if (AskName("Rename Toolbar", name)) {
        bar->SetWindowText(name);
        FillToolBars();
    }
}

void CMFCToolBarsToolbarsPropertyPage::OnDelete()
{
    CMFCToolBar* bar = GetToolBar(GetSelected());
    CFrameWndEx* frame = m_pSheet->GetFrame();
    if (bar != nullptr && frame != nullptr && frame->DeleteToolBar(bar))
        FillToolBars();
}

void CMFCToolBarsToolbarsPropertyPage::OnTextLabels()
{
    if (CMFCToolBar* bar = GetToolBar(GetSelected()))
        bar->SetShowTextLabels(IsDlgButtonChecked(IDC_TEXT_LABELS) == BST_CHECKED);
}

// CMFCToolBarsOptionsPropertyPage

BEGIN_MESSAGE_MAP(CMFCToolBarsOptionsPropertyPage, CMFCCustomizePage)
    ON_BN_CLICKED(IDC_SCREEN_TIPS, &CMFCToolBarsOptionsPropertyPage::OnScreenTips)
    ON_BN_CLICKED(IDC_SHORTCUT_KEYS, &CMFCToolBarsOptionsPropertyPage::OnShortcutKeys)
    ON_CBN_SELCHANGE(IDC_ANIMATIONS, &CMFCToolBarsOptionsPropertyPage::OnAnimation)
    ON_BN_CLICKED(IDC_MENU_SHADOWS, &CMFCToolBarsOptionsPropertyPage::OnMenuShadows)
END_MESSAGE_MAP()

CMFCToolBarsOptionsPropertyPage::CMFCToolBarsOptionsPropertyPage(CMFCToolBarsCustomizeDialog* pSheet)
    : CMFCCustomizePage(pSheet, "Options")
{
    TemplateWriter writer(kPageStyle, kPageWidth, kPageHeight, "Options");
    writer.Item(kButtonClass, -1, "Toolbars", BS_GROUPBOX, 7, 7, 246, 44);
    writer.Item(kButtonClass, IDC_SCREEN_TIPS, "Show Screen&Tips on toolbars", BS_AUTOCHECKBOX | WS_TABSTOP, 15, 20,
                220, 10);
    writer.Item(kButtonClass, IDC_SHORTCUT_KEYS, "Show s&hortcut keys in ScreenTips", BS_AUTOCHECKBOX | WS_TABSTOP,
                27, 34, 208, 10);
    const UINT flags = pSheet->GetFlags();
    if (flags & (AFX_CUSTOMIZE_MENU_ANIMATIONS | AFX_CUSTOMIZE_MENU_SHADOWS))
        writer.Item(kButtonClass, -1, "Menus", BS_GROUPBOX, 7, 58, 246, 48);
    if (flags & AFX_CUSTOMIZE_MENU_ANIMATIONS) {
        writer.Item(kStaticClass, -1, "Menu &animations:", SS_LEFT, 15, 73, 70, 8);
        writer.Item(kComboBoxClass, IDC_ANIMATIONS, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 88, 71, 100, 70);
    }
    if (flags & AFX_CUSTOMIZE_MENU_SHADOWS)
        writer.Item(kButtonClass, IDC_MENU_SHADOWS, "Menu shado&ws", BS_AUTOCHECKBOX | WS_TABSTOP, 15, 89, 220, 10);
    SetTemplate(writer.Finish());
}

BOOL CMFCToolBarsOptionsPropertyPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CheckDlgButton(IDC_SCREEN_TIPS, CMFCToolBar::GetShowTooltips() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_SHORTCUT_KEYS, CMFCToolBar::GetShowShortcutKeys() ? BST_CHECKED : BST_UNCHECKED);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SHORTCUT_KEYS), CMFCToolBar::GetShowTooltips());
    if (GetDlgItem(IDC_ANIMATIONS) != nullptr) {
        for (const char* name : {"(None)", "Unfold", "Slide", "Fade"})
            SendDlgItemMessage(IDC_ANIMATIONS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        SendDlgItemMessage(IDC_ANIMATIONS, CB_SETCURSEL, static_cast<WPARAM>(CMFCPopupMenu::GetAnimationType()));
    }
    if (GetDlgItem(IDC_MENU_SHADOWS) != nullptr)
        CheckDlgButton(IDC_MENU_SHADOWS, CMFCPopupMenu::GetMenuShadows() ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CMFCToolBarsOptionsPropertyPage::OnScreenTips()
{
    const BOOL show = IsDlgButtonChecked(IDC_SCREEN_TIPS) == BST_CHECKED;
    CMFCToolBar::SetShowTooltips(show);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SHORTCUT_KEYS), show);
}

void CMFCToolBarsOptionsPropertyPage::OnShortcutKeys()
{
    CMFCToolBar::SetShowShortcutKeys(IsDlgButtonChecked(IDC_SHORTCUT_KEYS) == BST_CHECKED);
}

void CMFCToolBarsOptionsPropertyPage::OnAnimation()
{
    const int choice = static_cast<int>(SendDlgItemMessage(IDC_ANIMATIONS, CB_GETCURSEL));
    if (choice >= 0)
        CMFCPopupMenu::SetAnimationType(static_cast<CMFCPopupMenu::ANIMATION_TYPE>(choice));
}

void CMFCToolBarsOptionsPropertyPage::OnMenuShadows()
{
    CMFCPopupMenu::SetMenuShadows(IsDlgButtonChecked(IDC_MENU_SHADOWS) == BST_CHECKED);
}

// CMFCToolBarsCustomizeDialog

CMFCToolBarsCustomizeDialog::CMFCToolBarsCustomizeDialog(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus,
                                                         UINT uiFlags)
    : CPropertySheet("Customize", pWndParentFrame),
      m_pParentFrame(pWndParentFrame),
      m_flags(uiFlags),
      m_commandsPage(this),
      m_toolbarsPage(this),
      m_optionsPage(this)
{
    if (bAutoSetFromMenus && pWndParentFrame != nullptr && pWndParentFrame->GetSafeHwnd() != nullptr) {
        HMENU menu = ::GetMenu(pWndParentFrame->m_hWnd);
        if (HWND bar = ::GetDlgItem(pWndParentFrame->m_hWnd, AFX_IDW_MENUBAR)) {
            if (auto* menuBar = DYNAMIC_DOWNCAST(CMFCMenuBar, CWnd::FromHandlePermanent(bar)))
                menu = menuBar->GetHMenu();
        }
        ScanMenu(menu);
    }
    std::vector<UINT> all;
    for (const auto& entry : m_names)
        all.push_back(entry.first);
    std::sort(all.begin(), all.end(), [this](UINT a, UINT b) { return m_names[a].CompareNoCase(m_names[b]) < 0; });
    m_categories.emplace_back(kAllCommands);
    m_commands.push_back(std::move(all));
    if (!(uiFlags & AFX_CUSTOMIZE_NOHELP))
        m_psh.dwFlags |= PSH_HASHELP;
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    AddPage(&m_commandsPage);
    AddPage(&m_toolbarsPage);
    AddPage(&m_optionsPage);
}

CMFCToolBarsCustomizeDialog::~CMFCToolBarsCustomizeDialog()
{
    CMFCToolBar::SetCustomizeMode(FALSE);
    if (m_hWnd != nullptr)
        DestroyWindow();
}

namespace {

// Every command item of a menu and its popups, in order.
void CollectCommands(HMENU hMenu, std::vector<UINT>& commands, std::map<UINT, CString>& names)
{
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(hMenu, i)) {
            CollectCommands(sub, commands, names);
            continue;
        }
        const UINT id = ::GetMenuItemID(hMenu, i);
        if (id == 0 || id == static_cast<UINT>(-1) || (id >= kFirstRecentFile && id <= kLastRecentFile))
            continue;
        char text[256] = {};
        ::GetMenuStringA(hMenu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (std::find(commands.begin(), commands.end(), id) == commands.end())
            commands.push_back(id);
        names.emplace(id, CMFCToolBar::StripMenuText(text));
    }
}

} // namespace

void CMFCToolBarsCustomizeDialog::ScanMenu(HMENU hMenu)
{
    const int count = hMenu != nullptr ? ::GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(hMenu, i);
        if (sub == nullptr)
            continue;
        char text[128] = {};
        ::GetMenuStringA(hMenu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        std::vector<UINT> commands;
        CollectCommands(sub, commands, m_names);
        m_categories.push_back(CMFCToolBar::StripMenuText(text));
        m_commands.push_back(std::move(commands));
    }
}

const std::vector<UINT>& CMFCToolBarsCustomizeDialog::GetCategoryCommands(int nIndex) const
{
    return m_commands.at(static_cast<size_t>(nIndex));
}

CString CMFCToolBarsCustomizeDialog::GetCommandName(UINT nID) const
{
    const auto found = m_names.find(nID);
    return found != m_names.end() ? found->second : CMFCToolBar::GetCommandText(nID);
}

CFrameWndEx* CMFCToolBarsCustomizeDialog::GetFrame() const
{
    return DYNAMIC_DOWNCAST(CFrameWndEx, m_pParentFrame);
}

BOOL CMFCToolBarsCustomizeDialog::Create(CWnd* pParentWnd)
{
    if (!CPropertySheet::Create(pParentWnd != nullptr ? pParentWnd : m_pParentFrame))
        return FALSE;
    CMFCToolBar::SetCustomizeMode(TRUE);
    return TRUE;
}

// One Close button in place of OK and Cancel.
BOOL CMFCToolBarsCustomizeDialog::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    for (int id : {IDOK, kApplyButton}) {
        if (HWND button = ::GetDlgItem(m_hWnd, id))
            ::ShowWindow(button, SW_HIDE);
    }
    SetDlgItemText(IDCANCEL, "Close");
    return TRUE;
}

LRESULT CMFCToolBarsCustomizeDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        CMFCToolBar::SetCustomizeMode(FALSE);
    return CPropertySheet::WindowProc(message, wParam, lParam);
}
