// CKitMarkupContext, CKitMarkupFont: markup trees bound to one container window, their fonts and their mouse input.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <unordered_map>

#include "framework/strings.h"
#include "toolkit/markup/markup_collection.h"
#include "toolkit/markup/markup_object.h"

class CKitImageManager;
class CKitMarkupContext;
class CKitMarkupDelegate;
class CKitMarkupHandlerTable;
class CKitMarkupInputElement;
class CKitMarkupKeyboardNavigation;
class CKitMarkupPictureLoader;
class CKitMarkupRoutedEvent;
class CKitMarkupRoutedEventArgs;
class CKitMarkupToolTipFilter;
class CKitMarkupType;
class CKitMarkupUIElement;

// A new object of the type made through the context (nullptr: straight from the type's factory).
CKitMarkupObject* MarkupCreateObject(CKitMarkupContext* pContext, CKitMarkupType* pType);

// The message a markup context sends its container window when the markup was invalidated.
constexpr UINT WM_KIT_MARKUP_INVALIDATED = 0x2A5C;

// A GDI font made for one font description, shared through the context's font cache.
class CKitMarkupFont : public CKitMarkupObject {
public:
    CKitMarkupFont(CKitMarkupContext* pOwner, const LOGFONTA& description);
    // Leaves the owner's cache and deletes the font.
    ~CKitMarkupFont() override;

    HFONT GetHandle() const { return m_hFont; }
    const LOGFONTA& GetDescription() const { return m_description; }

private:
    friend class CKitMarkupContext;

    HFONT m_hFont;
    LOGFONTA m_description;
    CKitMarkupFont* m_pNextFont;
    // Not a reference; nullptr once the context has gone.
    CKitMarkupContext* m_pOwner;
};

// Binds markup trees to one container window (which may be NULL); every
// element made through it holds a reference to it. It routes the container's
// mouse messages to the elements and turns invalidation into window repaints.
class CKitMarkupContext {
public:
    // The input elements from one element out to its root, innermost first; one reference each.
    class CInputElementCollection : public CKitMarkupCollection {
    public:
        explicit CInputElementCollection(CKitMarkupObject* pElement);
        CKitMarkupInputElement* GetElement(int nIndex) const;
    };

    // Registers the markup types on first use; the default font is the system's message font.
    // The context holds the registered picture loader and, with a container window, a tooltip context.
    explicit CKitMarkupContext(HWND hContainer = nullptr);
    virtual ~CKitMarkupContext();
    CKitMarkupContext(const CKitMarkupContext&) = delete;
    CKitMarkupContext& operator=(const CKitMarkupContext&) = delete;

    // Handles a message of the container window for the tree under pElement; TRUE
    // when the message was handled, with *pResult (may be NULL) its result.
    virtual BOOL OnWndMsg(CKitMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* pResult);
    // Repaints the element's rectangle and tells the container.
    virtual void InvalidateElement(CKitMarkupInputElement* pElement);
    // Repaints the whole container and tells it, so that it lays the markup out again.
    virtual void OnLayoutChanged(CKitMarkupInputElement* pElement);

    LONG AddRef();
    // Deletes the context at 0; does nothing when the count is already 0.
    LONG Release();

    // Resets the mouse state, then returns the root element of the narrow text
    // (system code page) with one reference, or NULL; pErrorText (may be NULL)
    // receives the builder's error text.
    CKitMarkupUIElement* Parse(LPCSTR lpszText, CString* pErrorText = nullptr);

    // A new object of the type; an input element gets this context and the context a reference.
    CKitMarkupObject* CreateObject(CKitMarkupType* pType);
    // Called by an input element's final release: forgets it and drops its reference.
    void OnElementDestroyed(CKitMarkupInputElement* pElement);

    // A cached font for the description (one reference): fonts of equal height,
    // weight, italic flag, quality and face name are one object.
    CKitMarkupFont* GetFont(const LOGFONTA& description);

    // Captures the mouse for the container window on behalf of the element.
    void CaptureMouse(CKitMarkupInputElement* pElement);
    void ReleaseMouseCapture();
    // Sets the cursor that the elements under the mouse ask for; FALSE when none asks.
    BOOL UpdateCursor();

    // The element's rectangle in container coordinates; empty for other objects.
    RECT GetElementRect(CKitMarkupInputElement* pElement) const;
    // The element under the mouse (or its nearest ancestor) whose ToolTip is a text,
    // with its rectangle in *pRect; NULL when none.
    CKitMarkupInputElement* HitTestToolTip(RECT* pRect) const;

    // The delegate entered under the name, or NULL.
    CKitMarkupDelegate* FindDelegate(std::wstring_view name) const;
    // Enters a delegate under a name (the table takes its own reference; an older entry is released).
    void RegisterDelegate(LPCWSTR lpszName, CKitMarkupDelegate* pDelegate);

    // Handlers that bubbling events reach after the root (the list takes its own reference).
    void AddHandler(CKitMarkupRoutedEvent* pEvent, CKitMarkupDelegate* pDelegate);
    // Calls the context's handlers for the event with the sender.
    void CallHandlers(CKitMarkupRoutedEventArgs* pArgs, CKitMarkupObject* pSender);

    HWND GetContainer() const { return m_hContainer; }
    COLORREF GetDefaultTextColor() const { return m_clrDefaultText; }
    void SetDefaultTextColor(COLORREF clr) { m_clrDefaultText = clr; }
    const LOGFONTA& GetDefaultFont() const { return m_defaultFont; }
    void SetDefaultFont(const LOGFONTA& font) { m_defaultFont = font; }
    CKitMarkupInputElement* GetMouseOver() const { return m_pMouseOver; }
    CKitMarkupInputElement* GetCaptured() const { return m_pCaptured; }
    CKitMarkupKeyboardNavigation* GetKeyboardNavigation() const { return m_pKeyboardNavigation; }
    // Drawing contexts of this context draw through GDI+ (TRUE at creation) or plain GDI.
    BOOL IsGdiPlusRendering() const { return m_bGdiPlusRendering; }
    void SetGdiPlusRendering(BOOL bGdiPlus) { m_bGdiPlusRendering = bGdiPlus; }
    // The image store whose command images an image element shows; NULL: the
    // toolkit's shared one. Not owned: the host keeps it alive with the context.
    CKitImageManager* GetImageManager() const { return m_pImageManager; }
    void SetImageManager(CKitImageManager* pManager) { m_pImageManager = pManager; }
    // What image elements load their pictures with (held by the context); nullptr for none.
    CKitMarkupPictureLoader* GetPictureLoader() const { return m_pPictureLoader; }
    // The tooltip context the container's mouse messages go through (owned); nullptr for none.
    CKitMarkupToolTipFilter* GetToolTipFilter() const { return m_pToolTipFilter; }

private:
    friend class CKitMarkupFont;

    void ResetMouseState();
    void HandleMouseMove(CKitMarkupUIElement* pRoot, int x, int y);
    void HandleMouseEnterLeave(CKitMarkupInputElement* pNew, int x, int y);
    BOOL HandleMouseWheel(int nDelta, int x, int y);
    BOOL HandleMouseButton(UINT message, LPARAM lParam);
    void HandleCaptureChanged();
    void RemoveFont(CKitMarkupFont* pFont);

    HWND m_hContainer;
    COLORREF m_clrDefaultText;
    LOGFONTA m_defaultFont;
    // Not references: an element tells the context when it goes.
    CKitMarkupInputElement* m_pMouseOver;
    CKitMarkupInputElement* m_pCaptured;
    CKitMarkupInputElement* m_pMouseRoot;
    // The font cache; the fonts belong to the elements that hold them.
    CKitMarkupFont* m_pFirstFont;
    CKitMarkupFont* m_pLastFont;
    CKitMarkupHandlerTable* m_pHandlers;
    std::unordered_map<std::wstring, CKitMarkupDelegate*>* m_pDelegates;
    CKitMarkupKeyboardNavigation* m_pKeyboardNavigation;
    CKitImageManager* m_pImageManager;
    CKitMarkupPictureLoader* m_pPictureLoader;
    CKitMarkupToolTipFilter* m_pToolTipFilter;
    BOOL m_bGdiPlusRendering;
    volatile LONG m_nRefCount;
};
