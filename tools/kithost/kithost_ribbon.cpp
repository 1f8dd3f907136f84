#include "tools/kithost/kithost_ribbon.h"

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/ids.h"
#include "toolkit/commandbars/command_bar_manager.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/control_combo.h"
#include "toolkit/commandbars/control_gallery.h"
#include "toolkit/commandbars/controls.h"
#include "toolkit/common/image_manager.h"
#include "toolkit/themes/ribbon/ribbon_backstage_view.h"
#include "toolkit/themes/ribbon/ribbon_control_tab.h"
#include "toolkit/themes/ribbon/ribbon_group.h"
#include "toolkit/themes/ribbon/ribbon_quick_access.h"
#include "toolkit/themes/ribbon/ribbon_system_button.h"
#include "toolkit/themes/ribbon/ribbon_tab.h"
#include "tools/kithost/kithost_controls.h"
#include "tools/kithost/res/resource.h"

#include <iterator>

IMPLEMENT_DYNCREATE(CKitHostRibbonBar, CKitRibbonBar)
IMPLEMENT_DYNAMIC(CKitHostRibbonFrame, CKitHostFrame)

namespace {

// Posted by the options command: the backstage view opens on its Options page once the menu that ran it has closed.
constexpr UINT WM_KITHOST_SHOW_BACKSTAGE = WM_APP + 2;
// Posted by the backstage view as it closes: the application button takes its menu back.
constexpr UINT WM_KITHOST_BACKSTAGE_CLOSED = WM_APP + 3;

// The pictures of the strips, in the order make_images.py draws them.
constexpr UINT kSmallPictures[] = {
    ID_EDIT_UNDO,      ID_EDIT_REDO,       ID_KIT_BOLD,          ID_KIT_ITALIC,       ID_KIT_UNDERLINE,
    ID_KIT_ALIGN_LEFT, ID_KIT_ALIGN_CENTER, ID_KIT_ALIGN_RIGHT,  ID_KIT_BULLETS,      ID_EDIT_FIND,
    ID_EDIT_REPLACE,   ID_EDIT_SELECT_ALL, ID_KIT_GRID_INSERT_ROW, ID_KIT_GRID_INSERT_COLUMN, ID_KIT_INSERT_DATE,
    ID_KIT_INSERT_LINK, ID_KIT_WINDOW_TILE, ID_VIEW_STATUS_BAR,  ID_KIT_TEXT_WRAP,    ID_KIT_GRIDLINES,
    ID_APP_EXIT,       ID_KIT_OPTIONS,     ID_KIT_NEW_TEXT,      ID_KIT_NEW_GRID,     ID_FILE_SAVE_AS,
    ID_KIT_INSERT_PICTURE, ID_KIT_ZOOM_DIALOG};
constexpr UINT kLargePictures[] = {
    ID_EDIT_PASTE,        ID_KIT_NEW_TEXT, ID_KIT_NEW_GRID, ID_KIT_INSERT_TABLE, ID_KIT_INSERT_PICTURE,
    ID_KIT_INSERT_CHART,  ID_KIT_ZOOM_DIALOG, ID_KIT_ZOOM_100, ID_WINDOW_NEW,     ID_KIT_WINDOW_CASCADE,
    ID_FILE_NEW,          ID_FILE_OPEN,    ID_FILE_SAVE,    ID_FILE_PRINT,       ID_APP_ABOUT,
    ID_KIT_OPTIONS,       IDR_MAINFRAME};

constexpr const char* kFontSizes[] = {"8", "9", "10", "11", "12", "14", "16", "18", "24"};
// The styles gallery's entries.
constexpr int kStyleWidth = 64;
constexpr int kStyleHeight = 56;
// The files the application button's menu starts with; the second one is pinned.
constexpr const char* kRecentFiles[] = {"C:\\Substations\\North feeder notes.txt",
                                        "C:\\Substations\\Bay 12 relay settings.grid",
                                        "C:\\Substations\\Commissioning checklist.txt",
                                        "C:\\Substations\\Breaker timings.grid",
                                        "C:\\Substations\\Protection review.txt"};
constexpr int kRecentFileCount = 9;
// The values beside the names the Info page lists.
constexpr const char* kProperties = "Feeder bay 1\r\n20 kV\r\nClosed\r\nEnabled\r\nIED 12";

// The recent files of the frame it belongs to.
class CKitHostRecentFileList : public CKitRibbonControlSystemRecentFileList {
public:
    explicit CKitHostRecentFileList(CKitPinableRecentFileList* pList) : m_pList(pList) {}

protected:
    CRecentFileList* GetRecentFileList() const override { return m_pList; }

private:
    CKitPinableRecentFileList* m_pList;
};

// The backstage view, which tells the frame when it closes.
class CKitHostBackstageView : public CKitRibbonBackstageView {
public:
    explicit CKitHostBackstageView(HWND hFrame) : m_hFrame(hFrame) {}

    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst = TRUE, BOOL bKeyboard = FALSE) override
    {
        const BOOL bWasOpen = IsTrackingMode();
        const BOOL bResult = CKitRibbonBackstageView::SetTrackingMode(nMode, bSelectFirst, bKeyboard);
        if (bWasOpen && !IsTrackingMode())
            ::PostMessageA(m_hFrame, WM_KITHOST_BACKSTAGE_CLOSED, 0, 0);
        return bResult;
    }

private:
    HWND m_hFrame;
};

// A backstage page: a dialog on a white face, its first line in a larger font.
class CKitHostPage : public CDialog {
public:
    CKitHostPage(UINT nIDTemplate, UINT nIDTitle) : CDialog(nIDTemplate), m_nIDTitle(nIDTitle) {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_fontTitle.CreatePointFont(120, "Tahoma");
        if (CWnd* pTitle = GetDlgItem(static_cast<int>(m_nIDTitle)))
            pTitle->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle.GetSafeHandle()), FALSE);
        return TRUE;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            auto hdc = reinterpret_cast<HDC>(wParam);
            ::SetBkColor(hdc, ::GetSysColor(COLOR_WINDOW));
            ::SetTextColor(hdc, ::GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
        }
        // The page is not a modal dialog: OK and Cancel do not end it.
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
                return 0;
            break;
        default:
            break;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    UINT m_nIDTitle;
    CFont m_fontTitle;
};

// The Options page: its boxes show and change the frame's settings.
class CKitHostOptionsPage : public CKitHostPage {
public:
    explicit CKitHostOptionsPage(CKitHostRibbonFrame* pFrame)
        : CKitHostPage(IDD_PAGE_OPTIONS, IDC_OPTION_TITLE), m_pFrame(pFrame)
    {
    }

    BOOL OnInitDialog() override
    {
        CKitHostPage::OnInitDialog();
        CheckDlgButton(IDC_OPTION_KEY_TIPS, Options()->bEnableKeyboardTips ? BST_CHECKED : 0);
        CheckDlgButton(IDC_OPTION_WRAP, m_pFrame->IsWordWrap() ? BST_CHECKED : 0);
        CheckDlgButton(IDC_OPTION_GRIDLINES, m_pFrame->IsGridlines() ? BST_CHECKED : 0);
        const BOOL bBelow = m_pFrame->GetRibbonBar()->IsQuickAccessBelowRibbon();
        CheckDlgButton(bBelow ? IDC_OPTION_BELOW : IDC_OPTION_ABOVE, BST_CHECKED);
        return TRUE;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            switch (LOWORD(wParam)) {
            case IDC_OPTION_KEY_TIPS:
                Options()->bEnableKeyboardTips = IsDlgButtonChecked(IDC_OPTION_KEY_TIPS) == BST_CHECKED;
                return 0;
            case IDC_OPTION_WRAP:
                m_pFrame->SendMessage(WM_COMMAND, ID_KIT_TEXT_WRAP);
                return 0;
            case IDC_OPTION_GRIDLINES:
                m_pFrame->SendMessage(WM_COMMAND, ID_KIT_GRIDLINES);
                return 0;
            case IDC_OPTION_ABOVE:
            case IDC_OPTION_BELOW:
                m_pFrame->GetRibbonBar()->ShowQuickAccessBelowRibbon(LOWORD(wParam) == IDC_OPTION_BELOW);
                m_pFrame->RecalcLayout();
                return 0;
            default:
                break;
            }
        }
        return CKitHostPage::WindowProc(message, wParam, lParam);
    }

private:
    CKitCommandBarsOptions* Options() const { return m_pFrame->GetCommandBars()->GetCommandBarsOptions(); }

    CKitHostRibbonFrame* m_pFrame;
};

// The control, captioned, joins the ribbon's controls and the group.
CKitControl* AddToGroup(CKitRibbonBar* pRibbon, CKitRibbonGroup* pGroup, CKitControl* pControl, UINT nId,
                        LPCSTR lpszCaption)
{
    pRibbon->GetControls()->Add(pControl, nId);
    pControl->SetCaption(lpszCaption);
    pGroup->Add(pControl);
    return pControl;
}

CKitControl* AddButton(CKitRibbonBar* pRibbon, CKitRibbonGroup* pGroup, UINT nId, LPCSTR lpszCaption)
{
    return AddToGroup(pRibbon, pGroup, new CKitControlButton(), nId, lpszCaption);
}

// A small button showing only its picture, as in a row of the Font or Paragraph group.
CKitControl* AddIconButton(CKitRibbonBar* pRibbon, CKitRibbonGroup* pGroup, UINT nId, LPCSTR lpszCaption,
                           BOOL bBeginGroup = FALSE)
{
    CKitControl* pControl = AddButton(pRibbon, pGroup, nId, lpszCaption);
    pControl->SetStyle(kitButtonIcon);
    pControl->SetBeginGroup(bBeginGroup);
    return pControl;
}

CKitControlComboBox* AddCombo(CKitRibbonBar* pRibbon, CKitRibbonGroup* pGroup, UINT nId, int nWidth,
                              const char* const* ppItems, int nCount, int nSelected)
{
    auto* pCombo = static_cast<CKitControlComboBox*>(AddToGroup(pRibbon, pGroup, new CKitControlComboBox(), nId, ""));
    pCombo->SetWidth(nWidth);
    for (int i = 0; i < nCount; i++)
        pCombo->AddString(ppItems[i]);
    pCombo->SetCurSel(nSelected);
    return pCombo;
}

// The font and size boxes over a row of Bold, Italic and Underline.
void FillFontGroup(CKitRibbonBar* pRibbon, CKitRibbonGroup* pGroup)
{
    pGroup->SetControlsGrouping(TRUE);
    // The group's caption names the box.
    CKitControl* pFont = AddFontBox(pRibbon->GetControls(), 110);
    pFont->SetCaption("");
    pGroup->Add(pFont);
    AddCombo(pRibbon, pGroup, ID_KIT_FONT_SIZE, 42, kFontSizes, static_cast<int>(std::size(kFontSizes)), 2);
    AddIconButton(pRibbon, pGroup, ID_KIT_BOLD, "Bold", TRUE)->SetFlags(kitFlagWrapRow);
    AddIconButton(pRibbon, pGroup, ID_KIT_ITALIC, "Italic");
    AddIconButton(pRibbon, pGroup, ID_KIT_UNDERLINE, "Underline");
}

// The three alignments over the bullets.
void FillParagraphGroup(CKitRibbonBar* pRibbon, CKitRibbonGroup* pGroup)
{
    pGroup->SetControlsGrouping(TRUE);
    AddIconButton(pRibbon, pGroup, ID_KIT_ALIGN_LEFT, "Align Left", TRUE);
    AddIconButton(pRibbon, pGroup, ID_KIT_ALIGN_CENTER, "Center");
    AddIconButton(pRibbon, pGroup, ID_KIT_ALIGN_RIGHT, "Align Right");
    AddIconButton(pRibbon, pGroup, ID_KIT_BULLETS, "Bullets", TRUE)->SetFlags(kitFlagWrapRow);
}

// The styles gallery, four entries wide.
void FillStylesGroup(CKitRibbonBar* pRibbon, CKitRibbonGroup* pGroup)
{
    CKitControlGallery* pGallery =
        AddStylesGallery(pRibbon->GetCommandBars(), pRibbon->GetControls(), CSize(kStyleWidth, kStyleHeight));
    pGallery->SetCaption("Styles");
    pGallery->SetWidth(4 * kStyleWidth + 18);
    pGallery->SetHeight(kStyleHeight + 2);
    pGroup->Add(pGallery);
}

struct ButtonEntry {
    UINT nId;
    LPCSTR lpszCaption;
};

// A group of a tab: plain buttons, or the controls its filler puts in.
struct GroupEntry {
    int nTab;
    LPCSTR lpszCaption;
    int nId;
    UINT nIconId;
    ButtonEntry buttons[3];
    void (*pFill)(CKitRibbonBar*, CKitRibbonGroup*);
};

constexpr GroupEntry kGroups[] = {
    {0, "Clipboard", 10, ID_EDIT_PASTE,
     {{ID_EDIT_PASTE, "Paste"}, {ID_EDIT_CUT, "Cut"}, {ID_EDIT_COPY, "Copy"}}, nullptr},
    {0, "Font", 11, ID_KIT_BOLD, {}, FillFontGroup},
    {0, "Paragraph", 12, ID_KIT_ALIGN_LEFT, {}, FillParagraphGroup},
    {0, "Styles", 13, ID_KIT_BULLETS, {}, FillStylesGroup},
    {0, "Editing", 14, ID_EDIT_FIND,
     {{ID_EDIT_FIND, "Find"}, {ID_EDIT_REPLACE, "Replace"}, {ID_EDIT_SELECT_ALL, "Select All"}}, nullptr},
    {1, "Documents", 20, ID_KIT_NEW_TEXT,
     {{ID_KIT_NEW_TEXT, "Text Document"}, {ID_KIT_NEW_GRID, "Grid Document"}}, nullptr},
    {1, "Tables", 21, ID_KIT_GRID_INSERT_ROW,
     {{ID_KIT_INSERT_TABLE, "Table"}, {ID_KIT_GRID_INSERT_ROW, "Insert Row"},
      {ID_KIT_GRID_INSERT_COLUMN, "Insert Column"}}, nullptr},
    {1, "Illustrations", 22, ID_KIT_INSERT_PICTURE,
     {{ID_KIT_INSERT_PICTURE, "Picture"}, {ID_KIT_INSERT_CHART, "Chart"}}, nullptr},
    {1, "Text", 23, ID_KIT_INSERT_DATE,
     {{ID_KIT_INSERT_DATE, "Date && Time"}, {ID_KIT_INSERT_LINK, "Link"}}, nullptr},
    {2, "Show", 30, ID_VIEW_STATUS_BAR,
     {{ID_VIEW_STATUS_BAR, "Status Bar"}, {ID_KIT_TEXT_WRAP, "Word Wrap"}, {ID_KIT_GRIDLINES, "Gridlines"}}, nullptr},
    {2, "Zoom", 31, ID_KIT_ZOOM_DIALOG, {{ID_KIT_ZOOM_DIALOG, "Zoom"}, {ID_KIT_ZOOM_100, "100%"}}, nullptr},
    {2, "Window", 32, ID_KIT_WINDOW_TILE,
     {{ID_WINDOW_NEW, "New Window"}, {ID_KIT_WINDOW_CASCADE, "Cascade"}, {ID_KIT_WINDOW_TILE, "Tile"}}, nullptr},
};

} // namespace

CKitRibbonControlSystemButton* CKitHostRibbonBar::AddSystemButton(CKitCommandBar* pMenu)
{
    auto* pButton = new CKitRibbonControlSystemButton();
    GetControls()->Add(pButton, 0, nullptr, 0);
    pButton->SetCaption("&File");
    pButton->SetIconId(IDR_MAINFRAME);
    pButton->SetCommandBar(pMenu);
    m_pSystemButton = pButton;
    return pButton;
}

BEGIN_MESSAGE_MAP(CKitHostRibbonFrame, CKitHostFrame)
    ON_WM_DESTROY()
    ON_COMMAND_RANGE(ID_EDIT_CLEAR, ID_EDIT_REDO, &CKitHostRibbonFrame::OnEditCommand)
    ON_COMMAND_RANGE(ID_KIT_FONT_SIZE, ID_KIT_INSERT_LINK, &CKitHostRibbonFrame::OnRibbonCommand)
    ON_COMMAND_RANGE(ID_KIT_ALIGN_LEFT, ID_KIT_ALIGN_RIGHT, &CKitHostRibbonFrame::OnRibbonCommand)
    ON_COMMAND_RANGE(ID_KIT_ZOOM_DIALOG, ID_KIT_ZOOM_100, &CKitHostRibbonFrame::OnRibbonCommand)
    ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CKitHostRibbonFrame::OnRecentFile)
    ON_COMMAND(ID_KIT_OPTIONS, &CKitHostRibbonFrame::OnOptions)
    ON_COMMAND(ID_FILE_CLOSE, &CKitHostRibbonFrame::OnFileClose)
    ON_COMMAND_RANGE(ID_FILE_SAVE_AS, ID_FILE_SAVE_AS, &CKitHostRibbonFrame::OnRibbonCommand)
    ON_COMMAND_RANGE(ID_KIT_GRID_INSERT_ROW, ID_KIT_GRID_INSERT_ROW, &CKitHostRibbonFrame::OnRibbonCommand)
    ON_COMMAND(ID_WINDOW_NEW, &CKitHostRibbonFrame::OnNewWindow)
    ON_COMMAND(ID_KIT_WINDOW_TILE, &CKitHostRibbonFrame::OnWindowTile)
    ON_COMMAND_RANGE(ID_KIT_TEXT_WRAP, ID_KIT_TEXT_WRAP, &CKitHostRibbonFrame::OnToggle)
    ON_COMMAND_RANGE(ID_KIT_GRIDLINES, ID_KIT_GRIDLINES, &CKitHostRibbonFrame::OnToggle)
    ON_UPDATE_COMMAND_UI(ID_KIT_TEXT_WRAP, &CKitHostRibbonFrame::OnUpdateToggle)
    ON_UPDATE_COMMAND_UI(ID_KIT_GRIDLINES, &CKitHostRibbonFrame::OnUpdateToggle)
    ON_MESSAGE(WM_KITHOST_SHOW_BACKSTAGE, &CKitHostRibbonFrame::OnShowBackstage)
    ON_MESSAGE(WM_KITHOST_BACKSTAGE_CLOSED, &CKitHostRibbonFrame::OnBackstageClosed)
END_MESSAGE_MAP()

CKitHostRibbonFrame::CKitHostRibbonFrame() : m_recentFiles(0, "Recent File List", "File%d", kRecentFileCount)
{
    for (int i = 0; i < static_cast<int>(std::size(kRecentFiles)); i++)
        m_recentFiles[i] = kRecentFiles[i];
    m_recentFiles.CreatePinRecords();
    m_recentFiles.GetPinRecord(1)->bPinned = TRUE;
}

CKitHostRibbonFrame::~CKitHostRibbonFrame() = default;

LPCSTR CKitHostRibbonFrame::GetIntroText() const
{
    return "The ribbon's tabs, groups, quick access toolbar and application button are kithost's commands.\r\n"
           "Commands chosen from them are listed here.\r\n";
}

BOOL CKitHostRibbonFrame::CreateBars()
{
    CKitCommandBarManager* pCommandBars = GetCommandBars();
    if (!pCommandBars->EnableDocking())
        return FALSE;
    m_pRibbonBar =
        static_cast<CKitHostRibbonBar*>(pCommandBars->Add("Ribbon", kitBarTop, RUNTIME_CLASS(CKitHostRibbonBar)));
    if (m_pRibbonBar == nullptr)
        return FALSE;
    auto* pImages = new CKitImageManager();
    pImages->SetIconsFromToolBar(IDR_TOOLBAR_STANDARD);
    pImages->SetIconsFromResource(IDB_RIBBON_SMALL, kSmallPictures, static_cast<int>(std::size(kSmallPictures)),
                                  CSize(16, 16), 0);
    pImages->SetIconsFromResource(IDB_RIBBON_LARGE, kLargePictures, static_cast<int>(std::size(kLargePictures)),
                                  CSize(32, 32), 0);
    m_pRibbonBar->SetImageManager(pImages);
    FillRibbon();
    FillSystemMenu();
    return CreateBackstage();
}

void CKitHostRibbonFrame::FillRibbon()
{
    CKitHostRibbonBar* pRibbon = m_pRibbonBar;
    for (LPCSTR lpszTab : {"&Home", "&Insert", "&View"})
        pRibbon->AddTab(lpszTab, pRibbon->GetTabCount() + 1);
    for (const GroupEntry& entry : kGroups) {
        CKitRibbonGroup* pGroup = pRibbon->GetTab(entry.nTab)->GetGroups()->Add(entry.lpszCaption, entry.nId);
        // The button standing for the reduced group shows the picture of the group's command.
        pGroup->GetControlGroupPopup()->SetIconId(entry.nIconId);
        if (entry.pFill != nullptr) {
            entry.pFill(pRibbon, pGroup);
            continue;
        }
        for (const ButtonEntry& button : entry.buttons) {
            if (button.nId != 0)
                AddButton(pRibbon, pGroup, button.nId, button.lpszCaption);
        }
    }
    for (UINT nId : {ID_FILE_SAVE, ID_EDIT_UNDO, ID_EDIT_REDO}) {
        CString strText;
        strText.LoadString(nId);
        CKitControl* pQuick = pRibbon->GetQuickAccessControls()->Add(kitControlButton, nId);
        pQuick->SetCaption(strText.Mid(strText.Find('\n') + 1));
    }
    pRibbon->GetControlTab()->SetSelectedItem(pRibbon->GetTab(0));
}

void CKitHostRibbonFrame::FillSystemMenu()
{
    m_pSystemMenu = new CKitRibbonSystemPopupBar();
    CKitControls* pItems = m_pSystemMenu->GetControls();
    const struct {
        UINT nId;
        LPCSTR lpszCaption;
        BOOL bBeginGroup;
    } items[] = {{ID_FILE_NEW, "&New", FALSE},        {ID_FILE_OPEN, "&Open...", FALSE},
                 {ID_FILE_SAVE, "&Save", FALSE},      {ID_FILE_SAVE_AS, "Save &As...", FALSE},
                 {ID_FILE_PRINT, "&Print...", TRUE},  {ID_FILE_CLOSE, "&Close", TRUE}};
    for (const auto& item : items) {
        CKitControl* pItem = pItems->Add(kitControlButton, item.nId);
        pItem->SetCaption(item.lpszCaption);
        pItem->SetBeginGroup(item.bBeginGroup);
    }
    pItems->Add(new CKitHostRecentFileList(&m_recentFiles), 0)->SetCaption("Recent Documents");
    pItems->Add(new CKitRibbonControlSystemPopupBarButton(), ID_KIT_OPTIONS)->SetCaption("kithost Opt&ions");
    pItems->Add(new CKitRibbonControlSystemPopupBarButton(), ID_APP_EXIT)->SetCaption("E&xit kithost");
    m_pRibbonBar->AddSystemButton(m_pSystemMenu);
}

BOOL CKitHostRibbonFrame::CreateBackstage()
{
    m_pInfoPage = std::make_unique<CKitHostPage>(IDD_PAGE_INFO, IDC_INFO_TITLE);
    m_pOptionsPage = std::make_unique<CKitHostOptionsPage>(this);
    if (!m_pInfoPage->Create(IDD_PAGE_INFO, this) || !m_pOptionsPage->Create(IDD_PAGE_OPTIONS, this))
        return FALSE;
    m_pInfoPage->SetDlgItemText(IDC_INFO_PROPERTIES, kProperties);

    m_pBackstage = new CKitHostBackstageView(GetSafeHwnd());
    m_pBackstage->SetCommandBars(GetCommandBars());
    CKitImageManager* pImages = m_pRibbonBar->GetImageManager();
    pImages->InternalAddRef();
    m_pBackstage->SetImageManager(pImages);
    CKitControls* pEntries = m_pBackstage->GetControls();
    pEntries->Add(new CKitRibbonBackstageCommand(), ID_FILE_SAVE)->SetCaption("&Save");
    pEntries->Add(new CKitRibbonBackstageCommand(), ID_FILE_SAVE_AS)->SetCaption("Save &As");
    pEntries->Add(new CKitRibbonBackstageCommand(), ID_FILE_OPEN)->SetCaption("&Open");
    pEntries->Add(new CKitRibbonBackstageCommand(), ID_FILE_CLOSE)->SetCaption("&Close");
    CKitControl* pInfo =
        pEntries->Add(new CKitRibbonBackstageTab(m_pInfoPage->GetSafeHwnd()), ID_KIT_BACKSTAGE_INFO);
    pInfo->SetCaption("&Info");
    pInfo->SetDefaultItem(TRUE);
    pEntries->Add(new CKitRibbonBackstageTab(m_pOptionsPage->GetSafeHwnd()), ID_KIT_BACKSTAGE_OPTIONS)
        ->SetCaption("O&ptions");
    pEntries->Add(new CKitRibbonBackstageCommand(), ID_APP_EXIT)->SetCaption("E&xit");
    // The tabs have no command handler and stay enabled.
    pInfo->SetFlags(kitFlagManualUpdate);
    pEntries->GetAt(pEntries->GetCount() - 2)->SetFlags(kitFlagManualUpdate);
    return TRUE;
}

BOOL CKitHostRibbonFrame::ShowBackstage(UINT nPageId)
{
    CKitRibbonControlSystemButton* pButton = m_pRibbonBar != nullptr ? m_pRibbonBar->GetSystemButton() : nullptr;
    if (m_pBackstage == nullptr || pButton == nullptr)
        return FALSE;
    if (!m_pBackstage->IsTrackingMode()) {
        // While the view is open it is the button's bar, so that the ribbon knows it open; the menu waits.
        if (pButton->GetCommandBar() == m_pSystemMenu) {
            m_pSystemMenu->InternalAddRef();
            m_pBackstage->InternalAddRef();
            pButton->SetCommandBar(m_pBackstage);
        }
        if (!pButton->SetPopup(TRUE)) {
            RestoreSystemMenu();
            return FALSE;
        }
    }
    CKitControl* pPage = m_pBackstage->GetControls()->FindControlById(static_cast<int>(nPageId));
    if (pPage != nullptr && m_pBackstage->GetSafeHwnd() != nullptr)
        m_pBackstage->SetFocusedEntry(pPage);
    return TRUE;
}

void CKitHostRibbonFrame::RestoreSystemMenu()
{
    CKitRibbonControlSystemButton* pButton = m_pRibbonBar != nullptr ? m_pRibbonBar->GetSystemButton() : nullptr;
    if (pButton != nullptr && m_pBackstage != nullptr && pButton->GetCommandBar() == m_pBackstage &&
        !m_pBackstage->IsTrackingMode())
        pButton->SetCommandBar(m_pSystemMenu);
}

LRESULT CKitHostRibbonFrame::OnBackstageClosed(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    RestoreSystemMenu();
    return 0;
}

void CKitHostRibbonFrame::OnDestroy()
{
    if (m_pBackstage != nullptr) {
        m_pBackstage->Close();
        RestoreSystemMenu();
        m_pBackstage->InternalRelease();
        m_pBackstage = nullptr;
    }
    m_pRibbonBar = nullptr;
    m_pSystemMenu = nullptr;
    CKitHostFrame::OnDestroy();
}

void CKitHostRibbonFrame::OnEditCommand(UINT nId)
{
    OnControlsCommand(nId);
}

void CKitHostRibbonFrame::OnRibbonCommand(UINT nId)
{
    OnControlsCommand(nId);
}

void CKitHostRibbonFrame::OnRecentFile(UINT nId)
{
    const int nEntry = static_cast<int>(nId - ID_FILE_MRU_FILE1);
    if (nEntry >= m_recentFiles.GetSize() || m_recentFiles[nEntry].IsEmpty())
        return;
    const CString strPath = m_recentFiles[nEntry];
    OpenDocument(strPath.Right(5) == ".grid" ? IDR_GRIDTYPE : IDR_TEXTTYPE);
    // The file opened last leads the list.
    m_recentFiles.Add(strPath);
    Note("Open " + strPath);
}

void CKitHostRibbonFrame::OnOptions()
{
    PostMessage(WM_KITHOST_SHOW_BACKSTAGE);
}

LRESULT CKitHostRibbonFrame::OnShowBackstage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    ShowBackstage(ID_KIT_BACKSTAGE_OPTIONS);
    return 0;
}

void CKitHostRibbonFrame::OnFileClose()
{
    HWND hActive = reinterpret_cast<HWND>(::SendMessageA(GetMDIClient(), WM_MDIGETACTIVE, 0, 0));
    if (hActive != nullptr)
        ::SendMessageA(GetMDIClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hActive), 0);
    Note("Close");
}

void CKitHostRibbonFrame::OnNewWindow()
{
    OpenDocument(IDR_TEXTTYPE);
    Note("New Window");
}

void CKitHostRibbonFrame::OnWindowTile()
{
    ::SendMessageA(GetMDIClient(), WM_MDITILE, MDITILE_VERTICAL, 0);
}

void CKitHostRibbonFrame::OnToggle(UINT nId)
{
    BOOL& bOn = nId == ID_KIT_TEXT_WRAP ? m_bWordWrap : m_bGridlines;
    bOn = !bOn;
    Note(nId == ID_KIT_TEXT_WRAP ? (bOn ? "Word wrap on" : "Word wrap off") : (bOn ? "Gridlines on" : "Gridlines off"));
}

void CKitHostRibbonFrame::OnUpdateToggle(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(pCmdUI->m_nID == ID_KIT_TEXT_WRAP ? m_bWordWrap : m_bGridlines);
}
