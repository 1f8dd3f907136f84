// CKitMarkupServices, CKitMarkupPictureLoader, CKitMarkupToolTipFilter: what a markup context takes from the window toolkit above the engine (pictures of the image store, tooltips); the library that fills them registers them at start-up.
#pragma once

#include <windows.h>

class CKitMarkupContext;
class CKitMarkupPicture;
struct CKitMarkupImageSource;

// Loads the pictures of image elements; every context holds one reference.
class CKitMarkupPictureLoader {
public:
    virtual LONG AddRef() = 0;
    virtual LONG Release() = 0;
    // The picture of a source for a wanted width (the caller deletes it); nullptr when none loads.
    virtual CKitMarkupPicture* LoadPicture(CKitMarkupContext* pContext, const CKitMarkupImageSource& source,
                                           int nWidth) = 0;

protected:
    ~CKitMarkupPictureLoader() = default;
};

// A context's tooltip context: the container's mouse messages go through it,
// and it shows the ToolTip text of the element under the mouse.
class CKitMarkupToolTipFilter {
public:
    virtual void FilterToolTipMessage(HWND hContainer, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Hides the tip and deletes the tooltip context; called when its markup context goes.
    virtual void ReleaseFilter() = 0;

protected:
    ~CKitMarkupToolTipFilter() = default;
};

class CKitMarkupServices {
public:
    // The registered implementation; nullptr in a program that links no library filling it.
    static CKitMarkupServices* Get();
    // Makes pServices the implementation and returns the one it replaces (tests put their own in).
    static CKitMarkupServices* Register(CKitMarkupServices* pServices);

    // The picture loader a new context holds, with one reference for it; nullptr for none.
    virtual CKitMarkupPictureLoader* GetPictureLoader() = 0;
    // The tooltip context of a new context that has a container window; nullptr for none.
    virtual CKitMarkupToolTipFilter* CreateToolTipFilter(CKitMarkupContext* pContext) = 0;

protected:
    ~CKitMarkupServices() = default;
};
