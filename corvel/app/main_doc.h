// CMainDoc: the project document with its records; FindMainDocument, GetActiveDocumentOfClass.
#pragma once
#include "framework/ui.h"
#include "corvel/app/project_records.h"
#include "corvel/app/tags_list.h"

#include <map>
#include <utility>

class CMainDoc : public CDocument {
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

    // Asks to save a changed project ("  " + message, Yes/No/Cancel when ask);
    // false when the user cancelled. Clears `modified` otherwise.
    bool PromptSaveChanges(const CString& message, bool ask);
    // Empties both file lists and deletes the temporary file.
    void ClearFileLists();

    // Opens a project, SCL file or configuration by its extension; true when
    // it was recognised and opened. The open-by-type task fills this in.
    virtual BOOL OpenFileByType(const CString& path, BOOL askFolder);
    // Add IED, forwarded by the application; the add-IED task fills this in.
    virtual void OnAddIed();

    afx_msg void OnFileNew();
    afx_msg void OnAppExit();

    bool flagA = true;
    CSize viewSize;
    int openKind = 0;
    bool modified = false;
    bool projectReady = false;
    bool flagB = false;
    CString tempFilePath;
    CStringArray fileListA;
    CStringArray fileListB;
    CString textA;
    int numberA = 0;
    _PROJECT project;
    _IED_DEVICE* copiedIedDevice = nullptr;
    CPLC_Device* copiedPlcDevice = nullptr;
    std::map<CtlModelKey, int> ctlModelMap;
    CVQNTagsList tagsINP;
    CVQNTagsList tagsOUT;
    CVQNTagsList tagsMSG;
    bool flagC = false;

protected:
    // Saves the project when the save prompt is answered Yes; the Save As
    // task runs its dialog here. Nothing yet.
    virtual void SaveProjectFromPrompt();
    // Rebuilds the network view after the main frame released the old picture.
    virtual void RebuildNetworkView();

    DECLARE_MESSAGE_MAP()
};

// The last document of every template of the application, or null.
CMainDoc* FindMainDocument();
// The main frame's active document when it is of class pClass, else null.
CDocument* GetActiveDocumentOfClass(CRuntimeClass* pClass);
