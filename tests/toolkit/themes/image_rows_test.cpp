// Turning tab images: the upside-down copy and the reversed transpose.
#include "toolkit/themes/image_rows.h"

#include <gtest/gtest.h>

#include <vector>

TEST(KitTabImages, ReversedRowsAndTheReversedTransposeFollowTheirFormulas)
{
    // w = 3, h = 2.
    const DWORD source[6] = {1, 2, 3, 4, 5, 6};
    DWORD reversed[6] = {};
    ReverseImageRows(3, 2, source, reversed);
    EXPECT_EQ((std::vector<DWORD>{4, 5, 6, 1, 2, 3}), std::vector<DWORD>(reversed, reversed + 6));

    DWORD turned[6] = {};
    TransposeImageReversed(3, 2, source, turned);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(source[j * 2 + i], turned[3 * 2 - 1 - (i * 3 + j)]) << i << "," << j;
    EXPECT_EQ((std::vector<DWORD>{6, 4, 2, 5, 3, 1}), std::vector<DWORD>(turned, turned + 6));

    DWORD untouched[6] = {9, 9, 9, 9, 9, 9};
    ReverseImageRows(3, 0, source, untouched);
    TransposeImageReversed(3, 0, source, untouched);
    EXPECT_EQ(9u, untouched[0]);
}
