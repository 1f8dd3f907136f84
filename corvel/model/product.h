// The product's fixed texts and ShowProductMessage, the one way Corvel's code shows a message under them.
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

// Shows text in a message box of exactly type (no icon is added) under the product title, owned by the
// application's main window, or by owner when it is given (null: no owner). Goes through the message-box
// hook; returns the button chosen. Window-free code reports its outcomes to its callers instead.
int ShowProductMessage(const CString& text, UINT type);
int ShowProductMessage(const CString& text, UINT type, HWND owner);
