// CMainDoc: adding IEDs from SCL files, the quick scan, the IED header reader and the SCL folder change.
#include "corvel/document/main_doc.h"

#include "corvel/controls/product_message.h"
#include "corvel/model/product.h"
#include "corvel/model/scl_header.h"
#include "corvel/project/file_crc.h"
#include "corvel/project/path_utils.h"
#include "corvel/document/document_frame.h"
#include "toolkit/common/browse_dialog.h"

#include <cstring>
#include <memory>
#include <set>
#include <vector>

namespace {

using Corvel::Records::kSlotInUse;

// The Add IED dialog's file-name buffer: 256 names of 256 characters, and the terminator.
constexpr int kAddIedBufferLength = 256 * 256 + 1;
constexpr DWORD kAddIedFlags = OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;

const char kFileAlreadyAdded[] = "The selected CID file already exists in this project.";
const char kSameIedQuestion[] = "You have a device file with the same name in your IED list, do you want to continue?";
const char kIedNotUnique[] = "ERROR: IED name '%s' is not unique!";
const char kSclFolderTitle[] = "Select the folder where the CID files are located";

// Whether the project already has an SCL file of this name: in the file list or among the file records,
// which stay right after a project is saved or loaded.
bool IsSclFileInProject(const CMainDoc& doc, const CString& fileName)
{
    for (INT_PTR i = 0; i < doc.fileListA.GetSize(); ++i) {
        if (doc.fileListA[i] == fileName)
            return true;
    }
    for (POSITION pos = doc.project.sclFiles.GetHeadPosition(); pos != nullptr;) {
        if (doc.project.sclFiles.GetNext(pos)->fileName == fileName)
            return true;
    }
    return false;
}

// The checks of a scanned file: an IED named twice in the file keeps it out; an IED named as a device of the
// project's IED list asks whether to go on.
bool AcceptScannedIeds(const CMainDoc& doc, const std::vector<ScannedIed>& ieds)
{
    std::set<CString> names;
    for (const ScannedIed& ied : ieds) {
        const CString& name = ied.values[kScanName];
        if (name.IsEmpty())
            continue;
        if (!names.insert(name).second) {
            CString text;
            text.Format(kIedNotUnique, static_cast<LPCSTR>(name));
            ShowProductMessage(text, MB_OK);
            return false;
        }
    }
    for (POSITION pos = doc.project.iedDevices.GetHeadPosition(); pos != nullptr;) {
        const CMainDoc::_IED_DEVICE* device = doc.project.iedDevices.GetNext(pos);
        if (device->state == kSlotInUse && names.count(device->label) != 0)
            return AfxMessageBox(kSameIedQuestion, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    return true;
}

} // namespace

void CMainDoc::OnAddIed()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, kAddIedFlags, kSclFileFilter, nullptr, 0, TRUE);
    CString names;
    LPSTR buffer = names.GetBuffer(kAddIedBufferLength);
    memset(buffer, 0, kAddIedBufferLength);
    dialog.m_ofn.lpstrFile = buffer;
    dialog.m_ofn.nMaxFile = kAddIedBufferLength;
    std::vector<CString> paths;
    if (dialog.DoModal() == IDOK) {
        for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;)
            paths.push_back(dialog.GetNextPathName(pos));
    }
    dialog.m_ofn.lpstrFile = nullptr;
    names.ReleaseBuffer(0);
    for (const CString& path : paths)
        AddSclFile(path);
    flagA = true;
}

void CMainDoc::AddSclFile(CString path)
{
    const CString fileName = GetFileNameOfPath(path);
    if (IsSclFileInProject(*this, fileName)) {
        AfxMessageBox(kFileAlreadyAdded, MB_OK | MB_ICONINFORMATION);
        MarkChangedAndUpdateViews();
        return;
    }
    MarkChangedAndUpdateViews();
    RemoveFileName(fileName);

    // The project's first file is taken without a scan.
    if (!project.sclFiles.IsEmpty()) {
        std::vector<ScannedIed> ieds;
        const CString error = ScanIedElements(path, ieds);
        if (!error.IsEmpty()) {
            AfxMessageBox(error, MB_OK | MB_ICONINFORMATION);
            return;
        }
        if (!AcceptScannedIeds(*this, ieds))
            return;
    }

    fileListA.Add(fileName);
    auto record = std::make_unique<_ICD_FILES>();
    record->filePath = path;
    CFileCrc32 crc;
    crc.SetFileName(path);
    record->checksum = crc.ComputeFileCrc32();
    if (!crc.GetFailure().IsEmpty())
        AfxMessageBox(crc.GetFailure(), MB_OK);
    record->fileName = fileName;
    project.sclFiles.AddTail(record.get());
    record.release();

    if (CDocumentFrame* frame = GetDocumentFrame())
        frame->AddSclFileNode(path);
}

CString CMainDoc::ScanSclFile(CString& info, const CString& path)
{
    return ::ScanSclFile(info, path);
}

void CMainDoc::ReadIedHeader(const CString& path, CConnectedAPArray& entries)
{
    ::ReadIedHeader(path, entries);
}

void CMainDoc::OnChangeSclFolder()
{
    CKitBrowseDialog dialog(nullptr);
    dialog.SetTitle(kSclFolderTitle);
    if (dialog.DoModal() != IDOK)
        return;
    const CString folder = dialog.GetSelectedPath();

    CDocumentFrame* frame = GetDocumentFrame();
    const std::vector<CString> paths = frame != nullptr ? frame->ListSclFileNodes() : std::vector<CString>();
    for (const CString& path : paths) {
        const CString candidate = JoinPath(folder, GetFileNameOfPath(path));
        if (FileExists(candidate))
            frame->ChangeSclFilePath(path, candidate);
    }

    SetModified();
    if (frame != nullptr)
        frame->RefreshFileView();
}
