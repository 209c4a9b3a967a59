// The suite's six programs: their numbers, and where their executables are.
#ifndef MODULES_MODULETABLE_H
#define MODULES_MODULETABLE_H

#include "controller/ModulePaths.h"

enum {
    PROGRAM_VOLUME,
    PROGRAM_CDPLAYER,
    PROGRAM_WAVEPLAYER,
    PROGRAM_MIDIPLAYER,
    PROGRAM_WAVEEDITOR,
    PROGRAM_MIDITRACKER,
    PROGRAM_COUNT
};

// The folder of the running program, ending in a backslash.
CString GetProgramDirectory();

#endif
