#include "new_project_document.h"

NewProjectDocument::NewProjectDocument()
{
    StartNewProject();
}
