#include "toolkit/markup/markup_context.h"

#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_input_element.h"
#include "toolkit/markup/markup_parser.h"
#include "toolkit/markup/markup_visual.h"

#include <cstring>

CKitMarkupContext::CKitMarkupContext(HWND hContainer)
    : m_hContainer(hContainer), m_clrDefaultText(0), m_pHandlers(nullptr), m_pDelegates(nullptr), m_nRefCount(1)
{
    MarkupInitializeTypes();
}

CKitMarkupContext::~CKitMarkupContext()
{
    delete m_pHandlers;
    if (m_pDelegates != nullptr) {
        for (auto& entry : *m_pDelegates)
            entry.second->Release();
        delete m_pDelegates;
    }
}

LONG CKitMarkupContext::AddRef()
{
    return ::InterlockedIncrement(&m_nRefCount);
}

LONG CKitMarkupContext::Release()
{
    if (m_nRefCount == 0)
        return 0;
    const LONG count = ::InterlockedDecrement(&m_nRefCount);
    if (count == 0)
        delete this;
    return count;
}

CKitMarkupUIElement* CKitMarkupContext::Parse(LPCSTR lpszText, CString* pErrorText)
{
    if (lpszText == nullptr)
        return nullptr;
    CKitMarkupParser parser;
    parser.SetInput(lpszText, lpszText + std::strlen(lpszText));
    CKitMarkupBuilder builder(this);
    CKitMarkupUIElement* pRoot = builder.Parse(&parser);
    if (pErrorText != nullptr)
        *pErrorText = builder.GetErrorText();
    return pRoot;
}

CKitMarkupObject* CKitMarkupContext::CreateObject(CKitMarkupType* pType)
{
    CKitMarkupObject* pObject = pType->CreateObject();
    if (CKitMarkupInputElement* pElement = MarkupDynamicCast<CKitMarkupInputElement>(pObject)) {
        pElement->SetMarkupContext(this);
        AddRef();
    }
    return pObject;
}

void CKitMarkupContext::OnElementDestroyed(CKitMarkupInputElement* pElement)
{
    pElement->SetMarkupContext(nullptr);
    Release();
}

CKitMarkupDelegate* CKitMarkupContext::FindDelegate(std::wstring_view name) const
{
    if (m_pDelegates == nullptr)
        return nullptr;
    const auto found = m_pDelegates->find(std::wstring(name));
    return found == m_pDelegates->end() ? nullptr : found->second;
}

void CKitMarkupContext::RegisterDelegate(LPCWSTR lpszName, CKitMarkupDelegate* pDelegate)
{
    if (lpszName == nullptr || pDelegate == nullptr)
        return;
    if (m_pDelegates == nullptr)
        m_pDelegates = new std::unordered_map<std::wstring, CKitMarkupDelegate*>();
    pDelegate->AddRef();
    CKitMarkupDelegate*& slot = (*m_pDelegates)[lpszName];
    if (CKitMarkupDelegate* pOld = std::exchange(slot, pDelegate))
        pOld->Release();
}

void CKitMarkupContext::AddHandler(CKitMarkupRoutedEvent* pEvent, CKitMarkupDelegate* pDelegate)
{
    CKitMarkupHandlerTable::Add(m_pHandlers, pEvent, pDelegate);
}

void CKitMarkupContext::CallHandlers(CKitMarkupRoutedEventArgs* pArgs, CKitMarkupObject* pSender)
{
    CKitMarkupHandlerTable::Call(m_pHandlers, pArgs, pSender);
}

CKitMarkupContext* MarkupCreateContext(HWND hContainer)
{
    return new CKitMarkupContext(hContainer);
}

void MarkupReleaseContext(CKitMarkupContext*& pContext)
{
    if (pContext != nullptr)
        pContext->Release();
    pContext = nullptr;
}

void MarkupReleaseElement(CKitMarkupUIElement*& pElement)
{
    if (pElement != nullptr)
        pElement->Release();
    pElement = nullptr;
}

CKitMarkupUIElement* MarkupParseText(CKitMarkupContext* pContext, LPCSTR lpszText)
{
    if (pContext == nullptr)
        return nullptr;
    return pContext->Parse(lpszText);
}
