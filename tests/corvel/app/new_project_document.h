// NewProjectDocument: the shipped document as a new project, for tests that run it without windows.
#pragma once

#include "corvel/document/main_doc.h"

// New gives it the device records a new project has (without buttons: there is no main frame).
class NewProjectDocument : public CMainDoc {
public:
    NewProjectDocument();
};
