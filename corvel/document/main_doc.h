// CMainDoc: the project document with its records; FindMainDocument, GetActiveDocumentOfClass.
#pragma once
#include "framework/ui.h"
#include "corvel/gateway/device_config.h"
#include "corvel/model/ied_records.h"
#include "corvel/model/project_records.h"
#include "corvel/model/tags_list.h"
#include "corvel/project/project_state.h"
#include "corvel/project/project_xml.h"

#include <map>
#include <utility>
#include <vector>

// How a configuration restore ended (corvel/project/configuration_rewrite.h).
struct ConfigurationRestore;

namespace Corvel::Gateway {
class CGenAOI;
}

// The document holds the project (CProjectState: project, fileListA, ctlModelMap, tagsINP, tagsOUT, tagsMSG)
// and turns the outcome of the window-free operations on it into the user's dialogs and messages. Without a
// main frame (the tests) it works on the records alone.
class CMainDoc : public CDocument, public CProjectState {
    DECLARE_DYNCREATE(CMainDoc)
public:
    using _PROJECT = Corvel::Records::_PROJECT;
    using _TAGS = Corvel::Records::_TAGS;
    using _IED_DEVICE = Corvel::Records::_IED_DEVICE;
    using CPLC_Device = Corvel::Records::CPLC_Device;
    using _ICD_FILES = Corvel::Records::_ICD_FILES;
    using _TAGSMAP = Corvel::Records::_TAGSMAP;
    using CVQNTagsList = Corvel::Records::CVQNTagsList;
    // Key of the control-model map: (domain, data path).
    using CtlModelKey = std::pair<CString, CString>;

    // Device kinds of GetDeviceCount and the device operations.
    static constexpr int kKindPlc = 1;
    static constexpr int kKindIed = 4;
    static constexpr int kKindTagMap = 5;

    CMainDoc();
    ~CMainDoc() override;

    CSize GetViewSize() const { return viewSize; }
    void SetOpenKind(int kind) { openKind = kind; }
    int GetOpenKind() const { return openKind; }

    CString GetProjectPath() const { return project.filePath; }
    void SetProjectPath(const CString& path) { project.filePath = path; }
    void SetProjectName(const CString& name) { project.prjName = name; }
    // The name, or the file name of the project path when the name is empty.
    CString GetProjectName() const;
    void SetProjectComment(const CString& text) { project.comment = text; }
    CString GetProjectComment() const { return project.comment; }
    // The part of the project path after its last backslash.
    CString GetProjectFileName() const;
    // The part of the project path before its last backslash.
    CString GetProjectFolder() const;

    // Sets the document's own changed flag without updating the views.
    void SetModified(bool changed = true) { modified = changed; }
    // Marks the project changed and updates every view.
    void MarkChangedAndUpdateViews();

    // kKindIed: IED records in use; kKindPlc: 1; kKindTagMap: tag-map rows; else 0.
    int GetDeviceCount(int kind) const;
    // Deletes the first SCL file record whose fileName equals the file-name part of path (case-sensitive).
    void RemoveSclFile(const CString& path);

    // Tag map and Modbus support (main_doc_tagmap.cpp).
    // Rebuild tags / tagMaps from the mapped entries of the IEDs in use, while the main frame has a current device.
    void RebuildTagList();
    void RebuildTagMap();
    void ClearTagMap();
    // Rebuilds the tag map and counts the mapped entries of the PLC devices in use (all: the current one too).
    int CountMappedTags(bool all);
    // Rebuilds the tag map and adds up the register counts of its types.
    int CountTagMapRegisters();
    // Adds the read and write tags of the tag map and their element counts to the counters.
    void BuildMtcpTagLists(int& readTags, int& writeTags, int& readElements, int& writeElements);
    // The name with "-" and the characters PLC variable names cannot hold replaced by "_".
    static CString SanitizeTagName(const CString& tagName);
    // Removes the first entry of fileListB equal to name.
    void RemoveFileName(const CString& name);
    // Clears Assigned and SeqNum of the tag of the same path and name; false when there is none.
    bool ClearTagAssignment(const _TAGS& tag);
    // Removes the named tag from the three connection lists; true when a list held it.
    bool RemoveTagFromConnections(const CString& tagName);
    // Removes the tags of one IED's mapped entries from the connection lists and renumbers them.
    void RemoveDeviceTagsFromConnections(const Corvel::Records::ConfiguredRows& entries);
    // Control-model map: codes 1 to 4 by (domain, data path).
    int GetCtlModel(const CString& domain, const CString& path);
    void SetCtlModel(const CString& domain, const CString& path, int ctlModel);
    CString FindCtlModelTextForTag(const CString& domain, const CString& tagText) const;
    void ClearCtlModelMap();
    void RemoveIedCtlModels(const CString& iedName);
    // The value of the first iedName="..." attribute of the file; empty when there is none.
    static CString FindIedNameInFile(const CString& path);

    // Asks to save a changed project ("  " + message, Yes/No/Cancel when ask);
    // false when the user cancelled. Clears `modified` otherwise.
    bool PromptSaveChanges(const CString& message, bool ask);
    // Empties both file lists and deletes the temporary file.
    void ClearFileLists();

    // Writes the project XML file: path with its extension replaced by "prx"; false when it could not be
    // opened or written whole (reported by the XML writer).
    bool WriteProjectXml(const CString& path);
    // What the project XML file tells about its writing: this program, its version and the time.
    ProjectXmlStamp MakeXmlStamp() const;
    // Writes the module configuration to path, for Export Configuration, the download and the AOI export;
    // tagCount receives the IED tag rows written. Failures are thrown as CKorException for the command to
    // report; the file named path and the project are then as they were.
    Corvel::Gateway::DeviceConfigResult WriteDeviceConfig(CString path, int& tagCount);
    // WriteDeviceConfig with its failure caught: false, with the text for the user in failure, when the writer,
    // the XML DOM or the file system failed.
    bool TryWriteDeviceConfig(const CString& path, Corvel::Gateway::DeviceConfigResult& result, CString& failure);

    // Export AOI Files (main_doc_aoi.cpp).
    // Command 32890, and 32892 of the gateway button: makes sure the project is saved, asks for a folder and
    // writes the module configuration ("Current.xml") and the Logix Add-On Instruction files into it.
    afx_msg void OnExportAoiFiles();
    // Writes the module configuration into folder and the AOI files of aoi from it, the export's one road.
    // The configuration becomes folder's "Current.xml" when the AOI files are written; a declined or failed
    // run leaves the folder's "Current.xml" as it was. False when the export could not read the
    // configuration. Failures throw CKorException with the text for the user. warnings, when given, receives
    // what the configuration leaves out.
    bool WriteAoiFiles(const CString& folder, Corvel::Gateway::CGenAOI& aoi, std::vector<CString>* warnings = nullptr);
    // Opens the project XML file path as a new project (after the save prompt
    // of New; nothing happens when it is cancelled). A file that cannot be
    // read or lacks a section is reported in a message box and leaves the
    // project not ready.
    void ReadProjectXml(const CString& path);
    // Fills the unique tag name of a tag-map row when it is empty.
    void DeriveTagUName(_TAGSMAP& row) const;
    // The control model of key (a domain, "_" and a data path) as "%d" text, or defaultText.
    CString FindCtlModelText(const CString& key, const CString& defaultText) const;
    // The first FCDA record whose tagName equals tagName, or null.
    _CFCDA* FindFcda(const CString& tagName) const;

    // Device delete, copy and paste (main_doc_devices.cpp). They act on the
    // device of the main frame's current device id.
    // Frees the current IED (its control models and connection tags go too) and moves the IEDs in use to the front.
    virtual void DeleteCurrentIedDevice();
    // Frees the current PLC device and moves the PLC devices in use to the front.
    virtual void DeleteCurrentPlcDevice();
    // Copy keeps a snapshot of the current device's record; copiedIedDevice / copiedPlcDevice point to it.
    virtual void CopyCurrentIedDevice();
    virtual void CopyCurrentPlcDevice();
    // Places a new device in the first free slot with the copied record's fields.
    virtual void PasteIedDevice();
    virtual void PastePlcDevice();
    // kKindIed or kKindPlc; other kinds do nothing.
    virtual void CopyDevice(int kind);
    virtual void PasteDevice(int kind);
    // Asks (profile "Props"/"Warnings" 1, the default) and deletes the current device of the kind.
    virtual void DeleteDevice(int kind);

    // Opens a project, SCL file or configuration by its extension (main_doc_open.cpp);
    // true when it was recognised and opened. askFolder: a configuration asks for the
    // folder to place the project in.
    virtual BOOL OpenFileByType(const CString& path, BOOL askFolder);
    // Command ID_OPEN_PROJECT: the save prompt, an open-file dialog and OpenFileByType.
    afx_msg void OnOpenProject();
    // Command ID_IMPORT_CONFIGURATION: copies a configuration into a chosen folder and opens it as a project.
    afx_msg void OnImportConfiguration();
    // Command ID_EXPORT_CONFIGURATION: the gateway button's export of the module configuration.
    afx_msg void OnExportConfiguration();
    afx_msg void OnUpdateExportConfiguration(CCmdUI* pCmdUI);
    // Rewrites the File names of the configuration at path into the project folder
    // (into "<folder>\TEMP.xml", then renamed to the project's name with "xml") and
    // restores its embedded files; a restored project takes the name of the project file
    // the configuration names. Shows nothing: the caller reports the result.
    ConfigurationRestore RestoreConfigurationFiles(const CString& path);
    // Whether the file named by the project path exists.
    bool ProjectFileExists() const;
    // Makes the first IED record's device the current one and lists its tags, as a click on its button does.
    void SelectFirstIedDevice();

private:
    // What Copy took; copiedIedDevice and copiedPlcDevice point here.
    std::unique_ptr<_IED_DEVICE> m_copiedIedSnapshot;
    std::unique_ptr<CPLC_Device> m_copiedPlcSnapshot;

public:
    // Adding IEDs from SCL files (main_doc_addied.cpp).
    using CConnectedAPArray = ::CConnectedAPArray;
    // Command ID_ADD_IED, and ID_APP_ADD_IED forwarded by the application: adds the SCL files chosen in a file dialog.
    virtual void OnAddIed();
    // Adds one SCL file to the project's file lists and to the file view, unless the project has a file of its name.
    void AddSclFile(CString path);
    // Streams the file and collects "type,name,desc,manufacturer,ipaddress," of each IED element into info;
    // returns an error text, empty when the file could be read (a parse error only ends the scan).
    static CString ScanSclFile(CString& info, const CString& path);
    // Appends one new record per ConnectedAP of an IED with a server access point; the caller owns them.
    static void ReadIedHeader(const CString& path, CConnectedAPArray& entries);
    // Command ID_CHANGE_SCL_FOLDER: points the project's SCL files to the same names in a folder the user chooses.
    afx_msg void OnChangeSclFolder();

    // New with its save prompt; false when the user cancelled it.
    bool StartNewProject();
    afx_msg void OnFileNew();
    afx_msg void OnAppExit();

    bool flagA = true;
    CSize viewSize;
    int openKind = 0;
    bool modified = false;
    bool projectReady = false;
    // Kept with the document's fields; nothing sets it.
    bool flagB = false;
    CString tempFilePath;
    CStringArray fileListB;
    // The archive's second path text; kept, but nothing sets it (a save empties it).
    CString textA;
    // Kept with the document's fields; nothing sets it.
    int numberA = 0;
    _IED_DEVICE* copiedIedDevice = nullptr;
    CPLC_Device* copiedPlcDevice = nullptr;
    // Name of the IED shown selected in the network view.
    CString currentDeviceName;
    // Kept with the document's fields; nothing sets it.
    bool flagC = false;

    // Project archive (*.prj), Save and Save As, packing of tags (main_doc_archive.cpp).
    using CVQNSortingList = Corvel::Records::CVQNSortingList;
    // Writes the .prx file and then the .prj file of the project path (its
    // extension made "prj"); runs Save As first when the project has no path.
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    // Save and Save As with their outcome: false when the user cancelled the
    // dialog or a file could not be written (which is reported).
    bool SaveProject();
    bool SaveProjectAs();
    // Opens the project archive named by the project path as a new project,
    // after New's save prompt; path is the file being opened (its folder holds
    // "SCLFiles"). A file that cannot be opened or read to its end is reported
    // and leaves the project not ready.
    void LoadProjectArchive(const CString& path);

    // File version of the project archive read last (10 for the files this program writes).
    int fileVersion = 0;
    // The SCL files live in sclFolder, the "SCLFiles" folder beside the opened archive.
    bool sclFilesInProjectFolder = false;
    CString sclFolder;
    // "Not enough space" has been shown in this project.
    bool notEnoughSpaceShown = false;

private:
    // The document as the connection lists' packing sees it; registers itself with the three lists.
    class CPackingLink : public Corvel::Records::CTagPackingHost {
    public:
        explicit CPackingLink(CMainDoc& doc);
        int GetConnectionLimit() const override;
        bool FirstNotEnoughSpaceNotice() override;
        void ClearTagAssignment(const _TAGS& tag) override;

    private:
        CMainDoc& m_doc;
    };
    CPackingLink m_packingLink{*this};

    // Writes both files; a .prj that cannot be created runs Save As when mayAskPath, else is reported.
    bool WriteProjectFiles(bool mayAskPath);
    // Reports how reading a project file ended: the error (a box of errorType) when it was not loaded, then each
    // warning.
    static void ReportLoadResult(bool loaded, const CString& error, UINT errorType,
                                 const std::vector<CString>& warnings);

protected:
    // Called by Export AOI Files after the project was saved; waits that many milliseconds.
    virtual void WaitAfterSave(DWORD milliseconds);
    // Runs Save As when the save prompt is answered Yes; false when it did not save.
    virtual bool SaveProjectFromPrompt();
    // Rebuilds the network view after the main frame released the old picture; without a main frame,
    // rebuilds the device records alone, as many as the profile asks for.
    virtual void RebuildNetworkView();

    DECLARE_MESSAGE_MAP()
};

// The last document of every template of the application, or null.
CMainDoc* FindMainDocument();
// The main frame's active document when it is of class pClass, else null.
CDocument* GetActiveDocumentOfClass(CRuntimeClass* pClass);
