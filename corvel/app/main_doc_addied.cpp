// CMainDoc: adding IEDs from SCL files, the quick scan, the IED header reader and the SCL folder change.
#include "corvel/app/main_doc.h"

#include "corvel/model/scl_reading.h"
#include "corvel/project/file_crc.h"
#include "corvel/project/path_utils.h"
#include "corvel/workspace/file_view.h"
#include "corvel/workspace/main_frame.h"
#include "toolkit/common/browse_dialog.h"

#include <shlwapi.h>
#include <xmllite.h>

#include <cstring>
#include <memory>
#include <set>
#include <vector>

namespace {

using Corvel::Records::kSlotInUse;

const char kSclFileFilter[] = "IED Configuration Files (*.scd, *.icd, *.cid)|*.scd;*.icd;*.cid|All Files (*.*)|*.*||";
// The Add IED dialog's file-name buffer: 256 names of 256 characters, and the terminator.
constexpr int kAddIedBufferLength = 256 * 256 + 1;
constexpr DWORD kAddIedFlags = OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;

const char kFileAlreadyAdded[] = "The selected CID file already exists in this project.";
const char kSameIedQuestion[] = "You have a device file with the same name in your IED list, do you want to continue?";
const char kIedNotUnique[] = "ERROR: IED name '%s' is not unique!";
const char kSclFolderTitle[] = "Select the folder where the CID files are located";

// The attributes the scan reads of each IED element, in the order of its text.
enum ScanAttribute { kScanType, kScanName, kScanDesc, kScanManufacturer, kScanAttributeCount };
constexpr LPCWSTR kScanAttributeNames[kScanAttributeCount] = {L"type", L"name", L"desc", L"manufacturer"};
const char kScanEndWord[] = "ipaddress,";

// The Address/P types of a ConnectedAP, in the order of CConnectedAP's fields.
constexpr int kAddressCount = 8;
constexpr LPCSTR kAddressTypes[kAddressCount] = {
    "IP", "IP-SUBNET", "IP-GATEWAY", "OSI-AP-Title", "OSI-AE-Qualifier", "OSI-PSEL", "OSI-SSEL", "OSI-TSEL",
};

// One IED element as the scan read it. An attribute the reader could not move to (an error result) is not
// read; an absent one reads as empty.
struct ScannedIed {
    CString values[kScanAttributeCount];
    bool read[kScanAttributeCount] = {};
};

CString ResultError(LPCSTR format, HRESULT result)
{
    CString text;
    text.Format(format, static_cast<unsigned long>(result));
    return text;
}

// Reads the identity attributes of every element named exactly "IED"; an error text when the file cannot be read.
CString ScanIedElements(const CString& path, std::vector<ScannedIed>& ieds)
{
    ComPtr<IStream> stream;
    HRESULT result = ::SHCreateStreamOnFileA(path, STGM_READ, stream.Receive());
    if (FAILED(result))
        return ResultError("Error creating file reader, error is %08.8lx", result);
    ComPtr<IXmlReader> reader;
    result = ::CreateXmlReader(__uuidof(IXmlReader), reader.ReceiveVoid(), nullptr);
    if (FAILED(result))
        return ResultError("Error creating xml reader, error is %08.8lx", result);
    result = reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    if (FAILED(result))
        return ResultError("Error setting XmlReaderProperty_DtdProcessing, error is %08.8lx", result);
    result = reader->SetInput(stream.Get());
    if (FAILED(result))
        return ResultError("Error setting input for reader, error is %08.8lx", result);

    static const WCHAR kIed[] = L"IED";
    constexpr UINT kIedLength = 3;
    XmlNodeType nodeType = XmlNodeType_None;
    // Any answer but S_OK, the end of the input or a parse error, ends the scan.
    while (reader->Read(&nodeType) == S_OK) {
        if (nodeType != XmlNodeType_Element)
            continue;
        LPCWSTR name = nullptr;
        UINT nameLength = 0;
        if (FAILED(reader->GetQualifiedName(&name, &nameLength)) || nameLength != kIedLength ||
            wcsncmp(name, kIed, kIedLength) != 0)
            continue;
        ScannedIed ied;
        for (int i = 0; i < kScanAttributeCount; ++i) {
            result = reader->MoveToAttributeByName(kScanAttributeNames[i], nullptr);
            if (FAILED(result))
                continue;
            ied.read[i] = true;
            if (result != S_OK)
                continue;
            LPCWSTR value = nullptr;
            UINT valueLength = 0;
            result = reader->GetValue(&value, &valueLength);
            if (FAILED(result))
                return ResultError("Error reading attribute value, error %08.8lx", result);
            ied.values[i] = FromWideText(value, static_cast<int>(valueLength));
        }
        ieds.push_back(ied);
    }
    return CString();
}

void AppendScanText(CString& info, const ScannedIed& ied)
{
    for (int i = 0; i < kScanAttributeCount; ++i) {
        if (!ied.read[i])
            continue;
        info += ied.values[i];
        info += ',';
        if (i == kScanManufacturer)
            info += kScanEndWord;
    }
}

CFileView* MainFileView()
{
    auto* frame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd());
    return frame != nullptr ? frame->GetFileView() : nullptr;
}

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
            CWnd* mainWnd = AfxGetMainWnd();
            KorMessageBox(mainWnd != nullptr ? mainWnd->GetSafeHwnd() : nullptr, text, AfxGetAppName(), MB_OK);
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

// A selection below the SCL element: from the root when the document element is SCL (no search of the whole
// tree), else any SCL element's.
CString SclSelection(const DomDocumentPtr& document, LPCSTR relative)
{
    DomElementPtr root;
    ThrowIfFailed(document->get_documentElement(root.Receive()), "get_documentElement");
    return CString(root && IsNamed(root, "SCL") ? "/SCL/" : "//SCL/") + relative;
}

// The text of the first Address/P element of each type, in document order; empty for a type it lacks.
void ReadAddresses(const DomNodePtr& accessPoint, CString (&addresses)[kAddressCount])
{
    bool found[kAddressCount] = {};
    CChildElements children(accessPoint);
    for (DomNodePtr address = children.Next(); address; address = children.Next()) {
        if (!IsNamed(address, "Address"))
            continue;
        CChildElements parameters(address);
        for (DomNodePtr parameter = parameters.Next(); parameter; parameter = parameters.Next()) {
            if (!IsNamed(parameter, "P"))
                continue;
            const DomNodePtr type = GetNamedItem(NodeAttributes(parameter), "type");
            if (!type)
                continue;
            const CString typeText = NodeText(type);
            for (int i = 0; i < kAddressCount; ++i) {
                if (!found[i] && typeText == kAddressTypes[i]) {
                    addresses[i] = NodeText(parameter);
                    found[i] = true;
                    break;
                }
            }
        }
    }
}

bool IsExistingFile(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

CString JoinPath(const CString& folder, const CString& name)
{
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == '\\')
        return folder + name;
    return folder + "\\" + name;
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
    record->fileName = fileName;
    project.sclFiles.AddTail(record.get());
    record.release();

    if (CFileView* fileView = MainFileView())
        fileView->AddSclFileNode(path, fileName);
}

CString CMainDoc::ScanSclFile(CString& info, const CString& path)
{
    info.Empty();
    std::vector<ScannedIed> ieds;
    const CString error = ScanIedElements(path, ieds);
    for (const ScannedIed& ied : ieds)
        AppendScanText(info, ied);
    return error;
}

void CMainDoc::ReadIedHeader(const CString& path, CConnectedAPArray& entries)
{
    try {
        const DomDocumentPtr document = CreateDomDocument();
        // A file that does not load selects nothing.
        LoadDomDocumentFromFile(document, path);
        CSclObjectMap ieds;
        CSelection iedElements(document, SclSelection(document, "IED"));
        for (DomNodePtr element = iedElements.Next(); element; element = iedElements.Next()) {
            const DomNodePtr nameNode = GetNamedItem(NodeAttributes(element), "name");
            if (!nameNode || !SelectSingleNode(element, "./AccessPoint/Server"))
                continue;
            CreateIed(ieds, NodeText(nameNode), GetAttributeText(element, "manufacturer", CString()),
                      GetAttributeText(element, "type", CString()), GetAttributeText(element, "desc", CString()));
        }
        CSelection accessPoints(document, SclSelection(document, "Communication/SubNetwork/ConnectedAP"));
        for (DomNodePtr accessPoint = accessPoints.Next(); accessPoint; accessPoint = accessPoints.Next()) {
            const DomNodePtr iedName = GetNamedItem(NodeAttributes(accessPoint), "iedName");
            CObject* ied = nullptr;
            if (!iedName || !ieds.Lookup(NodeText(iedName), ied) || ied == nullptr)
                continue;
            CString addresses[kAddressCount];
            ReadAddresses(accessPoint, addresses);
            auto entry = std::make_unique<CConnectedAP>(*static_cast<CIED*>(ied), addresses[0], addresses[1],
                                                        addresses[2], addresses[3], addresses[4], addresses[5],
                                                        addresses[6], addresses[7]);
            entries.Add(entry.get());
            entry.release();
        }
    } catch (const ComError&) {
        // The records read before the failure stay with the caller.
    }
}

void CMainDoc::OnChangeSclFolder()
{
    CKitBrowseDialog dialog(nullptr);
    dialog.SetTitle(kSclFolderTitle);
    if (dialog.DoModal() != IDOK)
        return;
    const CString folder = dialog.GetSelectedPath();

    // The file items: the children of the IED root, met on a depth-first walk from the root's first child.
    CFileView* fileView = MainFileView();
    std::vector<CString> paths;
    if (fileView != nullptr) {
        CViewTree& tree = fileView->GetFileTree();
        const HTREEITEM root = tree.GetRootItem();
        for (HTREEITEM item = root != nullptr ? tree.GetChildItem(root) : nullptr; item != nullptr;
             item = tree.GetNextTreeItem(item)) {
            if (tree.GetParentItem(item) == fileView->GetIedRoot())
                paths.push_back(tree.GetItemText(item));
        }
    }
    for (const CString& path : paths) {
        const CString candidate = JoinPath(folder, GetFileNameOfPath(path));
        if (IsExistingFile(candidate))
            fileView->ChangeSclFilePath(path, candidate);
    }

    SetModified();
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd()))
        frame->RefreshFileView();
}
