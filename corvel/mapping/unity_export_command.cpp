// CUnityExporter::Export: the command "Export Processor Files", which asks for the files' name.
#include "corvel/gateway/unity_export.h"

#include "framework/filedialog.h"

namespace Corvel::Gateway {

namespace {

constexpr char kDefaultExtension[] = ".xsy";
constexpr char kFileFilter[] = "Unity Variable Transfer Files (*.xsy)|*.xsy;*.xfm;*.csv|All Files (*.*)|*.*||";
constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;

} // namespace

void CUnityExporter::Export()
{
    if (!TakeNoeSlot()) {
        AfxReportErrors(TakeMessages());
        return;
    }
    CFileDialog dialog(FALSE, kDefaultExtension, GetLabel(), kSaveFlags, kFileFilter);
    if (dialog.DoModal() != IDOK)
        return;
    if (!ExportFiles(dialog.GetPathName())) {
        AfxReportErrors(TakeMessages());
        return;
    }
    const std::vector<CString> leftOut = FindTagsWithoutUnityType();
    if (!leftOut.empty())
        AfxMessageBox(TagsLeftOutWarning(leftOut), MB_OK | MB_ICONWARNING);
}

} // namespace Corvel::Gateway
