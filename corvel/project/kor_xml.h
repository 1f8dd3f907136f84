// Korvane::Formats::CKorXml: one XML file as a stream under the platform's forward-only writer or reader;
// FindCharacterXmlCannotCarry.
#pragma once

#include "common/com_support.h"
#include "corvel/project/embedded_files.h"
#include "corvel/project/kor_exceptions.h"
#include "framework/error_report.h"
#include "framework/strings.h"

#include <functional>
#include <initializer_list>
#include <vector>
#include <xmllite.h>

namespace Korvane {
namespace Formats {

// The index of the first character of text that XML cannot carry (a control character other than tab, line
// feed and carriage return), or -1 when it has none.
int FindCharacterXmlCannotCarry(LPCSTR text);

// Asks for another file when the XML file cannot be opened under proposed: the
// chosen path, or an empty text when the user declined. The program's default
// is its Save As dialog.
using AskFileNameFunction = std::function<CString(const CString& proposed)>;

// Writer: Open(path, false), element operations in document order, then
// destruction (or Close) closes every open element and flushes the file.
// Reader: Open(path, true). By default no exception leaves an operation:
// failures are noted (TakeMessages) for the window layer to show, and the open
// operations return false. Element operations on an object without a writer do
// nothing. With SetThrowFailures(true) every failure leaves as a
// CKorXmlException instead and nothing is noted or asked.
class CKorXml {
public:
    CKorXml();

    // Creates the writer on the open stream: UTF-8 with a byte-order mark, the
    // declaration without standalone, indented when the indent flag is set.
    virtual bool OpenWriter();
    virtual bool OpenReader();
    virtual ~CKorXml();
    virtual bool Open(LPCSTR fileName, bool forReading);
    // Opens the stream on the file name and the reader or writer over it. A
    // missing or unopenable name asks for another (the ask-file-name function)
    // until one opens or none is given.
    virtual bool OpenFileStream(bool forReading);

    // The question every new object asks for another file name; returns the one it
    // replaces. Without one an unopenable file is given up at once.
    static AskFileNameFunction SetDefaultAskFileName(AskFileNameFunction ask);
    // This object's question, in place of the default.
    void SetAskFileName(AskFileNameFunction ask) { m_askFileName = std::move(ask); }

    virtual void WriteStartTag(LPCSTR name);
    virtual void WriteAttributeElement(LPCSTR element, LPCSTR attribute, LPCSTR value);
    virtual void WriteValueElement(LPCSTR element, LPCSTR value);
    virtual void WriteTextElement(LPCSTR element, LPCSTR text);
    virtual void WriteEndTag();
    // An element with no content yet closes as an empty-element tag.
    virtual void WriteShortEndTag();
    virtual void WriteText(LPCSTR text);

    // list: element name, then attribute name and value pairs, ended by the
    // name "XXX" (or by the end of the list).
    void WriteMultiNoEndElement(std::initializer_list<LPCSTR> list);
    void WriteMultiElement(std::initializer_list<LPCSTR> list);
    void WriteMultiShortEndElement(std::initializer_list<LPCSTR> list);
    void WriteStartElementWithAttribute(LPCSTR element, LPCSTR attribute, LPCSTR value);
    // As WriteMultiNoEndElement, but "XXX" in a value position ends the list too.
    void WriteMultiStartElement(std::initializer_list<LPCSTR> list);

    // Writes one "File" element holding the file at path as a one-item zip
    // archive in base64. A file that cannot be read is left out and gives
    // false; it is noted unless failures are thrown.
    bool WriteEmbeddedFile(LPCSTR path);
    // Reads the rest of the document and restores the file of every "File"
    // element (see RestoreEmbeddedFile for where files go). Stops at the first
    // failing element; the files restored before stay. Shows nothing: what the
    // user must be told is kept (GetResultMessages) for the caller to show.
    void ExtractEmbeddedFiles(const TrustedFolders& trustedFolders = TrustedFolders());

    // Failures of the open and element operations and of Close are thrown to
    // the caller rather than shown; an open that fails asks for no other file.
    void SetThrowFailures(bool throwFailures) { m_throwFailures = throwFailures; }
    // Ends the document (closing every open element), flushes and closes the
    // file; destruction after Close does nothing more. False when that or any
    // element operation before failed (each was noted, or the failure of
    // Close is thrown when failures are thrown).
    bool Close();
    // The failures noted since the last take, in order, for the window layer to show.
    std::vector<CErrorReport> TakeMessages();

    HRESULT GetLastResult() const { return m_lastResult; }
    const CString& GetFileName() const { return m_fileName; }
    // Empty after an extraction that restored every file, else its last message.
    const CString& GetResultText() const { return m_resultText; }
    // The messages of the last extraction, in order; empty when it restored every file.
    const std::vector<CString>& GetResultMessages() const { return m_resultMessages; }

private:
    CKorXml(const CKorXml&) = delete;
    CKorXml& operator=(const CKorXml&) = delete;

    // Keeps result as the last result; raises CKorXmlException when it is a failure.
    void Check(HRESULT result, LPCSTR call);
    // The start tag and attributes of list, left open.
    void WriteListStartTag(std::initializer_list<LPCSTR> list, bool valueMayEnd);
    // Texts for the platform writer, in buffers of this object: a name, an attribute value (escaped when the
    // writer does not escape attribute values itself), element text. Each is valid until the next call of
    // the same kind.
    LPCWSTR WideName(LPCSTR name);
    LPCWSTR WideValue(LPCSTR value);
    LPCWSTR WideText(LPCSTR text);
    // Notes a failure: shown by the window layer as AfxMessageBox shows text, or under caption.
    void Note(const CString& text, UINT type = MB_OK, const CString& caption = CString());
    // Runs write, noting the exception's message (or fixedMessage when given) on failure.
    template <class Write>
    void Guarded(LPCSTR fixedMessage, Write write);

    HRESULT m_lastResult;
    ComPtr<IStream> m_stream;
    ComPtr<IXmlWriter> m_writer;
    ComPtr<IXmlReader> m_reader;
    BYTE m_indent;
    bool m_throwFailures = false;
    CString m_resultText; // what the extraction of embedded files reports
    std::vector<CString> m_resultMessages;
    std::vector<CErrorReport> m_messages;
    CString m_fileName;
    std::vector<wchar_t> m_wideName;
    std::vector<wchar_t> m_wideValue;
    AskFileNameFunction m_askFileName;
    // An element operation failed.
    bool m_failed = false;
};

} // namespace Formats
} // namespace Korvane
