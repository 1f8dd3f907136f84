// GridHost, TestGrid, GridTest: a monitor grid in a top-level window that records what the grid tells it, and input helpers.
#pragma once

#include "framework/ui.h"
#include "ostrel/grid/monitor_grid.h"
#include "support/message_pump.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// The grid's control id in the tests.
constexpr UINT kGridId = 135;

// One WM_NOTIFY the host received from the grid.
struct GridEvent {
    UINT code;
    int row;
    int col;
    bool operator==(const GridEvent& other) const
    {
        return code == other.code && row == other.row && col == other.col;
    }
};

inline std::ostream& operator<<(std::ostream& out, const GridEvent& event)
{
    return out << "{" << static_cast<int>(event.code) << ", " << event.row << ", " << event.col << "}";
}

// The grid's parent: records notifications and commands, answers the edit
// notifications with what a test asks, and serves virtual-mode texts.
class GridHost : public CWnd {
public:
    BOOL CreateHost(int width, int height)
    {
        return CreateEx(0, AfxFrameOrViewWndClass(), "Grid host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, width,
                        height, nullptr, nullptr);
    }

    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        *pResult = 0;
        if (header->idFrom != kGridId)
            return FALSE;
        if (header->code == LVN_GETDISPINFOA) {
            MonitorGridDispInfo* info = reinterpret_cast<MonitorGridDispInfo*>(lParam);
            if (displayText)
                info->strText = displayText(info->iRow, info->iColumn);
            return TRUE;
        }
        if (header->code == LVN_ODCACHEHINT) {
            const MonitorGridCacheHint* hint = reinterpret_cast<const MonitorGridCacheHint*>(lParam);
            cacheHints.push_back(hint->range);
            return TRUE;
        }
        const MonitorGridNotify* notify = reinterpret_cast<const MonitorGridNotify*>(lParam);
        events.push_back({header->code, notify->iRow, notify->iColumn});
        auto answer = answers.find(header->code);
        if (answer != answers.end())
            *pResult = answer->second;
        return TRUE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back({wParam, lParam});
        return TRUE;
    }

    // The notifications of one code, in order.
    std::vector<GridEvent> Events(UINT code) const
    {
        std::vector<GridEvent> found;
        for (const GridEvent& event : events)
            if (event.code == code)
                found.push_back(event);
        return found;
    }

    std::vector<GridEvent> events;
    std::vector<std::pair<WPARAM, LPARAM>> commands;
    std::vector<CCellRange> cacheHints;
    std::map<UINT, LRESULT> answers;
    std::function<CString(int row, int col)> displayText;
};

// What an in-place editor reported when it ended.
struct EditorEnd {
    int row;
    int col;
    CString text;
    UINT key;
    UINT mask;
    HWND editor;
};

// The grid, with the editors' end records taken down before the grid handles them.
class TestGrid : public CMonitorGrid {
public:
    std::vector<EditorEnd> editorEnds;

    const CTitleTip& TitleTip() const { return m_TitleTip; }
    LPDROPTARGET DropInterface() { return m_DropTarget.GetDropTarget(); }
    BOOL DropTargetRegistered() const { return m_DropTarget.IsRegistered(); }

protected:
    afx_msg void OnEditorEnd(NMHDR* pNMHDR, LRESULT* pResult)
    {
        const NMLVDISPINFOA* info = reinterpret_cast<const NMLVDISPINFOA*>(pNMHDR);
        editorEnds.push_back({info->item.iItem, info->item.iSubItem, info->item.pszText,
                              static_cast<UINT>(info->item.lParam), info->item.mask, info->hdr.hwndFrom});
        OnEndInPlaceEdit(pNMHDR, pResult);
    }
    DECLARE_MESSAGE_MAP()
};

// Sets the modifier keys GetKeyState reports for this thread.
inline void SetModifiers(bool shift, bool ctrl)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

// A grid of rows x cols in a shown top-level host; cell (r, c) reads "r,c".
class GridTest : public ::testing::Test {
protected:
    static constexpr int kHostWidth = 640;
    static constexpr int kHostHeight = 420;

    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(kHostWidth, kHostHeight));
        CRect client;
        host.GetClientRect(&client);
        ASSERT_TRUE(grid.Create(client, &host, kGridId));
        grid.SetFocus();
        PumpMessages();
    }

    void TearDown() override
    {
        SetModifiers(false, false);
        grid.DestroyWindow();
        host.DestroyWindow();
        PumpMessages();
    }

    void Fill(int rows, int cols, int fixedRows = 1, int fixedCols = 0)
    {
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(fixedRows);
        grid.SetFixedColumnCount(fixedCols);
        for (int row = 0; row < rows; ++row)
            for (int col = 0; col < cols; ++col) {
                CString text;
                text.Format("%d,%d", row, col);
                grid.SetItemText(row, col, text);
            }
        grid.Refresh();
        PumpMessages();
    }

    // The grid's window that has the focus: an in-place editor (the edit part
    // of a combo box) while one is open, else the grid.
    HWND KeyTarget() const
    {
        HWND focus = ::GetFocus();
        if (focus != nullptr && (focus == grid.m_hWnd || ::IsChild(grid.m_hWnd, focus)))
            return focus;
        if (HWND editor = ::GetDlgItem(grid.m_hWnd, kInPlaceControlId)) {
            HWND comboEdit = ::GetDlgItem(editor, 1001);
            return comboEdit != nullptr ? comboEdit : editor;
        }
        return grid.m_hWnd;
    }

    // A key press as the keyboard gives it: WM_KEYDOWN through the message
    // loop (which makes the WM_CHAR) to the window with the focus.
    void Key(UINT vk, bool shift = false, bool ctrl = false)
    {
        SetModifiers(shift, ctrl);
        HWND target = KeyTarget();
        ::PostMessageA(target, WM_KEYDOWN, vk, 1 | (::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) << 16));
        PumpMessages();
        ::PostMessageA(target, WM_KEYUP, vk, 0xC0000001 | (::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) << 16));
        PumpMessages();
        SetModifiers(false, false);
    }

    // Types text into the window with the focus, one WM_CHAR per character.
    void Type(const char* text)
    {
        for (const char* c = text; *c != '\0'; ++c) {
            ::SendMessageA(KeyTarget(), WM_CHAR, static_cast<BYTE>(*c), 1);
            PumpMessages();
        }
    }

    CPoint CellPoint(int row, int col, int dx = 0, int dy = 0)
    {
        CRect rect;
        EXPECT_TRUE(grid.GetCellRect(row, col, &rect));
        return CPoint(rect.left + rect.Width() / 2 + dx, rect.top + rect.Height() / 2 + dy);
    }

    void Mouse(UINT message, CPoint point, UINT flags = 0)
    {
        grid.SendMessage(message, flags, MAKELPARAM(point.x, point.y));
        PumpMessages();
    }

    void Click(CPoint point, UINT flags = 0)
    {
        Mouse(WM_MOUSEMOVE, point, flags);
        Mouse(WM_LBUTTONDOWN, point, flags | MK_LBUTTON);
        Mouse(WM_LBUTTONUP, point, flags);
    }

    std::vector<UINT> EventCodes() const
    {
        std::vector<UINT> codes;
        for (const GridEvent& event : host.events)
            codes.push_back(event.code);
        return codes;
    }

    GridHost host;
    TestGrid grid;
};

// The grid as OnDraw paints it into a bitmap of the grid's client size, over a background colour.
class GridImage {
public:
    explicit GridImage(CMonitorGrid& grid, COLORREF background = RGB(255, 0, 255))
    {
        CRect client;
        grid.GetClientRect(&client);
        m_size = client.Size();
        CClientDC screen(&grid);
        m_dc.CreateCompatibleDC(&screen);
        m_bitmap.CreateCompatibleBitmap(&screen, m_size.cx, m_size.cy);
        m_old = ::SelectObject(m_dc.m_hDC, m_bitmap.m_hObject);
        m_dc.FillSolidRect(0, 0, m_size.cx, m_size.cy, background);
        grid.OnDraw(&m_dc);
    }
    ~GridImage() { ::SelectObject(m_dc.m_hDC, m_old); }
    GridImage(const GridImage&) = delete;
    GridImage& operator=(const GridImage&) = delete;

    COLORREF At(int x, int y) const { return ::GetPixel(m_dc.m_hDC, x, y); }
    // How many pixels of area have the colour.
    int Count(const CRect& area, COLORREF colour) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (At(x, y) == colour)
                    ++count;
        return count;
    }
    CSize Size() const { return m_size; }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_old = nullptr;
    CSize m_size;
};
