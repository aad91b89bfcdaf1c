// Entry of the tests that run the windows on a real X server: the application is made as the
// program makes it, on the display the test runner started.
#include <gtest/gtest.h>

#include "app/application_start.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "These tests need an X display; run them through run_under_x.sh.\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    const std::unique_ptr<QApplication> app = wexbo::StartApplication(argc, argv);
    return RUN_ALL_TESTS();
}
