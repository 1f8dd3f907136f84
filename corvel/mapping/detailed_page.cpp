#include "corvel/mapping/detailed_page.h"

#include "corvel/document/document_frame.h"
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"

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
    if (CDocumentFrame* frame = GetDocumentFrame())
        frame->SetCurrentDeviceRecord(m_device);
    m_file.SetWindowText(m_device != nullptr ? m_device->CIDFile : CString());
    return TRUE;
}
