// Where the suite's six programs are started from; the bar and the
// notification icon each keep a copy. Filled from the controller key by
// modules/ModuleTable.
#ifndef CONTROLLER_MODULEPATHS_H
#define CONTROLLER_MODULEPATHS_H

#include "afx/Afx.h"

struct ModulePaths {
    // The Volume Control from the Windows folder; the suite's programs from the
    // program's folder, under the names the controller key may give them.
    void LoadModulePaths();
    // The path of a PROGRAM_* program (modules/ModuleTable.h).
    CString& ModulePath(int nProgram);

    CString m_strVolumeControlPath;
    CString m_strCDPlayerPath;
    CString m_strWavePlayerPath;
    CString m_strMidiPlayerPath;
    CString m_strWaveEditorPath;
    CString m_strMidiTrackerPath;
};

#endif
