// A grid made where OLE cannot be initialised says so.
#include "framework/winapp.h"
#include "ostrel/grid/monitor_grid.h"
#include "support/message_box_recorder.h"

#include <gtest/gtest.h>

namespace {

TEST(GridConstruction, OleThatCannotBeInitialisedIsReported)
{
    MessageBoxRecorder recorder;
    AfxForceOleInitFailure(TRUE);
    {
        CMonitorGrid grid(2, 2);
        EXPECT_EQ(2, grid.GetRowCount());
    }
    AfxForceOleInitFailure(FALSE);
    ASSERT_EQ(1u, recorder.Count());
    EXPECT_EQ("OLE initialization failed. Make sure that the OLE libraries are the correct version",
              std::string(recorder.Last().text));

    CMonitorGrid second;
    EXPECT_EQ(1u, recorder.Count()) << "once initialised, nothing more is said";
}

} // namespace
