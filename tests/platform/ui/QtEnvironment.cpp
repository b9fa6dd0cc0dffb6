#include "tests/platform/ui/QtEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

// One QApplication for the whole test program, made before the first test
// and removed after the last.
class QtEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "plinth_ui_tests";
        static char* argv[] = { name, nullptr };
        m_application = std::make_unique<QApplication>(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override { m_application.reset(); }

private:
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
