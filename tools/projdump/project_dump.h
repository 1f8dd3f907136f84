// DumpProject: the project document's settings and records as stable text (the format is told in main.cpp).
#pragma once
#include "corvel/app/main_doc.h"

#include <string>

std::string DumpProject(const CMainDoc& doc);
