// The EtherNet/IP maps and the GOOSE subscriptions of the module configuration.
#include "corvel/gateway/device_config_writer.h"

#include <cstring>

namespace Corvel::Gateway {

namespace {

constexpr char kEipsStatusIndex[] = "4";
constexpr char kUnknownDataPath[] = "UNKNOWN DATAPATH";

// Status maps of the explicit messages.
constexpr char kReadAccess[] = "R";
constexpr char kConnectionStatusAttribute[] = "65000";
constexpr char kNodeStatusAttribute[] = "65100";
constexpr char kDriverStatusAttribute[] = "65200";
constexpr char kRebootAttribute[] = "65210";
const char* const kDriverStatusMaps[] = {"SNTP_Status", "EIPS_Status", "IEC61850c_Status"};

// A GOOSE FCDA key is cut before this "$" of the members' common path.
constexpr int kFcdaKeyDollars = 4;

bool BeginsWith(const CString& text, const CString& start)
{
    return text.GetLength() >= start.GetLength() && strncmp(text, start, start.GetLength()) == 0;
}

// The part of the block's member paths that the first two share, up to a "$", cut before its fourth "$".
// A block of one member, or whose first two members share no such part, takes the first member's path.
CString CommonMemberPath(const CGoose& goose)
{
    if (goose.members.empty())
        return CString();
    const CString& first = goose.members[0].path;
    CString common = first;
    if (goose.members.size() > 1) {
        const CString& second = goose.members[1].path;
        while (!BeginsWith(second, common)) {
            const int dollar = common.ReverseFind('$');
            if (dollar < 0) {
                common = first;
                break;
            }
            common = common.Left(dollar);
        }
    }
    int dollar = -1;
    for (int i = 0; i < kFcdaKeyDollars; ++i) {
        dollar = common.Find('$', dollar + 1);
        if (dollar < 0)
            break;
    }
    return dollar < 0 ? common : common.Left(dollar);
}

} // namespace

void CDeviceConfigWriter::WriteEtherNetIpAdapter(bool firstPort)
{
    StartDriver("EIPS", kEipsStatusIndex);
    if (firstPort) {
        Records::RpiLimitInfo rpiLimit;
        rpiLimit.Refresh(m_records);
        m_xml.WriteStartElementWithAttribute("Implicit", "RPI", rpiLimit.rpiLimit);
    } else {
        m_xml.WriteStartTag("Implicit");
    }
    for (int connection = 0; connection < m_connectionLimit; ++connection) {
        if (IsConnectionInUse(connection))
            WriteConnectionMap(connection);
    }
    m_xml.WriteEndTag();
    WriteExplicitMaps();
    m_xml.WriteEndTag();
}

void CDeviceConfigWriter::WriteConnectionMap(int connection)
{
    const CString number = TwoDigitNumber(connection);
    m_xml.WriteMultiNoEndElement(
        {"Connection", "No", number, "ReconnCnt", kReconnectionCountPrefix + number, kListEnd});
    CString name;
    CString startAddress;
    const std::pair<LPCSTR, Records::CVQNTagsList*> directions[] = {{"Input", &m_project.tagsINP},
                                                                    {"Output", &m_project.tagsOUT}};
    for (const auto& [element, list] : directions) {
        m_xml.WriteStartTag(element);
        for (INT_PTR i = 0; i < list->GetCount(); ++i) {
            const Records::_TAGS* tag = list->GetAt(i);
            if (tag->Conn != connection)
                continue;
            name = tag->tagName;
            RemoveBrackets(name);
            startAddress = DecimalText(tag->StartAddr);
            m_xml.WriteMultiShortEndElement({"Map", "Tag", name, "StartAddress", startAddress, kListEnd});
        }
        m_xml.WriteEndTag();
    }
    m_xml.WriteEndTag();
}

void CDeviceConfigWriter::WriteExplicitMaps()
{
    m_xml.WriteStartTag("Explicit");
    CString attribute;
    for (INT_PTR i = 0; i < m_project.tagsMSG.GetCount(); ++i) {
        const Records::_TAGS* tag = m_project.tagsMSG.GetAt(i);
        attribute = DecimalText(static_cast<int>(i + 1));
        m_xml.WriteMultiShortEndElement({"Map", "Tag", tag->tagName, "Attribute", attribute, "Access", tag->Access,
                                         kListEnd});
    }

    m_xml.WriteMultiNoEndElement({"Maps", "Tag", "EIPS_Connection_Status", "Attribute", kConnectionStatusAttribute,
                                  "Access", kReadAccess, kListEnd});
    for (int connection = 0; connection < m_connectionLimit; ++connection) {
        if (IsConnectionInUse(connection))
            m_xml.WriteMultiShortEndElement(
                {"Map", "Tag", kReconnectionCountPrefix + TwoDigitNumber(connection), kListEnd});
    }
    m_xml.WriteEndTag();

    m_xml.WriteMultiNoEndElement({"Maps", "Tag", "IED_Node_Status", "Attribute", kNodeStatusAttribute, "Access",
                                  kReadAccess, kListEnd});
    for (int i = 0; i < m_iedCount; ++i)
        m_xml.WriteMultiShortEndElement({"Map", "Tag", NodeStatusName(i), kListEnd});
    m_xml.WriteEndTag();

    m_xml.WriteMultiNoEndElement({"Maps", "Tag", "Module_Driver_Status", "Attribute", kDriverStatusAttribute,
                                  "Access", kReadAccess, kListEnd});
    for (const char* driverTag : kDriverStatusMaps)
        m_xml.WriteMultiShortEndElement({"Map", "Tag", driverTag, kListEnd});
    m_xml.WriteEndTag();

    m_xml.WriteMultiShortEndElement({"Map", "Tag", "Reboot_Module", "Attribute", kRebootAttribute, "Access", "W",
                                     kListEnd});
    m_xml.WriteEndTag();
}

void CDeviceConfigWriter::WriteGooseSubscriptions(const CBlockTable<CGoose>& geese, const CDeviceTagPaths& paths)
{
    m_xml.WriteStartTag("Geese");
    for (const CGoose& goose : geese.Blocks())
        WriteGoose(goose, paths);
    m_xml.WriteEndTag();
    m_xml.WriteEndTag();
}

void CDeviceConfigWriter::WriteGoose(const CGoose& goose, const CDeviceTagPaths& paths)
{
    m_xml.WriteMultiNoEndElement({"Goose", "datasetref", goose.dataSetRef, "gcref", goose.gcRef, "appid",
                                  goose.appId, "mcmacaddr", goose.macAddress, "confrev", goose.confRev, "decodemode",
                                  "GOOSE_IMMEDIATE", "enable", "Y", kListEnd});

    // Data set: a placeholder member is written under the tag name of the member after it; one at the end
    // of the data set is not written.
    const std::vector<CGooseMember>& members = goose.members;
    for (size_t k = 0; k < members.size(); ++k) {
        const CGooseMember& member = members[k];
        CString tagName = member.tagName;
        if (tagName == kTempTagName) {
            if (k + 1 == members.size())
                continue;
            tagName = members[k + 1].tagName;
        }
        CString path = PathAfterColon(member.path);
        if (path.IsEmpty())
            path = paths.FindGooseMemberPath(tagName);
        m_xml.WriteMultiShortEndElement({"GooseDataSet", "comment", "", "tagname", tagName, "domname",
                                         member.domName, "datapath", path, kListEnd});
    }

    // FCDAs: consecutive mapped members with one FCDA text share one "GooseFCDA".
    bool isFcdaOpen = false;
    CString previousKey;
    for (const CGooseMember& member : members) {
        if (member.tagName == kTempTagName)
            continue;
        const CString key = FindFcdaText(member.tagName);
        if (!isFcdaOpen || key != previousKey) {
            if (isFcdaOpen)
                m_xml.WriteEndTag();
            const CString dataPath = key.IsEmpty() ? PathAfterColon(CommonMemberPath(goose)) : key;
            m_xml.WriteMultiNoEndElement(
                {"GooseFCDA", "comment", "", "domname", member.domName, "datapath", dataPath, kListEnd});
            isFcdaOpen = true;
        }
        previousKey = key;
        CString elementPath = PathAfterColon(member.path);
        if (elementPath.IsEmpty())
            elementPath = paths.FindMmsPathOfTag(member.tagName);
        if (elementPath.IsEmpty())
            elementPath = kUnknownDataPath;
        m_xml.WriteMultiShortEndElement({"GooseFCDAElm", "comment", "", "tagname", member.tagName, "domname",
                                         member.domName, "datapath", elementPath, kListEnd});
    }
    if (isFcdaOpen)
        m_xml.WriteEndTag();
    m_xml.WriteEndTag();
}

CString CDeviceConfigWriter::FindFcdaText(const CString& tagName)
{
    if (!m_hasFcdaIndex) {
        for (POSITION pos = m_records.fcdas.GetHeadPosition(); pos != nullptr;) {
            const _CFCDA* fcda = m_records.fcdas.GetNext(pos);
            m_fcdaPaths.emplace(fcda->tagName, fcda->FCDAPath);
        }
        m_hasFcdaIndex = true;
    }
    const auto found = m_fcdaPaths.find(tagName);
    return found == m_fcdaPaths.end() ? CString() : found->second;
}

} // namespace Corvel::Gateway
