// The framework core without windows: strings, run-time classes, collections, exceptions, files, archives, geometry, message boxes and the module state.
#pragma once

#include <windows.h>

#include "framework/archive.h"
#include "framework/collections.h"
#include "framework/error_report.h"
#include "framework/exceptions.h"
#include "framework/file.h"
#include "framework/geometry.h"
#include "framework/handles.h"
#include "framework/module.h"
#include "framework/msgbox.h"
#include "framework/object.h"
#include "framework/strings.h"
