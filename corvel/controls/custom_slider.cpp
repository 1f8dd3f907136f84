#include "corvel/controls/custom_slider.h"

#include "corvel/controls/bitmap_resources.h"

#include "corvel/resources/resource.h"

#include <algorithm>

namespace {

// Geometry of the strip in the mapping dialog and of its drawing.
const CRect kPlacement(835, 30, 835 + 40, 30 + 461);
const CRect kFrame(5, 0, 35, 461);
const CRect kInterior(6, 1, 33, 458);
constexpr int kBarLeft = 6;
constexpr int kBarRight = 34;
constexpr int kSelectionWidth = 40;
constexpr int kNumberTop = 15;
constexpr int kFullSize = 500;
constexpr int kNearlyFullSize = 490;
constexpr int kNearlyFullBar = 44;
constexpr int kBytesPerPixel = 11;
constexpr int kUpperRangeOffset = 10;
constexpr COLORREF kGaugeColour = RGB(195, 249, 176);
constexpr COLORREF kNumberColour = RGB(192, 192, 192);
// A number the gauge reaches into is drawn darker: the light grey does not show on the gauge's green.
constexpr COLORREF kNumberOnGaugeColour = RGB(96, 96, 96);

bool s_classRegistered = false;

} // namespace

IMPLEMENT_DYNAMIC(CCustomSlider, CWnd)

BEGIN_MESSAGE_MAP(CCustomSlider, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CCustomSlider::CCustomSlider() : m_background(::GetSysColor(COLOR_WINDOW))
{
    if (!s_classRegistered) {
        WNDCLASSA wc = {};
        wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
        wc.lpszClassName = kClassName;
        s_classRegistered = ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
}

CCustomSlider::~CCustomSlider()
{
    for (HBITMAP bitmap : {m_knob, m_channel, m_third})
        if (bitmap != nullptr)
            ::DeleteObject(bitmap);
    if (m_memDC.GetSafeHdc() != nullptr && m_oldBitmap != nullptr)
        m_memDC.SelectObject(m_oldBitmap);
}

void CCustomSlider::Setup(CTabCtrl* pOwner)
{
    m_pOwner = pOwner;
    MoveWindow(kPlacement.left, kPlacement.top, kPlacement.Width(), kPlacement.Height());
    m_min = 0;
    m_max = 50;
    m_pos = 50;
    m_background = ::GetSysColor(COLOR_SCROLLBAR);
    SetBitmaps(LoadBitmapResource(IDB_SLIDER_KNOB), LoadBitmapResource(IDB_SLIDER_CHANNEL),
               LoadBitmapResource(IDB_SLIDER_THIRD));
}

void CCustomSlider::SetRange(int nMin, int nMax)
{
    m_min = nMin;
    m_max = nMax;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CCustomSlider::SetPos(int nPos)
{
    m_pos = std::clamp(nPos, std::min(m_min, m_max), std::max(m_min, m_max));
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CCustomSlider::SetBkColour(COLORREF colour)
{
    m_background = colour;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

namespace {

// Puts next in place of the bitmap in slot (deleting that one) and reads its size.
void ReplaceBitmap(HBITMAP& slot, CSize& size, HBITMAP next)
{
    if (slot != nullptr)
        ::DeleteObject(slot);
    slot = next;
    int width = 0;
    int height = 0;
    BitmapSize(next, width, height);
    size = CSize(width, height);
}

} // namespace

void CCustomSlider::SetBitmaps(HBITMAP hKnob, HBITMAP hChannel, HBITMAP hThird)
{
    if (hKnob != nullptr)
        ReplaceBitmap(m_knob, m_knobSize, hKnob);
    if (hChannel != nullptr)
        ReplaceBitmap(m_channel, m_channelSize, hChannel);
    // Without a third bitmap the channel stands in for it.
    if (m_third != nullptr)
        ::DeleteObject(m_third);
    m_third = hThird;
}

int CCustomSlider::SelectedTab() const
{
    return m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr ? m_pOwner->GetCurSel() : kInputTab;
}

bool CCustomSlider::ShowsUpperRange() const
{
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return false;
    CString caption;
    parent->GetDlgItemText(kRangeButtonId, caption);
    return caption == kUpperRangeCaption;
}

void CCustomSlider::SetPositionFromButtonText(int direction)
{
    const int upper = ShowsUpperRange() ? 19 : 9;
    if (direction == 1 && m_selected < upper) {
        ++m_selected;
        Invalidate();
    } else if (direction == 0 && m_selected > 0) {
        --m_selected;
        Invalidate();
    }
}

int CCustomSlider::CellFromY(int y, bool upperRange)
{
    int cell = 0;
    for (int k = 1; k < kCells; ++k)
        if (y > kCellHeight * k)
            ++cell;
    return upperRange ? cell + kUpperRangeOffset : cell;
}

int CCustomSlider::BarHeight(int size)
{
    if (size <= 0)
        return 0;
    if (size == kFullSize)
        return kCellHeight;
    if (size > kNearlyFullSize)
        return kNearlyFullBar;
    return size / kBytesPerPixel;
}

int CCustomSlider::PositionFromY(int y) const
{
    CRect client;
    GetClientRect(&client);
    const int h = m_channelSize.cy;
    int position;
    if (y < h / 2)
        position = m_max;
    else if (y > client.Height() - h / 2)
        position = m_min;
    else if (client.Height() - h != 0)
        position = m_max - (m_max - m_min) * (y - h / 2) / (client.Height() - h);
    else
        position = m_max;
    return std::clamp(position, std::min(m_min, m_max), std::max(m_min, m_max));
}

void CCustomSlider::NotifyParent()
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, m_pos), reinterpret_cast<LPARAM>(m_hWnd));
}

void CCustomSlider::OnLButtonDown(UINT, CPoint point)
{
    if (SelectedTab() == kMessageTab)
        return;
    m_dragging = TRUE;
    SetCapture();
    m_pos = PositionFromY(point.y);
    NotifyParent();
}

void CCustomSlider::OnMouseMove(UINT, CPoint point)
{
    if (!m_dragging)
        return;
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        m_selected = CellFromY(point.y, ShowsUpperRange());
        Invalidate();
    }
}

void CCustomSlider::OnLButtonUp(UINT, CPoint point)
{
    if (SelectedTab() == kMessageTab)
        return;
    m_dragging = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Invalidate();
    NotifyParent();
    m_selected = CellFromY(point.y, ShowsUpperRange());
    if (refreshLists)
        refreshLists();
}

// The background goes into the buffer only; the window itself is never erased.
BOOL CCustomSlider::OnEraseBkgnd(CDC*)
{
    if (m_memDC.GetSafeHdc() != nullptr) {
        CRect client;
        GetClientRect(&client);
        CBrush brush(m_background);
        CBrush* old = m_memDC.SelectObject(&brush);
        m_memDC.PatBlt(0, 0, client.Width(), client.Height(), PATCOPY);
        m_memDC.SelectObject(old);
    }
    return TRUE;
}

int CCustomSlider::UsedSize(int tab, int conn) const
{
    return usedSize ? usedSize(tab, conn) : 0;
}

void CCustomSlider::DrawStrip(CDC& dc, const CRect& client)
{
    const int tab = SelectedTab();
    const bool inactive = tab == kMessageTab;
    const bool upper = ShowsUpperRange();
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = nullptr;
    if (inactive)
        dc.SetBkColor(::GetSysColor(COLOR_BTNFACE));
    else
        oldPen = dc.SelectObject(&black);
    dc.Rectangle(&kFrame);
    CBrush gauge(kGaugeColour);
    if (!inactive)
        dc.FillSolidRect(&kInterior, RGB(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kNumberColour);
    const int x = (client.Width() - m_channelSize.cx) / 2;
    for (int i = 0; i < kCells; ++i) {
        const int y = kCellHeight * i;
        const int conn = upper ? i + kUpperRangeOffset : i;
        int height = 0;
        if (!inactive) {
            height = BarHeight(UsedSize(tab, conn));
            if (height > 0) {
                CRect bar(kBarLeft, y, kBarRight, y + height);
                dc.FillRect(&bar, &gauge);
            }
        }
        CString number;
        number.Format("%d", conn);
        dc.SetTextColor(height > kNumberTop ? kNumberOnGaugeColour : kNumberColour);
        if (upper)
            dc.TextOut(x + 2, y + kNumberTop, number);
        else
            dc.TextOut(x + 5, y + kNumberTop, number);
    }
    if (!inactive) {
        const int shown = upper ? m_selected - kUpperRangeOffset : m_selected;
        dc.Draw3dRect(x - 10, kCellHeight * shown, kSelectionWidth, kCellHeight, RGB(0, 0, 0), RGB(0, 0, 0));
    }
    if (oldPen != nullptr)
        dc.SelectObject(oldPen);
}

void CCustomSlider::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    if (m_memDC.GetSafeHdc() == nullptr) {
        m_memDC.CreateCompatibleDC(&paint);
        m_memBitmap.CreateCompatibleBitmap(&paint, client.Width(), client.Height());
        m_oldBitmap = m_memDC.SelectObject(&m_memBitmap);
        OnEraseBkgnd(nullptr);
    }
    DrawStrip(m_memDC, client);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &m_memDC, 0, 0, SRCCOPY);
    if (SelectedTab() != kMessageTab) {
        const bool upper = ShowsUpperRange();
        const int x = (client.Width() - m_channelSize.cx) / 2;
        const int shown = upper ? m_selected - kUpperRangeOffset : m_selected;
        CString number;
        number.Format("%d", m_selected);
        paint.SetBkMode(TRANSPARENT);
        paint.TextOut(upper ? x + 2 : x + 5, kCellHeight * shown + kNumberTop, number);
    }
}
