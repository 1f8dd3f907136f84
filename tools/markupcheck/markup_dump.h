// Text form of a markup object tree and the check that markupcheck runs (the format is described in main.cpp).
#pragma once

#include <string>

#include "framework/strings.h"

class CKitMarkupObject;

// The tree under pRoot, one object a line.
std::string DumpMarkupTree(CKitMarkupObject* pRoot);

// Parses and builds the narrow markup text as the program does: out receives
// the tree, or the builder's error text; 0 for a tree, 1 for an error.
int CheckMarkupText(LPCSTR lpszText, std::string& out);
