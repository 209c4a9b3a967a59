// One line per event to the file named by TYMP_MODULE_LOG, for the tests.
// Several stand-ins share the file, so it is opened, appended and closed per line.
#ifndef STANDINS_STANDINLOG_H
#define STANDINS_STANDINLOG_H

#include <string>

namespace standin {

// Appends "<exeName> <text>\n"; does nothing when the variable is unset or empty.
void LogLine(const char* exeName, const std::string& text);

} // namespace standin

#endif
