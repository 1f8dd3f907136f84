// Project XML tests: the fixture files, a parsed view of a written file and a project with every kind of record.
#pragma once

#include "../app/new_project_document.h"

#include "support/parsed_xml.h"

#include <memory>
#include <string>
#include <vector>

#include "support/paths.h"

namespace PrxTest {

using Corvel::Records::kSlotInUse;
using Node = XmlNode;

inline CString FixturePath(LPCSTR name)
{
    return SourcePath(CString("tests/corvel/project/fixtures/prx/") + name);
}

using ::ParsedXml;

inline Corvel::Records::_IED_DEVICE& IedSlot(CMainDoc& doc, int index)
{
    return *doc.project.iedDevices.GetAt(doc.project.iedDevices.FindIndex(index));
}

inline Corvel::Records::CPLC_Device& FirstPlc(CMainDoc& doc)
{
    return *doc.project.plcDevices.GetHead();
}

inline _CFCDA* AddFcda(CMainDoc& doc, LPCSTR name, LPCSTR uName, LPCSTR path)
{
    auto* fcda = new _CFCDA;
    fcda->tagName = name;
    fcda->tagUName = uName;
    fcda->tagPath = path;
    doc.project.fcdas.AddTail(fcda);
    return fcda;
}

inline Corvel::Records::_TAGSMAP* AddTagMap(CMainDoc& doc, LPCSTR name, LPCSTR uName, LPCSTR path, LPCSTR type)
{
    auto* row = new Corvel::Records::_TAGSMAP;
    row->tagName = name;
    row->tagUName = uName;
    row->tagPath = path;
    row->dataType = type;
    doc.project.tagMaps.AddTail(row);
    return row;
}

inline Corvel::Records::_TAGS MakeTag(LPCSTR name, LPCSTR uName, LPCSTR path, int type, int seq, int conn, int start)
{
    Corvel::Records::_TAGS tag;
    tag.tagName = name;
    tag.tagUName = uName;
    tag.tagPath = path;
    tag.dataType = "INT32";
    tag.Access = "R";
    tag.tagType = type;
    tag.SeqNum = seq;
    tag.Conn = conn;
    tag.IOType = conn < 0 ? 3 : 1;
    tag.StartAddr = start;
    return tag;
}

// A project holding every kind of record, in the form the reader gives back:
// IED rows of 7 or 9 columns, PLC rows of 8, unique names filled in, message
// tags numbered from 1, control models keyed by the names the file carries.
void FillProject(CMainDoc& doc);

} // namespace PrxTest
