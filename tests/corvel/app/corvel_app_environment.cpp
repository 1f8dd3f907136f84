// Starts Corvel in the test process before the window tests run.
#include "corvel_app_environment.h"

static ::testing::Environment* const corvelAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new CorvelAppEnvironment);
