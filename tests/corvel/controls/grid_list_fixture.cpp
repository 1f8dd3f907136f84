#include "grid_list_fixture.h"

#include "support/window_pixels.h"

#include <algorithm>
#include <cstring>

// GridHost

BEGIN_MESSAGE_MAP(GridHost, CWnd)
    ON_NOTIFY(LVN_BEGINLABELEDITA, kGridListId, &GridHost::OnBeginEdit)
    ON_NOTIFY(LVN_ENDLABELEDITA, kGridListId, &GridHost::OnEndEdit)
    ON_NOTIFY(LVN_ITEMCHANGED, kGridListId, &GridHost::OnItemChanged)
    ON_COMMAND_RANGE(ID_GRID_EXPORT_PROCESSOR_FILES, ID_GRID_ENABLE_ALL_ON_DATA_UPDATE, &GridHost::OnListCommand)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL GridHost::CreateHost(LPCSTR title, int width, int height)
{
    // On top: the display is shared with other programs' windows.
    return CreateEx(WS_EX_TOPMOST, AfxFrameOrViewWndClass(), title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, width, height,
                    nullptr, nullptr);
}

void GridHost::OnBeginEdit(NMHDR*, LRESULT* pResult)
{
    ++m_beginEdits;
    *pResult = m_refuseEdits ? 1 : 0;
}

void GridHost::OnEndEdit(NMHDR*, LRESULT*)
{
    ++m_endEdits;
}

void GridHost::OnItemChanged(NMHDR*, LRESULT*)
{
    ++m_itemChanges;
}

void GridHost::OnListCommand(UINT nID)
{
    m_commands.push_back(nID);
}

void GridHost::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (CWnd* list = GetDlgItem(kGridListId))
        list->MoveWindow(0, 0, cx, cy);
}

// Input

void PostClick(CWnd& target, CPoint point, UINT flags)
{
    target.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON | flags, MAKELPARAM(point.x, point.y));
    target.PostMessage(WM_LBUTTONUP, flags, MAKELPARAM(point.x, point.y));
    PumpMessages(PumpMode::kPreTranslate);
}

void PostRightClick(CWnd& target, CPoint point)
{
    // The real pointer goes there too: the list view places the context menu it asks for at the pointer.
    CPoint screen = point;
    target.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    target.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    target.PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    PumpMessages(PumpMode::kPreTranslate);
}

void PostKey(HWND target, UINT vk)
{
    const UINT scan = ::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    ::PostMessageA(target, WM_KEYDOWN, vk, MAKELPARAM(1, scan));
    ::PostMessageA(target, WM_KEYUP, vk, MAKELPARAM(1, scan | KF_REPEAT | KF_UP));
    PumpMessages(PumpMode::kPreTranslate);
}

void PostText(HWND target, LPCSTR text)
{
    for (const char* c = text; *c != '\0'; ++c)
        PostKey(target, static_cast<UINT>(LOBYTE(::VkKeyScanA(*c))));
}

int ChildCount(HWND parent)
{
    int count = 0;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

int DarkPixelsBelowHeader(CGridList& list)
{
    CRect header;
    CRect row;
    CRect client;
    list.GetHeaderCtrl()->GetWindowRect(&header);
    list.ScreenToClient(&header);
    list.GetClientRect(&client);
    if (list.GetItemCount() == 0 || !list.GetItemRect(list.GetTopIndex(), &row, LVIR_BOUNDS))
        row.top = header.bottom + 2;
    const int height = std::max(0, static_cast<int>(row.top - header.bottom));
    HDC dc = ::GetDC(list.m_hWnd);
    const std::vector<DWORD> pixels = CopyPixels(dc, 0, header.bottom, client.Width(), height);
    ::ReleaseDC(list.m_hWnd, dc);
    int dark = 0;
    for (DWORD pixel : pixels)
        dark += ((pixel >> 16 & 0xFF) * 30 + (pixel >> 8 & 0xFF) * 59 + (pixel & 0xFF) * 11) / 100 < 100 ? 1 : 0;
    return dark;
}

HeldKeys::HeldKeys(std::initializer_list<int> keys)
{
    ::GetKeyboardState(m_saved);
    BYTE state[256];
    std::memcpy(state, m_saved, sizeof state);
    for (int key : keys)
        state[key] = 0x80;
    ::SetKeyboardState(state);
}

HeldKeys::~HeldKeys()
{
    ::SetKeyboardState(m_saved);
}

// MenuCatcher

namespace {

MenuCatcher* g_catcher = nullptr;

} // namespace

MenuCatcher::MenuCatcher()
{
    g_catcher = this;
    m_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &MenuCatcher::HookProc, nullptr, ::GetCurrentThreadId());
}

MenuCatcher::~MenuCatcher()
{
    ::UnhookWindowsHookEx(m_hook);
    g_catcher = nullptr;
}

LRESULT CALLBACK MenuCatcher::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_catcher != nullptr && call->message == WM_INITMENUPOPUP)
        g_catcher->OnMenu(reinterpret_cast<HMENU>(call->wParam), call->hwnd);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void MenuCatcher::OnMenu(HMENU menu, HWND owner)
{
    ++m_shown;
    m_items.clear();
    const int count = ::GetMenuItemCount(menu);
    int chosenPosition = -1;
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        m_items.push_back({info.wID, text, (info.fState & MFS_CHECKED) != 0, separator});
        if (!separator && m_choose != 0 && info.wID == m_choose)
            chosenPosition = static_cast<int>(m_items.size()) - 1;
    }
    // The menu takes the keys once its loop runs: step down to the item (separators are
    // skipped, so they do not count) and press Enter, or Escape to close it.
    if (chosenPosition >= 0) {
        int steps = 0;
        for (int i = 0; i <= chosenPosition; ++i)
            steps += m_items[static_cast<size_t>(i)].separator ? 0 : 1;
        for (int i = 0; i < steps; ++i) {
            ::PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageA(owner, WM_KEYUP, VK_DOWN, 0);
        }
        ::PostMessageA(owner, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageA(owner, WM_KEYUP, VK_RETURN, 0);
    } else {
        ::PostMessageA(owner, WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageA(owner, WM_KEYUP, VK_ESCAPE, 0);
    }
}

std::vector<UINT> MenuCatcher::Ids() const
{
    std::vector<UINT> ids;
    for (const Item& item : m_items)
        ids.push_back(item.separator ? 0 : item.id);
    return ids;
}

const MenuCatcher::Item* MenuCatcher::Find(UINT id) const
{
    for (const Item& item : m_items) {
        if (!item.separator && item.id == id)
            return &item;
    }
    return nullptr;
}

// GridListTest

void GridListTest::SetUp()
{
    ASSERT_TRUE(m_host.CreateHost("Tag Mapping", 640, 300));
    CreateList(m_list);
    m_host.ShowWindow(SW_SHOW);
    m_host.UpdateWindow();
    PumpMessages(PumpMode::kPreTranslate);
}

void GridListTest::TearDown()
{
    m_list.DestroyWindow();
    m_host.DestroyWindow();
    PumpMessages(PumpMode::kPreTranslate);
}

void GridListTest::CreateList(CGridList& list, DWORD extraStyle)
{
    CRect client;
    m_host.GetClientRect(&client);
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_EDITLABELS | extraStyle, client,
                            &m_host, kGridListId));
    list.InsertHiddenLabelColumn();
    list.InsertColumnTrait(1, "Tag Name", LVCFMT_LEFT, 150, 1, std::make_unique<CColumnTraitEdit>());
    auto address = std::make_unique<CColumnTraitText>();
    address->SetSortNumeric(true);
    m_addressTrait = address.get();
    list.InsertColumnTrait(2, "Address", LVCFMT_RIGHT, 80, 2, std::move(address));
    auto type = std::make_unique<CColumnTraitCombo>();
    m_typeTrait = type.get();
    list.InsertColumnTrait(3, "Data Type", LVCFMT_LEFT, 110, 3, std::move(type));
    list.InsertColumnTrait(4, "Description", LVCFMT_LEFT, 220, 4);
}

void GridListTest::AddRow(LPCSTR tag, LPCSTR address, LPCSTR type, LPCSTR description)
{
    ASSERT_GE(m_list.InsertRowTexts(-1, 5, "", tag, address, type, description), 0);
}

void GridListTest::AddSampleRows()
{
    AddRow("Breaker", "9", "BOOLEAN", "Feeder breaker");
    AddRow("Voltage", "10", "FLOAT32", "Bus voltage");
    AddRow("Current", "100", "REAL32", "Phase current");
}

std::vector<std::string> GridListTest::ColumnTexts(int col)
{
    std::vector<std::string> texts;
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        texts.push_back(static_cast<LPCSTR>(m_list.GetItemText(row, col)));
    return texts;
}

CPoint GridListTest::CellCenter(int row, int col)
{
    CRect rect;
    m_list.GetCellRect(row, col, LVIR_BOUNDS, rect);
    return rect.CenterPoint();
}

CPoint GridListTest::HeaderCenter(int col)
{
    CRect rect;
    m_list.GetHeaderCtrl()->GetItemRect(col, &rect);
    return rect.CenterPoint();
}

HWND GridListTest::OpenEditor(int row, int col)
{
    PostClick(m_list, CellCenter(row, col));
    PostClick(m_list, CellCenter(row, col));
    return m_list.IsCellEditorOpen() ? ::GetFocus() : nullptr;
}
