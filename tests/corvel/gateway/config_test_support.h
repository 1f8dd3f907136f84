// Module configuration tests: a project's records without a document, its configuration written into a
// scratch folder and a parsed view of the written file.
#pragma once

#include "corvel/gateway/device_config.h"
#include "support/message_box_recorder.h"
#include "support/parsed_xml.h"
#include "support/paths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace ConfigTest {

using namespace Corvel::Records;
using Node = XmlNode;
using Strings = std::vector<std::string>;

// IED slots of a new project, as the network view makes them.
constexpr int kIedSlots = 20;
constexpr int kFirstIedId = 1066;

// The records a project document owns, as a new project has them: the new project's settings, one port,
// free IED slots.
class ProjectRecords {
public:
    ProjectRecords()
    {
        ApplyNewProjectSettings(project);
        project.numPorts = 1;
        project.port61850 = 1;
        project.portPLC = 1;
        for (int i = 0; i < kIedSlots; ++i)
            project.iedDevices.AddTail(MakeIedSlot(kFirstIedId + i).release());
        tagsINP.SetListId(kTagsListInputs);
        tagsOUT.SetListId(kTagsListOutputs);
        tagsMSG.SetListId(kTagsListMessages);
    }
    ~ProjectRecords()
    {
        DeleteRecords(project.iedDevices);
        DeleteRecords(project.sclFiles);
        DeleteRecords(project.fcdas);
    }
    ProjectRecords(const ProjectRecords&) = delete;
    ProjectRecords& operator=(const ProjectRecords&) = delete;

    ProjectXmlContent Content() { return ProjectXmlContent{project, tagsINP, tagsOUT, tagsMSG, ctlModelMap, fileList}; }
    _IED_DEVICE& IedSlot(int index) { return *project.iedDevices.GetAt(project.iedDevices.FindIndex(index)); }
    void AddFcda(const char* tagName, const char* fcdaPath)
    {
        auto* fcda = new _CFCDA;
        fcda->tagName = tagName;
        fcda->FCDAPath = fcdaPath;
        project.fcdas.AddTail(fcda);
    }

    _PROJECT project;
    CVQNTagsList tagsINP;
    CVQNTagsList tagsOUT;
    CVQNTagsList tagsMSG;
    CtlModelMap ctlModelMap;
    CStringArray fileList;
};

// Every element named name below node (node included), in document order.
inline std::vector<const Node*> Descendants(const Node* node, const char* name)
{
    std::vector<const Node*> found;
    if (node == nullptr)
        return found;
    if (strcmp(node->name(), name) == 0)
        found.push_back(node);
    for (const Node* child = node->first_node(); child != nullptr; child = child->next_sibling()) {
        if (child->type() != rapidxml::node_element)
            continue;
        const auto below = Descendants(child, name);
        found.insert(found.end(), below.begin(), below.end());
    }
    return found;
}

// The child elements named name of node, in order.
inline std::vector<const Node*> Children(const Node* node, const char* name)
{
    std::vector<const Node*> found;
    for (const Node* child = node != nullptr ? node->first_node(name) : nullptr; child != nullptr;
         child = child->next_sibling(name))
        found.push_back(child);
    return found;
}

// "name=value" lists of the nodes' attributes.
inline std::vector<Strings> AttributesOf(const std::vector<const Node*>& nodes)
{
    std::vector<Strings> lists;
    for (const Node* node : nodes)
        lists.push_back(ParsedXml::Attributes(node));
    return lists;
}

// One attribute of each node.
inline Strings AttributeOf(const std::vector<const Node*>& nodes, const char* name)
{
    Strings values;
    for (const Node* node : nodes)
        values.push_back(ParsedXml::Attribute(node, name));
    return values;
}

// The "name" attributes of the tag database's tags.
inline Strings TagNames(const ParsedXml& xml)
{
    return AttributeOf(Children(xml.Find("TagDB/tags"), "tag"), "name");
}

// The first element below the root whose attribute name has value.
inline const Node* FindWith(const ParsedXml& xml, const char* element, const char* name, const char* value)
{
    for (const Node* node : Descendants(xml.Root(), element)) {
        if (ParsedXml::Attribute(node, name) == value)
            return node;
    }
    return nullptr;
}

class ConfigFixture : public ::testing::Test {
protected:
    // The next free IED slot, in use with a name, label and address.
    _IED_DEVICE& AddIed(const char* name)
    {
        _IED_DEVICE& ied = records.IedSlot(m_iedCount++);
        ied.state = kSlotInUse;
        ied.name = name;
        ied.label = name;
        ied.IPaddr = "10.0.0.1";
        ied.MMSping = "5";
        return ied;
    }
    static void AddRow(_IED_DEVICE& ied, std::initializer_list<const char*> texts)
    {
        ConfiguredRow row;
        for (const char* text : texts)
            row.push_back(text);
        ied.ConfiguredCache.push_back(row);
    }
    static _TAGS* Assign(CVQNTagsList& list, const char* name, int conn, int start, const char* access = "R")
    {
        _TAGS tag;
        tag.tagName = name;
        tag.Conn = conn;
        tag.StartAddr = start;
        tag.Access = access;
        tag.dataType = "INT16";
        return list.AddTag(tag);
    }

    // Writes the configuration to "out.xml" in the scratch folder and parses it.
    std::unique_ptr<ParsedXml> Write(bool withAttachments = false)
    {
        Corvel::Gateway::DeviceConfigOptions options;
        options.withAttachments = withAttachments;
        result = Corvel::Gateway::WriteDeviceConfigFile(records.Content(), OutputPath(), options);
        return std::make_unique<ParsedXml>(OutputPath());
    }
    CString OutputPath() const { return folder.File("out.xml"); }
    std::string WrittenText() const { return ReadBinaryFile(OutputPath()); }

    TempFolder folder;
    ProjectRecords records;
    MessageBoxRecorder boxes;
    Corvel::Gateway::DeviceConfigResult result;

private:
    int m_iedCount = 0;
};

} // namespace ConfigTest
