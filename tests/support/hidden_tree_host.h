// CHiddenTreeHost: an IED tree in a hidden top-level window, for the tests and benchmarks of the tree control.
#pragma once

#include "corvel/mapping/ied_tree.h"

class CHiddenTreeHost {
public:
    CHiddenTreeHost()
    {
        if (!m_parent.CreateEx(0, AfxDefaultWndClass(), "", WS_POPUP, 0, 0, kSize, kSize, nullptr, nullptr))
            return;
        m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                      CRect(0, 0, kSize, kSize), &m_parent, kTreeId);
    }
    ~CHiddenTreeHost()
    {
        if (m_tree.m_hWnd != nullptr)
            m_tree.DestroyWindow();
        if (m_parent.m_hWnd != nullptr)
            m_parent.DestroyWindow();
    }
    CHiddenTreeHost(const CHiddenTreeHost&) = delete;
    CHiddenTreeHost& operator=(const CHiddenTreeHost&) = delete;

    bool IsReady() const { return m_tree.m_hWnd != nullptr; }
    CIEDTree& Tree() { return m_tree; }

private:
    static constexpr int kSize = 400;
    static constexpr UINT kTreeId = 100;

    CWnd m_parent;
    CIEDTree m_tree;
};
