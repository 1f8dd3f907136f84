// DumpProject: the project's settings and records as stable text (the format is told in main.cpp).
#pragma once
#include "corvel/project/project_state.h"

#include <string>

std::string DumpProject(const CProjectState& project);
