// CKitMarkupBuilder, CKitMarkupBuilderException, CKitMarkupObjectProperty, CKitMarkupColorKey, CKitMarkupBrushKey: from tokens to a tree of markup objects.
#pragma once

#include "framework/exceptions.h"
#include "framework/strings.h"
#include "toolkit/markup/markup_limits.h"
#include "toolkit/markup/markup_object.h"

#include <string>
#include <string_view>
#include <vector>

class CKitMarkupContext;
class CKitMarkupParser;
class CKitMarkupUIElement;

// The one error a build raises; its message ends the build.
class CKitMarkupBuilderException : public CException {
    DECLARE_DYNAMIC(CKitMarkupBuilderException)
public:
    // Keeps at most 255 bytes of the message.
    explicit CKitMarkupBuilderException(LPCSTR lpszMessage);

    using CException::GetErrorMessage;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

private:
    char m_szMessage[kMarkupBuilderMessageMaxLength + 1];
};

// Stands on the element stack for a property element such as Border.Background.
class CKitMarkupObjectProperty : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupObjectProperty)
public:
    explicit CKitMarkupObjectProperty(CKitMarkupDependencyProperty* pProperty = nullptr);
    ~CKitMarkupObjectProperty() override;

    // Content of the property's type or text becomes the value; other content
    // fills the value, which is made of the property's type when there is none.
    void SetContentObject(CKitMarkupBuilder* pBuilder, CKitMarkupObject* pContent) override;

    CKitMarkupDependencyProperty* GetProperty() const { return m_pProperty; }
    CKitMarkupObject* GetValue() const { return m_pValue; }
    // Hands the value (one reference) to the caller.
    CKitMarkupObject* DetachValue() { return std::exchange(m_pValue, nullptr); }

private:
    void SetValueObject(CKitMarkupObject* pValue);

    CKitMarkupObject* m_pValue;
    CKitMarkupDependencyProperty* m_pProperty;
};

// A resource key that falls back to a system colour.
class CKitMarkupColorKey : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupColorKey)
public:
    explicit CKitMarkupColorKey(int nIndex = 0) : m_nIndex(nIndex) {}
    int GetIndex() const { return m_nIndex; }

private:
    int m_nIndex;
};

// A resource key that falls back to a system colour brush.
class CKitMarkupBrushKey : public CKitMarkupObject {
    DECLARE_MARKUPCLASS(CKitMarkupBrushKey)
public:
    explicit CKitMarkupBrushKey(int nIndex = 0) : m_nIndex(nIndex) {}
    int GetIndex() const { return m_nIndex; }

private:
    int m_nIndex;
};

// Builds one tree from the tokens of one parser; reports the first error with its line and position.
class CKitMarkupBuilder {
public:
    // pContext (may be nullptr) makes the objects; without one they come from their types.
    explicit CKitMarkupBuilder(CKitMarkupContext* pContext);
    virtual ~CKitMarkupBuilder();
    CKitMarkupBuilder(const CKitMarkupBuilder&) = delete;
    CKitMarkupBuilder& operator=(const CKitMarkupBuilder&) = delete;

    // The root element with one reference, or nullptr; then GetErrorText says why.
    CKitMarkupUIElement* Parse(CKitMarkupParser* pParser);
    const CString& GetErrorText() const { return m_strError; }

    // The value converted to the property's type (a new reference); raises when it cannot be.
    CKitMarkupObject* ConvertValue(CKitMarkupDependencyProperty* pProperty, CKitMarkupObject* pValue);
    // A new object of the type, made through the context when there is one.
    CKitMarkupObject* CreateObject(CKitMarkupType* pType);
    CKitMarkupContext* GetContext() const { return m_pContext; }

    // Ends the build with the message (printf format, narrow arguments).
    [[noreturn]] static void ThrowBuilderError(LPCSTR lpszFormat, ...) KOR_PRINTF_FORMAT(1, 2);

private:
    void Build(CKitMarkupParser* pParser, CKitMarkupRef<CKitMarkupObject>& root);
    void OnStartTag(CKitMarkupParser* pParser, const CKitMarkupRef<CKitMarkupObject>& root);
    void OnAttribute(CKitMarkupParser* pParser);
    void OnWord(std::wstring_view word);
    void OnEndElement(CKitMarkupParser* pParser, CKitMarkupRef<CKitMarkupObject>& root);
    void OnInstructionEnd(CKitMarkupParser* pParser);
    void FlushText(CKitMarkupObject* pElement);
    void PushElement(CKitMarkupObject* pObject, std::wstring_view tag);
    CKitMarkupObject* GetInnermost() const { return m_stack.empty() ? nullptr : m_stack.back(); }
    void ReleaseStack();

    // The value of an attribute text: a string, or the result of a markup extension.
    CKitMarkupObject* MakeAttributeValue(std::wstring_view text);
    CKitMarkupObject* ParseMarkupExtension(std::wstring_view text, int nDepth);
    CKitMarkupObject* LookupResource(std::wstring_view keyText, int nDepth);
    CKitMarkupObject* FindOpenResource(CKitMarkupObject* pKey) const;
    CKitMarkupObject* ResolveStaticMember(std::wstring_view member);
    // The cached system value of one kind (0 brush, 1 colour, 2 brush key, 3 colour key), a new reference.
    CKitMarkupObject* GetSystemValue(int nKind, int nIndex);

    CString m_strError;
    CKitMarkupContext* m_pContext;
    CKitMarkupObject* m_staticMembers[4][kMarkupSystemColorCount];
    std::vector<CKitMarkupObject*> m_stack;
    std::wstring m_text;
    bool m_bWhiteSpacePending;
};
