// Looks at the bar's pop-up menu while it is tracked: a timer of the test's
// thread runs inside the menu's modal loop, records the items and ends it.
#ifndef TESTS_UNIT_MENUINSPECTOR_H
#define TESTS_UNIT_MENUINSPECTOR_H

#include <windows.h>
#include <functional>
#include <map>

struct MenuSnapshot {
    bool bShown = false;
    std::map<UINT, UINT> state;     // MFS_* by command id
    std::map<UINT, UINT> type;      // MFT_* by command id
    RECT rc = {};

    // An item the menu does not have reads as neither grey nor checked.
    bool Grayed(UINT nID) const { return state.count(nID) && (state.at(nID) & MFS_GRAYED); }
    bool Checked(UINT nID) const { return state.count(nID) && (state.at(nID) & MFS_CHECKED); }
    bool Has(UINT nID) const { return state.count(nID) != 0; }
};

// Runs open(), which may track a menu, and answers what the menu showed.
MenuSnapshot InspectMenu(const std::function<void()>& open);

#endif
