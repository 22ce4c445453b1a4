#pragma once
#include <functional>
#include <string>

namespace NK {

// Informative lines go to standard output and the game goes on.
void logInfo(const std::string& message);
void logError(const std::string& message);

// Shows the native "ERROR" box and ends the process with exit code -1.
// Nothing is saved or released first: the program is in a state it cannot trust.
[[noreturn]] void fatalError(const std::string& message);
[[noreturn]] void fatalErrorWithHeading(const std::string& text, const std::string& heading);

// "%I-%M-%S" and "%d-%m-%Y" of the local time; used by the start line and map names.
std::string currentTimeString();
std::string currentDateString();
// Allegro's application name less the ".exe" of a Windows executable.
std::string applicationName();

// What a fatal error does once its message is decided. The program shows the
// native box and exits; tests install a handler that records the message and
// unwinds instead, because the real box waits forever for a click on a
// virtual display. A handler that returns still ends the process.
using FatalHandler = std::function<void(const std::string& heading, const std::string& text)>;
void setFatalHandler(FatalHandler handler);
void resetFatalHandler();

}  // namespace NK
