// CKitRibbonBarControlCaptionButton: a close, maximise, restore or minimise button the ribbon draws in its caption.
#pragma once

#include "toolkit/commandbars/control.h"

class CKitFrameHook;

// Its id is the system command it sends; drawn by the frame painter of the skinned frame.
class CKitRibbonBarControlCaptionButton : public CKitControlButton {
    DECLARE_DYNCREATE(CKitRibbonBarControlCaptionButton)
public:
    // Its control flags: skips the focus, keeps its own enabled state, stays off the quick access toolbar.
    static constexpr DWORD kCaptionButtonFlags = kitFlagSkipFocus | kitFlagManualUpdate | kitFlagNoMovable;

    CKitRibbonBarControlCaptionButton() = default;
    explicit CKitRibbonBarControlCaptionButton(CKitFrameHook* pFrameHook);

    CKitFrameHook* GetFrameHook() const { return m_pFrameHook; }
    // Posts the system command to the site window.
    void OnExecute() override;
    // Active only while the button is enabled and the frame is active.
    void Draw(CDC* pDC) override;

private:
    CKitFrameHook* m_pFrameHook = nullptr;
};
