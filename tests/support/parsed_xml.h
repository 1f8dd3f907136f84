// ParsedXml: a written XML file parsed for inspection, with its elements' names and attributes in order.
#pragma once

#include "support/paths.h"

#include <rapidxml.hpp>

#include <memory>
#include <string>
#include <vector>

using XmlNode = rapidxml::xml_node<char>;

// A written file parsed for inspection; element paths are names joined by "/".
class ParsedXml {
public:
    explicit ParsedXml(const CString& path)
        : m_text(ReadBinaryFile(path)), m_document(std::make_unique<rapidxml::xml_document<char>>())
    {
        m_text.push_back('\0');
        m_document->parse<rapidxml::parse_default>(&m_text[0]);
    }

    const XmlNode* Root() const { return m_document->first_node(); }

    // The first element along path below the root ("Network/Eth1"), or null.
    const XmlNode* Find(LPCSTR path) const
    {
        const XmlNode* node = Root();
        std::string rest = path;
        while (node != nullptr && !rest.empty()) {
            const size_t slash = rest.find('/');
            const std::string name = rest.substr(0, slash);
            node = node->first_node(name.c_str());
            rest = slash == std::string::npos ? std::string() : rest.substr(slash + 1);
        }
        return node;
    }

    // Names of the child elements of node, in order.
    static std::vector<std::string> ChildNames(const XmlNode* node)
    {
        std::vector<std::string> names;
        for (const XmlNode* child = node->first_node(); child != nullptr; child = child->next_sibling())
            if (child->type() == rapidxml::node_element)
                names.push_back(child->name());
        return names;
    }

    // "name=value" of every attribute of node, in order.
    static std::vector<std::string> Attributes(const XmlNode* node)
    {
        std::vector<std::string> pairs;
        for (auto* a = node->first_attribute(); a != nullptr; a = a->next_attribute())
            pairs.push_back(std::string(a->name()) + "=" + a->value());
        return pairs;
    }

    // The attributes of node and of its "items" children, one list each.
    static std::vector<std::vector<std::string>> Groups(const XmlNode* node)
    {
        std::vector<std::vector<std::string>> groups{Attributes(node)};
        for (const XmlNode* child = node->first_node("items"); child != nullptr; child = child->next_sibling("items"))
            groups.push_back(Attributes(child));
        return groups;
    }

    static std::string Attribute(const XmlNode* node, LPCSTR name)
    {
        auto* a = node != nullptr ? node->first_attribute(name) : nullptr;
        return a != nullptr ? a->value() : "<none>";
    }

private:
    std::string m_text;
    std::unique_ptr<rapidxml::xml_document<char>> m_document;
};

