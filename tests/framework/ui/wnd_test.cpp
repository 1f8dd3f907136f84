// Windows: the handle map, destruction, subclassing, reflection of notifications and the control wrappers.
#include "framework/ui.h"
#include "support/message_box_recorder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr UINT kButtonId = 11;
constexpr UINT kTreeId = 12;
constexpr UINT kListId = 13;
constexpr UINT kProbeMessage = WM_APP + 3;
constexpr int kManyTreeItems = 100000;

std::vector<std::string> g_log;

class TopWindow : public CWnd {
public:
    BOOL CreateTop()
    {
        return CreateEx(0, nullptr, "Test", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300, nullptr, nullptr);
    }
};

class Parent : public TopWindow {
public:
    afx_msg void OnButtonClicked() { g_log.push_back("parent clicked"); }
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT*)
    {
        g_log.push_back(pNMHDR->code == TVN_SELCHANGEDA ? "parent ansi" : "parent other");
    }
    afx_msg void OnTreeSelChangedWide(NMHDR*, LRESULT*) { g_log.push_back("parent wide"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Parent, TopWindow)
    ON_BN_CLICKED(kButtonId, &Parent::OnButtonClicked)
    ON_NOTIFY(TVN_SELCHANGEDA, kTreeId, &Parent::OnTreeSelChanged)
    ON_NOTIFY(TVN_SELCHANGEDW, kTreeId, &Parent::OnTreeSelChangedWide)
END_MESSAGE_MAP()

// Consumes its click: the parent must not see it.
class ConsumingButton : public CButton {
public:
    afx_msg void OnClicked() { g_log.push_back("button consumed"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ConsumingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, &ConsumingButton::OnClicked)
END_MESSAGE_MAP()

// Looks at its click and lets the parent have it too.
class PassingButton : public CButton {
public:
    afx_msg BOOL OnClicked()
    {
        g_log.push_back("button passed");
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PassingButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &PassingButton::OnClicked)
END_MESSAGE_MAP()

class ConsumingTree : public CTreeCtrl {
public:
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT*)
    {
        g_log.push_back(pNMHDR->code == TVN_SELCHANGEDA ? "tree ansi" : "tree other");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ConsumingTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_SELCHANGEDA, &ConsumingTree::OnSelChanged)
END_MESSAGE_MAP()

class PassingTree : public CTreeCtrl {
public:
    afx_msg BOOL OnSelChanged(NMHDR* pNMHDR, LRESULT*)
    {
        const NMTREEVIEWA* change = reinterpret_cast<const NMTREEVIEWA*>(pNMHDR);
        g_log.push_back("tree saw " + std::string(GetItemText(change->itemNew.hItem)));
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PassingTree, CTreeCtrl)
    ON_NOTIFY_REFLECT_EX(TVN_SELCHANGEDA, &PassingTree::OnSelChanged)
END_MESSAGE_MAP()

// Paints itself: the parent's WM_DRAWITEM comes to DrawItem.
class OwnerDrawnButton : public CButton {
public:
    int m_draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        ++m_draws;
        m_lastAction = lpDrawItemStruct->itemAction;
    }
    UINT m_lastAction = 0;
};

// Colours its controls and records what it was asked.
class ColouringParent : public TopWindow {
public:
    CBrush m_brush{RGB(0, 128, 0)};
    UINT m_lastCtlColor = 0;
    HWND m_lastControl = nullptr;
    int m_drawItems = 0;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        m_lastCtlColor = nCtlColor;
        m_lastControl = pWnd->m_hWnd;
        pDC->SetTextColor(RGB(255, 0, 0));
        return m_brush;
    }
    afx_msg void OnDrawItem(int, LPDRAWITEMSTRUCT) { ++m_drawItems; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColouringParent, TopWindow)
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

// Colours itself through the reflected message, or (null brush) leaves it to the parent.
class SelfColouringStatic : public CStatic {
public:
    explicit SelfColouringStatic(bool colours) : m_colours(colours) {}
    CBrush m_brush{RGB(0, 0, 128)};
    UINT m_lastCtlColor = 0;
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        m_lastCtlColor = nCtlColor;
        if (!m_colours)
            return nullptr;
        pDC->SetTextColor(RGB(0, 0, 255));
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()

private:
    bool m_colours;
};

BEGIN_MESSAGE_MAP(SelfColouringStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class Probe : public CWnd {
public:
    afx_msg LRESULT OnProbe(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam * 2); }
    afx_msg LRESULT OnFailingProbe(WPARAM, LPARAM) { AfxThrowNotSupportedException(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Probe, CWnd)
    ON_MESSAGE(kProbeMessage, &Probe::OnProbe)
    ON_MESSAGE(kProbeMessage + 1, &Probe::OnFailingProbe)
END_MESSAGE_MAP()

// Owns itself, as frames and views do.
class SelfOwned : public TopWindow {
public:
    explicit SelfOwned(bool* deleted) : m_deleted(deleted) {}
    ~SelfOwned() override { *m_deleted = true; }
    void PostNcDestroy() override { delete this; }

private:
    bool* m_deleted;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        ASSERT_TRUE(m_parent.CreateTop());
    }
    void TearDown() override { AfxDeleteTempMaps(); }

    Parent m_parent;
};

TEST_F(WindowTest, DeletingTheObjectDestroysItsWindowAndLeavesTheMap)
{
    auto* pEdit = new CEdit;
    ASSERT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &m_parent, 5));
    const HWND hEdit = pEdit->m_hWnd;
    EXPECT_EQ(pEdit, CWnd::FromHandlePermanent(hEdit));
    delete pEdit;
    EXPECT_FALSE(::IsWindow(hEdit));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
    EXPECT_TRUE(::IsWindow(m_parent.m_hWnd));
}

TEST_F(WindowTest, AWindowDestroyedElsewhereDetachesItsObject)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD, CRect(0, 0, 100, 20), &m_parent, 5));
    const HWND hEdit = edit.m_hWnd;
    ::DestroyWindow(hEdit);
    EXPECT_EQ(nullptr, edit.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));

    bool deleted = false;
    auto* pSelf = new SelfOwned(&deleted);
    ASSERT_TRUE(pSelf->CreateTop());
    ::DestroyWindow(pSelf->m_hWnd);
    EXPECT_TRUE(deleted);
}

TEST_F(WindowTest, FromHandleGivesThePermanentObjectOrOneTemporaryObject)
{
    const HWND hRaw = ::CreateWindowExA(0, "STATIC", "raw", WS_CHILD, 0, 0, 10, 10, m_parent.m_hWnd, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(&m_parent, CWnd::FromHandle(m_parent.m_hWnd));
    CWnd* pTemporary = CWnd::FromHandle(hRaw);
    ASSERT_NE(nullptr, pTemporary);
    EXPECT_EQ(pTemporary, CWnd::FromHandle(hRaw));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hRaw));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    AfxDeleteTempMaps();
    // The temporary object never owned the window.
    EXPECT_TRUE(::IsWindow(hRaw));
    ::DestroyWindow(hRaw);
}

TEST_F(WindowTest, SubclassedWindowRoutesThroughTheMapUntilUnsubclassed)
{
    const HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, m_parent.m_hWnd, nullptr,
                                         ::GetModuleHandleA(nullptr), nullptr);
    const LONG_PTR originalProc = ::GetWindowLongPtrA(hEdit, GWLP_WNDPROC);
    Probe probe;
    ASSERT_TRUE(probe.SubclassWindow(hEdit));
    EXPECT_FALSE(Probe().SubclassWindow(hEdit)) << "a window has one permanent object";
    EXPECT_EQ(42, ::SendMessageA(hEdit, kProbeMessage, 21, 0));
    // What the map does not handle still reaches the edit control.
    ::SendMessageA(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    CString text;
    probe.GetWindowText(text);
    EXPECT_STREQ("typed", text);

    EXPECT_EQ(hEdit, probe.UnsubclassWindow());
    EXPECT_EQ(nullptr, probe.m_hWnd);
    EXPECT_EQ(originalProc, ::GetWindowLongPtrA(hEdit, GWLP_WNDPROC));
    EXPECT_EQ(0, ::SendMessageA(hEdit, kProbeMessage, 21, 0));
    ::DestroyWindow(hEdit);
}

TEST_F(WindowTest, AnExceptionFromAHandlerIsReportedAtTheWindowProcedure)
{
    MessageBoxRecorder recorder;
    Probe probe;
    ASSERT_TRUE(probe.CreateEx(0, nullptr, "probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(0, probe.SendMessage(kProbeMessage + 1));
    EXPECT_EQ(1u, recorder.Count());
    EXPECT_EQ(8, probe.SendMessage(kProbeMessage, 4)) << "the window goes on working";
}

TEST_F(WindowTest, ButtonNotificationGoesToTheButtonFirstThenToTheParent)
{
    ConsumingButton consuming;
    PassingButton passing;
    ASSERT_TRUE(consuming.Create("A", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &m_parent, kButtonId));
    ASSERT_TRUE(passing.Create("B", WS_CHILD | BS_PUSHBUTTON, CRect(0, 30, 50, 50), &m_parent, kButtonId));

    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED), reinterpret_cast<LPARAM>(consuming.m_hWnd));
    EXPECT_EQ((std::vector<std::string>{"button consumed"}), g_log);

    g_log.clear();
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED), reinterpret_cast<LPARAM>(passing.m_hWnd));
    EXPECT_EQ((std::vector<std::string>{"button passed", "parent clicked"}), g_log);
}

TEST_F(WindowTest, OwnerDrawingGoesToTheControlAndColoursToTheParent)
{
    ColouringParent parent;
    ASSERT_TRUE(parent.CreateTop());
    OwnerDrawnButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 40, 20), &parent, kButtonId));
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = kButtonId;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = button.m_hWnd;
    EXPECT_TRUE(parent.SendMessage(WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&draw)));
    EXPECT_EQ(1, button.m_draws);
    EXPECT_EQ(static_cast<UINT>(ODA_DRAWENTIRE), button.m_lastAction);
    EXPECT_EQ(0, parent.m_drawItems) << "the control drew itself";

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD, CRect(0, 30, 40, 50), &parent, 6));
    CClientDC dc(&edit);
    const LRESULT brush = parent.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.m_hDC),
                                             reinterpret_cast<LPARAM>(edit.m_hWnd));
    EXPECT_EQ(reinterpret_cast<LRESULT>(static_cast<HBRUSH>(parent.m_brush)), brush);
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_EDIT), parent.m_lastCtlColor);
    EXPECT_EQ(edit.m_hWnd, parent.m_lastControl);
    EXPECT_EQ(RGB(255, 0, 0), ::GetTextColor(dc.m_hDC));
}

TEST_F(WindowTest, ReflectedColoursComeFirstAndANullBrushLeavesThemToTheParent)
{
    ColouringParent parent;
    ASSERT_TRUE(parent.CreateTop());
    for (const bool colours : {true, false}) {
        SelfColouringStatic label(colours);
        ASSERT_TRUE(label.Create("Link", WS_CHILD, CRect(0, 0, 40, 20), &parent, 7));
        parent.m_lastCtlColor = 0;
        CClientDC dc(&label);
        const LRESULT brush = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                                                 reinterpret_cast<LPARAM>(label.m_hWnd));
        EXPECT_EQ(static_cast<UINT>(CTLCOLOR_STATIC), label.m_lastCtlColor) << colours;
        const HBRUSH expected = colours ? static_cast<HBRUSH>(label.m_brush) : static_cast<HBRUSH>(parent.m_brush);
        EXPECT_EQ(reinterpret_cast<LRESULT>(expected), brush) << colours;
        EXPECT_EQ(colours ? RGB(0, 0, 255) : RGB(255, 0, 0), ::GetTextColor(dc.m_hDC)) << colours;
        EXPECT_EQ(colours ? 0u : static_cast<UINT>(CTLCOLOR_STATIC), parent.m_lastCtlColor) << colours;
        label.DestroyWindow();
    }
}

TEST_F(WindowTest, TreeSelectionNotifiesInAnsiFirstToTheTreeThenToTheParent)
{
    struct Case {
        const char* name;
        CTreeCtrl* tree;
        std::vector<std::string> expected;
    };
    ConsumingTree consuming;
    PassingTree passing;
    const Case cases[] = {
        {"consumed by the tree", &consuming, {"tree ansi"}},
        {"passed on to the parent", &passing, {"tree saw second", "parent ansi"}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.tree->Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, CRect(0, 0, 200, 200), &m_parent, kTreeId));
        c.tree->InsertItem("first");
        HTREEITEM second = c.tree->InsertItem("second");
        g_log.clear();
        EXPECT_TRUE(c.tree->SelectItem(second));
        EXPECT_EQ(c.expected, g_log) << c.name;
        EXPECT_EQ(second, c.tree->GetSelectedItem());
        c.tree->DestroyWindow();
    }
}

TEST_F(WindowTest, TreeWrapperReadsBackItsItems)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASLINES, CRect(0, 0, 200, 200), &m_parent, kTreeId));
    const std::string longText(1000, 'x');
    HTREEITEM root = tree.InsertItem("root", 1, 2);
    HTREEITEM child = tree.InsertItem(longText.c_str(), root);
    HTREEITEM sibling = tree.InsertItem("sibling", 3, 4, root);
    EXPECT_TRUE(tree.SetItemData(sibling, 0xBEEF));

    EXPECT_EQ(3u, tree.GetCount());
    EXPECT_EQ(root, tree.GetRootItem());
    EXPECT_EQ(child, tree.GetChildItem(root));
    EXPECT_EQ(sibling, tree.GetNextSiblingItem(child));
    EXPECT_EQ(child, tree.GetPrevSiblingItem(sibling));
    EXPECT_EQ(root, tree.GetParentItem(sibling));
    EXPECT_TRUE(tree.ItemHasChildren(root));
    EXPECT_FALSE(tree.ItemHasChildren(child));
    EXPECT_EQ(longText, std::string(tree.GetItemText(child))) << "long texts are not cut";
    EXPECT_EQ(0xBEEFu, tree.GetItemData(sibling));
    int image = 0;
    int selected = 0;
    EXPECT_TRUE(tree.GetItemImage(sibling, image, selected));
    EXPECT_EQ(3, image);
    EXPECT_EQ(4, selected);
    EXPECT_TRUE(tree.SetItemText(child, "renamed"));
    EXPECT_STREQ("renamed", tree.GetItemText(child));
    EXPECT_TRUE(tree.Expand(root, TVE_EXPAND));
    EXPECT_EQ(static_cast<UINT>(TVIS_EXPANDED), tree.GetItemState(root, TVIS_EXPANDED));
    EXPECT_TRUE(tree.DeleteItem(child));
    EXPECT_EQ(2u, tree.GetCount());
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(0u, tree.GetCount());
}

TEST_F(WindowTest, TreeTakesOneHundredThousandItems)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASLINES | TVS_HASBUTTONS, CRect(0, 0, 200, 200), &m_parent, kTreeId));
    tree.SetRedraw(FALSE);
    const auto start = std::chrono::steady_clock::now();
    HTREEITEM parent = TVI_ROOT;
    char text[32];
    for (int i = 0; i < kManyTreeItems; ++i) {
        std::snprintf(text, sizeof text, "item %d", i);
        HTREEITEM item = tree.InsertItem(text, i % 100 == 0 ? TVI_ROOT : parent);
        if (i % 100 == 0)
            parent = item;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    tree.SetRedraw(TRUE);
    std::printf("[ measure  ] inserting %d tree items took %lld ms\n", kManyTreeItems, static_cast<long long>(elapsed));
    EXPECT_EQ(static_cast<UINT>(kManyTreeItems), tree.GetCount());
}

TEST_F(WindowTest, ListWrapperKeepsTextsDataAndSelection)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 300, 200), &m_parent, kListId));
    EXPECT_EQ(0, list.InsertColumn(0, "Name", LVCFMT_LEFT, 100));
    EXPECT_EQ(1, list.InsertColumn(1, "Value", LVCFMT_LEFT, 100));
    const std::string longValue(600, 'v');
    for (int i = 0; i < 4; ++i) {
        const int item = list.InsertItem(i, ("row " + std::to_string(i)).c_str());
        EXPECT_EQ(i, item);
        list.SetItemText(item, 1, i == 2 ? longValue.c_str() : "short");
        list.SetItemData(item, static_cast<DWORD_PTR>(100 + i));
    }
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT), list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(4, list.GetItemCount());
    EXPECT_EQ(longValue, std::string(list.GetItemText(2, 1)));
    EXPECT_EQ(103u, list.GetItemData(3));

    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(2u, list.GetSelectedCount());
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos != nullptr;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{1, 3}), selected);
    EXPECT_EQ(3, list.GetNextItem(1, LVNI_SELECTED));

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_STREQ("row 1", list.GetItemText(0, 0));
    EXPECT_TRUE(list.DeleteColumn(1));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
}

TEST_F(WindowTest, ImageListOwnsItsHandleUntilDetached)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    CClientDC screen(nullptr);
    CBitmap strip;
    ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 48, 16));
    EXPECT_EQ(0, images.Add(&strip, RGB(255, 0, 255)));
    EXPECT_EQ(3, images.GetImageCount());

    CImageList moved(std::move(images));
    EXPECT_EQ(nullptr, images.m_hImageList);
    const HIMAGELIST hList = moved.Detach();
    EXPECT_EQ(3, ::ImageList_GetImageCount(hList));
    CImageList owner;
    owner.Attach(hList);
    EXPECT_EQ(3, owner.GetImageCount());
}

TEST_F(WindowTest, MessageBoxGoesThroughTheHookOwnedByTheWindow)
{
    MessageBoxRecorder recorder;
    recorder.QueueAnswer(IDNO);
    EXPECT_EQ(IDNO, m_parent.MessageBox("Proceed?", nullptr, MB_YESNO));
    ASSERT_EQ(1u, recorder.Count());
    EXPECT_EQ(m_parent.m_hWnd, recorder.Last().owner);
    EXPECT_STREQ("Proceed?", recorder.Last().text);
    EXPECT_STREQ(AfxGetAppName(), recorder.Last().caption);
}

class Canvas : public CScrollView {
public:
    void OnDraw(CDC*) override {}
};

TEST_F(WindowTest, ScrollViewKeepsItsPositionInsideTheArea)
{
    auto* pView = new Canvas; // deletes itself with its window
    ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, CRect(0, 0, 120, 120),
                              &m_parent, 9));
    pView->SetScrollSizes(MM_TEXT, CSize(1000, 800));
    EXPECT_EQ(CSize(1000, 800), pView->GetTotalSize());
    CRect client;
    pView->GetClientRect(&client);
    pView->ScrollToPosition(CPoint(50, 5000));
    EXPECT_EQ(CPoint(50, 800 - client.Height()), pView->GetScrollPosition());
    pView->SendMessage(WM_VSCROLL, SB_TOP);
    pView->SendMessage(WM_HSCROLL, SB_LINEDOWN);
    EXPECT_EQ(CPoint(60, 0), pView->GetScrollPosition());
    pView->DestroyWindow();
}

TEST_F(WindowTest, TextAndStyleWrappers)
{
    m_parent.SetWindowText("A title");
    CString title;
    m_parent.GetWindowText(title);
    EXPECT_STREQ("A title", title);
    EXPECT_TRUE(m_parent.ModifyStyle(WS_MAXIMIZEBOX, 0));
    EXPECT_FALSE(m_parent.GetStyle() & WS_MAXIMIZEBOX);
    EXPECT_FALSE(m_parent.ModifyStyle(WS_MAXIMIZEBOX, 0)) << "no change reports FALSE";

    CStatic label;
    ASSERT_TRUE(label.Create("label", WS_CHILD, CRect(5, 6, 55, 26), &m_parent, 77));
    EXPECT_EQ(77, label.GetDlgCtrlID());
    EXPECT_EQ(label.m_hWnd, m_parent.GetDlgItem(77)->m_hWnd);
    CRect rect;
    label.GetWindowRect(&rect);
    m_parent.ScreenToClient(&rect);
    EXPECT_EQ(CRect(5, 6, 55, 26), rect);
    EXPECT_EQ(&m_parent, label.GetParent());
}

} // namespace
