#include "run.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string tempFile(const std::string &content)
{
    char name[] = "/tmp/aspaths-test-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0)
        std::abort();
    std::size_t done = 0;
    while (done < content.size()) {
        ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n <= 0)
            std::abort();
        done += n;
    }
    close(fd);
    return name;
}

std::string slurp(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

int statusOf(int wstatus)
{
    return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
}

} // namespace

namespace {

// Runs BIN with ARGS, standard input from INPUT (or a directory), standard
// output captured (or /dev/full, or closed), standard error captured.
RunResult spawn(const char *bin, const std::vector<std::string> &args, const std::string &input, Input in,
                Output out)
{
    const std::string inPath = tempFile(input), outPath = tempFile(""), errPath = tempFile("");
    pid_t pid = fork();
    if (pid == 0) {
        int i = in == Input::Directory ? open("/", O_RDONLY | O_DIRECTORY)
                                       : open(inPath.c_str(), O_RDONLY);
        int e = open(errPath.c_str(), O_WRONLY);
        dup2(i, 0);
        dup2(e, 2);
        if (out == Output::Closed) {
            close(1);
        } else {
            int o = open(out == Output::DevFull ? "/dev/full" : outPath.c_str(), O_WRONLY);
            dup2(o, 1);
            close(o);
        }
        close(i);
        close(e);
        std::vector<char *> argv{const_cast<char *>(bin)};
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execv(bin, argv.data());
        _exit(127);
    }
    int wstatus = 0;
    rusage usage{};
    wait4(pid, &wstatus, 0, &usage);
    RunResult r{slurp(outPath), slurp(errPath), statusOf(wstatus), usage.ru_maxrss};
    unlink(inPath.c_str());
    unlink(outPath.c_str());
    unlink(errPath.c_str());
    return r;
}

} // namespace

RunResult runTool(const char *bin, const std::string &input, Input in, Output out)
{
    return spawn(bin, {}, input, in, out);
}

RunResult runArgs(const char *bin, const std::vector<std::string> &args, const std::string &input)
{
    return spawn(bin, args, input, Input::File, Output::Capture);
}

std::string expandTags(std::string s, const std::vector<std::pair<std::string, std::string>> &tags)
{
    for (const auto &[tag, value] : tags)
        for (std::size_t at; (at = s.find(tag)) != std::string::npos;)
            s.replace(at, tag.size(), value);
    return s;
}

void expectArguments(const char *bin, const std::vector<ArgCase> &cases,
                     const std::vector<std::pair<std::string, std::string>> &tags)
{
    for (const ArgCase &c : cases) {
        std::vector<std::string> args;
        std::string shown;
        for (const std::string &arg : c.args)
            args.push_back(expandTags(arg, tags)), shown += arg + ' ';
        const RunResult r = runArgs(bin, args, c.input);
        EXPECT_EQ(r.out, c.out) << shown;
        EXPECT_EQ(r.err, expandTags(c.err, tags)) << shown;
        EXPECT_EQ(r.status, c.status) << shown;
    }
}

std::string tempPath(const std::string &tag)
{
    return "/tmp/aspaths-test-" + std::to_string(getpid()) + "-" + tag;
}

void writeFile(const std::string &path, const std::string &content)
{
    std::ofstream(path, std::ios::binary) << content;
}

std::string readFile(const std::string &path) { return slurp(path); }

void removeFile(const std::string &path) { unlink(path.c_str()); }

RunResult runShell(const std::string &cmd)
{
    const std::string outPath = tempFile("");
    int wstatus = std::system(("(" + cmd + ") > " + outPath).c_str());
    RunResult r{slurp(outPath), "", statusOf(wstatus), 0};
    unlink(outPath.c_str());
    return r;
}
