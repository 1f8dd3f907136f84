#include "framework/controlbar.h"

#include "framework/frame.h"
#include "framework/handles.h"
#include "framework/module.h"

#include <algorithm>
#include <functional>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

namespace {

// The resource type of toolbar resources.
constexpr WORD kToolBarResourceType = 241;
constexpr WORD kToolBarResourceVersion = 1;
// Space the toolbar control adds around a button's image.
constexpr int kButtonMarginX = 7;
constexpr int kButtonMarginY = 7;
// Border above and below the buttons of a docked toolbar.
constexpr int kToolBarBorder = 2;

// Updates one toolbar button.
class ToolCmdUI : public CCmdUI {
public:
    explicit ToolCmdUI(CToolBar* pBar) : m_pBar(pBar) {}
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_pBar->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? TRUE : FALSE, 0));
    }
    void SetCheck(int nCheck) override
    {
        m_pBar->SendMessage(TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck == 1, 0));
        m_pBar->SendMessage(TB_INDETERMINATE, m_nID, MAKELPARAM(nCheck == 2, 0));
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCSTR) override {}

private:
    CToolBar* m_pBar;
};

// The bar object of a child window, when it is a control bar of the id range
// shown by its own style (its parent may still be hidden).
CControlBar* VisibleBarOf(HWND hChild, UINT nIDFirst, UINT nIDLast)
{
    const UINT id = static_cast<UINT>(::GetDlgCtrlID(hChild));
    if (id < nIDFirst || id > nIDLast || (::GetWindowLongA(hChild, GWL_STYLE) & WS_VISIBLE) == 0)
        return nullptr;
    CControlBar* bar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hChild));
    return bar != nullptr && bar->IsLaidOutByParent() ? bar : nullptr;
}

} // namespace

// CControlBar

CControlBar::CControlBar() : m_dwStyle(0)
{
}

DWORD CControlBar::TakeBarStyle(DWORD dwStyle)
{
    SetBarStyle(dwStyle);
    return dwStyle & ~CBRS_ALL;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    CFrameWnd* pFrame = GetParentFrame();
    CCmdTarget* pTarget = pFrame != nullptr ? static_cast<CCmdTarget*>(pFrame) : GetParent();
    if (pTarget != nullptr && IsWindowVisible())
        OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    return 0;
}

// CWnd::RepositionBars

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    CRect rest;
    if (lpRectClient != nullptr)
        rest = *lpRectClient;
    else
        GetClientRect(&rest);
    const bool query = nFlag == reposQuery;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CControlBar* pBar = VisibleBarOf(hChild, nIDFirst, nIDLast);
        if (pBar == nullptr)
            continue;
        const DWORD align = pBar->GetBarStyle() & CBRS_ALIGN_ANY;
        const CSize size = pBar->CalcFixedLayout(bStretch, pBar->IsHorizontal());
        CRect place = rest;
        if (align & CBRS_ALIGN_TOP) {
            place.bottom = std::min(rest.bottom, rest.top + static_cast<int>(size.cy));
            rest.top = place.bottom;
        } else if (align & CBRS_ALIGN_BOTTOM) {
            place.top = std::max(rest.top, rest.bottom - static_cast<int>(size.cy));
            rest.bottom = place.top;
        } else if (align & CBRS_ALIGN_LEFT) {
            place.right = std::min(rest.right, rest.left + static_cast<int>(size.cx));
            rest.left = place.right;
        } else if (align & CBRS_ALIGN_RIGHT) {
            place.left = std::max(rest.left, rest.right - static_cast<int>(size.cx));
            rest.right = place.left;
        } else {
            continue;
        }
        if (!query)
            ::MoveWindow(hChild, place.left, place.top, place.Width(), place.Height(), TRUE);
    }
    if (query) {
        if (lpRectParam != nullptr)
            *lpRectParam = rest;
        return;
    }
    if (nFlag == reposExtra && lpRectParam != nullptr) {
        rest.left += lpRectParam->left;
        rest.top += lpRectParam->top;
        rest.right -= lpRectParam->right;
        rest.bottom -= lpRectParam->bottom;
    }
    if (nIDLeftOver != 0) {
        if (HWND hLeftOver = ::GetDlgItem(m_hWnd, static_cast<int>(nIDLeftOver)))
            ::MoveWindow(hLeftOver, rest.left, rest.top, rest.Width(), rest.Height(), TRUE);
    }
}

// CToolBar

CToolBar::~CToolBar()
{
    DestroyButtonImages();
}

namespace {

// The ground of toolbar bitmaps: it shows the bar's own face, whatever colour that is.
constexpr COLORREF kToolBarGround = RGB(192, 192, 192);

// The other standard button colours of toolbar bitmaps and the system colours they stand for.
struct ButtonColour {
    COLORREF drawn;
    int systemColour;
};
constexpr ButtonColour kButtonColours[] = {
    {RGB(0, 0, 0), COLOR_BTNTEXT},
    {RGB(128, 128, 128), COLOR_BTNSHADOW},
    {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT},
};

COLORREF Mix(COLORREF from, COLORREF to, int toPercent)
{
    const auto channel = [toPercent](int a, int b) { return static_cast<BYTE>(a + (b - a) * toPercent / 100); };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
               channel(GetBValue(from), GetBValue(to)));
}

// A bitmap resource as 24-bit pixels, top row first, and which of them are ground.
struct ToolBarPixels {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<BYTE> bgr;
    std::vector<bool> ground;

    // The bitmap format of the pixels: 24 bits, top row first.
    BITMAPINFO Format() const
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        return info;
    }
    COLORREF At(int x, int y) const
    {
        const BYTE* p = &bgr[static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x) * 3];
        return RGB(p[2], p[1], p[0]);
    }
    void Set(int x, int y, COLORREF colour)
    {
        BYTE* p = &bgr[static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x) * 3];
        p[0] = GetBValue(colour);
        p[1] = GetGValue(colour);
        p[2] = GetRValue(colour);
    }
};

// Reads the bitmap resource at any colour depth; false when it is missing.
bool ReadToolBarPixels(HINSTANCE hInstance, UINT nIDResource, ToolBarPixels& pixels)
{
    ScopedGdiObject<HBITMAP> source(static_cast<HBITMAP>(
        ::LoadImageA(hInstance, MAKEINTRESOURCEA(nIDResource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP bitmap = {};
    if (!source || ::GetObjectA(source.Get(), sizeof bitmap, &bitmap) == 0 || bitmap.bmWidth <= 0 ||
        bitmap.bmHeight <= 0)
        return false;
    pixels.width = bitmap.bmWidth;
    pixels.height = bitmap.bmHeight;
    pixels.stride = (pixels.width * 3 + 3) & ~3;
    pixels.bgr.assign(static_cast<size_t>(pixels.stride) * static_cast<size_t>(pixels.height), 0);
    BITMAPINFO info = pixels.Format();
    HDC screen = ::GetDC(nullptr);
    const int rows = ::GetDIBits(screen, source.Get(), 0, static_cast<UINT>(pixels.height), pixels.bgr.data(), &info,
                                 DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != pixels.height)
        return false;
    pixels.ground.assign(static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height), false);
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x)
            pixels.ground[static_cast<size_t>(y) * static_cast<size_t>(pixels.width) + static_cast<size_t>(x)] =
                pixels.At(x, y) == kToolBarGround;
    }
    return true;
}

// The pictures of a toolbar in an image list: the ground masked (the bar's face shows through, hot or not) and
// the other pixels as recolour gives them.
HIMAGELIST MakeToolBarImages(const ToolBarPixels& source, int imageWidth, int imageHeight,
                             const std::function<COLORREF(COLORREF)>& recolour)
{
    ToolBarPixels pixels = source;
    // The mask: one bit a pixel, set on the ground, rows of whole 16-bit words.
    const int maskStride = ((pixels.width + 15) / 16) * 2;
    std::vector<BYTE> mask(static_cast<size_t>(maskStride) * static_cast<size_t>(pixels.height), 0);
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            if (pixels.ground[static_cast<size_t>(y) * static_cast<size_t>(pixels.width) + static_cast<size_t>(x)]) {
                mask[static_cast<size_t>(y) * static_cast<size_t>(maskStride) + static_cast<size_t>(x / 8)] |=
                    static_cast<BYTE>(0x80 >> (x % 8));
                pixels.Set(x, y, RGB(0, 0, 0));
            } else {
                pixels.Set(x, y, recolour(pixels.At(x, y)));
            }
        }
    }
    BITMAPINFO info = pixels.Format();
    HDC screen = ::GetDC(nullptr);
    ScopedGdiObject<HBITMAP> colour(
        ::CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pixels.bgr.data(), &info, DIB_RGB_COLORS));
    ::ReleaseDC(nullptr, screen);
    ScopedGdiObject<HBITMAP> monochrome(::CreateBitmap(pixels.width, pixels.height, 1, 1, mask.data()));
    if (!colour || !monochrome)
        return nullptr;
    HIMAGELIST list = ::ImageList_Create(imageWidth, imageHeight, ILC_COLOR24 | ILC_MASK, 0, 4);
    if (list != nullptr && ::ImageList_Add(list, colour.Get(), monochrome.Get()) < 0) {
        ::ImageList_Destroy(list);
        list = nullptr;
    }
    return list;
}

} // namespace

// The bar's pictures for enabled and hot buttons in the system's button colours; disabled buttons show theirs
// in shades of the system's shadow colour.
bool CToolBar::SetButtonImages(HINSTANCE hInstance, UINT nIDResource, int imageWidth, int imageHeight)
{
    ToolBarPixels pixels;
    if (!ReadToolBarPixels(hInstance, nIDResource, pixels))
        return false;
    HIMAGELIST normal = MakeToolBarImages(pixels, imageWidth, imageHeight, [](COLORREF colour) {
        for (const ButtonColour& standard : kButtonColours) {
            if (colour == standard.drawn)
                return ::GetSysColor(standard.systemColour);
        }
        return colour;
    });
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    HIMAGELIST disabled = MakeToolBarImages(pixels, imageWidth, imageHeight, [shadow, face](COLORREF colour) {
        // Dark parts in the shadow colour, light parts between it and the face.
        const int light = (GetBValue(colour) * 11 + GetGValue(colour) * 59 + GetRValue(colour) * 30) / 100;
        return Mix(shadow, face, light >= 160 ? 60 : light * 30 / 160);
    });
    if (normal == nullptr || disabled == nullptr) {
        if (normal != nullptr)
            ::ImageList_Destroy(normal);
        if (disabled != nullptr)
            ::ImageList_Destroy(disabled);
        return false;
    }
    // The control does not own the lists it is given: the old ones go once the new ones are in.
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normal));
    SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(normal));
    SendMessage(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabled));
    DestroyButtonImages();
    m_hImages = normal;
    m_hDisabledImages = disabled;
    return true;
}

void CToolBar::DestroyButtonImages()
{
    if (m_hImages != nullptr)
        ::ImageList_Destroy(m_hImages);
    if (m_hDisabledImages != nullptr)
        ::ImageList_Destroy(m_hDisabledImages);
    m_hImages = nullptr;
    m_hDisabledImages = nullptr;
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID)
{
    // The parent lays the bar out: the control neither moves nor sizes itself.
    const DWORD windowStyle =
        TakeBarStyle(dwStyle) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | WS_CHILD;
    if (!CWnd::Create(TOOLBARCLASSNAMEA, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    if (m_dwStyle & CBRS_TOOLTIPS)
        ModifyStyle(0, TBSTYLE_TOOLTIPS);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(kToolBarResourceType));
    HGLOBAL hData = hResource != nullptr ? ::LoadResource(hInstance, hResource) : nullptr;
    const WORD* data = hData != nullptr ? static_cast<const WORD*>(::LockResource(hData)) : nullptr;
    const DWORD bytes = hResource != nullptr ? ::SizeofResource(hInstance, hResource) : 0;
    // version, image width, image height, button count, then the ids.
    if (data == nullptr || bytes < 4 * sizeof(WORD) || data[0] != kToolBarResourceVersion)
        return FALSE;
    const WORD count = data[3];
    if (bytes < (4u + count) * sizeof(WORD) || ::FindResourceA(hInstance, MAKEINTRESOURCEA(nIDResource), RT_BITMAP) == nullptr)
        return FALSE;
    const int imageWidth = data[1];
    const int imageHeight = data[2];
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(imageWidth, imageHeight));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(imageWidth + kButtonMarginX, imageHeight + kButtonMarginY));
    int images = 0;
    std::vector<TBBUTTON> buttons(count);
    m_buttonIds.assign(data + 4, data + 4 + count);
    m_images.clear();
    for (WORD i = 0; i < count; ++i) {
        TBBUTTON& button = buttons[i];
        button.idCommand = static_cast<int>(m_buttonIds[i]);
        button.fsState = TBSTATE_ENABLED;
        if (m_buttonIds[i] == ID_SEPARATOR) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.fsStyle = BTNS_BUTTON;
            m_images[m_buttonIds[i]] = images;
            button.iBitmap = images++;
        }
    }
    if (!SetButtonImages(hInstance, nIDResource, imageWidth, imageHeight))
        return FALSE;
    return SendMessage(TB_ADDBUTTONSA, count, reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

UINT CToolBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_buttonIds[static_cast<size_t>(nIndex)] : 0;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    const auto found = std::find(m_buttonIds.begin(), m_buttonIds.end(), nIDFind);
    return found != m_buttonIds.end() ? static_cast<int>(found - m_buttonIds.begin()) : -1;
}

UINT CToolBar::GetButtonState(int nIndex) const
{
    return static_cast<UINT>(SendMessage(TB_GETSTATE, GetItemID(nIndex)));
}

CSize CToolBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    const DWORD buttonSize = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    const int across = bHorz ? HIWORD(buttonSize) : LOWORD(buttonSize);
    return bHorz ? CSize(0, across + 2 * kToolBarBorder) : CSize(across + 2 * kToolBarBorder, 0);
}

void CToolBar::OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    ToolCmdUI state(this);
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = m_buttonIds[static_cast<size_t>(i)];
        if (state.m_nID != ID_SEPARATOR)
            state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}
