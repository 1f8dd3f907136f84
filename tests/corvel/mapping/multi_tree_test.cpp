// The multi-select tree driven by synthesized mouse input in a real window.
#include "corvel/mapping/multi_tree.h"

#include "support/message_box_recorder.h"
#include "support/message_pump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

std::vector<UINT>* g_notifications = nullptr;

LRESULT CALLBACK RecordingParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && g_notifications != nullptr) {
        const auto* header = reinterpret_cast<NMHDR*>(lParam);
        g_notifications->push_back(header->code);
        // Expanding is reflected to the tree, as a parent of ours does.
        LRESULT result = 0;
        if (header->code == TVN_ITEMEXPANDEDA)
            CWnd::FromHandle(header->hwndFrom)->OnChildNotify(message, wParam, lParam, &result);
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// A tree with a test model under a visible parent that records the tree's notifications:
// IED / LD / A, B (collapsed: B1, B2), C; IED / Reports / rcb1 (m1), rcb2; IED / reports / rcb3 (m3).
class MultiTreeTest : public ::testing::Test {
protected:
    // One visible parent for the suite: hiding a visible window waits for a window manager that is not there.
    static void SetUpTestSuite()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingParentProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "MultiTreeTestParent";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        ::RegisterClassA(&wc);
        s_parent = ::CreateWindowExA(0, "MultiTreeTestParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 320, 420, nullptr,
                                     nullptr, wc.hInstance, nullptr);
    }
    static void TearDownTestSuite() { ::DestroyWindow(s_parent); }

    void SetUp() override
    {
        m_parent = s_parent;
        ASSERT_NE(m_parent, nullptr);
        CWnd* parent = CWnd::FromHandle(m_parent);
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                  CRect(0, 0, 320, 420), parent, 100));
        g_notifications = &m_notifications;

        ied = Add("IED", TVI_ROOT);
        ld = Add("LD", ied);
        a = Add("A", ld, Record("A$x"));
        b = Add("B", ld, Record("B$x"));
        b1 = Add("B1", b, Record("B$y$1"));
        b2 = Add("B2", b, Record("B$y$2", "INT128"));
        c = Add("C", ld, Record("C[3]$x"));
        reports = Add("Reports", ied);
        rcb1 = Add("rcb1", reports);
        auto member = Record("LLN0$ST$Mod$stVal");
        member->report.name = "rcb1";
        member->report.reference = "LLN0$BR$rcb1";
        member->report.buffered = true;
        member->report.intgPd = 5000;
        member->report.dchg = true;
        member->report.gi = true;
        member->report.entryID = "true";
        m1 = Add("m1", rcb1, std::move(member));
        rcb2 = Add("rcb2", reports);
        lower = Add("reports", ied);
        rcb3 = Add("rcb3", lower);
        Add("m3", rcb3, Record("LLN0$ST$Beh$stVal"));
        for (HTREEITEM item : {ied, ld, reports, lower, rcb1, rcb3})
            m_tree.Expand(item, TVE_EXPAND);
        m_tree.UpdateWindow();
        m_notifications.clear();
    }
    void TearDown() override
    {
        g_notifications = nullptr;
        m_tree.DestroyWindow();
    }

    std::unique_ptr<CTreeModelRecord> Record(LPCSTR path, LPCSTR type = "BOOLEAN")
    {
        auto record = std::make_unique<CTreeModelRecord>();
        record->dataPath = path;
        record->dataType = type;
        record->namePrefix = "LD1";
        return record;
    }
    HTREEITEM Add(LPCSTR text, HTREEITEM parent, std::unique_ptr<CTreeModelRecord> record = nullptr)
    {
        const HTREEITEM item = m_tree.InsertItem(text, parent);
        if (record) {
            m_tree.SetItemData(item, reinterpret_cast<DWORD_PTR>(record.get()));
            m_records.push_back(std::move(record));
        }
        return item;
    }
    CPoint Centre(HTREEITEM item)
    {
        CRect rect;
        EXPECT_TRUE(m_tree.GetItemRect(item, &rect, TRUE));
        return rect.CenterPoint();
    }
    // A press at point, the moves queued before it is handled, and the release.
    void Press(UINT down, CPoint point, UINT flags, const std::vector<CPoint>& moves = {})
    {
        const UINT up = down == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP;
        for (CPoint move : moves)
            m_tree.PostMessage(WM_MOUSEMOVE, flags, MAKELPARAM(move.x, move.y));
        const CPoint end = moves.empty() ? point : moves.back();
        m_tree.PostMessage(up, flags & (MK_CONTROL | MK_SHIFT), MAKELPARAM(end.x, end.y));
        m_tree.SendMessage(down, flags, MAKELPARAM(point.x, point.y));
        PumpMessages();
    }
    void Click(HTREEITEM item, UINT flags = 0) { Press(WM_LBUTTONDOWN, Centre(item), flags | MK_LBUTTON); }
    // An arrow key pressed with the modifiers held (VK_CONTROL, VK_SHIFT).
    void Key(UINT key, std::initializer_list<int> held = {})
    {
        BYTE state[256] = {};
        for (int vk : held)
            state[vk] = 0x80;
        ::SetKeyboardState(state);
        m_tree.SendMessage(WM_KEYDOWN, key, 1);
        BYTE none[256] = {};
        ::SetKeyboardState(none);
        PumpMessages();
    }
    // A click on the item's expand button.
    void ClickButton(HTREEITEM item)
    {
        const CPoint centre = Centre(item);
        for (int x = 0; x < centre.x; ++x) {
            UINT where = 0;
            if (m_tree.HitTest(CPoint(x, centre.y), &where) == item && (where & TVHT_ONITEMBUTTON) != 0) {
                Press(WM_LBUTTONDOWN, CPoint(x, centre.y), MK_LBUTTON);
                return;
            }
        }
        ADD_FAILURE() << "no button";
    }
    std::vector<HTREEITEM> Selected()
    {
        std::vector<HTREEITEM> items;
        // Every item, collapsed branches included, in display order.
        std::function<void(HTREEITEM)> walk = [&](HTREEITEM item) {
            for (; item != nullptr; item = m_tree.GetNextSiblingItem(item)) {
                if (m_tree.IsSelected(item))
                    items.push_back(item);
                walk(m_tree.GetChildItem(item));
            }
        };
        walk(m_tree.GetRootItem());
        return items;
    }
    bool Notified(UINT code) const
    {
        return std::find(m_notifications.begin(), m_notifications.end(), code) != m_notifications.end();
    }

    static inline HWND s_parent = nullptr;
    HWND m_parent = nullptr;
    CMultiTree m_tree;
    std::vector<std::unique_ptr<CTreeModelRecord>> m_records;
    std::vector<UINT> m_notifications;
    MessageBoxRecorder m_messages;
    HTREEITEM ied, ld, a, b, b1, b2, c, reports, rcb1, m1, rcb2, lower, rcb3;
};

using Items = std::vector<HTREEITEM>;

TEST_F(MultiTreeTest, ClicksSelectOneItemAndCtrlClicksToggleOne)
{
    Click(a);
    EXPECT_EQ(Selected(), Items({a}));
    EXPECT_EQ(m_tree.GetFocusItem(), a);
    EXPECT_TRUE(Notified(NM_CLICK));
    EXPECT_TRUE(Notified(TVN_SELCHANGEDA));

    Click(c, MK_CONTROL);
    EXPECT_EQ(Selected(), Items({a, c}));
    Click(a, MK_CONTROL);
    EXPECT_EQ(Selected(), Items({c}));
    EXPECT_EQ(m_tree.GetFocusItem(), a);

    // A plain click on one of several selected items leaves it alone selected.
    Click(a, MK_CONTROL);
    Click(c);
    EXPECT_EQ(Selected(), Items({c}));

    // A Ctrl+right click only records the anchor.
    Press(WM_RBUTTONDOWN, Centre(a), MK_RBUTTON | MK_CONTROL);
    EXPECT_EQ(Selected(), Items({c}));
    EXPECT_EQ(m_tree.GetAnchorItem(), a);
}

TEST_F(MultiTreeTest, ShiftClickSelectsTheAnchorsWholeSubtree)
{
    Click(ld);
    Click(reports, MK_SHIFT);
    // Collapsed B's children too; the clicked item gets the focus without being selected.
    EXPECT_EQ(Selected(), Items({ld, a, b, b1, b2, c}));
    EXPECT_EQ(m_tree.GetFocusItem(), reports);
    EXPECT_EQ(m_tree.GetAnchorItem(), ld);
}

TEST_F(MultiTreeTest, PressOnEmptySpaceChangesNothing)
{
    Click(a);
    ::SetFocus(m_parent);
    m_notifications.clear();
    Press(WM_LBUTTONDOWN, CPoint(300, 410), MK_LBUTTON);
    Press(WM_RBUTTONDOWN, CPoint(300, 410), MK_RBUTTON);
    EXPECT_EQ(Selected(), Items({a}));
    EXPECT_EQ(::GetFocus(), m_parent);
    for (UINT code : m_notifications)
        EXPECT_EQ(code, static_cast<UINT>(NM_CUSTOMDRAW));
}

TEST_F(MultiTreeTest, MovingBeyondTheDragDistanceStartsADrag)
{
    const CSize distance = CMultiTree::DragDistance();
    const CPoint start = Centre(a);
    struct Case {
        CSize move;
        bool drag;
    };
    const Case cases[] = {
        {distance, false},
        {CSize(distance.cx + 1, 0), true},
        {CSize(0, distance.cy + 1), true},
        {CSize(-distance.cx, -distance.cy), false},
    };
    for (const Case& test : cases) {
        m_notifications.clear();
        Press(WM_LBUTTONDOWN, start, MK_LBUTTON, {start + test.move});
        EXPECT_EQ(Notified(TVN_BEGINDRAGA), test.drag) << test.move.cx << "," << test.move.cy;
        EXPECT_EQ(Notified(NM_CLICK), !test.drag);
        EXPECT_TRUE(m_tree.IsSelected(a));
    }
    // A right-button drag.
    m_notifications.clear();
    Press(WM_RBUTTONDOWN, start, MK_RBUTTON, {start + CSize(distance.cx + 1, 0)});
    EXPECT_TRUE(Notified(TVN_BEGINRDRAGA));
}

TEST_F(MultiTreeTest, RightClickOnAReportBlockShowsIt)
{
    Press(WM_RBUTTONDOWN, Centre(rcb1), MK_RBUTTON);
    ASSERT_EQ(m_messages.Count(), 1u);
    const CString text = m_messages.Last().text;
    EXPECT_EQ(text.Find("Report Control Block\n   tag name  \t\t : LD1_LLN0_BR_rcb1\n   name      \t\t : rcb1\n"), 0)
        << (LPCSTR)text;
    EXPECT_GE(text.Find("\n   intgPd    \t\t : 5000\n"), 0);
    EXPECT_GE(text.Find("\n   buffered  \t\t : Yes\n"), 0);
    EXPECT_GE(text.Find("\n\nTrigger Option\n   dchg      \t\t : Enable\n   dupd      \t\t : Disable\n"), 0);
    EXPECT_GE(text.Find("\n   gi        \t\t\t : Enable\n"), 0);
    EXPECT_GE(text.Find("\n\nOptional Field\n   bufOvfl   \t\t : Disable\n"), 0);
    EXPECT_GE(text.Find("\n   entryID   \t\t : Enable\n"), 0);
    EXPECT_EQ(text.Right(26), "\n   timestamp \t\t : Disable");

    // No box for a block without children, the "Reports" label itself or a parent labelled "reports".
    for (HTREEITEM item : {rcb2, reports, rcb3}) {
        m_messages.Clear();
        Press(WM_RBUTTONDOWN, Centre(item), MK_RBUTTON);
        EXPECT_EQ(m_messages.Count(), 0u) << (LPCSTR)m_tree.GetItemText(item);
    }
}

TEST_F(MultiTreeTest, DragTakesSelectedItemsAndWhatIsBelowThem)
{
    Click(b);
    Click(c, MK_CONTROL);
    Click(a, MK_CONTROL);
    EXPECT_FALSE(m_tree.CollectDragEntries());
    std::vector<CString> keys;
    for (const CMultiTree::DragEntry& entry : m_tree.GetDragEntries())
        keys.push_back(entry.key);
    // Display order; B2 is INT128; C[3] gives three elements.
    EXPECT_EQ(keys, (std::vector<CString>{"LD1_A_x", "LD1_B_x", "LD1_B_y_1", "LD1_C[0]_x", "LD1_C[1]_x",
                                          "LD1_C[2]_x"}));
    EXPECT_EQ(m_tree.GetDragEntries()[4].path, "C[1]$x");
    EXPECT_EQ(m_tree.FirstSelected(), a);
    EXPECT_EQ(m_tree.NextSelected(a), b);

    // Switching multiple selection off keeps the focused item alone.
    m_tree.SetMultiSelect(false);
    EXPECT_EQ(Selected(), Items({a}));
}

// Up and Down move one selected item; Shift extends the run of visible items from the anchor, Ctrl moves the
// focus alone. Collapsing a branch deselects what is under it, everything when the focus was inside.
TEST_F(MultiTreeTest, ArrowKeysAndCollapsing)
{
    Click(a);
    Key(VK_DOWN);
    EXPECT_EQ(Selected(), Items({b}));
    EXPECT_EQ(m_tree.GetFocusItem(), b);
    Key(VK_DOWN, {VK_SHIFT});
    Key(VK_DOWN, {VK_SHIFT});
    EXPECT_EQ(Selected(), Items({b, c, reports})); // collapsed B's children are not visible
    EXPECT_EQ(m_tree.GetAnchorItem(), b);
    Key(VK_UP, {VK_SHIFT});
    EXPECT_EQ(Selected(), Items({b, c}));
    EXPECT_EQ(m_tree.GetFocusItem(), c);
    Key(VK_UP, {VK_CONTROL});
    EXPECT_EQ(Selected(), Items({b, c}));
    EXPECT_EQ(m_tree.GetFocusItem(), b);
    Key(VK_UP);
    EXPECT_EQ(Selected(), Items({a}));

    // The focus outside: only the collapsed branch's items lose their selection.
    Click(m1, MK_CONTROL);
    Click(a, MK_CONTROL);
    Click(a, MK_CONTROL);
    EXPECT_EQ(Selected(), Items({a, m1}));
    m_notifications.clear();
    ClickButton(reports);
    EXPECT_EQ(0u, m_tree.GetItemState(reports, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(Notified(TVN_ITEMEXPANDEDA));
    EXPECT_EQ(Selected(), Items({a}));

    // The focus inside: the selection is cleared, and the control moves its caret, selected, to the collapsed
    // item.
    Click(rcb3, MK_CONTROL);
    EXPECT_EQ(Selected(), Items({a, rcb3}));
    ClickButton(lower);
    EXPECT_EQ(Selected(), Items({lower}));
    EXPECT_EQ(m_tree.GetFocusItem(), lower);
}

} // namespace
