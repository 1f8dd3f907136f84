// CNodeButton, CBridgeButn, CDevButton, CPLCButton, NodeButtonSeams, the device pictures: the gateway, IED and
// PLC buttons of the network view.
#pragma once
#include "corvel/controls/image_button.h"

#include <functional>
#include <memory>

class CDialog;
class CMainDoc;

// The pictures (bitmap resource ids) of the network view's buttons: the gateway, an IED, the selected IED, and
// a PLC device until it has a type of its own (the EtherNet/IP device's picture).
constexpr int kGatewayBitmap = 316;
constexpr int kIedBitmap = 318;
constexpr int kSelectedIedBitmap = 2004;
constexpr int kPlcBitmap = 388;
// The picture of a PLC device of type devType: 386 for type 7, 384 for 8 and 388, the EtherNet/IP device,
// for 9; 0 for any other type.
int PlcBitmapOfType(int devType);

// What tests replace in the node buttons; the program leaves every member empty.
struct NodeButtonSeams {
    // Runs a dialog that a button opens modally; empty: the dialog's own DoModal.
    std::function<INT_PTR(CDialog& dialog)> runDialog;
    // The click wait's length in milliseconds; 0: the system's double-click time.
    UINT clickWaitMs = 0;
    // Told each time a button has filled the device tag view.
    std::function<void()> tagViewFilled;
};
// Installs seams and returns the ones they replace.
NodeButtonSeams SetNodeButtonSeams(NodeButtonSeams seams);

// A node of the network view: the click wait that tells a single click from a double click, shared by the
// gateway, IED and PLC buttons, and the window-colour brush they keep.
class CNodeButton : public CImageButton {
    DECLARE_DYNAMIC(CNodeButton)
public:
    CNodeButton();
    ~CNodeButton() override;

    bool IsWaitingForSecondClick() const { return m_clickWaitActive; }

protected:
    // Called on each click. A click that comes while the button waits is the second click: it is noted and
    // false returned. Otherwise waits one double-click time in 10 slices, dispatching the thread's messages
    // after each; true when no second click came, the button still exists and the program is not quitting
    // (a WM_QUIT met is posted again and ends the wait).
    bool WaitForSecondClick();

    // A double click that reaches the window is the second click of the wait, then the system's own
    // notification (BN_DOUBLECLICKED) of an owner-drawn button.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Runs dialog modally, or through the tests' seam.
    static INT_PTR RunDialog(CDialog& dialog);
    // Constructs a dialog of class Dialog without a parent and runs it as RunDialog does.
    template <class Dialog>
    static INT_PTR RunNewDialog()
    {
        Dialog dialog;
        return RunDialog(dialog);
    }
    // The main frame's device tag view refilled for the selected device and repainted.
    static void RefreshTagView();

    COLORREF m_windowColour;
    CBrush m_windowBrush;

private:
    bool m_clickWaitActive = false;
    bool m_secondClick = false;
    // False once the button is gone; a wait holds a copy to see whether it may still touch the button.
    std::shared_ptr<bool> m_alive;
};

// The gateway module's button: its menu downloads, uploads, exports AOI files and opens the diagnostics and
// the event log; it also writes the module configuration.
class CBridgeButn : public CNodeButton {
    DECLARE_DYNAMIC(CBridgeButn)
public:
    CBridgeButn() = default;

    // Export Configuration: saves the project under a chosen name and writes the module configuration to a
    // chosen file, remembered for the next export.
    void OnExportConfiguration();
    // The properties flow (double click, command 32821, the file view): runs the gateway properties dialog and
    // writes its values back to the document.
    void OnProperties();
    // Loads the command menu with the items this button offers, greyed as the document allows.
    void LoadCommandMenu(CMenu& menu);

    // The configuration file opened as the project after an upload.
    CString uploadPath;

    // The profile entry of the last exported configuration file.
    static constexpr char kExportSection[] = "MAKECONFIG";
    static constexpr char kExportEntry[] = "EXPORT";

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnClicked();
    afx_msg void OnDownload();
    afx_msg void OnUpload();
    afx_msg void OnExportAoiFiles();
    afx_msg void OnDiagnostic();
    afx_msg void OnEventLogger();
    afx_msg void OnModbusClientMapping();
    afx_msg void OnModbusServerMapping();

    DECLARE_MESSAGE_MAP()

private:
    // The network view's document.
    CMainDoc* GetDocument() const;
};

// An IED's button; its control id is the device record's devNum.
class CDevButton : public CNodeButton {
    DECLARE_DYNAMIC(CDevButton)
public:
    CDevButton() = default;

    // The selection click: this device becomes the main frame's current device (kind 4) and is highlighted;
    // a click that stays single then refills the device tag view.
    afx_msg void OnClicked();
    // The selection made by the program (no click to tell from a double click): selects, highlights and
    // refills the device tag view at once.
    void Select();
    // Loads the context menu: Configure, Delete and Properties.
    static void LoadContextMenu(CMenu& menu);

    // The IED picture, the highlighted one when highlighted.
    void ShowPicture(bool highlighted);
    bool IsHighlighted() const { return m_highlighted; }

    int deviceId = 0;
    CString sclFilePath;

protected:
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    // Double click and command 32820: the IED mapping dialog for this device.
    afx_msg void OnConfigure();
    // Command ID_DELETE_DEVICE: deletes the current IED device, forgets a copy of it and rebuilds the Modbus
    // commands and the tag map.
    afx_msg void OnDeleteDevice();
    // Command ID_COPY_DEVICE: copies the current IED device.
    afx_msg void OnCopyDevice();
    // Command 32776: the IED properties dialog.
    afx_msg void OnProperties();

    DECLARE_MESSAGE_MAP()

private:
    // Shows the selected IED's picture on its button and every other IED's and PLC's normal picture.
    void Highlight();

    bool m_highlighted = false;
};

// A PLC device's button; its control id is the device record's devNum.
class CPLCButton : public CNodeButton {
    DECLARE_DYNAMIC(CPLCButton)
public:
    CPLCButton() = default;

    // Shows the picture of a device of type devType; a type without a picture of its own keeps the shown one.
    void ShowTypePicture(int devType);

protected:
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnClicked();
    // Double click: the EtherNet/IP mapping dialog, then the selected IED is selected again.
    afx_msg void OnPlcMapping();
    // Command 32791: the memory map of the PLC device.
    afx_msg void OnPlcMapView();
    // Commands ID_DELETE_DEVICE and ID_DELETE_PLC_DEVICE: deletes the current PLC device and forgets a copy of it.
    afx_msg void OnDeleteDevice();
    // Command ID_COPY_DEVICE: copies the current PLC device.
    afx_msg void OnCopyDevice();

    // Mouse moves and double clicks get the system button's handling alone: no hover picture.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()
};
