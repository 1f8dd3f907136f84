// CKitMarkupStorePictureLoader, CKitMarkupContextToolTip, CKitMarkupContextServices: what every markup context takes from the toolkit's windows: pictures of the image store and the tooltip context that shows its elements' ToolTip texts.
#pragma once

#include "toolkit/common/tooltip_context.h"
#include "toolkit/markup/markup_services.h"

// Loads image sources into image managers of the toolkit: a file or a resource
// into a manager of its own, a command id from the context's store (or the shared one).
class CKitMarkupStorePictureLoader final : public CKitMarkupPictureLoader {
public:
    // The one loader of the process.
    static CKitMarkupStorePictureLoader* Instance();

    LONG AddRef() override;
    LONG Release() override;
    CKitMarkupPicture* LoadPicture(CKitMarkupContext* pContext, const CKitMarkupImageSource& source,
                                   int nWidth) override;
    // How many contexts hold the loader.
    LONG GetHolderCount() const { return m_nHolders; }

private:
    CKitMarkupStorePictureLoader() = default;

    volatile LONG m_nHolders = 0;
};

// A markup context's tooltip context: markup tooltips (the ToolTip text is itself
// markup) for the element under the mouse, or its nearest ancestor with a ToolTip text.
class CKitMarkupContextToolTip final : public CKitToolTipContext, public CKitMarkupToolTipFilter {
public:
    explicit CKitMarkupContextToolTip(CKitMarkupContext* pMarkupContext);

    void FilterToolTipMessage(HWND hContainer, UINT message, WPARAM wParam, LPARAM lParam) override;
    void ReleaseFilter() override;
    // The tool: the element's rectangle in the container, the element as its id, its ToolTip text.
    INT_PTR OnToolHitTest(CWnd* pWnd, CPoint point, TOOLINFOA* pTI) override;

private:
    CKitMarkupContext* m_pMarkupContext;
};

// The services the themes library registers for the markup engine at start-up.
class CKitMarkupContextServices final : public CKitMarkupServices {
public:
    CKitMarkupPictureLoader* GetPictureLoader() override;
    CKitMarkupToolTipFilter* CreateToolTipFilter(CKitMarkupContext* pContext) override;
};
