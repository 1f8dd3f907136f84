// Project archive tests: archive bytes written by hand, a document with few device records and its golden project.
#pragma once

#include "corvel/project/project_archive.h"

#include <cstdint>
#include <initializer_list>
#include <string>

#include "prx_test_support.h"

namespace PrjTest {

// Archive values as the framework encodes them, for files written by hand.
class ArchiveBytes {
public:
    ArchiveBytes& Text(const std::string& text)
    {
        if (text.size() >= 255) {
            m_bytes += "\xFF";
            m_bytes += static_cast<char>(text.size() & 0xFF);
            m_bytes += static_cast<char>(text.size() >> 8);
        } else {
            m_bytes += static_cast<char>(text.size());
        }
        m_bytes += text;
        return *this;
    }
    ArchiveBytes& Texts(std::initializer_list<std::string> texts)
    {
        for (const std::string& text : texts)
            Text(text);
        return *this;
    }
    ArchiveBytes& EmptyTexts(int count)
    {
        for (int i = 0; i < count; ++i)
            Text("");
        return *this;
    }
    ArchiveBytes& Int(int32_t value)
    {
        const auto bits = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            m_bytes += static_cast<char>((bits >> (8 * i)) & 0xFF);
        return *this;
    }
    ArchiveBytes& Flag(bool value)
    {
        m_bytes += value ? '\x01' : '\x00';
        return *this;
    }
    ArchiveBytes& Count(int value) { return Text(std::to_string(value)); }
    ArchiveBytes& Raw(const std::string& bytes)
    {
        m_bytes += bytes;
        return *this;
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// Leaves the document ieds IED records and plcs PLC records.
inline void KeepSlots(CMainDoc& doc, int ieds, int plcs)
{
    auto& p = doc.project;
    while (p.iedDevices.GetCount() > ieds)
        delete p.iedDevices.RemoveTail();
    while (p.plcDevices.GetCount() > plcs)
        delete p.plcDevices.RemoveTail();
}

inline ProjectArchiveContent ContentOf(CMainDoc& doc)
{
    return ProjectArchiveContent{doc.project, doc.tagsINP, doc.tagsOUT, doc.tagsMSG, doc.ctlModelMap};
}

// The golden project: one IED and one PLC record, one SCL file, one tag in each
// connection list, one data-set member, one tag-map row, a six-entry row, a
// reports-path entry with a distinct text in every field and a 300-character comment.
void FillGoldenProject(CMainDoc& doc);

} // namespace PrjTest
