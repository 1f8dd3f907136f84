// ModuleWindowTest: a fixture for the module windows over the running Corvel, with the project's module address on the simulator.
#pragma once

#include "corvel/document/main_doc.h"
#include "corvel/gateway/vqn_diagnostics.h"

#include <gtest/gtest.h>

#include "../app/corvel_app_environment.h"
#include "support/message_box_recorder.h"
#include "support/module_simulator.h"
#include "support/test_program.h"

// Each test starts with a new project whose module is the simulator, short
// exchange limits, the program's own registry key and the window's settings
// section emptied; message boxes are recorded.
class ModuleWindowTest : public ModuleSimulatorTest {
protected:
    explicit ModuleWindowTest(const char* section) : m_section(section) {}

    void SetUp() override
    {
        ModuleSimulatorTest::SetUp();
        m_previousExchange = CVQNDiagnostics::SetExchangeTiming({1000, 1, 10});
        app = &CorvelAppEnvironment::App();
        app->SetRegistryKey(TestRegistryKey());
        app->WriteProfileString(m_section, nullptr, nullptr);
        doc = CorvelAppEnvironment::Doc();
        ASSERT_NE(nullptr, doc);
        doc->modified = false;
        doc->OnFileNew();
        doc->project.eth0IPaddr = ModuleAddress();
    }
    void TearDown() override
    {
        PumpMessages();
        doc->OnFileNew();
        CVQNDiagnostics::SetExchangeTiming(m_previousExchange);
    }

    CWinApp* app = nullptr;
    CMainDoc* doc = nullptr;
    MessageBoxRecorder boxes;

private:
    const char* m_section;
    ExchangeTiming m_previousExchange{};
};
