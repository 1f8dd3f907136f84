// AOI export tests: module configurations written by hand and the parts of a written AOI file.
#pragma once

#include "support/parsed_xml.h"

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace AoiTest {

using Strings = std::vector<std::string>;

// A module configuration with the parts the export reads: the tag database, the EtherNet/IP adapter's
// implicit connections and the IEC 61850 client's remote addresses.
class ConfigText {
public:
    struct Map {
        std::string tag;
        int start;
    };

    ConfigText& Tag(const std::string& name, const std::string& type, const std::string& dim0 = "0")
    {
        m_tags += "<tag comment=\"\" datatype=\"" + type + "\" dim0=\"" + dim0 + "\" name=\"" + name + "\"/>\n";
        return *this;
    }
    // A tag element without a name.
    ConfigText& UnnamedTag(const std::string& type)
    {
        m_tags += "<tag comment=\"\" datatype=\"" + type + "\" dim0=\"0\"/>\n";
        return *this;
    }
    ConfigText& Connection(const std::string& no, const std::vector<Map>& inputs, const std::vector<Map>& outputs = {})
    {
        m_connections += "<Connection No=\"" + no + "\" ReconnCnt=\"StatusEIPS_ReconnectionCount_" + no + "\">";
        for (const auto& [direction, maps] : {std::pair{"Input", &inputs}, std::pair{"Output", &outputs}}) {
            m_connections += std::string("<") + direction + ">";
            for (const Map& map : *maps)
                m_connections += "<Map Tag=\"" + map.tag + "\" StartAddress=\"" + std::to_string(map.start) + "\"/>";
            m_connections += std::string("</") + direction + ">";
        }
        m_connections += "</Connection>\n";
        return *this;
    }
    // A remote address of the IEC 61850 client named device.
    ConfigText& Device(const std::string& device)
    {
        m_addresses += "<RemoteAddress><AR_Name>" + device + "</AR_Name><IPADDR Type=\"NetAddr\">10.0.0.1</IPADDR>"
                       "</RemoteAddress>\n";
        return *this;
    }
    // A remote address without "AR_Name".
    ConfigText& UnnamedDevice()
    {
        m_addresses += "<RemoteAddress><IPADDR Type=\"NetAddr\">10.0.0.2</IPADDR></RemoteAddress>\n";
        return *this;
    }
    // The client's driver under another id.
    ConfigText& ClientId(const std::string& id)
    {
        m_clientId = id;
        return *this;
    }

    std::string Text() const
    {
        return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
               "<DeviceConfig moduleName=\"Test\" productName=\"VQN31-EIP-61850\" DriverAutoRestart=\"No\">\n"
               "<TagDB><datatypes></datatypes><tags>\n" +
               m_tags +
               "</tags></TagDB>\n"
               "<Resources><Resource id=\"eth0\" ip=\"10.0.0.9\" netmask=\"255.0.0.0\" gateway=\"\">\n"
               "<Driver id=\"SNTP\"><SNTPSchedule updateMinutes=\"1\" serverAddress=\"\"/></Driver>\n"
               "<Driver id=\"EIPS\"><Implicit RPI=\"10\">\n" +
               m_connections +
               "</Implicit><Explicit/></Driver>\n"
               "<Driver id=\"" +
               m_clientId + "\"><GOOSESupport value=\"1\"></GOOSESupport><RemoteAddressList>\n" + m_addresses +
               "</RemoteAddressList></Driver>\n"
               "</Resource></Resources>\n"
               "<Attachments></Attachments>\n"
               "</DeviceConfig>\n";
    }

private:
    std::string m_tags;
    std::string m_connections;
    std::string m_addresses;
    std::string m_clientId = "IEC61850C";
};

// The parts of a written AOI file.
class AoiFile {
public:
    explicit AoiFile(const CString& path) : m_xml(path) {}

    const XmlNode* Root() const { return m_xml.Root(); }
    const XmlNode* Definition() const { return m_xml.Find("Controller/AddOnInstructionDefinitions/AddOnInstructionDefinition"); }

    // Each member's attributes, "name=value" joined by blanks.
    Strings Members() const { return Lines(m_xml.Find("Controller/DataTypes/DataType/Members"), "Member"); }
    Strings Parameters() const { return Lines(Definition()->first_node("Parameters"), "Parameter"); }
    Strings ParameterNames() const { return Names(Definition()->first_node("Parameters"), "Parameter"); }
    Strings MemberNames() const { return Names(m_xml.Find("Controller/DataTypes/DataType/Members"), "Member"); }
    // Each member's name, and for a bit its hidden member and bit number: "_B ZZZZZZZZZZIED10.3".
    Strings Bits() const
    {
        Strings bits;
        const XmlNode* members = m_xml.Find("Controller/DataTypes/DataType/Members");
        for (const XmlNode* m = members->first_node("Member"); m != nullptr; m = m->next_sibling("Member")) {
            std::string bit = ParsedXml::Attribute(m, "Name");
            if (m->first_attribute("Target") != nullptr)
                bit += " " + ParsedXml::Attribute(m, "Target") + "." + ParsedXml::Attribute(m, "BitNumber");
            bits.push_back(bit);
        }
        return bits;
    }
    // The rungs' numbers and texts, "N: text"; a text that is not one CDATA section reads "<not CDATA>".
    Strings Rungs() const
    {
        Strings rungs;
        const XmlNode* content = Definition()->first_node("Routines")->first_node("Routine")->first_node("RLLContent");
        for (const XmlNode* rung = content->first_node("Rung"); rung != nullptr; rung = rung->next_sibling("Rung")) {
            const XmlNode* data = rung->first_node("Text")->first_node();
            const bool isCData = data != nullptr && data->type() == rapidxml::node_cdata && data->next_sibling() == nullptr;
            rungs.push_back(ParsedXml::Attribute(rung, "Number") + ": " + (isCData ? data->value() : "<not CDATA>"));
        }
        return rungs;
    }

    // The operands of the rungs that name no parameter of the instruction, or no member of its data type.
    Strings UndeclaredOperands() const
    {
        const Strings parameterNames = ParameterNames();
        const Strings memberNames = MemberNames();
        const std::set<std::string> parameters(parameterNames.begin(), parameterNames.end());
        const std::set<std::string> members(memberNames.begin(), memberNames.end());
        const std::string dataType = ParsedXml::Attribute(m_xml.Find("Controller/DataTypes/DataType"), "Name");
        Strings undeclared;
        for (std::string rung : Rungs()) {
            rung = rung.substr(rung.find(": ") + 2);
            for (char& c : rung) {
                if (c == '(' || c == ')' || c == ',' || c == ';')
                    c = ' ';
            }
            std::istringstream words(rung);
            for (std::string operand; words >> operand;) {
                const bool isNumber = operand.find_first_not_of("0123456789") == std::string::npos;
                if (isNumber || operand == "XIC" || operand == "OTE" || operand == "COP")
                    continue;
                const std::string base = operand.substr(0, operand.find_first_of("[."));
                const size_t dot = operand.find('.');
                const std::string member = dot == std::string::npos ? "" : operand.substr(dot + 1, operand.find('[', dot) - dot - 1);
                if (parameters.count(base) == 0 || (base == dataType && members.count(member) == 0))
                    undeclared.push_back(operand);
            }
        }
        return undeclared;
    }

private:
    static Strings Names(const XmlNode* parent, const char* name)
    {
        Strings names;
        for (const XmlNode* node = parent->first_node(name); node != nullptr; node = node->next_sibling(name))
            names.push_back(ParsedXml::Attribute(node, "Name"));
        return names;
    }
    static Strings Lines(const XmlNode* parent, const char* name)
    {
        Strings lines;
        for (const XmlNode* node = parent->first_node(name); node != nullptr; node = node->next_sibling(name)) {
            std::string line;
            for (const std::string& pair : ParsedXml::Attributes(node))
                line += (line.empty() ? "" : " ") + pair;
            lines.push_back(line);
        }
        return lines;
    }

    ParsedXml m_xml;
};

} // namespace AoiTest
