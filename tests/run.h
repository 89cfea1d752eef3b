// Runs a program of the project as a user would, for end-to-end tests.
#ifndef RUN_H
#define RUN_H

#include <string>
#include <utility>
#include <vector>

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

// Runs BIN with the arguments ARGS and INPUT on its standard input; its
// standard output, standard error and status.
RunResult runArgs(const char *bin, const std::vector<std::string> &args, const std::string &input = "");

// S with every TAG in it replaced by its value.
std::string expandTags(std::string s, const std::vector<std::pair<std::string, std::string>> &tags);

// A row of a table of command lines: arguments (tags expanded), standard
// input, and the exact output, messages and status expected.
struct ArgCase {
    std::vector<std::string> args;
    std::string input;
    std::string out;
    std::string err;
    int status;
};

// Runs BIN on every row of CASES, TAGS expanded in its arguments and
// expected messages, and checks the output, messages and status exactly.
void expectArguments(const char *bin, const std::vector<ArgCase> &cases,
                     const std::vector<std::pair<std::string, std::string>> &tags);

// A path for a temporary file of this process, named after TAG.
std::string tempPath(const std::string &tag);
void writeFile(const std::string &path, const std::string &content);
std::string readFile(const std::string &path);
void removeFile(const std::string &path);

#endif
