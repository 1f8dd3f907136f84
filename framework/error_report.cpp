#include "framework/error_report.h"

#include "framework/exceptions.h"
#include "framework/msgbox.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

const char kUnknownException[] = "An unspecified error has occurred.";

std::mutex g_describersLock;
std::vector<ExceptionDescriber> g_describers;

std::vector<ExceptionDescriber> Describers()
{
    std::lock_guard<std::mutex> lock(g_describersLock);
    return g_describers;
}

} // namespace

CString CErrorReport::Text() const
{
    CString text;
    for (const CString* part : {&what, &where, &reason}) {
        if (part->IsEmpty())
            continue;
        if (!text.IsEmpty())
            text += "\n";
        text += *part;
    }
    return text;
}

int AfxReportError(const CErrorReport& report)
{
    if (!report.caption.IsEmpty())
        return KorMessageBox(nullptr, report.Text(), report.caption, report.type);
    return AfxMessageBox(report.Text(), report.type);
}

void AfxReportErrors(const std::vector<CErrorReport>& reports)
{
    for (const CErrorReport& report : reports)
        AfxReportError(report);
}

void AfxAddExceptionDescriber(ExceptionDescriber describer)
{
    std::lock_guard<std::mutex> lock(g_describersLock);
    if (std::find(g_describers.begin(), g_describers.end(), describer) == g_describers.end())
        g_describers.push_back(describer);
}

void AfxReportCurrentException()
{
    const std::exception_ptr error = std::current_exception();
    if (!error)
        return;
    try {
        std::rethrow_exception(error);
    } catch (CException* e) {
        AfxExceptionReleaser releaser(e);
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            e->ReportError();
        return;
    } catch (...) {
    }
    for (ExceptionDescriber describer : Describers()) {
        if (std::optional<CErrorReport> report = describer(error)) {
            AfxReportError(*report);
            return;
        }
    }
    CErrorReport report;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        report.what = e.what();
    } catch (...) {
    }
    if (report.what.IsEmpty())
        report.what = kUnknownException;
    AfxReportError(report);
}
