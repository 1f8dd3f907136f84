// CVQNDiagnostics and its reply records: the client of the module's TCP text service (port 8000).
#pragma once

#include "common/msxml_support.h"
#include "framework/strings.h"

#include <vector>

struct RunningDriverEntry {
    CString driverName;
    CString resource;
};

struct DiagnosticIndexEntry {
    CString code;
    CString description;
    // Belongs to the caller; 0 at creation.
    int number = 0;
};

// A value item (element "DV") has no children; a group item carries its
// label in all four texts and its children in document order.
struct DiagnosticItem {
    CString label;
    CString value;
    CString description;
    CString valueDescription;
    bool isGroup = false;
    std::vector<DiagnosticItem> children;
};

struct EventLogEntry {
    CString dateTime;
    CString eventLevel;
    CString sourceId;
    CString resourceId;
    CString messageId;
    CString message;
    std::vector<EventLogEntry> children;
};

// The limits of one exchange. Tests shorten them; the program keeps the defaults.
struct ExchangeTiming {
    DWORD limitMs;
    long connectTimeoutSeconds;
    DWORD receivePauseMs;
};
ExchangeTiming DefaultExchangeTiming();

// Requests and end markers of the replies.
extern const char kTestConnectionRequest[];
extern const char kTestConnectionEndMarker[];
extern const char kProductInfoRequest[];
extern const char kProductInfoEndMarker[];
extern const char kEventLogRequest[];

// One connection per request: connect, send the bare request text, read the
// reply until an end marker arrives, the module closes, a receive fails, the
// reply passes its size limit or cannot be XML, or the exchange's deadline
// passes. Only a reply that holds its end marker counts (or, for a marker
// "</NAME>", a whole document whose root NAME closes itself); anything else
// fails the exchange, appends nothing and leaves the reason in the failure
// text. Every call blocks the calling thread for at most the exchange limit
// (10 s) and shows nothing.
class CVQNDiagnostics {
public:
    CVQNDiagnostics();
    explicit CVQNDiagnostics(const CString& hostAddress);
    virtual ~CVQNDiagnostics();
    CVQNDiagnostics(const CVQNDiagnostics&) = delete;
    CVQNDiagnostics& operator=(const CVQNDiagnostics&) = delete;

    void SetHostAddress(const CString& address) { m_hostAddress = address; }
    const CString& GetHostAddress() const { return m_hostAddress; }
    bool HasHostAddress() const { return !m_hostAddress.IsEmpty(); }
    // Set by an exchange that could not connect; never cleared.
    bool HasConnectionFailed() const { return m_connectionFailed; }
    // Why the last exchange failed: what the module sent, or that it sent nothing.
    const CString& GetFailureText() const { return m_failure; }

    // One exchange; appends the whole reply to reply. True when the reply came whole.
    bool SendRequest(const CString& request, CString& reply, const CString& endMarker);
    bool TestConnection();
    bool GetRunningDrivers(std::vector<RunningDriverEntry>& drivers);
    bool GetDiagnosticIndex(const CString& resource, const CString& driver, std::vector<DiagnosticIndexEntry>& entries);
    // Fails when the exchange fails, the reply is no XML document, or a "DV"
    // lacks its "id" or "value" (the items before it stay in the list).
    bool GetDiagnostics(const CString& resource, const CString& driver, const CString& code,
                        std::vector<DiagnosticItem>& items);
    // The "trn=geteventlogcache" exchange, complete at either spelling of the
    // event-log element's end tag.
    bool RequestEventLog(CString& reply);

    // Replaces the limits of every exchange that starts afterwards; returns the previous ones.
    static ExchangeTiming SetExchangeTiming(const ExchangeTiming& timing);

private:
    bool Exchange(const CString& request, CString& reply, const std::vector<CString>& endMarkers);

    CString m_hostAddress;
    CString m_failure;
    bool m_connectionFailed = false;
    bool m_socketsStarted = false;
};

// The end marker of a "getdiagnostics" reply for a diagnostic code.
CString DiagnosticsEndMarker(const CString& code);

// Product kind of a "getprodinfo" reply: -1 for no reply, 2 for the second
// model (VQN32), else 1.
int ProductKindOfReply(const CString& reply);

EventLogEntry ParseEventLogXml(const DomElementPtr& element);
EventLogEntry ParseEventLogGroupXml(const DomElementPtr& element);
// Reads the entries of an event-log reply ("eventLog" or "eventlog" element)
// into entries, in document order. False, with entries unchanged, when the
// reply holds no such element.
bool ParseEventLogReply(const CString& reply, std::vector<EventLogEntry>& entries);
