#pragma once

class CommonDialog;
class Messages;
class Processes;

// Everything that waits on the user or reaches outside the process, handed to Main when it is
// built: the real Qt implementations in the program, scripted ones in the tests.
struct Platform {
    CommonDialog& dialog;
    Messages& messages;
    Processes& processes;
};
