// kProductTitle: the product's fixed texts, shared by the program's windows and its headless writers.
#pragma once

// The main window's title, the caption of the program's message boxes and the product name of the about box.
constexpr char kProductTitle[] = "Korvane EIP-Tarnwell";
