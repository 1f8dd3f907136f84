// CBridgeButn::OnProperties: the gateway properties flow.
#include "corvel/document/main_doc.h"
#include "corvel/workspace/bridge_dlg.h"
#include "corvel/workspace/buttons.h"
#include "corvel/workspace/main_view.h"

void CBridgeButn::OnProperties()
{
    CMainView* view = DYNAMIC_DOWNCAST(CMainView, GetParent());
    CMainDoc* doc = view != nullptr ? view->GetDocument() : FindMainDocument();
    if (doc == nullptr)
        return;
    CBridgeDlg dialog;
    dialog.settings = Corvel::Gateway::ReadGatewaySettings(doc->project);
    if (dialog.DoModal() != IDOK)
        return;
    if (Corvel::Gateway::ApplyGatewaySettings(doc->project, dialog.settings) > 0)
        doc->MarkChangedAndUpdateViews();
}
