// Runs a program of the project as a user would, for end-to-end tests.
#ifndef RUN_H
#define RUN_H

#include <string>

struct RunResult {
    std::string out;
    std::string err;
    int status; // exit status, or 128 + the signal that ended it
    long peakKiB; // the most memory it held (runTool only)
};

enum class Input { File, Directory };
enum class Output { Capture, DevFull, Closed };

// Runs BIN with INPUT on its standard input (or a directory there) and its
// standard output captured (or /dev/full, or closed).
RunResult runTool(const char *bin, const std::string &input,
                  Input in = Input::File, Output out = Output::Capture);

// Runs the shell command CMD; its standard output and status.
RunResult runShell(const std::string &cmd);

#endif
