// The framework core without windows: strings, run-time classes, collections, exceptions, files, archives, message boxes and the application object.
#pragma once

#include <windows.h>

#include "framework/archive.h"
#include "framework/collections.h"
#include "framework/exceptions.h"
#include "framework/file.h"
#include "framework/handles.h"
#include "framework/msgbox.h"
#include "framework/object.h"
#include "framework/strings.h"
#include "framework/winapp.h"
