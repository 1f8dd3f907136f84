#include "toolkit/markup/markup_builder.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_converters.h"
#include "toolkit/markup/markup_framework_element.h"
#include "toolkit/markup/markup_parser.h"
#include "toolkit/markup/markup_style.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_values.h"

#include <cstdarg>
#include <cstring>
#include <new>

IMPLEMENT_DYNAMIC(CKitMarkupBuilderException, CException)

namespace {

const char kRootLevelInvalid[] = "Data at the root level is invalid";
const char kUnknownTag[] = "The tag '%s' does not exist in XML namespace";

constexpr std::wstring_view kSystemColorsPrefix = L"SystemColors.";
constexpr size_t kStaticMemberMinLength = 20;

enum SystemValueKind { kSystemBrush = 0, kSystemColor = 1, kSystemBrushKey = 2, kSystemColorKey = 3 };

// Endings of a static member, in the order they are tested.
const struct {
    std::wstring_view ending;
    SystemValueKind kind;
} kStaticMemberEndings[] = {
    {L"Color", kSystemColor},
    {L"Brush", kSystemBrush},
    {L"ColorKey", kSystemColorKey},
    {L"BrushKey", kSystemBrushKey},
};

bool StartsWith(std::wstring_view text, std::wstring_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::wstring_view text, std::wstring_view ending)
{
    return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

} // namespace

// CKitMarkupBuilderException

CKitMarkupBuilderException::CKitMarkupBuilderException(LPCSTR lpszMessage) : CException(TRUE), m_szMessage{}
{
    const size_t length = lpszMessage != nullptr ? std::strlen(lpszMessage) : 0;
    const size_t kept = length < kMarkupBuilderMessageMaxLength ? length : kMarkupBuilderMessageMaxLength;
    if (kept > 0)
        std::memcpy(m_szMessage, lpszMessage, kept);
    m_szMessage[kept] = '\0';
}

BOOL CKitMarkupBuilderException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    const size_t length = std::strlen(m_szMessage);
    const size_t kept = length < nMaxError - 1 ? length : nMaxError - 1;
    std::memcpy(lpszError, m_szMessage, kept);
    lpszError[kept] = '\0';
    return TRUE;
}

// CKitMarkupObjectProperty

CKitMarkupObjectProperty::CKitMarkupObjectProperty(CKitMarkupDependencyProperty* pProperty)
    : m_pValue(nullptr), m_pProperty(pProperty)
{
}

CKitMarkupObjectProperty::~CKitMarkupObjectProperty()
{
    SetValueObject(nullptr);
}

void CKitMarkupObjectProperty::SetValueObject(CKitMarkupObject* pValue)
{
    if (CKitMarkupObject* pOld = std::exchange(m_pValue, pValue))
        pOld->Release();
}

void CKitMarkupObjectProperty::SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent)
{
    if (m_pProperty == nullptr || pContent == nullptr) {
        CKitMarkupObject::SetContentObject(pBuilder, pContent);
        return;
    }
    CKitMarkupRef<CKitMarkupObject> content(pContent);
    CKitMarkupType* pPropertyType = m_pProperty->GetPropertyType();
    if (pContent->IsKindOf(pPropertyType) || MarkupDynamicCast<CKitMarkupString>(pContent) != nullptr) {
        SetValueObject(content.Detach());
        return;
    }
    if (m_pValue != nullptr) {
        m_pValue->SetContentObject(pBuilder, content.Detach());
        return;
    }
    CKitMarkupRef<CKitMarkupObject> value(pBuilder->CreateObject(pPropertyType));
    if (!value)
        CKitMarkupBuilder::ThrowBuilderError("Cannot add content to an object of type '%s'",
                                             (LPCSTR)MarkupNarrow(pPropertyType->GetClassName()));
    value->SetContentObject(pBuilder, content.Detach());
    SetValueObject(value.Detach());
}

// CKitMarkupBuilder

CKitMarkupBuilder::CKitMarkupBuilder(CKitMarkupContext* pContext)
    : m_pContext(pContext), m_staticMembers{}, m_bWhiteSpacePending(false)
{
    MarkupInitializeTypes();
}

CKitMarkupBuilder::~CKitMarkupBuilder()
{
    ReleaseStack();
    for (auto& kind : m_staticMembers) {
        for (CKitMarkupObject*& pMember : kind) {
            if (pMember != nullptr)
                std::exchange(pMember, nullptr)->Release();
        }
    }
}

void CKitMarkupBuilder::ThrowBuilderError(LPCSTR lpszFormat, ...)
{
    CString message;
    va_list args;
    va_start(args, lpszFormat);
    message.FormatV(lpszFormat, args);
    va_end(args);
    throw new CKitMarkupBuilderException(message);
}

CKitMarkupObject* CKitMarkupBuilder::CreateObject(CKitMarkupType* pType)
{
    return MarkupCreateObject(m_pContext, pType);
}

CKitMarkupObject* CKitMarkupBuilder::ConvertValue(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pValue)
{
    const CKitMarkupPropertyMetadata* pMetadata = pProperty->GetMetadata();
    if (pMetadata != nullptr && pMetadata->m_pfnConverter != nullptr) {
        if (CKitMarkupObject* pResult = pMetadata->m_pfnConverter(this, pValue))
            return pResult;
    }
    CKitMarkupRef<CKitMarkupObject> temporary(CreateObject(pProperty->GetPropertyType()));
    if (temporary) {
        if (CKitMarkupObject* pResult = temporary->ConvertFrom(this, pValue))
            return pResult;
    }
    ThrowBuilderError("Cannot convert string in attribute '%s' to object of type '%s'",
                      (LPCSTR)MarkupNarrow(pProperty->GetName()),
                      (LPCSTR)MarkupNarrow(pProperty->GetPropertyType()->GetClassName()));
}

CKitMarkupUIElement* CKitMarkupBuilder::Parse(CKitMarkupParser* pParser)
{
    m_strError.Empty();
    m_text.clear();
    m_bWhiteSpacePending = false;
    if (!pParser->SkipToFirstTag()) {
        m_strError = kRootLevelInvalid;
        return nullptr;
    }
    CKitMarkupRef<CKitMarkupObject> root;
    CString failure;
    bool failed = false;
    try {
        Build(pParser, root);
    } catch (CException* pException) {
        failure = pException->GetErrorMessage();
        pException->Delete();
        failed = true;
    } catch (const std::bad_alloc&) {
        failure = CMemoryException().GetErrorMessage();
        failed = true;
    }
    if (failed) {
        m_strError.Format("%s. Line %i, position %i", (LPCSTR)failure, pParser->GetLine() + 1,
                          pParser->GetColumn() + 1);
        ReleaseStack();
        m_text.clear();
        return nullptr;
    }
    if (MarkupDynamicCast<CKitMarkupUIElement>(root.Get()) == nullptr) {
        m_strError = "Root element have to be 'CKitMarkupUIElement' type";
        return nullptr;
    }
    ApplyStyles(root.Get());
    return static_cast<CKitMarkupUIElement*>(root.Detach());
}

void CKitMarkupBuilder::Build(CKitMarkupParser* pParser, CKitMarkupRef<CKitMarkupObject>& root)
{
    for (;;) {
        switch (pParser->GetNextToken()) {
        case CKitMarkupParser::tokenError:
            ThrowBuilderError("%s", (LPCSTR)MarkupNarrow(pParser->GetValue()));
        case CKitMarkupParser::tokenStartTag:
            OnStartTag(pParser, root);
            break;
        case CKitMarkupParser::tokenAttribute:
            OnAttribute(pParser);
            break;
        case CKitMarkupParser::tokenWord:
            OnWord(pParser->GetValueView());
            break;
        case CKitMarkupParser::tokenWhiteSpace:
            m_bWhiteSpacePending = true;
            break;
        case CKitMarkupParser::tokenEndElement:
            OnEndElement(pParser, root);
            break;
        case CKitMarkupParser::tokenInstructionEnd:
            OnInstructionEnd(pParser);
            break;
        case CKitMarkupParser::tokenEnd:
            // Open elements are named first: an unclosed root is not a missing one.
            if (!m_stack.empty())
                ThrowBuilderError("Unexpected end of file has occurred. The following elements are not closed: '%s'",
                                  (LPCSTR)MarkupNarrow(GetInnermost()->GetTagName()));
            if (!root)
                ThrowBuilderError("Root element is missing");
            return;
        default:
            // Comments, CDATA sections and the bodies of instructions.
            break;
        }
    }
}

void CKitMarkupBuilder::OnStartTag(CKitMarkupParser* pParser, const CKitMarkupRef<CKitMarkupObject>& root)
{
    if (m_stack.empty() && root)
        ThrowBuilderError("There are multiple root elements");
    if (!m_stack.empty())
        FlushText(GetInnermost());
    m_text.clear();
    m_bWhiteSpacePending = false;
    if (static_cast<int>(m_stack.size()) >= kMarkupMaxNestingDepth)
        ThrowBuilderError("The elements are nested deeper than %i levels", kMarkupMaxNestingDepth);

    const std::wstring_view tag(pParser->GetTagName(), static_cast<size_t>(pParser->GetTagNameLength()));
    CKitMarkupRef<CKitMarkupObject> object;
    const size_t point = tag.find(L'.');
    if (point != std::wstring_view::npos) {
        CKitMarkupType* pType = CKitMarkupType::LookupTag(tag.substr(0, point));
        CKitMarkupDependencyProperty* pProperty =
            pType != nullptr ? CKitMarkupDependencyProperty::FindProperty(pType, tag.substr(point + 1)) : nullptr;
        if (pProperty == nullptr || m_stack.empty())
            ThrowBuilderError(kUnknownTag, (LPCSTR)MarkupNarrow(tag));
        object.Attach(new CKitMarkupObjectProperty(pProperty));
    } else {
        CKitMarkupType* pType = CKitMarkupType::LookupTag(tag);
        if (pType != nullptr)
            object.Attach(CreateObject(pType));
        if (!object)
            ThrowBuilderError(kUnknownTag, (LPCSTR)MarkupNarrow(tag));
    }
    object->SetTagName(tag);
    m_stack.push_back(object.Get());
    object.Detach();
}

void CKitMarkupBuilder::OnAttribute(CKitMarkupParser* pParser)
{
    CKitMarkupObject* pElement = GetInnermost();
    if (pElement == nullptr)
        ThrowBuilderError("Unexpected error");
    const std::wstring_view name(pParser->GetAttributeName(), static_cast<size_t>(pParser->GetAttributeNameLength()));
    if (StartsWith(name, L"xmlns"))
        return;
    CKitMarkupDependencyProperty* pProperty = nullptr;
    const size_t point = name.find(L'.');
    if (point != std::wstring_view::npos) {
        if (CKitMarkupType* pType = CKitMarkupType::LookupTag(name.substr(0, point)))
            pProperty = CKitMarkupDependencyProperty::FindProperty(pType, name.substr(point + 1));
    } else {
        pProperty = CKitMarkupDependencyProperty::FindProperty(pElement->GetType(), name);
    }
    if (pProperty == nullptr)
        ThrowBuilderError("The property '%s' does not exist in XML namespace", (LPCSTR)MarkupNarrow(name));
    pElement->SetPropertyObject(this, pProperty, MakeAttributeValue(pParser->GetValueView()));
}

void CKitMarkupBuilder::OnWord(std::wstring_view word)
{
    CKitMarkupObject* pElement = GetInnermost();
    if (pElement == nullptr)
        ThrowBuilderError(kRootLevelInvalid);
    if (m_bWhiteSpacePending) {
        if (!m_text.empty() || pElement->HasContentObject())
            m_text += L' ';
        m_bWhiteSpacePending = false;
    }
    m_text += word;
}

void CKitMarkupBuilder::OnEndElement(CKitMarkupParser* pParser, CKitMarkupRef<CKitMarkupObject>& root)
{
    if (m_stack.empty())
        ThrowBuilderError("Unexpected end tag");
    CKitMarkupRef<CKitMarkupObject> popped(m_stack.back());
    m_stack.pop_back();
    const std::wstring_view endTag(pParser->GetTagName(), static_cast<size_t>(pParser->GetTagNameLength()));
    const LPCWSTR lpszStartTag = popped->GetTagName();
    if (lpszStartTag == nullptr || endTag != lpszStartTag)
        ThrowBuilderError("The '%s' start tag does not match the end tag of '%s'",
                          (LPCSTR)MarkupNarrow(lpszStartTag), (LPCSTR)MarkupNarrow(endTag));
    if (!m_text.empty()) {
        CKitMarkupString* pText = CKitMarkupString::CreateValue(m_text);
        m_text.clear();
        popped->SetContentObject(this, pText);
    }
    m_text.clear();
    m_bWhiteSpacePending = false;

    if (CKitMarkupObjectProperty* pPropertyElement = MarkupDynamicCast<CKitMarkupObjectProperty>(popped.Get())) {
        if (pPropertyElement->GetValue() == nullptr)
            ThrowBuilderError("'%s' property does not have a value",
                              (LPCSTR)MarkupNarrow(pPropertyElement->GetProperty()->GetName()));
        CKitMarkupRef<CKitMarkupObject> value(pPropertyElement->DetachValue());
        if (CKitMarkupObject* pElement = GetInnermost())
            pElement->SetPropertyObject(this, pPropertyElement->GetProperty(), value.Detach());
        return;
    }
    if (CKitMarkupObject* pElement = GetInnermost())
        pElement->SetContentObject(this, popped.Detach());
    else
        root = std::move(popped);
}

void CKitMarkupBuilder::OnInstructionEnd(CKitMarkupParser* pParser)
{
    // The body holds no white space: encoding="utf-8" reads encoding="utf-8" here.
    const std::wstring_view body = pParser->GetValueView();
    const size_t start = body.find(L"encoding");
    constexpr size_t kValueOffset = 10;
    constexpr std::wstring_view kUtf8 = L"utf-8";
    if (start != std::wstring_view::npos && body.size() >= start + kValueOffset + kUtf8.size() &&
        body.substr(start + kValueOffset, kUtf8.size()) == kUtf8)
        pParser->SetCodePage(CP_UTF8);
}

void CKitMarkupBuilder::FlushText(CKitMarkupObject* pElement)
{
    if (m_text.empty()) {
        if (m_bWhiteSpacePending && pElement->HasContentObject() && pElement->AllowWhiteSpaceContent())
            pElement->SetContentObject(this, CKitMarkupString::CreateValue(L" ", 1));
        return;
    }
    if (m_bWhiteSpacePending)
        m_text += L' ';
    CKitMarkupString* pText = CKitMarkupString::CreateValue(m_text);
    m_text.clear();
    pElement->SetContentObject(this, pText);
}

void CKitMarkupBuilder::ReleaseStack()
{
    while (!m_stack.empty()) {
        CKitMarkupObject* pObject = m_stack.back();
        m_stack.pop_back();
        pObject->Release();
    }
}

CKitMarkupObject* CKitMarkupBuilder::MakeAttributeValue(std::wstring_view text)
{
    if (StartsWith(text, L"{}"))
        return CKitMarkupString::CreateValue(text.substr(2));
    if (StartsWith(text, L"{"))
        return ParseMarkupExtension(text.substr(1), 0);
    return CKitMarkupString::CreateValue(text);
}

CKitMarkupObject* CKitMarkupBuilder::ParseMarkupExtension(std::wstring_view text, int nDepth)
{
    if (nDepth >= kMarkupMaxExtensionDepth)
        ThrowBuilderError("The markup extensions are nested deeper than %i levels", kMarkupMaxExtensionDepth);
    if (!EndsWith(text, L"}"))
        ThrowBuilderError("Markup extension expressions must end with '}'");
    text.remove_suffix(1);
    if (StartsWith(text, L"x:Static "))
        return ResolveStaticMember(text.substr(9));
    if (StartsWith(text, L"StaticResource "))
        return LookupResource(text.substr(15), nDepth);
    if (StartsWith(text, L"DynamicResource "))
        return LookupResource(text.substr(16), nDepth);
    if (StartsWith(text, L"x:Type ")) {
        const std::wstring_view tag = text.substr(7);
        CKitMarkupType* pType = CKitMarkupType::LookupTag(tag);
        if (pType == nullptr)
            ThrowBuilderError("Cannot find type '%s'", (LPCSTR)MarkupNarrow(tag));
        pType->AddRef();
        return pType;
    }
    ThrowBuilderError(kUnknownTag, (LPCSTR)MarkupNarrow(text));
}

CKitMarkupObject* CKitMarkupBuilder::LookupResource(std::wstring_view keyText, int nDepth)
{
    while (!keyText.empty() && (keyText[0] == L' ' || keyText[0] == L'\n' || keyText[0] == L'\r'))
        keyText.remove_prefix(1);
    CKitMarkupRef<CKitMarkupObject> key;
    if (StartsWith(keyText, L"{}"))
        key.Attach(CKitMarkupString::CreateValue(keyText.substr(2)));
    else if (StartsWith(keyText, L"{"))
        key.Attach(ParseMarkupExtension(keyText.substr(1), nDepth + 1));
    else
        key.Attach(CKitMarkupString::CreateValue(keyText));

    if (CKitMarkupObject* pFound = FindOpenResource(key.Get())) {
        pFound->AddRef();
        return pFound;
    }
    if (const CKitMarkupColorKey* pColorKey = MarkupDynamicCast<CKitMarkupColorKey>(key.Get()))
        return GetSystemValue(kSystemColor, pColorKey->GetIndex());
    if (const CKitMarkupBrushKey* pBrushKey = MarkupDynamicCast<CKitMarkupBrushKey>(key.Get()))
        return GetSystemValue(kSystemBrush, pBrushKey->GetIndex());
    ThrowBuilderError("Cannot find resource named '%s'. Resource names are case sensitive",
                      (LPCSTR)MarkupNarrow(keyText));
}

CKitMarkupObject* CKitMarkupBuilder::FindOpenResource(CKitMarkupObject* pKey) const
{
    for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
        CKitMarkupObject* pOpen = *it;
        CKitMarkupObject* pSearched = nullptr;
        if (pOpen->IsKindOf(MARKUP_TYPE(CKitMarkupFrameworkElement)) ||
            pOpen->IsKindOf(MARKUP_TYPE(CKitMarkupFrameworkContentElement)) ||
            pOpen->IsKindOf(MARKUP_TYPE(CKitMarkupStyle)))
            pSearched = pOpen;
        else if (const CKitMarkupObjectProperty* pPropertyElement = MarkupDynamicCast<CKitMarkupObjectProperty>(pOpen))
            pSearched = pPropertyElement->GetValue();
        if (pSearched == nullptr)
            continue;
        if (CKitMarkupObject* pFound = FindResource(pSearched, pKey))
            return pFound;
    }
    return nullptr;
}

CKitMarkupObject* CKitMarkupBuilder::ResolveStaticMember(std::wstring_view member)
{
    if (StartsWith(member, kSystemColorsPrefix) && member.size() >= kStaticMemberMinLength) {
        const std::wstring_view rest = member.substr(kSystemColorsPrefix.size());
        for (const auto& ending : kStaticMemberEndings) {
            if (!EndsWith(rest, ending.ending))
                continue;
            const int index = MarkupFindSystemColorIndex(rest.substr(0, rest.size() - ending.ending.size()));
            if (index >= 0)
                return GetSystemValue(ending.kind, index);
            break;
        }
    }
    ThrowBuilderError("Cannot find the static member  '%s'", (LPCSTR)MarkupNarrow(member));
}

CKitMarkupObject* CKitMarkupBuilder::GetSystemValue(int nKind, int nIndex)
{
    CKitMarkupObject*& pMember = m_staticMembers[nKind][nIndex];
    if (pMember == nullptr) {
        const COLORREF clr = ::GetSysColor(nIndex);
        switch (nKind) {
        case kSystemBrush:
            pMember = new CKitMarkupSolidColorBrush(clr);
            break;
        case kSystemColor:
            pMember = new CKitMarkupColor(clr);
            break;
        case kSystemBrushKey:
            pMember = new CKitMarkupBrushKey(nIndex);
            break;
        default:
            pMember = new CKitMarkupColorKey(nIndex);
            break;
        }
    }
    pMember->AddRef();
    return pMember;
}
