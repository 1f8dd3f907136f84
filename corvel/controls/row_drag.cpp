#include "corvel/controls/row_drag.h"

#include "corvel/resources/resource.h"

void CRowDrag::Begin(CListCtrl& list, int item, CPoint screen)
{
    End();
    CPoint corner;
    m_image = item >= 0 ? list.CreateDragImage(item, &corner) : nullptr;
    if (m_image) {
        m_image->BeginDrag(0, kHotSpot);
        CImageList::DragEnter(nullptr, screen);
    }
    if (!m_cursor)
        m_cursor.Attach(CreateCursorFromData(AfxGetResourceHandle(), IDC_DRAG_CURSOR));
    ShowDropCursor(true);
}

void CRowDrag::Move(CPoint screen)
{
    if (m_image)
        CImageList::DragMove(screen);
}

void CRowDrag::ShowDropCursor(bool taken)
{
    if (taken && m_cursor)
        ::SetCursor(m_cursor.Get());
    else
        ::SetCursor(::LoadCursorA(nullptr, taken ? IDC_ARROW : IDC_NO));
}

void CRowDrag::End()
{
    if (m_image) {
        CImageList::DragLeave(nullptr);
        CImageList::EndDrag();
        m_image.reset();
    }
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

HWND CRowDrag::WindowAt(HWND topLevel, CPoint screen)
{
    RECT bounds = {};
    if (topLevel == nullptr || !::GetWindowRect(topLevel, &bounds) || !::PtInRect(&bounds, screen))
        return nullptr;
    HWND window = topLevel;
    for (;;) {
        POINT client = screen;
        ::ScreenToClient(window, &client);
        const HWND child = ::ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (child == nullptr || child == window)
            return window;
        window = child;
    }
}
