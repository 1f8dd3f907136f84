// CKitMarkupInputElement, CKitMarkupRoutedEvent, CKitMarkupDelegate and the event argument classes: elements that take part in input.
#pragma once

#include "toolkit/markup/markup_object.h"

#include <unordered_map>
#include <vector>

class CKitMarkupActiveTriggerCollection;
class CKitMarkupContext;
class CKitMarkupInputElement;
class CKitMarkupRoutedEventArgs;

// A dependency property that names an event; it has no slot in property stores.
class CKitMarkupRoutedEvent : public CKitMarkupDependencyProperty {
public:
    // Metadata flag: the event bubbles from its source to the root.
    enum : DWORD { routingBubble = 1 };

    BOOL IsEvent() const override;
    BOOL IsBubbling() const { return (GetFlags() & routingBubble) != 0; }

    // Registers an event of the owner type; routing flags other than 0 become its metadata.
    static CKitMarkupRoutedEvent* RegisterRoutedEvent(LPCWSTR lpszName, DWORD dwRoutingFlags,
                                                     CKitMarkupType* pOwnerType);
};

// An event handler that a host enters into a markup context by name.
class CKitMarkupDelegate : public CKitMarkupObject {
public:
    // Called with the element that handles the event and the event's arguments.
    virtual void Invoke(CKitMarkupObject* pSender, CKitMarkupRoutedEventArgs* pArgs) = 0;
};

class CKitMarkupRoutedEventArgs : public CKitMarkupObject {
public:
    CKitMarkupRoutedEventArgs(CKitMarkupRoutedEvent* pEvent, CKitMarkupObject* pSource)
        : m_pEvent(pEvent), m_pSource(pSource), m_bHandled(FALSE)
    {
    }

    CKitMarkupRoutedEvent* m_pEvent;
    // The element the event concerns (not a reference).
    CKitMarkupObject* m_pSource;
    BOOL m_bHandled;
};

class CKitMarkupMouseEventArgs : public CKitMarkupRoutedEventArgs {
public:
    CKitMarkupMouseEventArgs(CKitMarkupRoutedEvent* pEvent, CKitMarkupObject* pSource, HWND hWnd, int x, int y)
        : CKitMarkupRoutedEventArgs(pEvent, pSource), m_hWnd(hWnd), m_x(x), m_y(y)
    {
    }

    // The position relative to an element: minus the visual offsets of it and its visual ancestors.
    POINT GetPosition(CKitMarkupObject* pElement) const;

    HWND m_hWnd;
    int m_x;
    int m_y;
};

class CKitMarkupMouseButtonEventArgs : public CKitMarkupMouseEventArgs {
public:
    using CKitMarkupMouseEventArgs::CKitMarkupMouseEventArgs;
};

class CKitMarkupQueryCursorEventArgs : public CKitMarkupMouseEventArgs {
public:
    CKitMarkupQueryCursorEventArgs(CKitMarkupObject* pSource, HWND hWnd, int x, int y)
        : CKitMarkupMouseEventArgs(nullptr, pSource, hWnd, x, y), m_hCursor(nullptr)
    {
    }

    HCURSOR m_hCursor;
};

class CKitMarkupMouseWheelEventArgs : public CKitMarkupMouseEventArgs {
public:
    CKitMarkupMouseWheelEventArgs(CKitMarkupObject* pSource, HWND hWnd, int x, int y, int nDelta)
        : CKitMarkupMouseEventArgs(nullptr, pSource, hWnd, x, y), m_nDelta(nDelta)
    {
    }

    int m_nDelta;
};

// Delegates per routed event, called in the order they were added; each held by one reference.
class CKitMarkupHandlerTable {
public:
    CKitMarkupHandlerTable() = default;
    ~CKitMarkupHandlerTable();
    CKitMarkupHandlerTable(const CKitMarkupHandlerTable&) = delete;
    CKitMarkupHandlerTable& operator=(const CKitMarkupHandlerTable&) = delete;

    // Adds to the table, made on the first handler; the table takes its own reference to the delegate.
    static void Add(CKitMarkupHandlerTable*& pTable, CKitMarkupRoutedEvent* pEvent, CKitMarkupDelegate* pDelegate);
    // Calls every handler of the event in a table (may be nullptr); the handled flag does not stop the list.
    static void Call(CKitMarkupHandlerTable* pTable, CKitMarkupRoutedEventArgs* pArgs, CKitMarkupObject* pSender);

private:
    std::unordered_map<CKitMarkupRoutedEvent*, std::vector<CKitMarkupDelegate*>> m_handlers;
};

// The base of every markup object that takes part in input: event handlers,
// the markup context, the style and the values of active style triggers.
class CKitMarkupInputElement : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupInputElement)
public:
    CKitMarkupInputElement();
    ~CKitMarkupInputElement() override;

    // Local value, then trigger values, then the style's value, then the type's default style.
    CKitMarkupObject* GetValueCore(CKitMarkupDependencyProperty* pProperty) const override;
    // An event attribute names a delegate of the markup context.
    void SetPropertyObject(CKitMarkupBuilder* pBuilder, CKitMarkupDependencyProperty* pProperty,
                           CKitMarkupObject* pValue) override;
    // Tells the markup context first, then deletes the element.
    void OnFinalRelease() override;

    virtual void OnMouseLeave(CKitMarkupMouseEventArgs* pArgs);
    virtual void OnMouseEnter(CKitMarkupMouseEventArgs* pArgs);
    virtual void OnMouseMove(CKitMarkupMouseEventArgs* pArgs);
    virtual void OnQueryCursor(CKitMarkupQueryCursorEventArgs* pArgs);
    virtual void OnMouseLeftButtonUp(CKitMarkupMouseButtonEventArgs* pArgs);
    virtual void OnMouseRightButtonUp(CKitMarkupMouseButtonEventArgs* pArgs);
    virtual void OnMouseLeftButtonDown(CKitMarkupMouseButtonEventArgs* pArgs);
    virtual void OnMouseRightButtonDown(CKitMarkupMouseButtonEventArgs* pArgs);
    virtual void OnLostMouseCapture(CKitMarkupMouseEventArgs* pArgs);
    virtual void OnMouseWheel(CKitMarkupMouseWheelEventArgs* pArgs);
    // The innermost element at the point, or nullptr.
    virtual CKitMarkupInputElement* InputHitTest(POINT point);
    // Finds an implicit style when there is none, then evaluates all triggers.
    virtual void UpdateStyle();

    // The list takes its own reference to the delegate.
    void AddHandler(CKitMarkupRoutedEvent* pEvent, CKitMarkupDelegate* pDelegate);
    // Calls the handlers of a direct event here, or bubbles to the root and the context.
    void RaiseEvent(CKitMarkupRoutedEventArgs* pArgs);
    // Calls this element's handlers for the event in the order they were added.
    void CallHandlers(CKitMarkupRoutedEventArgs* pArgs, CKitMarkupObject* pSender);

    CKitMarkupContext* GetMarkupContext() const { return m_pMarkupContext; }
    // Set by the context that made the element (which holds a reference for it).
    void SetMarkupContext(CKitMarkupContext* pContext) { m_pMarkupContext = pContext; }

    CKitMarkupStyle* GetStyle() const { return m_pStyle; }
    void SetStyleCore(CKitMarkupStyle* pStyle) { m_pStyle = pStyle; }
    CKitMarkupActiveTriggerCollection* GetActiveTriggers() const { return m_pActiveTriggers; }
    CKitMarkupActiveTriggerCollection* EnsureActiveTriggers();
    CKitMarkupProperties* GetTriggerValues() const { return m_pTriggerValues; }
    CKitMarkupProperties* EnsureTriggerValues();

    static CKitMarkupDependencyProperty* m_pCursorProperty;
    static CKitMarkupDependencyProperty* m_pIsMouseOverProperty;
    static CKitMarkupDependencyProperty* m_pResourcesProperty;
    static CKitMarkupDependencyProperty* m_pStyleProperty;
    static CKitMarkupDependencyProperty* m_pIsKeyboardFocusedProperty;
    static CKitMarkupDependencyProperty* m_pIsFocusableProperty;
    static CKitMarkupDependencyProperty* m_pToolTipProperty;
    static CKitMarkupRoutedEvent* m_pMouseLeaveEvent;
    static CKitMarkupRoutedEvent* m_pMouseEnterEvent;
    static CKitMarkupRoutedEvent* m_pMouseLeftButtonUpEvent;
    static CKitMarkupRoutedEvent* m_pMouseLeftButtonDownEvent;
    static CKitMarkupRoutedEvent* m_pMouseRightButtonUpEvent;
    static CKitMarkupRoutedEvent* m_pMouseRightButtonDownEvent;
    static CKitMarkupRoutedEvent* m_pMouseMoveEvent;
    static CKitMarkupRoutedEvent* m_pLostMouseCaptureEvent;
    static void RegisterProperties();

private:
    CKitMarkupHandlerTable* m_pHandlers;
    CKitMarkupContext* m_pMarkupContext;
    CKitMarkupActiveTriggerCollection* m_pActiveTriggers;
    CKitMarkupProperties* m_pTriggerValues;
    // Not a reference: the Style value or a resource owns it.
    CKitMarkupStyle* m_pStyle;
};

// After a build: UpdateStyle on every input element of the logical tree, children before their parent.
void ApplyStyles(CKitMarkupObject* pRoot);
