// CUnityExporter, UnityExportPaths: the Unity exchange files of a Modbus PLC device (variables *.xsy,
// function module *.xfm, tag list *.csv) written from the project's records.
#pragma once
#include "corvel/model/project_records.h"
#include "corvel/project/kor_xml.h"
#include "framework/error_report.h"

#include <ctime>
#include <functional>
#include <vector>

namespace Corvel::Gateway {

// The PLC families of a Modbus device (its devType) that the export serves.
constexpr int kDevTypeQuantum = 2;
constexpr int kDevTypeM340 = 3;
constexpr int kDevTypeModbusPlc = 6;

// The three files of one export.
struct UnityExportPaths {
    CString variables;      // *.xsy
    CString functionModule; // *.xfm
    CString tagList;        // *.csv
};

// The export state of one memory-map view: the device it shows, and what the last variables file counted.
// Failures are noted for the window that called it (TakeMessages); no file is ever left half-written under its
// name (each is written beside it and moved over it once complete).
class CUnityExporter {
public:
    // The local time of the files' time stamps.
    using Clock = std::function<time_t()>;

    CUnityExporter();

    // When the memory-map view opens: keeps project and device (both must outlive the exporter's use), the
    // device name with blanks turned into "_", and the model's base name ("VQN31" for the one-port model).
    void Attach(const Records::_PROJECT& project, const Records::CPLC_Device& device);
    // Whether a device of this type offers the export (Quantum, M340, other Modbus PLC).
    static bool IsExportedDeviceType(int devType);

    // The command "Export Processor Files": the slot check, the save dialog, then ExportFiles, and the warning
    // naming the tags left out. It shows the dialog, so it is window code (defined with the memory-map
    // dialogs); a cancelled dialog ends it silently.
    void Export();

    // The failures noted since the last take, in order, for the window to show.
    std::vector<CErrorReport> TakeMessages();

    // Takes the device's NOE slot (1 to 15) when it is reached through an NOE module, else -1. False after
    // noting "Error: Slot number is out of range" for a slot outside 1 to 15.
    bool TakeNoeSlot();
    // Writes the files of chosenPath (see DerivePaths): the variables file, the function-module file
    // (not for the other Modbus PLCs), the tag list, stopping at the first failure. True when all were
    // written.
    bool ExportFiles(const CString& chosenPath);
    // The tag-map rows whose type has no Unity type name (INT64, say), by tag name: the files leave them out.
    std::vector<CString> FindTagsWithoutUnityType() const;
    // The warning that names them.
    static CString TagsLeftOutWarning(const std::vector<CString>& tagNames);
    // The files of a chosen name: its extension removed when it is ".xsy", ".xfm" or ".csv" (in any case),
    // then each of the three appended, so that no two files share a path.
    static UnityExportPaths DerivePaths(const CString& chosenPath);

    // Each writes one file; false after noting why (under the product's title).
    bool WriteVariablesFile(const CString& path);
    bool WriteTagListCsv(const CString& path);
    bool WriteFunctionModuleFile(const CString& path);

    // "-512", or noeSlot x 256 for an NOE slot.
    CString GetRoutingRegisterText() const;
    // The name inside the files and the save dialog's first proposal: the device name, or the base name
    // for a device without one.
    CString GetLabel() const;

    const CString& GetDeviceName() const { return m_deviceName; }
    const CString& GetBaseName() const { return m_baseName; }
    int GetNoeSlot() const { return m_noeSlot; }
    void SetNoeSlot(int slot) { m_noeSlot = slot; }
    int GetReadTagCount() const { return m_readTagCount; }
    int GetWriteTagCount() const { return m_writeTagCount; }
    int GetReadRegisterCount() const { return m_readRegisterCount; }
    int GetWriteRegisterCount() const { return m_writeRegisterCount; }
    // Replaces the clock of the time stamps (tests fix the time).
    void SetClock(Clock clock) { m_clock = std::move(clock); }

    // The function-module file's sections, in the order the file holds them (unity_function_module.cpp).
    void WriteLogicConf(Korvane::Formats::CKorXml& xml);
    void WriteProgram(Korvane::Formats::CKorXml& xml);
    void WriteBlockInputs(Korvane::Formats::CKorXml& xml, int message);
    void WriteBlockOutputs(Korvane::Formats::CKorXml& xml, int message);
    void WriteAnimationTable(Korvane::Formats::CKorXml& xml);
    void WriteDataBlock(Korvane::Formats::CKorXml& xml);
    void WriteDdtSources(Korvane::Formats::CKorXml& xml);
    void WriteFbSource(Korvane::Formats::CKorXml& xml);

private:
    // Notes a failure to write a file, under the product's title.
    void NoteFailure(const CString& text);
    // The forms of the files' time stamps.
    static constexpr char kDateAndTimeStamp[] = "date_and_time#%s";
    static constexpr char kDtStamp[] = "dt#%s";
    // The prefix of the temporary files written before they replace the export's files.
    static constexpr char kTemporaryPrefix[] = "uty";

    // The four tag counts of the tag map.
    void CountTags();
    // The local time as "%Y-%m-%d-%H:%M:%S" in format's "%s" ("date_and_time#%s", "dt#%s").
    CString TimeStamp(LPCSTR format) const;
    // The read and write start registers of the device (1 and 1001 when empty).
    int ReadStartRegister() const;
    int WriteStartRegister() const;

    // Values of one function-module file.
    bool IsM340() const;
    int MessageCount() const;
    int MessageRegisterCount(int message) const;
    // The gateway's first register written by the PLC (one less for the M340).
    int GatewayStart() const;
    int GatewayAddress(int message) const;
    int DataBufferAddress(int message) const;
    int ControlBlockAddress(int message) const;
    // The gateway address on the PLC's side.
    CString GatewayIpText() const;
    CString SectionName() const;
    void WriteMessageVariable(Korvane::Formats::CKorXml& xml, int message);
    void WriteModbusMessageValues(Korvane::Formats::CKorXml& xml, int message);

    const Records::_PROJECT* m_project = nullptr;
    const Records::CPLC_Device* m_device = nullptr;
    CString m_deviceName;
    CString m_baseName;
    int m_noeSlot = -1;
    int m_readTagCount = 0;
    int m_writeTagCount = 0;
    int m_readRegisterCount = 0;
    int m_writeRegisterCount = 0;
    Clock m_clock;
    std::vector<CErrorReport> m_messages;
};

} // namespace Corvel::Gateway
