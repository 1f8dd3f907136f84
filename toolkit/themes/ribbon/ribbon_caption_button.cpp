// The ribbon's caption buttons.
#include "toolkit/themes/ribbon/ribbon_caption_button.h"

#include "toolkit/commandbars/command_bar.h"
#include "toolkit/themes/paint/frame_hook.h"
#include "toolkit/themes/paint/frame_paint_manager.h"

IMPLEMENT_DYNCREATE(CKitRibbonBarControlCaptionButton, CKitControlButton)

CKitRibbonBarControlCaptionButton::CKitRibbonBarControlCaptionButton(CKitFrameHook* pFrameHook)
    : m_pFrameHook(pFrameHook)
{
    SetFlags(kCaptionButtonFlags);
}

void CKitRibbonBarControlCaptionButton::OnExecute()
{
    CKitCommandBar* pParent = GetParent();
    CWnd* pSite = pParent != nullptr ? pParent->GetSite() : nullptr;
    if (pSite != nullptr && pSite->GetSafeHwnd() != nullptr)
        pSite->PostMessage(WM_SYSCOMMAND, GetId(), 0);
}

void CKitRibbonBarControlCaptionButton::Draw(CDC* pDC)
{
    if (m_pFrameHook == nullptr)
        return;
    CKitFramePaintManager* pFramePainter = m_pFrameHook->GetFramePaintManager();
    if (pFramePainter == nullptr)
        return;
    const BOOL bActive = GetEnabledState() != 0 && m_pFrameHook->IsActive();
    pFramePainter->DrawCaptionButton(pDC, GetRect(), static_cast<int>(GetId()), GetSelected(), GetPressed(),
                                     bActive);
}
