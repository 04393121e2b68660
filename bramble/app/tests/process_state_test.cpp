// Bounded copies into bramble's fixed buffers.
#include <gtest/gtest.h>

#include <string>

#include "bramble/app/process_state.h"

TEST(CopyBounded, CutsAtTheBufferWithoutSplittingADoubleByteCharacter)
{
    char buffer[6];
    bramble::CopyBounded(buffer, sizeof buffer, "ABCDEFGH");
    EXPECT_STREQ(buffer, "ABCDE");
    // "A" then three double-byte characters: the third would need bytes 5-6.
    bramble::CopyBounded(buffer, sizeof buffer, "A\x83\x41\x83\x43\x83\x45");
    EXPECT_STREQ(buffer, "A\x83\x41\x83\x43");
    bramble::CopyBounded(buffer, sizeof buffer, "");
    EXPECT_STREQ(buffer, "");
    bramble::CopyBounded(buffer, sizeof buffer, "abc");
    EXPECT_STREQ(buffer, "abc");
}
