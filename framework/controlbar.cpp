#include "framework/controlbar.h"

#include "framework/frame.h"
#include "framework/module.h"

#include <algorithm>

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
    if (m_hDisabledImages != nullptr)
        ::ImageList_Destroy(m_hDisabledImages);
}

// Disabled buttons show their pictures in shades of grey on the light grey that the toolbar leaves
// transparent (drawing them from the colour images alone fills whole squares under Wine).
void CToolBar::SetDisabledImages(HINSTANCE hInstance, UINT nIDResource, int imageWidth, int imageHeight)
{
    HBITMAP source = static_cast<HBITMAP>(
        ::LoadImageA(hInstance, MAKEINTRESOURCEA(nIDResource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (source == nullptr)
        return;
    DIBSECTION dib = {};
    if (::GetObjectA(source, sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBitsPixel == 24 && dib.dsBm.bmBits != nullptr) {
        const COLORREF transparent = RGB(192, 192, 192);
        auto* rows = static_cast<BYTE*>(dib.dsBm.bmBits);
        for (int y = 0; y < dib.dsBm.bmHeight; ++y) {
            BYTE* pixel = rows + static_cast<size_t>(y) * static_cast<size_t>(dib.dsBm.bmWidthBytes);
            for (int x = 0; x < dib.dsBm.bmWidth; ++x, pixel += 3) {
                if (RGB(pixel[2], pixel[1], pixel[0]) == transparent)
                    continue;
                // Dark parts a mid grey, light parts a lighter one, never the transparent grey itself.
                const int light = (pixel[0] * 11 + pixel[1] * 59 + pixel[2] * 30) / 100;
                const BYTE grey = static_cast<BYTE>(light >= 160 ? 224 : 128 + light / 4);
                pixel[0] = pixel[1] = pixel[2] = grey;
            }
        }
        HIMAGELIST list = ::ImageList_Create(imageWidth, imageHeight, ILC_COLOR24 | ILC_MASK, 0, 4);
        if (list != nullptr && ::ImageList_AddMasked(list, source, transparent) >= 0) {
            SendMessage(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
            if (m_hDisabledImages != nullptr)
                ::ImageList_Destroy(m_hDisabledImages);
            m_hDisabledImages = list;
        } else if (list != nullptr) {
            ::ImageList_Destroy(list);
        }
    }
    ::DeleteObject(source);
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
    TBADDBITMAP bitmap = {hInstance, nIDResource};
    if (SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(images), reinterpret_cast<LPARAM>(&bitmap)) < 0)
        return FALSE;
    SetDisabledImages(hInstance, nIDResource, imageWidth, imageHeight);
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
