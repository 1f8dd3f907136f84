// CErrorReport, AfxReportError, AfxReportCurrentException, AfxAddExceptionDescriber: the one front door for
// errors and the one boundary that turns what a handler throws into a report.
#pragma once

#include "framework/strings.h"

#include <windows.h>

#include <exception>
#include <optional>
#include <vector>

// What failed, where (a file, an element, an offset; may be empty) and why (may be empty).
struct CErrorReport {
    CString what;
    CString where;
    CString reason;
    UINT type = MB_OK | MB_ICONERROR;
    // The box's caption, with no owner; empty: the application's title and owner (AfxMessageBox).
    CString caption;

    // The text the box shows: the parts that are not empty, one per line.
    CString Text() const;
};

// Shows report through AfxMessageBox, or under its own caption (and so through the message-box hook);
// returns the button id.
int AfxReportError(const CErrorReport& report);

// Shows each report in turn through AfxReportError.
void AfxReportErrors(const std::vector<CErrorReport>& reports);

// Describes an exception of a family the framework cannot name (it lives in a library above it):
// rethrows error, and returns the report when it catches its own family, nothing otherwise.
using ExceptionDescriber = std::optional<CErrorReport> (*)(const std::exception_ptr& error);

// Adds describer to those AfxReportCurrentException asks, once however often it is added.
void AfxAddExceptionDescriber(ExceptionDescriber describer);

// Reports the exception being handled through AfxReportError; call it only inside a catch block.
// A CException reports itself (ReportError) and is deleted; a CUserException reports nothing;
// the described families, then std::exception, then anything else get a box of their own.
void AfxReportCurrentException();
