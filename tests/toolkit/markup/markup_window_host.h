// CMarkupWindowHost: a top-level window at the screen's origin that shows one markup tree and hands it its mouse messages.
#pragma once

#include "markup_test_support.h"

#include "toolkit/themes/paint/markup_glue.h"
#include "toolkit/markup/markup_input_element.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

#include <string>
#include <utility>
#include <vector>

// Records "label:name" of each call, the name being the sender's x:Name.
class CRecordingDelegate : public CKitMarkupDelegate {
public:
    CRecordingDelegate(std::string label, std::vector<std::string>& log) : m_label(std::move(label)), m_log(log) {}

    void Invoke(CKitMarkupObject* pSender, CKitMarkupRoutedEventArgs*) override
    {
        const CKitMarkupString* pName = pSender->GetValueOf<CKitMarkupString>(CKitMarkupObject::m_pNameProperty);
        m_log.push_back(m_label + ":" + (pName != nullptr ? std::string((LPCSTR)MarkupNarrow(pName->GetText())) : "?"));
    }

private:
    std::string m_label;
    std::vector<std::string>& m_log;
};

class CMarkupWindowHost {
public:
    // A window whose client area starts at the screen's origin, so that client and screen points agree.
    CMarkupWindowHost(int nWidth, int nHeight, DWORD dwStyle = WS_POPUP | WS_VISIBLE, LPCSTR lpszTitle = "Markup")
    {
        static const char* const kClass = RegisterHostClass();
        RECT frame = {0, 0, nWidth, nHeight};
        ::AdjustWindowRectEx(&frame, dwStyle, FALSE, 0);
        m_hWnd = ::CreateWindowExA(0, kClass, lpszTitle, dwStyle, frame.left, frame.top, frame.right - frame.left,
                                   frame.bottom - frame.top, nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
        m_pContext = MarkupCreateContext(m_hWnd);
        for (const char* label : {"Click", "Checked", "Unchecked", "Indeterminate"}) {
            CKitMarkupRef<CRecordingDelegate> recorder(new CRecordingDelegate(label, m_log));
            m_pContext->RegisterDelegate(CStringW(label), recorder.Get());
        }
    }
    ~CMarkupWindowHost()
    {
        MarkupReleaseElement(m_pRoot);
        ::DestroyWindow(m_hWnd);
        MarkupReleaseContext(m_pContext);
    }
    CMarkupWindowHost(const CMarkupWindowHost&) = delete;
    CMarkupWindowHost& operator=(const CMarkupWindowHost&) = delete;

    // Builds the markup and lays it out over the client area; the builder's error text, or "".
    std::string Show(const std::string& text)
    {
        MarkupReleaseElement(m_pRoot);
        CString error;
        m_pRoot = m_pContext->Parse(text.c_str(), &error);
        if (m_pRoot == nullptr)
            return (LPCSTR)error;
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        HDC hdc = ::GetDC(m_hWnd);
        MarkupRenderElement(m_pRoot, hdc, &client);
        ::ReleaseDC(m_hWnd, hdc);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        ::UpdateWindow(m_hWnd);
        m_log.clear();
        return "";
    }

    // Hands a mouse message (client coordinates) to the markup.
    BOOL Send(UINT message, int x, int y, WPARAM wParam = 0)
    {
        return m_pContext->OnWndMsg(m_pRoot, message, wParam, MAKELPARAM(x, y), nullptr);
    }
    void Click(int x, int y)
    {
        Send(WM_MOUSEMOVE, x, y);
        Send(WM_LBUTTONDOWN, x, y);
        Send(WM_LBUTTONUP, x, y);
    }

    // The element with that x:Name, or nullptr.
    template <class T = CKitMarkupInputElement>
    T* Named(const char* name) const
    {
        return MarkupDynamicCast<T>(Find(m_pRoot, CStringW(name)));
    }
    // Its rectangle in client coordinates.
    RECT RectOf(const char* name) const { return m_pContext->GetElementRect(Named(name)); }

    std::vector<std::string> TakeLog() { return std::exchange(m_log, {}); }

    HWND m_hWnd = nullptr;
    CKitMarkupContext* m_pContext = nullptr;
    CKitMarkupUIElement* m_pRoot = nullptr;

private:
    static const char* RegisterHostClass()
    {
        static const char kName[] = "KorvaneMarkupWindowHost";
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &WindowProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kName;
        ::RegisterClassA(&wc);
        return kName;
    }

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            ::SetWindowLongPtrA(hWnd, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        CMarkupWindowHost* pHost = reinterpret_cast<CMarkupWindowHost*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (pHost != nullptr && pHost->m_pRoot != nullptr) {
            if (message == WM_PAINT) {
                PAINTSTRUCT paint;
                HDC hdc = ::BeginPaint(hWnd, &paint);
                RECT client;
                ::GetClientRect(hWnd, &client);
                MarkupRenderElement(pHost->m_pRoot, hdc, &client);
                ::EndPaint(hWnd, &paint);
                return 0;
            }
            LRESULT result = 0;
            if (message != WM_KIT_MARKUP_INVALIDATED &&
                pHost->m_pContext->OnWndMsg(pHost->m_pRoot, message, wParam, lParam, &result))
                return result;
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }

    static CKitMarkupObject* Find(CKitMarkupObject* pObject, const CStringW& name)
    {
        if (pObject == nullptr)
            return nullptr;
        const CKitMarkupString* pName = pObject->GetValueOf<CKitMarkupString>(CKitMarkupObject::m_pNameProperty);
        if (pName != nullptr && name == CStringW(pName->GetText()))
            return pObject;
        for (int i = 0; i < pObject->GetLogicalChildrenCount(); ++i) {
            if (CKitMarkupObject* pFound = Find(pObject->GetLogicalChild(i), name))
                return pFound;
        }
        return nullptr;
    }

    std::vector<std::string> m_log;
};
