#include "grid_fixture.h"

BEGIN_MESSAGE_MAP(TestGrid, CMonitorGrid)
    ON_NOTIFY(LVN_ENDLABELEDITA, kInPlaceControlId, &TestGrid::OnEditorEnd)
END_MESSAGE_MAP()
