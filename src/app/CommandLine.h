#pragma once
// The command line, read before any window exists: the options that do their work without a
// window (--help, --version, --summary) and the data folder (--data-dir). Messages go to the
// standard error, in Japanese under a Japanese locale and in English otherwise.

#include <optional>

// Runs what the command line asks for. The exit code when the program ends without a window;
// nullopt when the main window is to run, with the current directory as the data folder.
std::optional<int> RunCommandLine(int argc, char** argv);
