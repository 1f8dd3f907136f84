// GridHost, GridListTest, input helpers: a grid list in a top-level window of the test, driven by posted input.
#pragma once

#include "corvel/model/project_records.h"
#include "corvel/resources/resource.h"
#include "corvel/controls/grid_editors.h"
#include "corvel/controls/grid_list.h"
#include "support/message_pump.h"
#include "support/window_capture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

constexpr UINT kGridListId = 135;

// The window around the list: it sees the list's notifications and the commands the list passes on.
class GridHost : public CWnd {
public:
    BOOL CreateHost(LPCSTR title, int width, int height);

    // Answers begin-label-edit with 1 (refuse) while set.
    bool m_refuseEdits = false;
    int m_beginEdits = 0;
    int m_endEdits = 0;
    int m_itemChanges = 0;
    std::vector<UINT> m_commands;

protected:
    afx_msg void OnBeginEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListCommand(UINT nID);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()
};

// A left or right click (button down and up) posted to the window at a client point.
void PostClick(CWnd& target, CPoint point, UINT flags = 0);
void PostRightClick(CWnd& target, CPoint point);
// A key pressed and released, posted to the window.
void PostKey(HWND target, UINT vk);
// Characters posted as key presses (letters and digits).
void PostText(HWND target, LPCSTR text);

// The number of child windows directly under a window.
int ChildCount(HWND parent);

// The dark pixels (a line, stale drawing) of the list's client area between its header and its first row shown,
// as the display shows them.
int DarkPixelsBelowHeader(CGridList& list);

// Holds keys down in the thread's keyboard state (as GetKeyState sees it) while it lives.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE m_saved[256];
};

// Catches the popup menus shown on this thread: their items, then closes them (or chooses one).
class MenuCatcher {
public:
    struct Item {
        UINT id;
        std::string text;
        bool checked;
        bool separator;
    };

    MenuCatcher();
    ~MenuCatcher();
    MenuCatcher(const MenuCatcher&) = delete;
    MenuCatcher& operator=(const MenuCatcher&) = delete;

    // Chooses the item with this id instead of closing the menu.
    void Choose(UINT id) { m_choose = id; }
    int Shown() const { return m_shown; }
    const std::vector<Item>& Items() const { return m_items; }
    std::vector<UINT> Ids() const;
    const Item* Find(UINT id) const;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void OnMenu(HMENU menu, HWND owner);

    HHOOK m_hook = nullptr;
    int m_shown = 0;
    std::vector<Item> m_items;
    UINT m_choose = 0;
};

// A list of five columns: the hidden label column, "Tag Name" (edited in place), "Address"
// (numeric), "Data Type" (choices) and "Description" (text), in a window of the test.
class GridListTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the list (with the given extra style) and its columns.
    void CreateList(CGridList& list, DWORD extraStyle = 0);
    void AddRow(LPCSTR tag, LPCSTR address, LPCSTR type, LPCSTR description);
    // Breaker (9, BOOLEAN), Voltage (10, FLOAT32) and Current (100, REAL32).
    void AddSampleRows();
    std::vector<std::string> ColumnTexts(int col);
    // The centre of a cell, in the list's client coordinates.
    CPoint CellCenter(int row, int col);
    CPoint HeaderCenter(int col);
    // Clicks a cell once (focus) and again (edit); the editor window, or null.
    HWND OpenEditor(int row, int col);

    GridHost m_host;
    CGridList m_list;
    CColumnTraitCombo* m_typeTrait = nullptr;
    CColumnTraitText* m_addressTrait = nullptr;
};
