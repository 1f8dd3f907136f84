// CUnityExporter::Export: the command "Export Processor Files", which asks for the files' name.
#include "corvel/gateway/unity_export.h"

#include "framework/filedialog.h"

namespace Corvel::Gateway {

namespace {

constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;

} // namespace

void CUnityExporter::Export()
{
    if (!TakeNoeSlot())
        return;
    CFileDialog dialog(FALSE, kUnityDefaultExtension, GetLabel(), kSaveFlags, kUnityFileFilter);
    if (dialog.DoModal() != IDOK)
        return;
    ExportFiles(dialog.GetPathName());
}

} // namespace Corvel::Gateway
