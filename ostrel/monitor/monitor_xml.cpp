#include "ostrel/monitor/monitor_xml.h"

#include <cstdarg>
#include <cstdio>

namespace {

constexpr size_t kTraceBufferBytes = 1024;
const char kCreateFailedTrace[] = "CreateXmlDoc() pXmlDomDoc.CreateInstance(__uuidof(MSXML2::DOMDocument)) failed\n";
const char kLoadFailedTrace[] = "CreateXmlDoc() pXmlDomDoc->LoadXML(bstrXml) failed\n";

bool g_tracing = false;

// A new empty document with synchronous loading; empty after a traced failure.
DomDocumentPtr NewDocument()
{
    DomDocumentPtr document;
    if (FAILED(document.CreateInstance(kClsidDomDocument)) || FAILED(document->put_async(VARIANT_FALSE))) {
        DiagTrace(kCreateFailedTrace);
        return DomDocumentPtr();
    }
    return document;
}

} // namespace

bool CreateXmlDoc(const CString& text, DomDocumentPtr& document)
{
    DomDocumentPtr created = NewDocument();
    if (!created)
        return false;
    VARIANT_BOOL loaded = VARIANT_FALSE;
    try {
        const ComBstr xml(text);
        if (FAILED(created->loadXML(xml.Get(), &loaded)))
            loaded = VARIANT_FALSE;
    } catch (const ComError&) {
        loaded = VARIANT_FALSE;
    }
    if (loaded != VARIANT_TRUE) {
        DiagTrace(kLoadFailedTrace);
        return false;
    }
    document = std::move(created);
    return true;
}

bool CreateXmlDoc(const XmlFile& file, DomDocumentPtr& document)
{
    DomDocumentPtr created = NewDocument();
    if (!created)
        return false;
    bool loaded = false;
    try {
        loaded = LoadDomDocumentFromFile(created, file.path);
    } catch (const ComError&) {
        loaded = false;
    }
    if (!loaded) {
        DiagTrace(kLoadFailedTrace);
        return false;
    }
    document = std::move(created);
    return true;
}

CString RootElementName(const DomDocumentPtr& document)
{
    DomElementPtr root;
    if (!document || FAILED(document->get_documentElement(root.Receive())) || !root)
        return CString();
    return NodeName(DomNodePtr(root));
}

void DiagTrace(LPCSTR format, ...)
{
    if (!g_tracing)
        return;
    char text[kTraceBufferBytes];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    text[sizeof text - 1] = '\0';
    ::OutputDebugStringA(text);
}

void EnableDiagTrace(bool enable)
{
    g_tracing = enable;
}
