// CreateXmlDoc, XmlFile, DiagTrace, EnableDiagTrace: the module's replies as DOM documents, and the client's trace output.
#pragma once

#include "common/msxml_support.h"
#include "framework/strings.h"

// Names a file for CreateXmlDoc (a plain text is the document itself).
struct XmlFile {
    CString path;
};

// A new DOM document (class "DOMDocument") holding the parsed text or file.
// True with the document in document; false, leaving document untouched,
// when no document can be made or the input is not well-formed XML (both
// written to the trace output).
bool CreateXmlDoc(const CString& text, DomDocumentPtr& document);
bool CreateXmlDoc(const XmlFile& file, DomDocumentPtr& document);

// The name of the document's root element; empty when it has none.
CString RootElementName(const DomDocumentPtr& document);

// Writes the formatted text (cut at 1023 characters) to the debugger output while tracing is on.
void DiagTrace(LPCSTR format, ...);
// The program switches tracing on at start-up; it is off until then.
void EnableDiagTrace(bool enable);
