#include "VantoraProcess.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1)
        e2e::exePath = argv[1];
    return RUN_ALL_TESTS();
}
