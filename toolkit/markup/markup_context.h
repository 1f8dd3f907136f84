// CKitMarkupContext and the markup glue functions: parsing markup text for one container window.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/strings.h"

class CKitMarkupDelegate;
class CKitMarkupHandlerTable;
class CKitMarkupInputElement;
class CKitMarkupObject;
class CKitMarkupRoutedEvent;
class CKitMarkupRoutedEventArgs;
class CKitMarkupType;
class CKitMarkupUIElement;

// Binds markup trees to one container window (which may be NULL); every
// element made through it holds a reference to it.
class CKitMarkupContext {
public:
    // Registers the markup types on first use.
    explicit CKitMarkupContext(HWND hContainer = nullptr);
    virtual ~CKitMarkupContext();
    CKitMarkupContext(const CKitMarkupContext&) = delete;
    CKitMarkupContext& operator=(const CKitMarkupContext&) = delete;

    LONG AddRef();
    // Deletes the context at 0; does nothing when the count is already 0.
    LONG Release();

    // The root element of the narrow text (system code page) with one reference,
    // or NULL; pErrorText (may be NULL) receives the builder's error text.
    CKitMarkupUIElement* Parse(LPCSTR lpszText, CString* pErrorText = nullptr);

    // A new object of the type; an input element gets this context and the context a reference.
    CKitMarkupObject* CreateObject(CKitMarkupType* pType);
    // Called by an input element's final release: forgets it and drops its reference.
    void OnElementDestroyed(CKitMarkupInputElement* pElement);

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

private:
    HWND m_hContainer;
    COLORREF m_clrDefaultText;
    CKitMarkupHandlerTable* m_pHandlers;
    std::unordered_map<std::wstring, CKitMarkupDelegate*>* m_pDelegates;
    volatile LONG m_nRefCount;
};

// A new context for the container window, with one reference.
CKitMarkupContext* MarkupCreateContext(HWND hContainer);
// Releases the context and sets the pointer to NULL.
void MarkupReleaseContext(CKitMarkupContext*& pContext);
// Releases the element and sets the pointer to NULL.
void MarkupReleaseElement(CKitMarkupUIElement*& pElement);
// The root element parsed from the text, or NULL on an error or without a context.
CKitMarkupUIElement* MarkupParseText(CKitMarkupContext* pContext, LPCSTR lpszText);
