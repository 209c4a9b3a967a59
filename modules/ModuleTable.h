// The suite's six programs: where their executables are and what their
// windows are called.
#ifndef MODULES_MODULETABLE_H
#define MODULES_MODULETABLE_H

#include "afx/Afx.h"

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

// Where the six programs are started from; the bar and the notification
// icon each keep a copy.
struct ModulePaths {
    // The Volume Control from the Windows folder; the suite's programs from the
    // program's folder, under the names the controller key may give them.
    void LoadModulePaths();
    // The path of a PROGRAM_* program.
    CString& ModulePath(int nProgram);

    CString m_strVolumeControlPath;
    CString m_strCDPlayerPath;
    CString m_strWavePlayerPath;
    CString m_strMidiPlayerPath;
    CString m_strWaveEditorPath;
    CString m_strMidiTrackerPath;
};

#endif
