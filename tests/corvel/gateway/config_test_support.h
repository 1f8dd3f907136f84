// Module configuration tests: a project without windows, its configuration written into a scratch folder
// and a parsed view of the written file.
#pragma once

#include "corvel/gateway/device_config.h"
#include "corvel/project/prx_test_support.h"
#include "support/message_box_recorder.h"
#include "support/paths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace ConfigTest {

using namespace Corvel::Records;
using Node = PrxTest::Node;
using PrxTest::ParsedXml;
using Strings = std::vector<std::string>;

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
        _IED_DEVICE& ied = PrxTest::IedSlot(doc, m_iedCount++);
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
        result = Corvel::Gateway::WriteDeviceConfigFile(doc.GetXmlContent(), OutputPath(), options);
        return std::make_unique<ParsedXml>(OutputPath());
    }
    CString OutputPath() const { return folder.File("out.xml"); }
    std::string WrittenText() const { return ReadBinaryFile(OutputPath()); }

    TempFolder folder;
    CDetachedMainDoc doc;
    MessageBoxRecorder boxes;
    Corvel::Gateway::DeviceConfigResult result;

private:
    int m_iedCount = 0;
};

} // namespace ConfigTest
