// The IED mapping dialog on a large IED: opening with its tree filled, selecting everything, mapping it and
// saving it into the project. Runs the generated IED of bench_ied_model, and first the SCL file and IED named
// on the command line when given ("bench_ied_mapping.exe file.scd IEDNAME"). Prints "seconds S" last (the
// generated IED's whole run).
#include "bench_generated_ied.h"
#include "bench_support.h"

#include "corvel/app/main_app.h"
#include "corvel/document/main_doc.h"
#include "corvel/resources/resource.h"
#include "corvel/mapping/ied_map_dlg.h"
#include "corvel/workspace/main_frame.h"
#include "support/message_pump.h"

namespace {

int g_messages = 0;

int CountMessage(HWND, const CString&, const CString&, UINT)
{
    ++g_messages;
    return IDOK;
}

// One run on the project's first IED slot; the whole time, or a negative number when the dialog did not open.
double Run(CMainDoc& doc, const CString& path, const CString& iedName)
{
    doc.modified = false;
    doc.OnFileNew();
    Corvel::Records::_IED_DEVICE* ied = doc.project.iedDevices.GetHead();
    ied->state = Corvel::Records::kSlotInUse;
    ied->name = iedName;
    ied->CIDFile = path;

    const double start = Seconds();
    CIEDMapDlg dialog;
    dialog.SetProject(&doc, ied->devNum);
    dialog.m_sclPath = path;
    if (!dialog.Create(IDD_IED_MAPPING, AfxGetMainWnd()) || dialog.m_hWnd == nullptr)
        return -1;
    const double opened = Seconds();
    CIEDTree& tree = dialog.GetTree();
    tree.SetAllSelected(true);
    const double selected = Seconds();
    dialog.MapSelection();
    const double mapped = Seconds();
    dialog.SaveMapping();
    const double saved = Seconds();
    printf("%s: open %.3f s (%u items loaded, %u in the control), select all %.3f s, map %.3f s (%d rows), "
           "save %.3f s (%d tag-map rows)\n",
           (LPCSTR)iedName, opened - start, static_cast<unsigned>(tree.GetItems().GetCount()), tree.GetCount(),
           selected - opened, mapped - selected,
           dialog.GetList().GetItemCount(), saved - mapped, static_cast<int>(doc.project.tagMaps.GetCount()));
    dialog.DestroyWindow();
    PumpMessages();
    return saved - start;
}

} // namespace

int main(int argc, char** argv)
{
    SetMessageBoxHook(CountMessage);
    CMainApp app;
    if (!app.InitInstance()) {
        printf("no application\n");
        return 1;
    }
    PumpMessages();
    CMainDoc* doc = FindMainDocument();
    if (doc == nullptr) {
        printf("no document\n");
        return 1;
    }
    if (argc >= 3 && Run(*doc, argv[1], argv[2]) < 0) {
        printf("the dialog did not open on %s\n", argv[1]);
        return 1;
    }
    const CString path = TempFilePath("bench_ied_mapping.scd");
    WriteWholeFile(path, BenchIed::GenerateScl());
    const double seconds = Run(*doc, path, "BENCH");
    ::DeleteFileA(path);
    if (seconds < 0) {
        printf("the dialog did not open on the generated IED\n");
        return 1;
    }
    printf("messages %d\n", g_messages);
    if (app.m_pMainWnd != nullptr)
        app.m_pMainWnd->DestroyWindow();
    PumpMessages();
    app.ExitInstance();
    printf("seconds %.3f\n", seconds);
    return 0;
}
