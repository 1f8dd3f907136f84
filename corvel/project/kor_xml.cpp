#include "corvel/project/kor_xml.h"


#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace Korvane {
namespace Formats {

using Exceptions::CKorXmlException;

namespace {

// Ends an attribute list.
const char kListEnd[] = "XXX";

constexpr DWORD kReadMode = STGM_READ | STGM_SHARE_DENY_WRITE;
constexpr DWORD kWriteMode = STGM_CREATE | STGM_WRITE | STGM_SHARE_DENY_WRITE;

// Sets out to text (null reads as empty) in UTF-16 through the thread's ANSI code page, with its
// terminator; with escapeMarkup "&", "<", ">" and '"' become their entities. Every ANSI code page keeps the
// ASCII characters as they are.
LPCWSTR ToUtf16(LPCSTR text, std::vector<wchar_t>& out, bool escapeMarkup = false)
{
    const size_t length = text != nullptr ? strlen(text) : 0;
    if (out.size() < length + 1)
        out.resize(length + 1);
    wchar_t* wide = out.data();
    unsigned char high = 0;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        high |= c;
        wide[i] = static_cast<wchar_t>(c);
    }
    wide[length] = L'\0';
    if (high >= 0x80) {
        const int needed = ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, static_cast<int>(length), nullptr, 0);
        const size_t converted = needed > 0 ? static_cast<size_t>(needed) : 0;
        if (out.size() < converted + 1)
            out.resize(converted + 1);
        if (converted > 0)
            ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, static_cast<int>(length), out.data(), needed);
        out[converted] = L'\0';
    }
    // The markup characters are ASCII, the same in every ANSI code page.
    if (escapeMarkup && length > 0 && strpbrk(text, "&<>\"") != nullptr) {
        std::wstring escaped;
        for (const wchar_t* c = out.data(); *c != L'\0'; ++c) {
            switch (*c) {
            case L'&': escaped += L"&amp;"; break;
            case L'<': escaped += L"&lt;"; break;
            case L'>': escaped += L"&gt;"; break;
            case L'"': escaped += L"&quot;"; break;
            default: escaped += *c; break;
            }
        }
        out.assign(escaped.c_str(), escaped.c_str() + escaped.size() + 1);
    }
    return out.data();
}

bool IsListEnd(LPCSTR text)
{
    return text == nullptr || strcmp(text, kListEnd) == 0;
}

const BYTE kUtf8Bom[] = {0xEF, 0xBB, 0xBF};

// What the platform writer does by itself. Some writers leave out the
// byte-order mark, or write attribute values as they are given.
struct WriterTraits {
    bool writesBom = true;
    bool escapesAttributes = true;
};

// Writes a small document into memory once and looks at it.
WriterTraits ProbeWriterTraits()
{
    WriterTraits traits;
    ComPtr<IStream> memory;
    ComPtr<IXmlWriter> writer;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, memory.Receive()))
        || FAILED(::CreateXmlWriter(__uuidof(IXmlWriter), writer.ReceiveVoid(), nullptr))
        || FAILED(writer->SetOutput(memory.Get())) || FAILED(writer->WriteStartDocument(XmlStandalone_Omit))
        || FAILED(writer->WriteStartElement(nullptr, L"a", nullptr))
        || FAILED(writer->WriteAttributeString(nullptr, L"b", nullptr, L"&"))
        || FAILED(writer->WriteEndDocument()) || FAILED(writer->Flush()))
        return traits;
    writer.Release();
    STATSTG stat = {};
    HGLOBAL global = nullptr;
    if (FAILED(memory->Stat(&stat, STATFLAG_NONAME)) || FAILED(::GetHGlobalFromStream(memory.Get(), &global)))
        return traits;
    const size_t size = static_cast<size_t>(stat.cbSize.QuadPart);
    const BYTE* bytes = static_cast<const BYTE*>(::GlobalLock(global));
    if (bytes == nullptr)
        return traits;
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    ::GlobalUnlock(global);
    traits.writesBom = text.compare(0, sizeof kUtf8Bom, reinterpret_cast<const char*>(kUtf8Bom), sizeof kUtf8Bom) == 0;
    traits.escapesAttributes = text.find("&amp;") != std::string::npos;
    return traits;
}

const WriterTraits& PlatformWriterTraits()
{
    static const WriterTraits traits = ProbeWriterTraits();
    return traits;
}

AskFileNameFunction& DefaultAskFileName()
{
    static AskFileNameFunction ask;
    return ask;
}

// Refuses a text that XML cannot carry: the writer would put it into the file as it is, and no reader takes
// the file then.
void CheckCarriable(LPCSTR text)
{
    const int bad = FindCharacterXmlCannotCarry(text);
    if (bad < 0)
        return;
    char call[96];
    snprintf(call, sizeof call, "text (it holds the character 0x%02X, which XML cannot carry)",
             static_cast<unsigned char>(text[bad]));
    throw CKorXmlException(E_INVALIDARG, call);
}

} // namespace

int FindCharacterXmlCannotCarry(LPCSTR text)
{
    for (int i = 0; text != nullptr && text[i] != '\0'; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return i;
    }
    return -1;
}

CKorXml::CKorXml() : m_lastResult(S_OK), m_indent(1), m_askFileName(DefaultAskFileName()) {}

AskFileNameFunction CKorXml::SetDefaultAskFileName(AskFileNameFunction ask)
{
    return std::exchange(DefaultAskFileName(), std::move(ask));
}

LPCWSTR CKorXml::WideName(LPCSTR name)
{
    return ToUtf16(name, m_wideName);
}

LPCWSTR CKorXml::WideValue(LPCSTR value)
{
    // An attribute value as the writer must be given it for the file to hold value.
    CheckCarriable(value);
    return ToUtf16(value, m_wideValue, !PlatformWriterTraits().escapesAttributes);
}

LPCWSTR CKorXml::WideText(LPCSTR text)
{
    CheckCarriable(text);
    return ToUtf16(text, m_wideValue);
}

CKorXml::~CKorXml()
{
    if (m_writer) {
        m_lastResult = m_writer->WriteEndDocument();
        m_lastResult = m_writer->Flush();
    }
    m_reader.Release();
    m_writer.Release();
    m_stream.Release();
}

std::vector<CErrorReport> CKorXml::TakeMessages()
{
    return std::exchange(m_messages, {});
}

void CKorXml::Note(const CString& text, UINT type, const CString& caption)
{
    CErrorReport report;
    report.what = text;
    report.type = type;
    report.caption = caption;
    m_messages.push_back(report);
}

bool CKorXml::Close()
{
    HRESULT result = S_OK;
    const bool wasWriting = static_cast<bool>(m_writer);
    if (m_writer) {
        result = m_writer->WriteEndDocument();
        const HRESULT flushed = m_writer->Flush();
        if (SUCCEEDED(result))
            result = flushed;
        m_lastResult = result;
    }
    m_reader.Release();
    m_writer.Release();
    m_stream.Release();
    if (FAILED(result) && m_throwFailures)
        throw CKorXmlException(result, "WriteEndDocument");
    return wasWriting && !m_failed && SUCCEEDED(result);
}

void CKorXml::Check(HRESULT result, LPCSTR call)
{
    m_lastResult = result;
    if (FAILED(result))
        throw CKorXmlException(result, call);
}

bool CKorXml::OpenWriter()
{
    try {
        ComPtr<IXmlWriter> writer;
        Check(::CreateXmlWriter(__uuidof(IXmlWriter), writer.ReceiveVoid(), nullptr), "CreateXmlWriter");
        if (!PlatformWriterTraits().writesBom) {
            ULONG written = 0;
            Check(m_stream->Write(kUtf8Bom, sizeof kUtf8Bom, &written), "Write(byte-order mark)");
        }
        Check(writer->SetOutput(m_stream.Get()), "SetOutput");
        if (m_indent)
            Check(writer->SetProperty(XmlWriterProperty_Indent, TRUE), "SetProperty(Indent)");
        Check(writer->WriteStartDocument(XmlStandalone_Omit), "WriteStartDocument");
        m_writer = writer;
        return true;
    } catch (CKorXmlException&) {
        if (m_throwFailures)
            throw;
        Note("CreateWriter");
        return false;
    }
}

bool CKorXml::OpenReader()
{
    ComPtr<IXmlReader> reader;
    try {
        Check(::CreateXmlReader(__uuidof(IXmlReader), reader.ReceiveVoid(), nullptr), "CreateXmlReader");
    } catch (CKorXmlException&) {
        if (m_throwFailures)
            throw;
        Note("Error: CreateReader - XML");
        return false;
    }
    try {
        Check(reader->SetInput(m_stream.Get()), "SetInput");
    } catch (CKorXmlException&) {
        if (m_throwFailures)
            throw;
        Note("Error: CreateReader - Input");
        return false;
    }
    m_reader = reader;
    return true;
}

bool CKorXml::Open(LPCSTR fileName, bool forReading)
{
    m_fileName = fileName ? fileName : "";
    return OpenFileStream(forReading);
}

bool CKorXml::OpenFileStream(bool forReading)
{
    for (;;) {
        try {
            if (m_fileName.IsEmpty())
                throw CKorXmlException(E_INVALIDARG, "open", Exceptions::kKindNoFileName);
            ComPtr<IStream> stream;
            Check(::SHCreateStreamOnFileA(m_fileName, forReading ? kReadMode : kWriteMode, stream.Receive()),
                  "SHCreateStreamOnFileA");
            m_stream = stream;
            return forReading ? OpenReader() : OpenWriter();
        } catch (CKorXmlException&) {
            if (m_throwFailures)
                throw;
        }
        const CString chosen = m_askFileName ? m_askFileName(m_fileName) : CString();
        if (chosen.IsEmpty()) {
            CString message;
            message.Format("Error: Opening XML File\n%s", (LPCSTR)m_fileName);
            Note(message);
            return false;
        }
        m_fileName = chosen;
    }
}

template <class Write>
void CKorXml::Guarded(LPCSTR fixedMessage, Write write)
{
    if (!m_writer) {
        if (m_throwFailures)
            throw CKorXmlException(E_UNEXPECTED, "write (no open writer)");
        return;
    }
    try {
        write();
    } catch (CKorXmlException& e) {
        m_failed = true;
        if (m_throwFailures)
            throw;
        Note(fixedMessage ? fixedMessage : e.Message());
    }
}

void CKorXml::WriteStartTag(LPCSTR name)
{
    Guarded("Error writing start tag.", [&] {
        Check(m_writer->WriteStartElement(nullptr, WideName(name), nullptr), "WriteStartElement");
    });
}

void CKorXml::WriteAttributeElement(LPCSTR element, LPCSTR attribute, LPCSTR value)
{
    Guarded(nullptr, [&] {
        Check(m_writer->WriteStartElement(nullptr, WideName(element), nullptr), "WriteStartElement");
        Check(m_writer->WriteAttributeString(nullptr, WideName(attribute), nullptr, WideValue(value)),
              "WriteAttributeString");
        Check(m_writer->WriteFullEndElement(), "WriteFullEndElement");
    });
}

void CKorXml::WriteValueElement(LPCSTR element, LPCSTR value)
{
    Guarded(nullptr, [&] {
        Check(m_writer->WriteStartElement(nullptr, WideName(element), nullptr), "WriteStartElement");
        Check(m_writer->WriteAttributeString(nullptr, L"value", nullptr, WideValue(value)),
              "WriteAttributeString");
        Check(m_writer->WriteFullEndElement(), "WriteFullEndElement");
    });
}

void CKorXml::WriteTextElement(LPCSTR element, LPCSTR text)
{
    Guarded(nullptr, [&] {
        Check(m_writer->WriteStartElement(nullptr, WideName(element), nullptr), "WriteStartElement");
        Check(m_writer->WriteString(WideText(text)), "WriteString");
        Check(m_writer->WriteFullEndElement(), "WriteFullEndElement");
    });
}

void CKorXml::WriteEndTag()
{
    Guarded(nullptr, [&] { Check(m_writer->WriteFullEndElement(), "WriteFullEndElement"); });
}

void CKorXml::WriteShortEndTag()
{
    Guarded(nullptr, [&] { Check(m_writer->WriteEndElement(), "WriteEndElement"); });
}

void CKorXml::WriteText(LPCSTR text)
{
    Guarded(nullptr, [&] { Check(m_writer->WriteString(WideText(text)), "WriteString"); });
}

void CKorXml::WriteListStartTag(std::initializer_list<LPCSTR> list, bool valueMayEnd)
{
    const LPCSTR* items = list.begin();
    if (list.size() == 0 || items[0] == nullptr)
        throw CKorXmlException(E_INVALIDARG, "WriteStartElement (no element name)");
    Check(m_writer->WriteStartElement(nullptr, WideName(items[0]), nullptr), "WriteStartElement");
    for (size_t i = 1; i + 1 < list.size(); i += 2) {
        const LPCSTR name = items[i];
        const LPCSTR value = items[i + 1];
        if (IsListEnd(name) || (valueMayEnd && IsListEnd(value)))
            break;
        Check(m_writer->WriteAttributeString(nullptr, WideName(name), nullptr, WideValue(value)),
              "WriteAttributeString");
    }
}

void CKorXml::WriteMultiNoEndElement(std::initializer_list<LPCSTR> list)
{
    Guarded("Error writing multi-no-end-element tag.", [&] { WriteListStartTag(list, false); });
}

void CKorXml::WriteMultiElement(std::initializer_list<LPCSTR> list)
{
    WriteMultiNoEndElement(list);
    WriteEndTag();
}

void CKorXml::WriteMultiShortEndElement(std::initializer_list<LPCSTR> list)
{
    WriteMultiNoEndElement(list);
    WriteShortEndTag();
}

void CKorXml::WriteStartElementWithAttribute(LPCSTR element, LPCSTR attribute, LPCSTR value)
{
    Guarded(nullptr, [&] {
        Check(m_writer->WriteStartElement(nullptr, WideName(element), nullptr), "WriteStartElement");
        Check(m_writer->WriteAttributeString(nullptr, WideName(attribute), nullptr, WideValue(value)),
              "WriteAttributeString");
    });
}

void CKorXml::WriteMultiStartElement(std::initializer_list<LPCSTR> list)
{
    Guarded(nullptr, [&] { WriteListStartTag(list, true); });
}

} // namespace Formats
} // namespace Korvane
