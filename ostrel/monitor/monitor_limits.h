// Results, ports, time-outs and sizes of Ostrel's module client and tag database.
#pragma once

#include <windows.h>

// Results of the client's operations and of a tag's write.
constexpr int kMonitorSuccess = 0;
constexpr int kMonitorFailure = -1000;
// A value that cannot be sent: it does not convert, or it would change the request.
constexpr int kMonitorInvalidValue = -997;

// The module's TCP text service.
constexpr UINT kDiagnosticPort = 8000;
// A request fails after this long without data from the module.
constexpr DWORD kReplySilenceLimitMs = 10000;
// However the module keeps sending, a text request ends by then, and a whole
// configuration download or upload by the second.
constexpr DWORD kRequestDeadlineMs = 30000;
constexpr DWORD kTransferDeadlineMs = 120000;
// A text reply longer than this is no reply the module gives: the largest,
// the event log, stays far below.
constexpr int kMaxReplyBytes = 8 * 1024 * 1024;
// An uploaded configuration longer than this is refused.
constexpr ULONGLONG kMaxConfigurationBytes = 64 * 1024 * 1024;
// The blocking connect and send of the client's socket.
constexpr UINT kSocketTimeOutMs = 10000;
// One read of a text reply, and the zeroed buffer it goes into.
constexpr int kReplyReadBytes = 4104;
constexpr int kReplyBufferBytes = 4108;
// An array expands into at most this many rows of elements.
constexpr int kMaxExpandedElements = 65535;
// The longest settagvalue and gettagvalue request.
constexpr int kMaxTagRequestChars = 255;
// A gettagsvalue request takes tags until its list passes this many characters.
constexpr int kTagListLimit = 900;
