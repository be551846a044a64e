#pragma once

#include "documents/DocumentTable.h"
#include "navigation/SearchState.h"
#include "projects/ProjectState.h"
#include "tools/ToolSlots.h"

// The program's state: the document slots, the project, the last search and the user tools.
// Whoever starts the main window owns it (main() in the program, the fixture in tests); the
// main window hands each subsystem the part it works on.
struct AppState {
    DocumentTable documents;
    ProjectState project;
    SearchState search;
    ToolSlots tools;
};
