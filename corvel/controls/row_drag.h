// CRowDrag: the picture of dragged list rows following the mouse, with the program's drag cursor.
#pragma once

#include "framework/handles.h"
#include "framework/ui.h"

#include <memory>

// What the user sees of a drag of list rows: the picture of the row pressed follows the mouse, and the cursor is
// the program's drag cursor (resource IDC_DRAG_CURSOR) or, where nothing takes the rows, the "no" cursor.
class CRowDrag {
public:
    // Where the cursor holds the row's picture, from the picture's top-left corner.
    static constexpr POINT kHotSpot = {-10, -14};

    // Shows the picture of row item of list (none for a row out of range) at the screen point, and the drag cursor.
    void Begin(CListCtrl& list, int item, CPoint screen);
    // Moves the picture to the screen point.
    void Move(CPoint screen);
    // The drag cursor where a drop would be taken, the "no" cursor elsewhere.
    void ShowDropCursor(bool taken);
    // Takes the picture away and gives the arrow back.
    void End();

    // The drag cursor (made at the first drag), or null.
    HCURSOR GetCursor() const { return m_cursor.Get(); }

    // The innermost visible window of the top-level window under a screen point (the top-level window itself
    // when no child is there), or null when the point is outside it: where a drop at the point goes.
    static HWND WindowAt(HWND topLevel, CPoint screen);

private:
    std::unique_ptr<CImageList> m_image;
    ScopedCursor m_cursor;
};
