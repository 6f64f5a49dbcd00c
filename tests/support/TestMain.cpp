// Shared main() of the test programs: a headless QApplication, then every test.
#include "platform/Application.h"
#include "tests/support/Scripted.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    LumApplication app(argc, argv);
    ::testing::AddGlobalTestEnvironment(new ScriptedEnvironment);
    return RUN_ALL_TESTS();
}
