// Ports, time-outs and piece sizes of the module clients.
#pragma once

#include <windows.h>

// TCP text service.
constexpr unsigned short kModuleTextServicePort = 8000;
// One exchange (connect, send, receive) ends at this deadline.
constexpr DWORD kExchangeLimitMs = 10000;
// A connect that has not completed by then fails the exchange.
constexpr long kModuleConnectTimeoutSeconds = 3;
// Pause before each read of the reply.
constexpr DWORD kReceivePauseMs = 10;
// Largest piece read at once.
constexpr int kReceivePieceBytes = 8192;
// A text reply longer than this is no reply the module gives (the largest,
// the event log, stays far below): the exchange fails.
constexpr int kMaxTextReplyBytes = 8 * 1024 * 1024;

// HTTP web service.
constexpr unsigned short kModuleWebServicePort = 80;
constexpr char kModuleWebAgent[] = "InetURL/1.0";
// Connect time-out and send limit of a client until its caller sets another.
constexpr DWORD kDefaultWebTimeoutMs = 600000;
// A connection test or initsaveconfig waits at least this long.
constexpr int kMinimumRequestWaitMs = 5000;
// Wait that the reboot request passes on.
constexpr int kShutdownWaitMs = 5000;
// After the send limit has run out and the request is closed, the caller
// waits this long at most for the send worker to end.
constexpr DWORD kSendWorkerEndWaitMs = 5000;
// A configuration read from the module longer than this is refused; so is
// the body of any other answer longer than kMaxTextReplyBytes.
constexpr ULONGLONG kMaxConfigurationBytes = 64 * 1024 * 1024;
// A reply body still arriving this long after it began fails, whatever the
// client's time-out: a module sending without end, or a byte at a time, would
// otherwise hold the request (and the program) for the whole time-out.
constexpr DWORD kMaxReplyBodyMs = 30000;
// Upload pieces and download pieces.
constexpr DWORD kUploadPieceBytes = 2048;
constexpr DWORD kDownloadPieceBytes = 512;
// The status text read from a reply ("200"): room for it and more.
constexpr DWORD kStatusTextBytes = 32;
