#include "corvel/mapping/multi_tree.h"

#include "corvel/model/ied_mapping.h"

#include <windowsx.h>

#include <cstdlib>
#include <set>

IMPLEMENT_DYNAMIC(CMultiTree, CTreeCtrl)

BEGIN_MESSAGE_MAP(CMultiTree, CTreeCtrl)
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_NOTIFY_REFLECT(TVN_BEGINDRAG, OnBeginDrag)
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDED, OnItemExpanded)
    ON_NOTIFY_REFLECT_EX(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

namespace {

const char kReportsLabel[] = "Reports";
const char kGooseLeafsLabel[] = "GooseLeafs";

bool IsTrueText(const CString& text)
{
    return text.CompareNoCase("true") == 0 || text == "1";
}

void AppendField(CString& text, LPCSTR name, const CString& value, LPCSTR tabs = "\t\t")
{
    CString line;
    line.Format("\n   %-10s%s : %s", name, tabs, (LPCSTR)value);
    text += line;
}

LPCSTR Enabled(bool on)
{
    return on ? "Enable" : "Disable";
}

} // namespace

CMultiTree::CMultiTree() = default;

CMultiTree::~CMultiTree()
{
    // Destroyed while the object is still a CMultiTree, so that OnDestroy runs.
    if (m_hWnd != nullptr)
        DestroyWindow();
}

void CMultiTree::AddXmlNode(IXMLDOMNode* node)
{
    if (node != nullptr)
        m_xmlNode = DomNodePtr(node);
}

CTreeModelRecord* CMultiTree::GetItemRecord(HTREEITEM item) const
{
    return reinterpret_cast<CTreeModelRecord*>(GetItemData(item));
}

void CMultiTree::OnDestroy()
{
    CTreeCtrl::OnDestroy();
    m_records.clear();
}

void CMultiTree::SetMultiSelect(bool on)
{
    m_multiSelect = on;
    if (!on && m_hWnd != nullptr)
        SetAllSelectedExcept(false, GetFocusItem());
}

void CMultiTree::SetDropTarget(CWnd* list, DropHandler handler)
{
    m_dropList = list;
    m_dropHandler = std::move(handler);
}

bool CMultiTree::IsSelected(HTREEITEM item) const
{
    return item != nullptr && (GetItemState(item, TVIS_SELECTED) & TVIS_SELECTED) != 0;
}

void CMultiTree::Notify(UINT code, HTREEITEM item, CPoint point)
{
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return;
    NMTREEVIEWA info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = code;
    info.ptDrag = point;
    if (item != nullptr) {
        info.itemNew.mask = TVIF_HANDLE | TVIF_PARAM;
        info.itemNew.hItem = item;
        info.itemNew.lParam = static_cast<LPARAM>(GetItemData(item));
    }
    parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

bool CMultiTree::SetItemSelected(HTREEITEM item, bool select)
{
    if (item == nullptr)
        return false;
    if (IsSelected(item) == select)
        return true;
    CWnd* parent = GetParent();
    NMTREEVIEWA info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.action = TVC_UNKNOWN;
    TVITEMA& record = select ? info.itemNew : info.itemOld;
    record.mask = TVIF_HANDLE | TVIF_PARAM;
    record.hItem = item;
    record.lParam = static_cast<LPARAM>(GetItemData(item));
    if (parent != nullptr) {
        info.hdr.code = TVN_SELCHANGINGA;
        if (parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info)) != 0)
            return false;
    }
    SetItemState(item, select ? TVIS_SELECTED : 0, TVIS_SELECTED);
    if (parent != nullptr) {
        info.hdr.code = TVN_SELCHANGEDA;
        parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    }
    return true;
}

void CMultiTree::SetFocusItem(HTREEITEM item)
{
    const HTREEITEM previous = GetFocusItem();
    if (item == previous)
        return;
    const bool previousSelected = IsSelected(previous);
    const bool itemSelected = IsSelected(item);
    m_movingFocus = true;
    Select(item, TVGN_CARET);
    m_movingFocus = false;
    // The caret moves alone: both items keep their selected state.
    if (previous != nullptr)
        SetItemState(previous, previousSelected ? TVIS_SELECTED : 0, TVIS_SELECTED);
    if (item != nullptr)
        SetItemState(item, itemSelected ? TVIS_SELECTED : 0, TVIS_SELECTED);
}

HTREEITEM CMultiTree::FirstSelected() const
{
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextVisibleItem(item)) {
        if (IsSelected(item))
            return item;
    }
    return nullptr;
}

HTREEITEM CMultiTree::NextSelected(HTREEITEM item) const
{
    for (item = item == nullptr ? nullptr : GetNextVisibleItem(item); item != nullptr; item = GetNextVisibleItem(item)) {
        if (IsSelected(item))
            return item;
    }
    return nullptr;
}

void CMultiTree::SetAllSelected(bool select)
{
    SetAllSelectedExcept(select, nullptr);
}

void CMultiTree::SetAllSelectedExcept(bool select, HTREEITEM except)
{
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextVisibleItem(item)) {
        if (item != except && IsSelected(item) != select)
            SetItemSelected(item, select);
    }
}

void CMultiTree::SetSubtreeSelected(HTREEITEM item, bool select)
{
    HTREEITEM child = select ? GetChildItem(item) : GetInsertedChildItem(item);
    for (; child != nullptr; child = GetNextSiblingItem(child)) {
        SetItemSelected(child, select);
        SetSubtreeSelected(child, select);
    }
}

CSize CMultiTree::DragDistance()
{
    return CSize(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
}

void CMultiTree::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_multiSelect) {
        Default();
        return;
    }
    HandlePress(true, nFlags, point);
}

void CMultiTree::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_multiSelect) {
        Default();
        SetFocus();
        ShowReportBoxOfFocus();
        return;
    }
    HandlePress(false, nFlags, point);
}

void CMultiTree::HandlePress(bool left, UINT flags, CPoint point)
{
    UINT where = 0;
    const HTREEITEM item = HitTest(point, &where);
    if (item != nullptr && ((where & TVHT_ONITEMBUTTON) != 0 ||
                            (left && (where & TVHT_ONITEMSTATEICON) != 0 && (GetStyle() & TVS_CHECKBOXES) != 0))) {
        Default();
        return;
    }
    if (item == nullptr || (where & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT)) == 0)
        return;

    const bool ctrl = (flags & MK_CONTROL) != 0;
    const bool shift = (flags & MK_SHIFT) != 0;
    if (left) {
        if (shift) {
            if (m_anchor == nullptr)
                m_anchor = GetFocusItem();
            if (m_anchor != nullptr)
                SetSubtreeSelected(m_anchor, true);
            SetFocusItem(item);
        } else {
            m_anchor = nullptr;
            if (!ctrl) {
                if (!IsSelected(item)) {
                    SetAllSelectedExcept(false, item);
                    SetItemSelected(item, true);
                }
                SetFocusItem(item);
            }
        }
    } else if (ctrl && !shift) {
        m_anchor = item;
    } else if (!shift) {
        if (!IsSelected(item)) {
            SetAllSelectedExcept(false, item);
            SetItemSelected(item, true);
        }
        SetFocusItem(item);
    }

    const PressOutcome outcome = TrackPress(point);
    if (outcome == PressOutcome::kClick) {
        if (left && !shift) {
            if (ctrl) {
                SetItemSelected(item, !IsSelected(item));
            } else {
                SetAllSelectedExcept(false, item);
                SetItemSelected(item, true);
            }
            SetFocusItem(item);
        }
        if (GetFocus() != this)
            SetFocus();
        Notify(left ? NM_CLICK : NM_RCLICK, item);
    } else if (outcome == PressOutcome::kDrag) {
        SetItemSelected(item, true);
        SetFocusItem(item);
        if ((GetStyle() & TVS_DISABLEDRAGDROP) == 0)
            Notify(left ? TVN_BEGINDRAGA : TVN_BEGINRDRAGA, item, point);
    }
    if (!left && m_hWnd != nullptr) {
        SetFocus();
        ShowReportBoxOfFocus();
    }
}

CMultiTree::PressOutcome CMultiTree::TrackPress(CPoint point)
{
    const CSize distance = DragDistance();
    SetCapture();
    PressOutcome outcome = PressOutcome::kNone;
    MSG msg;
    while (outcome == PressOutcome::kNone) {
        if (::GetCapture() != m_hWnd)
            break;
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (::GetCapture() != m_hWnd && msg.message != WM_CAPTURECHANGED) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
            if (msg.hwnd == m_hWnd) {
                const int dx = std::abs(GET_X_LPARAM(msg.lParam) - point.x);
                const int dy = std::abs(GET_Y_LPARAM(msg.lParam) - point.y);
                if (dx > distance.cx || dy > distance.cy)
                    outcome = PressOutcome::kDrag;
                continue;
            }
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            outcome = PressOutcome::kClick;
            continue;
        default:
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return outcome;
}

CString CMultiTree::FormatReportBox(const CTreeModelRecord& record)
{
    const CReportControl& report = record.report;
    CString tagName = record.namePrefix + "_" + report.reference;
    tagName.Replace('$', '_');
    CString text = "Report Control Block";
    CString intgPd;
    intgPd.Format("%d", report.intgPd);
    AppendField(text, "tag name", tagName);
    AppendField(text, "name", report.name);
    AppendField(text, "datSet", report.datSet);
    AppendField(text, "intgPd", intgPd);
    AppendField(text, "rptID", report.rptID);
    AppendField(text, "confRev", report.confRev);
    AppendField(text, "buffered", report.buffered ? "Yes" : "No");
    AppendField(text, "bufTime", report.bufTime);
    text += "\n\nTrigger Option";
    AppendField(text, "dchg", Enabled(report.dchg));
    AppendField(text, "dupd", Enabled(report.dupd));
    AppendField(text, "qchg", Enabled(report.qchg));
    AppendField(text, "gi", Enabled(report.gi), "\t\t\t");
    AppendField(text, "period", Enabled(report.period));
    text += "\n\nOptional Field";
    AppendField(text, "bufOvfl", Enabled(IsTrueText(report.bufOvfl)));
    AppendField(text, "configRef", Enabled(IsTrueText(report.configRef)));
    AppendField(text, "dataRef", Enabled(IsTrueText(report.dataRef)));
    AppendField(text, "dataset", Enabled(IsTrueText(report.dataSet)));
    AppendField(text, "entryID", Enabled(IsTrueText(report.entryID)));
    AppendField(text, "reasonCode", Enabled(IsTrueText(report.reasonCode)));
    AppendField(text, "seqNum", Enabled(IsTrueText(report.seqNum)));
    AppendField(text, "timestamp", Enabled(IsTrueText(report.timeStamp)));
    return text;
}

void CMultiTree::ShowReportBoxOfFocus()
{
    const HTREEITEM focus = GetFocusItem();
    if (focus == nullptr)
        return;
    const HTREEITEM parent = GetParentItem(focus);
    if (parent == nullptr || GetItemText(parent) != kReportsLabel)
        return;
    const HTREEITEM child = GetChildItem(focus);
    const CTreeModelRecord* record = child == nullptr ? nullptr : GetItemRecord(child);
    if (record != nullptr)
        AfxMessageBox(FormatReportBox(*record), MB_OK | MB_ICONINFORMATION);
}

void CMultiTree::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_multiSelect || (nChar != VK_UP && nChar != VK_DOWN)) {
        CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const HTREEITEM focus = GetFocusItem();
    const HTREEITEM next = focus == nullptr ? GetRootItem()
                           : nChar == VK_UP ? GetNextItem(focus, TVGN_PREVIOUSVISIBLE)
                                            : GetNextVisibleItem(focus);
    if (!ctrl && !shift) {
        m_anchor = nullptr;
        SetAllSelected(false);
        CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
        if (const HTREEITEM moved = GetFocusItem()) {
            SetItemState(moved, 0, TVIS_SELECTED);
            SetItemSelected(moved, true);
        }
        return;
    }
    if (next == nullptr)
        return;
    if (ctrl && !shift) {
        SetFocusItem(next);
        EnsureVisible(next);
        return;
    }
    if (m_anchor == nullptr)
        m_anchor = focus != nullptr ? focus : next;
    SetFocusItem(next);
    EnsureVisible(next);
    // The visible items from the anchor to the focus are selected, the others not.
    bool inside = false;
    for (HTREEITEM item = GetRootItem(); item != nullptr; item = GetNextVisibleItem(item)) {
        const bool edge = item == m_anchor || item == next;
        if (edge && !inside) {
            inside = true;
            SetItemSelected(item, true);
            if (m_anchor == next)
                inside = false;
            continue;
        }
        SetItemSelected(item, inside);
        if (edge)
            inside = false;
    }
}

void CMultiTree::InvalidateSelected()
{
    for (HTREEITEM item = FirstSelected(); item != nullptr; item = NextSelected(item)) {
        CRect rect;
        if (GetItemRect(item, &rect, TRUE))
            InvalidateRect(&rect, TRUE);
    }
}

void CMultiTree::OnSetFocus(CWnd* pOldWnd)
{
    CTreeCtrl::OnSetFocus(pOldWnd);
    if (m_multiSelect)
        InvalidateSelected();
}

void CMultiTree::OnKillFocus(CWnd* pNewWnd)
{
    CTreeCtrl::OnKillFocus(pNewWnd);
    if (m_multiSelect)
        InvalidateSelected();
}

BOOL CMultiTree::OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* info = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    if (m_multiSelect && (info->action & TVE_COLLAPSE) != 0) {
        const HTREEITEM item = info->itemNew.hItem;
        bool focusBelow = false;
        for (HTREEITEM up = GetFocusItem(); up != nullptr && !focusBelow; up = GetParentItem(up))
            focusBelow = GetParentItem(up) == item;
        SetSubtreeSelected(item, false);
        if (focusBelow)
            SetAllSelected(false);
    }
    *pResult = 0;
    return FALSE;
}

BOOL CMultiTree::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (!m_multiSelect)
        return FALSE;
    const auto item = reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        // The control highlights its caret item alone: every selected item is painted over afterwards.
        if (IsSelected(item) || item == GetFocusItem())
            *pResult = CDRF_NOTIFYPOSTPAINT;
        break;
    case CDDS_ITEMPOSTPAINT: {
        CRect label;
        if (!GetItemRect(item, &label, TRUE))
            break;
        const HDC dc = draw->nmcd.hdc;
        const bool focused = ::GetFocus() == m_hWnd;
        const bool selected = IsSelected(item);
        const int back = !selected ? COLOR_WINDOW : focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE;
        const int text = !selected ? COLOR_WINDOWTEXT : focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT;
        ::FillRect(dc, &label, ::GetSysColorBrush(back));
        ::SetBkMode(dc, TRANSPARENT);
        const HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
        ::SetTextColor(dc, ::GetSysColor(text));
        const CString caption = GetItemText(item);
        CRect textRect = label;
        textRect.DeflateRect(2, 0);
        ::DrawTextA(dc, caption, caption.GetLength(), &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (item == GetFocusItem() && focused)
            ::DrawFocusRect(dc, &label);
        ::SelectObject(dc, oldFont);
        break;
    }
    default:
        break;
    }
    return TRUE;
}

void CMultiTree::VisitBelow(HTREEITEM item, const std::function<void(const CTreeModelRecord*)>& visit)
{
    for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child)) {
        visit(GetItemRecord(child));
        VisitBelow(child, visit);
    }
}

bool CMultiTree::CollectDragEntries()
{
    m_dragEntries.clear();
    std::set<CString> keys;
    bool capped = false;
    auto add = [&](const CTreeModelRecord* record) {
        if (record == nullptr || record->dataType == "INT128")
            return;
        const CString key = Corvel::Mapping::MakeDragKey(record->namePrefix, record->dataPath);
        if (key.Find('[') >= 0 && key.Find(']') >= 0) {
            bool cut = false;
            for (auto& element : Corvel::Mapping::ExpandArray(key, record->dataPath, cut)) {
                if (keys.insert(element.key).second)
                    m_dragEntries.push_back({element.key, record, element.path});
            }
            capped = capped || cut;
            return;
        }
        if (keys.insert(key).second)
            m_dragEntries.push_back({key, record, record->dataPath});
    };
    HTREEITEM item = FirstSelected();
    bool first = true;
    for (; item != nullptr; item = NextSelected(item)) {
        HTREEITEM start = item;
        if (first && GetItemText(item) == kGooseLeafsLabel && GetParentItem(item) != nullptr)
            start = GetParentItem(item);
        first = false;
        add(GetItemRecord(start));
        VisitBelow(start, add);
    }
    return capped;
}

void CMultiTree::OnBeginDrag(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    if (CollectDragEntries())
        AfxMessageBox(Corvel::Mapping::kArrayCappedMessage, MB_OK | MB_ICONWARNING);
    if (m_dragEntries.empty())
        return;
    m_dragging = true;
    SetCapture();
    ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
}

void CMultiTree::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_dragging) {
        CTreeCtrl::OnMouseMove(nFlags, point);
        return;
    }
    UINT where = 0;
    const HTREEITEM item = HitTest(point, &where);
    SelectDropTarget(item);
    CPoint screen = point;
    ClientToScreen(&screen);
    const HWND over = ::WindowFromPoint(screen);
    const bool overList = IsOverDropList(over);
    ::SetCursor(::LoadCursor(nullptr, overList || over == m_hWnd ? IDC_HAND : IDC_NO));
}

void CMultiTree::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_dragging) {
        CTreeCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    const HWND over = ::WindowFromPoint(screen);
    const bool overList = IsOverDropList(over);
    EndDrag(overList);
}

bool CMultiTree::IsOverDropList(HWND window) const
{
    return m_dropList != nullptr && window != nullptr &&
           (window == m_dropList->m_hWnd || ::IsChild(m_dropList->m_hWnd, window));
}

void CMultiTree::EndDrag(bool drop)
{
    m_dragging = false;
    SelectDropTarget(nullptr);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (drop && m_dropHandler) {
        m_dropHandler();
        m_dropList->Invalidate();
    }
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}
