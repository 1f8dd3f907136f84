#include "corvel/gateway/tcp_socket.h"
#include "corvel/gateway/vqn_diagnostics.h"

#include "corvel/gateway/module_limits.h"
#include "corvel/model/xml_document.h"
#include "common/xml_reply_scanner.h"

#include <algorithm>
#include <memory>

const char kTestConnectionRequest[] = "trn=testconnection";
const char kTestConnectionEndMarker[] = "<?xml version=\"1.0\"?>";
const char kProductInfoRequest[] = "trn=getdiagnostics&resource=SYSTEM&driver=MCP&diagcode=getprodinfo";
const char kProductInfoEndMarker[] = "</getprodinfo>";
const char kEventLogRequest[] = "trn=geteventlogcache";

namespace {

const char kRunningDriversRequest[] = "trn=getrunningdrivers";
const char kRunningDriversEndMarker[] = "</runningdrivers>";
const char kDiagnosticIndexRequest[] = "trn=getdiagnostics&resource=%s&driver=%s&diagcode=getindex";
const char kDiagnosticIndexEndMarker[] = "</getindex>";
const char kDiagnosticsRequest[] = "trn=getdiagnostics&resource=%s&driver=%s&diagcode=%s";
// The module's element is "eventLog"; "eventlog" is accepted as well.
const char* const kEventLogElementNames[] = {"eventLog", "eventlog"};
const char kEventLogEntryElement[] = "messageData";
const char* const kSecondModelProducts[] = {"VQN32-MTCP-61850", "VQN32-EIP-61850"};

ExchangeTiming g_timing = DefaultExchangeTiming();

// Why an exchange failed; each is formatted with the module's address first.
const char kNoAnswerText[] = "no answer from the module at %s";
const char kClosedText[] = "the module at %s closed the connection without a reply";
const char kCutReplyText[] = "the reply of the module at %s stopped after %d bytes: %s";
const char kDeadlineText[] = "the reply of the module at %s did not end within %lu s (%d bytes): %s";
const char kTooLongText[] = "the reply of the module at %s passed %d bytes";
const char kNotXmlText[] = "the module at %s answered with something that is not XML: %s";
const char kUnexpectedReplyText[] = "the module at %s answered %s";


// The text between the first two double quotes from position from on; false
// when either quote is missing. next is the position after the closing quote.
bool QuotedTextAfter(const CString& text, int from, CString& quoted, int& next)
{
    const int open = text.Find('"', from);
    if (open < 0)
        return false;
    const int close = text.Find('"', open + 1);
    if (close < 0)
        return false;
    quoted = text.Mid(open + 1, close - open - 1);
    next = close + 1;
    return true;
}

// Reads the reply as text: each firstKey followed by a quoted value, then
// secondKey followed by a quoted value, gives one pair. A missing key or
// quote ends the pairs.
template <class Pair, class Store>
void ScanQuotedPairs(const CString& reply, LPCSTR firstKey, LPCSTR secondKey, std::vector<Pair>& out, Store store)
{
    const int firstLength = static_cast<int>(strlen(firstKey));
    const int secondLength = static_cast<int>(strlen(secondKey));
    int position = 0;
    for (;;) {
        const int first = reply.Find(firstKey, position);
        if (first < 0)
            return;
        CString firstValue, secondValue;
        int next = 0;
        if (!QuotedTextAfter(reply, first + firstLength, firstValue, next))
            return;
        const int second = reply.Find(secondKey, next);
        if (second < 0 || !QuotedTextAfter(reply, second + secondLength, secondValue, next))
            return;
        Pair pair;
        store(pair, firstValue, secondValue);
        out.push_back(pair);
        position = next;
    }
}

// The value of the first of the attributes named that the element has; false when none.
bool FirstAttribute(const DomElementPtr& element, std::initializer_list<LPCSTR> names, CString& value)
{
    for (LPCSTR name : names) {
        const DomAttributePtr attribute = CXmlDocument::GetAttribute(element, name);
        if (attribute) {
            value = CXmlDocument::GetAttributeValue(attribute);
            return true;
        }
    }
    return false;
}

bool ReadValueItem(const DomElementPtr& element, DiagnosticItem& item)
{
    if (!FirstAttribute(element, {"id"}, item.label) || !FirstAttribute(element, {"value"}, item.value))
        return false;
    if (!FirstAttribute(element, {"description", "desc"}, item.description))
        item.description = item.label;
    if (!FirstAttribute(element, {"vdescription", "vdesc"}, item.valueDescription))
        item.valueDescription = item.value;
    return true;
}

bool ReadDiagnosticItems(const DomElementPtr& parent, std::vector<DiagnosticItem>& items);

bool ReadGroupItem(const DomElementPtr& element, DiagnosticItem& item)
{
    CString label;
    if (!FirstAttribute(element, {"description", "desc"}, label))
        label = CXmlDocument::GetNodeName(element);
    item.label = item.value = item.description = item.valueDescription = label;
    item.isGroup = true;
    return ReadDiagnosticItems(element, item.children);
}

// Appends one item per child element of parent; stops at a "DV" without its
// "id" or "value".
bool ReadDiagnosticItems(const DomElementPtr& parent, std::vector<DiagnosticItem>& items)
{
    CXmlElementList children;
    CXmlDocument::GetChildNodes(parent, children);
    for (int i = 0; i < children.GetSize(); ++i) {
        const DomElementPtr& child = children[i];
        DiagnosticItem item;
        const bool read = CXmlDocument::GetNodeName(child) == "DV" ? ReadValueItem(child, item)
                                                                    : ReadGroupItem(child, item);
        if (!read)
            return false;
        items.push_back(std::move(item));
    }
    return true;
}

CString AttributeOrEmpty(const DomElementPtr& element, LPCSTR name)
{
    CString value;
    FirstAttribute(element, {name}, value);
    return value;
}

bool IsEventLogElementName(const CString& name)
{
    for (LPCSTR spelling : kEventLogElementNames)
        if (name == spelling)
            return true;
    return false;
}

// Reads every child element of parent: "messageData" as one entry, any other as a group.
std::vector<EventLogEntry> ParseEventLogChildren(const DomElementPtr& parent)
{
    std::vector<EventLogEntry> entries;
    CXmlElementList children;
    CXmlDocument::GetChildNodes(parent, children);
    for (int i = 0; i < children.GetSize(); ++i) {
        const DomElementPtr& child = children[i];
        entries.push_back(CXmlDocument::GetNodeName(child) == kEventLogEntryElement ? ParseEventLogXml(child)
                                                                                    : ParseEventLogGroupXml(child));
    }
    return entries;
}

} // namespace

ExchangeTiming DefaultExchangeTiming()
{
    return {kExchangeLimitMs, kModuleConnectTimeoutSeconds, kReceivePauseMs};
}

ExchangeTiming CVQNDiagnostics::SetExchangeTiming(const ExchangeTiming& timing)
{
    const ExchangeTiming previous = g_timing;
    g_timing = timing;
    return previous;
}

CVQNDiagnostics::CVQNDiagnostics() : CVQNDiagnostics(CString())
{
}

CVQNDiagnostics::CVQNDiagnostics(const CString& hostAddress) : m_hostAddress(hostAddress)
{
    WSADATA data = {};
    m_socketsStarted = ::WSAStartup(MAKEWORD(2, 0), &data) == 0;
}

CVQNDiagnostics::~CVQNDiagnostics()
{
    if (m_socketsStarted)
        ::WSACleanup();
}

bool CVQNDiagnostics::SendRequest(const CString& request, CString& reply, const CString& endMarker)
{
    return Exchange(request, reply, {endMarker});
}

bool CVQNDiagnostics::Exchange(const CString& request, CString& reply, const std::vector<CString>& endMarkers)
{
    const ExchangeTiming timing = g_timing;
    const ULONGLONG deadline = ::GetTickCount64() + timing.limitMs;
    const LPCSTR address = m_hostAddress;
    m_failure.Format(kNoAnswerText, address);

    CTcpClient socket(SocketKindTcp);
    if (!socket.Initialize() || !socket.SetNonblocking()) {
        m_connectionFailed = true;
        return false;
    }
    socket.SetConnectTimeout(timing.connectTimeoutSeconds, 0);
    if (!socket.Open(m_hostAddress, kModuleTextServicePort)) {
        m_connectionFailed = true;
        return false;
    }

    // The request goes out whole; a send that fails ends the exchange.
    const char* data = request;
    int left = request.GetLength();
    while (left > 0) {
        const int sent = socket.Send(data, left);
        if (sent > 0) {
            data += sent;
            left -= sent;
        } else if (socket.GetSocketError() != SocketWouldBlock || ::GetTickCount64() > deadline) {
            return false;
        } else {
            ::Sleep(timing.receivePauseMs);
        }
    }

    // A marker "</NAME>" also ends a document whose root NAME closes itself.
    std::vector<CString> roots;
    for (const CString& marker : endMarkers) {
        if (marker.Left(2) == "</" && marker.Right(1) == ">")
            roots.push_back(marker.Mid(2, marker.GetLength() - 3));
    }
    int longestMarker = 0;
    for (const CString& marker : endMarkers)
        longestMarker = std::max(longestMarker, marker.GetLength());

    CString received;
    XmlReplyScanner scanner;
    for (;;) {
        ::Sleep(timing.receivePauseMs);
        const int count = socket.Receive(kReceivePieceBytes);
        if (count > 0) {
            if (received.GetLength() + count > kMaxTextReplyBytes) {
                m_failure.Format(kTooLongText, address, kMaxTextReplyBytes);
                return false;
            }
            const char* piece = reinterpret_cast<const char*>(socket.GetReceiveBuffer());
            // Only the new text, and the end of the old that a marker may straddle, is searched.
            const int searchFrom = std::max(0, received.GetLength() - longestMarker + 1);
            received += CString(piece, count);
            for (const CString& marker : endMarkers) {
                if (received.Find(marker, searchFrom) >= 0) {
                    reply += received;
                    m_failure.Empty();
                    return true;
                }
            }
            const XmlReplyScanner::State state = scanner.Add(piece, static_cast<size_t>(count));
            if (state == XmlReplyScanner::State::NotXml) {
                m_failure.Format(kNotXmlText, address, (LPCSTR)ReplyExcerpt(received));
                return false;
            }
            if (state == XmlReplyScanner::State::Whole) {
                if (std::find(roots.begin(), roots.end(), scanner.GetRootName()) != roots.end()) {
                    reply += received;
                    m_failure.Empty();
                    return true;
                }
                m_failure.Format(kUnexpectedReplyText, address, (LPCSTR)ReplyExcerpt(received));
                return false;
            }
        } else if (count == 0 || socket.GetSocketError() != SocketWouldBlock) {
            // The module closed the connection, or the receive failed.
            if (received.IsEmpty())
                m_failure.Format(kClosedText, address);
            else
                m_failure.Format(kCutReplyText, address, received.GetLength(), (LPCSTR)ReplyExcerpt(received));
            return false;
        }
        if (::GetTickCount64() > deadline) {
            if (!received.IsEmpty())
                m_failure.Format(kDeadlineText, address, static_cast<unsigned long>(timing.limitMs / 1000),
                                 received.GetLength(), (LPCSTR)ReplyExcerpt(received));
            return false;
        }
    }
}

bool CVQNDiagnostics::TestConnection()
{
    if (!HasHostAddress())
        return false;
    CString reply;
    return SendRequest(kTestConnectionRequest, reply, kTestConnectionEndMarker);
}

bool CVQNDiagnostics::GetRunningDrivers(std::vector<RunningDriverEntry>& drivers)
{
    CString reply;
    if (!SendRequest(kRunningDriversRequest, reply, kRunningDriversEndMarker))
        return false;
    ScanQuotedPairs(reply, "driver name=", "resource=", drivers,
                    [](RunningDriverEntry& entry, const CString& name, const CString& resource) {
                        entry.driverName = name;
                        entry.resource = resource;
                    });
    return true;
}

bool CVQNDiagnostics::GetDiagnosticIndex(const CString& resource, const CString& driver,
                                         std::vector<DiagnosticIndexEntry>& entries)
{
    CString request, reply;
    request.Format(kDiagnosticIndexRequest, (LPCSTR)resource, (LPCSTR)driver);
    if (!SendRequest(request, reply, kDiagnosticIndexEndMarker))
        return false;
    ScanQuotedPairs(reply, "diagcode code=", "description=", entries,
                    [](DiagnosticIndexEntry& entry, const CString& code, const CString& description) {
                        entry.code = code;
                        entry.description = description;
                    });
    return true;
}

bool CVQNDiagnostics::GetDiagnostics(const CString& resource, const CString& driver, const CString& code,
                                     std::vector<DiagnosticItem>& items)
{
    CString request, reply;
    request.Format(kDiagnosticsRequest, (LPCSTR)resource, (LPCSTR)driver, (LPCSTR)code);
    if (!SendRequest(request, reply, DiagnosticsEndMarker(code)))
        return false;

    CXmlDocument document;
    if (!document.LoadXml(CStringW(reply)))
        return false;
    const DomElementPtr root = document.GetRootElement();
    if (!root)
        return false;
    return ReadDiagnosticItems(root, items);
}

bool CVQNDiagnostics::RequestEventLog(CString& reply)
{
    std::vector<CString> markers;
    for (LPCSTR name : kEventLogElementNames)
        markers.push_back(CString("</") + name + ">");
    return Exchange(kEventLogRequest, reply, markers);
}

CString DiagnosticsEndMarker(const CString& code)
{
    const int bracket = code.Find('[');
    if (bracket > 0)
        return "</" + code.Left(bracket) + ">";
    if (code == "geteipsstatus")
        return "</getstatus>";
    return "</" + code + ">";
}

int ProductKindOfReply(const CString& reply)
{
    if (reply.IsEmpty())
        return -1;
    for (LPCSTR product : kSecondModelProducts)
        if (reply.Find(product) > 0)
            return 2;
    return 1;
}

EventLogEntry ParseEventLogXml(const DomElementPtr& element)
{
    EventLogEntry entry;
    entry.dateTime = AttributeOrEmpty(element, "dateTime");
    entry.eventLevel = AttributeOrEmpty(element, "eventLevel");
    entry.sourceId = AttributeOrEmpty(element, "sourceID");
    entry.resourceId = AttributeOrEmpty(element, "resourceID");
    entry.messageId = AttributeOrEmpty(element, "messageID");
    entry.message = AttributeOrEmpty(element, "message");
    return entry;
}

EventLogEntry ParseEventLogGroupXml(const DomElementPtr& element)
{
    EventLogEntry entry = ParseEventLogXml(element);
    entry.children = ParseEventLogChildren(element);
    return entry;
}

bool ParseEventLogReply(const CString& reply, std::vector<EventLogEntry>& entries)
{
    CXmlDocument document;
    if (!document.LoadXml(CStringW(reply)))
        return false;
    const DomElementPtr root = document.GetRootElement();
    if (!root || !IsEventLogElementName(CXmlDocument::GetNodeName(root)))
        return false;
    entries = ParseEventLogChildren(root);
    return true;
}
