// The product's fixed texts.
#pragma once

#include "framework/core.h"

// The caption of the product's messages and the main window's title, in both editions.
constexpr char kProductTitle[] = "Korvane EIP-Tarnwell";
// The subfolder of a project folder that holds its SCL files.
constexpr char kSclFilesFolderName[] = "SCLFiles";
// The question of New, Open Project and closing the main window when the project has changed.
constexpr char kSaveChangesQuestion[] = "Do you want to save changes?";
// The name of a new project.
constexpr char kNewProjectName[] = "Project 1";
// What the gateway's diagnostics and event logger say when the module does not answer the connection test.
constexpr char kModuleNotRespondingText[] = "ERROR: Module failed to respond! Please check your IP address";
// The filter of the file dialogs that choose SCL files.
constexpr char kSclFileFilter[] = "IED Configuration Files (*.scd, *.icd, *.cid)|*.scd;*.icd;*.cid|All Files (*.*)|*.*||";
