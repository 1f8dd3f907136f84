// projdump FILE [--save OUT]: opens a project file through Corvel's own readers
// and prints the project, or saves it through Corvel's own writers.
//
//   projdump FILE             prints the project read from FILE (*.prj or
//                             *.prx, chosen by the extension) to the standard
//                             output
//   projdump FILE --save OUT  reads FILE and saves it as the document's Save
//                             does: OUT.prx, then OUT.prj (OUT with its
//                             extension replaced); prints nothing
//
// The tool reads and writes as the document does, without windows: messages
// the readers and writers would show go to the error output, and a file that
// cannot be opened is not asked for again.
// The exit code is 0 on success, 1 when the file could not be read or written
// (any message box counts as a failure), 2 for wrong arguments.
//
// Output format (version 2). One item a line, ended by a line feed; two spaces of indentation per
// level; a line is a name followed by its values. Texts are in double quotes,
// with \" and \\ for a quote and a backslash and \xHH for every byte below 0x20
// or from 0x7F on; numbers are decimal; flags are true or false. Lists give
// their length on the header line and then their records in list order,
// numbered from 1. Every record of every list is printed, free device slots
// included, with all of its named fields. In order:
//
//   projdump 2
//   project                      the settings of the project
//     prjName "..."              comment, numPorts, port61850, portPLC,
//     ...                        autoRestart, eth0IPaddr ... eth1Gateway,
//                                NTPaddr ... rebootRegister
//   ieds N                       the IED device records
//     ied I
//       state S / devNum D       then name, vendor, CIDFile, IPaddr, IPMask,
//       ...                      Gateway, label, comment, MSScanDelay, MMSping,
//                                APTitle, AEQualifier, pSel, sSel, tSel
//       ConfiguredCache R        row I "text" "text" ... (all columns of the row)
//       ReportsPath E            entries in key order:
//         entry "data path"
//           texts, then the eight flags, iIndex, iCount, iIntPd
//           dataItems K          item I "FC" "dataType" "domName" "mmsDataPath" "DAName" "extra"
//   plcs N                       the PLC device records: state, devNum, devType,
//     plc I                      NOESel, NOESlotNum, node, IPAddr, IPMask,
//                                Gateway, name, comment, CmdDelay, Resp, Rty,
//                                ErrDelay, RStartReg, WStartReg,
//                                configuredRows R, secondRows R (rows as above)
//   sclFiles N                   sclFile I "fileName" "filePath" "checksum"
//   tags N                       the tag list: tag I, then its fields
//   tagMaps N                    tagMap I "tagPath" "tagName" "tagUName" "dataType" "direction"
//   fcdas N                      fcda I and the sixteen texts of the record in declaration order
//   tagsINP N                    usedSizes (20 numbers), then tag I with SeqNum,
//   tagsOUT N                    Conn, IOType, StartAddr, tagType, Assigned,
//   tagsMSG N                    tagName, tagUName, tagPath, dataType, Access, tagFCDA
//   ctlModelMap N                entry "domain" "data path" code, in key order;
//                                entries of code 0 are left out (every lookup
//                                takes them as no entry, and no file keeps them)
//
// The project's own path (the Detail "filePath" of a *.prx) is not printed: it
// names the file that was written, so a saved copy would differ in it alone.
#include "tools/projdump/console_project.h"
#include "tools/projdump/project_dump.h"

#include "corvel/project/path_utils.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>

namespace {

int Usage()
{
    fprintf(stderr, "usage: projdump FILE [--save OUT]\n");
    return 2;
}

// Saves as the document's Save does: OUT.prx, then OUT.prj.
bool SaveProject(CProjectState& state, const CString& out)
{
    if (state.project.prjName.IsEmpty())
        state.project.prjName = GetFileNameOfPath(out);
    CString error;
    const ProjectWriteResult result = state.WriteProjectFiles(out, {}, error);
    for (const CErrorReport& message : state.TakeXmlMessages())
        ReportToConsole(message.Text());
    switch (result) {
    case ProjectWriteResult::kWritten:
        return true;
    case ProjectWriteResult::kXmlNotWritten:
        return false; // reported by the XML writer's messages
    default: {
        CString message;
        message.Format("Error: Could not write the project file \"%s\": %s", (LPCSTR)state.project.filePath,
                       (LPCSTR)error);
        ReportToConsole(message);
        return false;
    }
    }
}

} // namespace

int main(int argc, char** argv)
{
    const bool save = argc == 4 && strcmp(argv[2], "--save") == 0;
    if (argc != 2 && !save)
        return Usage();
    CProjectState state;
    if (!OpenProjectFile(state, argv[1], "projdump"))
        return 1;
    if (save)
        return SaveProject(state, argv[3]) && ConsoleMessageCount() == 0 ? 0 : 1;
    const std::string text = DumpProject(state);
    // Lines end with "\n" alone, as the format says.
    _setmode(_fileno(stdout), _O_BINARY);
    fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}
