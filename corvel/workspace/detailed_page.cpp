#include "corvel/workspace/detailed_page.h"

#include "corvel/app/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/workspace/main_frame.h"

IMPLEMENT_DYNAMIC(CDetailed, CDialog)

CDetailed::CDetailed() : CDialog(IDD_DETAILED) {}

void CDetailed::SetProject(CMainDoc* doc, int deviceId)
{
    m_doc = doc;
    m_deviceId = deviceId;
    m_projectGiven = true;
}

void CDetailed::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DETAILED_FILE, m_file);
}

BOOL CDetailed::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_projectGiven) {
        m_doc = FindMainDocument();
        m_deviceId = CurrentDeviceId();
    }
    m_device = m_doc != nullptr ? Corvel::Records::FindDevice(m_doc->project.iedDevices, m_deviceId) : nullptr;
    if (CMainFrame* frame = GetMainFrame())
        frame->currentDevice = m_device;
    m_file.SetWindowText(m_device != nullptr ? m_device->CIDFile : CString());
    return TRUE;
}
