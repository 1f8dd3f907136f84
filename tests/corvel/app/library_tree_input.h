// CorvelOnTopTest, FindTreeItem, TreeChildTexts, TreeItemPoint, OverNetworkView, RightClickAt, DragTreeItem,
// FindPlacedIed: the device library tree and the network view of the running Corvel, reached as the user's mouse
// reaches them.
#pragma once

#include "corvel/document/main_doc.h"
#include "corvel/workspace/file_view.h"
#include "corvel/workspace/main_view.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "corvel_app_environment.h"
#include "support/test_program.h"

// Each test starts from a new project, with the program's settings under its own registry key and the main window
// shown on top: a drop goes to the window under the cursor, and the tree opens its menus at the cursor.
class CorvelOnTopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CorvelAppEnvironment::App().SetRegistryKey(TestRegistryKey());
        frame = CorvelAppEnvironment::Frame();
        doc = CorvelAppEnvironment::Doc();
        view = CorvelAppEnvironment::View();
        ASSERT_NE(nullptr, frame);
        ASSERT_NE(nullptr, doc);
        ASSERT_NE(nullptr, view);
        pane = frame->GetFileView();
        ASSERT_NE(nullptr, pane);
        doc->modified = false;
        doc->OnFileNew();
        ::SetWindowPos(frame->m_hWnd, HWND_TOPMOST, 0, 0, 960, 720, SWP_SHOWWINDOW);
        PumpMessages();
    }
    void TearDown() override
    {
        doc->modified = false;
        doc->OnFileNew();
        ::SetWindowPos(frame->m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        // The pointer the tests moved goes back to the screen's corner, off the windows of the programs after this one.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        PumpMessages();
    }

    CViewTree& Tree() { return pane->GetFileTree(); }

    CMainFrame* frame = nullptr;
    CMainDoc* doc = nullptr;
    CMainView* view = nullptr;
    CFileView* pane = nullptr;
};

// The first item in depth-first order with this text, or null.
inline HTREEITEM FindTreeItem(CViewTree& tree, const CString& text)
{
    for (HTREEITEM item = tree.GetRootItem(); item != nullptr; item = tree.GetNextTreeItem(item)) {
        if (tree.GetItemText(item) == text)
            return item;
    }
    return nullptr;
}

inline std::vector<CString> TreeChildTexts(CViewTree& tree, HTREEITEM item)
{
    std::vector<CString> texts;
    for (HTREEITEM child = tree.GetChildItem(item); child != nullptr; child = tree.GetNextSiblingItem(child))
        texts.push_back(tree.GetItemText(child));
    return texts;
}

// The centre of the item's text, scrolled into view, in the tree's coordinates.
inline CPoint TreeItemPoint(CViewTree& tree, HTREEITEM item)
{
    tree.EnsureVisible(item);
    CRect rect;
    tree.GetItemRect(item, &rect, TRUE);
    return rect.CenterPoint();
}

// A free spot of the network view (between the gateway's row and the IEDs), in the tree's coordinates.
inline CPoint OverNetworkView(CViewTree& tree, CMainView& view)
{
    CPoint point(600, 200);
    view.ClientToScreen(&point);
    tree.ScreenToClient(&point);
    return point;
}

// A right click at a point of the window with the cursor there (menus asked for by the click open at the cursor);
// the messages it brings are handled before it returns.
inline void RightClickAt(CWnd& window, CPoint point)
{
    CPoint screen = point;
    window.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    window.PostMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    window.PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    PumpMessages();
}

// Presses the item, moves out of its drag rectangle (the tree begins the drag) and on to the target (tree
// coordinates), where overTarget runs while the button is still down; then releases the button there.
inline void DragTreeItem(CViewTree& tree, HTREEITEM item, CPoint target, const std::function<void()>& overTarget = {})
{
    const CPoint at = TreeItemPoint(tree, item);
    // The tree finds the drop's window by the point: the main window goes on top again, over any window another
    // test program has raised since the test began.
    ::SetWindowPos(::GetAncestor(tree.m_hWnd, GA_ROOT), HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    tree.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + 30, at.y + 30));
    tree.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x, target.y));
    PumpMessages();
    if (overTarget)
        overTarget();
    tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(target.x, target.y));
    PumpMessages();
}

// The placed IED device labelled name, or null.
inline CMainDoc::_IED_DEVICE* FindPlacedIed(CMainDoc& doc, const CString& name)
{
    for (POSITION pos = doc.project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        CMainDoc::_IED_DEVICE* device = doc.project.iedDevices.GetNext(pos);
        if (device->state == Corvel::Records::kSlotInUse && device->label == name)
            return device;
    }
    return nullptr;
}
