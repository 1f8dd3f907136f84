#include "corvel/model/ied_records.h"

#include <gtest/gtest.h>

namespace {

TEST(IedRecords, CreateIedReplacesTheEntryOfTheSameName)
{
    CMapStringToOb map;
    CreateIed(map, "IED1", "Maker A", "T1", "first");
    CIED* second = CreateIed(map, "IED1", "Maker B", "T2", "second");
    ASSERT_EQ(1, map.GetCount());
    CObject* found = nullptr;
    ASSERT_TRUE(map.Lookup("IED1", found));
    EXPECT_EQ(second, found);
    EXPECT_STREQ("second", static_cast<CIED*>(found)->desc);
    delete found;
}

TEST(IedRecords, AccessPointHoldsACopyOfTheIed)
{
    CIED ied("IED1", "Maker", "T", "D");
    CConnectedAP ap(ied, "10.0.0.1", "255.0.0.0", "10.0.0.254", "1,3", "12", "00000001", "0001", "");
    ied.name = "changed";
    EXPECT_STREQ("IED1", ap.ied.name);
    EXPECT_STREQ("10.0.0.254", ap.IP_GATEWAY);
    EXPECT_STREQ("", ap.OSI_TSEL);
}

} // namespace
