#include "corvel/model/scl_header.h"

#include "corvel/model/scl_model.h"
#include "corvel/model/scl_reading.h"

#include <shlwapi.h>
#include <xmllite.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr LPCWSTR kScanAttributeNames[kScanAttributeCount] = {L"type", L"name", L"desc", L"manufacturer"};
const char kScanEndWord[] = "ipaddress,";

// The Address/P types of a ConnectedAP, in the order of CConnectedAP's fields.
constexpr int kAddressCount = 8;
constexpr LPCSTR kAddressTypes[kAddressCount] = {
    "IP", "IP-SUBNET", "IP-GATEWAY", "OSI-AP-Title", "OSI-AE-Qualifier", "OSI-PSEL", "OSI-SSEL", "OSI-TSEL",
};

// Characters FindIedNameInFile reads at a time; longer lines are read in parts and joined.
constexpr int kReadChunkLength = 256;

CString ResultError(LPCSTR format, HRESULT result)
{
    CString text;
    text.Format(format, static_cast<unsigned long>(result));
    return text;
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

} // namespace

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

CString ScanSclFile(CString& info, const CString& path)
{
    info.Empty();
    std::vector<ScannedIed> ieds;
    const CString error = ScanIedElements(path, ieds);
    for (const ScannedIed& ied : ieds)
        AppendScanText(info, ied);
    return error;
}

void ReadIedHeader(const CString& path, CConnectedAPArray& entries)
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

CString FindIedNameInFile(const CString& path)
{
    static const char kAttribute[] = "iedName=";
    std::unique_ptr<FILE, int (*)(FILE*)> file(fopen(path, "r"), fclose);
    if (!file)
        return CString();
    std::string line;
    char chunk[kReadChunkLength];
    while (fgets(chunk, sizeof chunk, file.get()) != nullptr) {
        line += chunk;
        if (line.back() != '\n' && !feof(file.get()))
            continue;
        const size_t found = line.find(kAttribute);
        if (found != std::string::npos) {
            // The quoted value right after iedName=, not the first quoted value of the line.
            const size_t open = found + sizeof kAttribute - 1;
            if (open >= line.size() || (line[open] != '"' && line[open] != '\''))
                return CString();
            const size_t close = line.find(line[open], open + 1);
            if (close == std::string::npos)
                return CString();
            return CString(line.c_str() + open + 1, static_cast<int>(close - open - 1));
        }
        line.clear();
    }
    return CString();
}
