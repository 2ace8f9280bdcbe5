// The platform's tests run on Qt's offscreen platform with one application object.

#include <gtest/gtest.h>

#include "platform/Forms.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv, /*offscreen=*/true);
    app.SetTitle("Dyadlist");
    return RUN_ALL_TESTS();
}
