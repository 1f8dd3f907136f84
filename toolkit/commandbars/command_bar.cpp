#include "toolkit/commandbars/command_bar.h"

#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"

IMPLEMENT_DYNAMIC(CKitCommandBar, CWnd)
IMPLEMENT_DYNAMIC(CKitToolBar, CKitCommandBar)
IMPLEMENT_DYNAMIC(CKitMenuBar, CKitToolBar)
IMPLEMENT_DYNAMIC(CKitPopupBar, CKitCommandBar)

namespace {
// The icon size of a bar that sets none.
constexpr int kDefaultIconSize = 16;
constexpr int kLargeIconSize = 32;
// A button's frame around its icon.
constexpr int kButtonFrameWidth = 7;
constexpr int kButtonFrameHeight = 6;
} // namespace

CKitCommandBar::CKitCommandBar(int nBarType) : m_nBarType(nBarType), m_pControls(new CKitControls())
{
    m_pControls->SetParent(this);
}

CKitCommandBar::~CKitCommandBar()
{
    m_pControls->RemoveAll();
    m_pControls->InternalRelease();
}

CSize CKitCommandBar::GetIconSize() const
{
    if (m_szIcons.cx > 0 && m_szIcons.cy > 0)
        return m_szIcons;
    return CSize(kDefaultIconSize, kDefaultIconSize);
}

CSize CKitCommandBar::GetLargeIconSize() const
{
    if (m_szLargeIcons.cx > 0 && m_szLargeIcons.cy > 0)
        return m_szLargeIcons;
    return CSize(kLargeIconSize, kLargeIconSize);
}

CSize CKitCommandBar::GetButtonSize(BOOL bAutomatic) const
{
    if (m_szButtons.cx > 0 && m_szButtons.cy > 0)
        return m_szButtons;
    const CSize szIcon = GetIconSize();
    if (bAutomatic)
        return CSize(szIcon.cx + kButtonFrameWidth, szIcon.cy + kButtonFrameHeight);
    return CSize(szIcon.cx * 2, szIcon.cy * 2);
}

int CKitCommandBar::GetControlCount() const
{
    return m_pControls->GetCount();
}

CKitControl* CKitCommandBar::GetControl(int nIndex) const
{
    return m_pControls->GetAt(nIndex);
}

void CKitCommandBar::SetPaintBackground(BOOL bPaint)
{
    if (bPaint)
        m_dwStyle |= kStylePaintBackground;
    else
        m_dwStyle &= ~kStylePaintBackground;
}

void CKitCommandBar::SetFlags(DWORD dwAdd, DWORD dwRemove)
{
    m_dwFlags |= dwAdd;
    m_dwFlags &= ~dwRemove;
}

CKitPopupBar::CKitPopupBar() : CKitCommandBar(kitBarTypePopup)
{
    m_nBarPosition = kitBarPopup;
}
