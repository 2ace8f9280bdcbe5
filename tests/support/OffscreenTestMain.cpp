// The test main for every folder whose tests need the framework: one application object on
// Qt's offscreen platform, so no test needs a display, and dialogs answered through the seam.

#include <gtest/gtest.h>

#include "platform/Forms.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv, /*offscreen=*/true);
    return RUN_ALL_TESTS();
}
