#include "tools/markupcheck/markup_dump.h"

#include "toolkit/markup/markup_brushes.h"
#include "toolkit/markup/markup_builder.h"
#include "toolkit/markup/markup_context.h"
#include "toolkit/markup/markup_grid.h"
#include "toolkit/markup/markup_shapes.h"
#include "toolkit/markup/markup_style.h"
#include "toolkit/markup/markup_text.h"
#include "toolkit/markup/markup_thickness.h"
#include "toolkit/markup/markup_values.h"
#include "toolkit/markup/markup_visual.h"

#include <cstdio>
#include <unordered_set>
#include <vector>

namespace {

// Deeper trees are cut (markup cannot nest this deep; objects made in code might).
constexpr int kMaxDumpDepth = 1000;

class CMarkupDumper {
public:
    explicit CMarkupDumper(std::string& out) : m_out(out) {}

    void DumpObject(CKitMarkupObject* pObject, int depth);

private:
    void Indent(int depth) { m_out.append(static_cast<size_t>(depth) * 2, ' '); }
    // The value's text when it has one; false for objects printed as lines of their own.
    bool FormatValue(CKitMarkupObject* pValue, std::string& text) const;
    void DumpItems(CKitMarkupObject* pObject, int depth, const std::vector<CKitMarkupObject*>& shown);

    std::string& m_out;
    std::unordered_set<const CKitMarkupObject*> m_printed;
};

std::string Narrow(LPCWSTR lpszText)
{
    return std::string((LPCSTR)MarkupNarrow(lpszText));
}

// The element tag, or the class name without its prefix for types without a tag.
std::string TypeName(const CKitMarkupType* pType)
{
    if (pType->GetTag() != nullptr && pType->GetTag()[0] != L'\0')
        return Narrow(pType->GetTag());
    std::string name = Narrow(pType->GetClassName());
    const std::string prefix = "CKitMarkup";
    if (name.compare(0, prefix.size(), prefix) == 0 && name.size() > prefix.size())
        name.erase(0, prefix.size());
    return name;
}

std::string PropertyName(const CKitMarkupDependencyProperty* pProperty)
{
    std::string name = Narrow(pProperty->GetName());
    if (pProperty->IsAttached())
        name = TypeName(pProperty->GetOwnerType()) + "." + name;
    return name;
}

std::string Quote(LPCWSTR lpszText)
{
    const std::string text = Narrow(lpszText);
    std::string quoted = "\"";
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            quoted += '\\';
            quoted += ch;
        } else if (c < 0x20 || c == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\x%02X", c);
            quoted += escape;
        } else {
            quoted += ch;
        }
    }
    return quoted + "\"";
}

std::string Number(double value)
{
    char text[40];
    std::snprintf(text, sizeof(text), "%.15g", value);
    return text;
}

bool CMarkupDumper::FormatValue(CKitMarkupObject* pValue, std::string& text) const
{
    char buffer[64];
    if (const CKitMarkupInt* pInt = MarkupDynamicCast<CKitMarkupInt>(pValue)) {
        text = std::to_string(pInt->GetValue());
    } else if (const CKitMarkupEnum* pEnum = MarkupDynamicCast<CKitMarkupEnum>(pValue)) {
        text = std::to_string(pEnum->GetValue());
    } else if (const CKitMarkupDouble* pDouble = MarkupDynamicCast<CKitMarkupDouble>(pValue)) {
        text = Number(pDouble->GetValue());
    } else if (const CKitMarkupBool* pBool = MarkupDynamicCast<CKitMarkupBool>(pValue)) {
        text = pBool->GetValue() ? "True" : "False";
    } else if (const CKitMarkupColor* pColor = MarkupDynamicCast<CKitMarkupColor>(pValue)) {
        const DWORD clr = pColor->GetValue();
        std::snprintf(buffer, sizeof(buffer), "#%02X%02X%02X%02X", static_cast<unsigned>(clr >> 24),
                      static_cast<unsigned>(clr & 0xFF), static_cast<unsigned>((clr >> 8) & 0xFF),
                      static_cast<unsigned>((clr >> 16) & 0xFF));
        text = buffer;
    } else if (const CKitMarkupString* pString = MarkupDynamicCast<CKitMarkupString>(pValue)) {
        text = Quote(pString->GetText());
    } else if (const CKitMarkupDoubleCollection* pList = MarkupDynamicCast<CKitMarkupDoubleCollection>(pValue)) {
        text.clear();
        for (int i = 0; i < pList->GetCount(); ++i)
            text += (i > 0 ? "," : "") + Number(pList->GetAt(i));
    } else if (const CKitMarkupThickness* pThickness = MarkupDynamicCast<CKitMarkupThickness>(pValue)) {
        std::snprintf(buffer, sizeof(buffer), "%d,%d,%d,%d", pThickness->m_nLeft, pThickness->m_nTop,
                      pThickness->m_nRight, pThickness->m_nBottom);
        text = buffer;
    } else if (const CKitMarkupPoint* pPoint = MarkupDynamicCast<CKitMarkupPoint>(pValue)) {
        text = Number(pPoint->m_x) + "," + Number(pPoint->m_y);
    } else if (const CKitMarkupGridLength* pLength = MarkupDynamicCast<CKitMarkupGridLength>(pValue)) {
        if (pLength->GetUnit() == CKitMarkupGridLength::unitAuto)
            text = "Auto";
        else if (pLength->GetUnit() == CKitMarkupGridLength::unitStar)
            text = (pLength->GetValue() == 1.0 ? std::string() : Number(pLength->GetValue())) + "*";
        else
            text = Number(pLength->GetValue());
    } else if (const CKitMarkupPointCollection* pPoints = MarkupDynamicCast<CKitMarkupPointCollection>(pValue)) {
        text.clear();
        for (int i = 0; i < pPoints->GetCount(); ++i)
            text += (i > 0 ? " " : "") + std::to_string(pPoints->GetPoints()[i].x) + "," +
                    std::to_string(pPoints->GetPoints()[i].y);
    } else if (const CKitMarkupType* pType = MarkupDynamicCast<CKitMarkupType>(pValue)) {
        text = "{x:Type " + TypeName(pType) + "}";
    } else if (const CKitMarkupDependencyProperty* pProperty = MarkupDynamicCast<CKitMarkupDependencyProperty>(pValue)) {
        text = PropertyName(pProperty);
    } else if (const CKitMarkupColorKey* pColorKey = MarkupDynamicCast<CKitMarkupColorKey>(pValue)) {
        text = "ColorKey(" + std::to_string(pColorKey->GetIndex()) + ")";
    } else if (const CKitMarkupBrushKey* pBrushKey = MarkupDynamicCast<CKitMarkupBrushKey>(pValue)) {
        text = "BrushKey(" + std::to_string(pBrushKey->GetIndex()) + ")";
    } else {
        return false;
    }
    return true;
}

// The objects shown under an object: a collection's items, a dictionary's
// values, a style's setters, else its logical children.
std::vector<CKitMarkupObject*> ChildrenOf(CKitMarkupObject* pObject)
{
    std::vector<CKitMarkupObject*> children;
    if (const CKitMarkupResourceDictionary* pDictionary = MarkupDynamicCast<CKitMarkupResourceDictionary>(pObject)) {
        for (int i = 0; i < pDictionary->GetCount(); ++i)
            children.push_back(pDictionary->GetValueAt(i));
    } else if (const CKitMarkupStyle* pStyle = MarkupDynamicCast<CKitMarkupStyle>(pObject)) {
        for (int i = 0; i < pStyle->GetSetters()->GetCount(); ++i)
            children.push_back(pStyle->GetSetters()->GetAt(i));
    } else {
        const int count = pObject->GetLogicalChildrenCount();
        for (int i = 0; i < count; ++i)
            children.push_back(pObject->GetLogicalChild(i));
    }
    return children;
}

void CMarkupDumper::DumpItems(CKitMarkupObject* pObject, int depth, const std::vector<CKitMarkupObject*>& shown)
{
    for (CKitMarkupObject* pChild : ChildrenOf(pObject)) {
        if (pChild == nullptr)
            continue;
        bool isPropertyValue = false;
        for (const CKitMarkupObject* pShown : shown)
            isPropertyValue = isPropertyValue || pShown == pChild;
        if (isPropertyValue)
            continue;
        // A collection among the children stands for its items.
        if (MarkupDynamicCast<CKitMarkupCollection>(pChild) != nullptr)
            DumpItems(pChild, depth, shown);
        else
            DumpObject(pChild, depth);
    }
}

void CMarkupDumper::DumpObject(CKitMarkupObject* pObject, int depth)
{
    Indent(depth);
    m_out += "<" + TypeName(pObject->GetType()) + ">";
    if (!m_printed.insert(pObject).second || depth >= kMaxDumpDepth) {
        m_out += " ...\n";
        return;
    }

    // Local values with a text form stay on the line; the others follow as property elements.
    std::vector<std::pair<std::string, CKitMarkupObject*>> nested;
    std::vector<CKitMarkupObject*> shown;
    const int count = CKitMarkupDependencyProperty::GetPropertyCount();
    for (int index = 0; index < count; ++index) {
        CKitMarkupDependencyProperty* pProperty = CKitMarkupDependencyProperty::GetPropertyAt(index);
        CKitMarkupObject* pValue = pProperty != nullptr ? pObject->GetLocalValue(pProperty) : nullptr;
        if (pValue == nullptr)
            continue;
        std::string text;
        shown.push_back(pValue);
        const CKitMarkupCollection* pCollection = MarkupDynamicCast<CKitMarkupCollection>(pValue);
        if (pCollection != nullptr && pCollection->GetCount() == 0)
            continue;
        if (FormatValue(pValue, text))
            m_out += " " + PropertyName(pProperty) + "=" + text;
        else
            nested.emplace_back(PropertyName(pProperty), pValue);
    }
    m_out += "\n";
    const std::string ownerName = TypeName(pObject->GetType());
    for (const auto& entry : nested) {
        Indent(depth + 1);
        const bool qualified = entry.first.find('.') != std::string::npos;
        m_out += "<" + (qualified ? entry.first : ownerName + "." + entry.first) + ">\n";
        if (MarkupDynamicCast<CKitMarkupCollection>(entry.second) != nullptr ||
            MarkupDynamicCast<CKitMarkupResourceDictionary>(entry.second) != nullptr)
            DumpItems(entry.second, depth + 2, {});
        else
            DumpObject(entry.second, depth + 2);
    }
    DumpItems(pObject, depth + 1, shown);
}

} // namespace

std::string DumpMarkupTree(CKitMarkupObject* pRoot)
{
    std::string out;
    if (pRoot != nullptr)
        CMarkupDumper(out).DumpObject(pRoot, 0);
    return out;
}

int CheckMarkupText(LPCSTR lpszText, std::string& out)
{
    CKitMarkupContext* pContext = new CKitMarkupContext(nullptr);
    CString error;
    CKitMarkupUIElement* pRoot = pContext->Parse(lpszText, &error);
    int result = 0;
    if (pRoot != nullptr) {
        out = DumpMarkupTree(pRoot);
    } else {
        out = std::string((LPCSTR)error) + "\n";
        result = 1;
    }
    if (pRoot != nullptr)
        pRoot->Release();
    pContext->Release();
    return result;
}
