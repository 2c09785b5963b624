// Where the program's own files and the programs it starts are found.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The running program's file (from /proc/self/exe) and its folder; empty when unknown.
std::string ProgramPath();
std::string ProgramDirectory();

// Splits a command line into its arguments: blanks and tabs separate them, double quotes group
// (and are dropped), a backslash is an ordinary character, so "C:\Art\" stays one argument.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The executable file a program name names: a name with a "/" as it stands, any other first in
// `programDirectory`, then in the folders of `searchPath` (a PATH value, may be null). A name
// ending in ".exe" is looked for without that ending first. Empty when nothing is found.
std::string FindProgram(std::string_view name, const std::string& programDirectory, const char* searchPath);
