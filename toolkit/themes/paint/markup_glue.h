// MarkupCreateContext, MarkupParseText, MarkupGetElementContext, MarkupSetDefaultFont, MarkupRelayMessage, MarkupMeasureElement, MarkupRenderElement: how the toolkit's windows create, parse, measure and draw markup.
#pragma once

#include <windows.h>

class CKitMarkupContext;
class CKitMarkupUIElement;

// A new context for the container window (may be NULL) with one reference; its
// default font takes the character set of the toolkit's resource language.
CKitMarkupContext* MarkupCreateContext(HWND hContainer);
// Releases the context and sets the pointer to NULL.
void MarkupReleaseContext(CKitMarkupContext*& pContext);
// Releases the element and sets the pointer to NULL.
void MarkupReleaseElement(CKitMarkupUIElement*& pElement);
// The root element parsed from the text, or NULL on an error or without a context.
CKitMarkupUIElement* MarkupParseText(CKitMarkupContext* pContext, LPCSTR lpszText);
// The context that parsed the element; NULL for a NULL element.
CKitMarkupContext* MarkupGetElementContext(CKitMarkupUIElement* pElement);
// Makes the font (when given) the context's default font and the colour its
// default text colour, unless the colour has all bits set. Nothing without a context.
void MarkupSetDefaultFont(CKitMarkupContext* pContext, HFONT hFont, COLORREF clrText);
// Hands a window message to the element's context (mouse and cursor messages reach the
// element tree); FALSE when the element or its context is missing or nothing took it.
BOOL MarkupRelayMessage(CKitMarkupUIElement* pElement, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT* pResult);
// The element's desired size for the available size; 0 x 0 for a NULL element.
SIZE MarkupMeasureElement(CKitMarkupUIElement* pElement, int nAvailableWidth, int nAvailableHeight);
// Arranges the element into the rectangle and draws it; nothing when one of them is missing.
void MarkupRenderElement(CKitMarkupUIElement* pElement, HDC hdc, LPCRECT lpRect);
