#pragma once

#include <functional>
#include <optional>
#include <sys/types.h>

// Runs a piece of work in a forked child, so that a test can give it limits the test process
// must not take on itself: a file-size limit, or an unprivileged user that permission bits stop
// (the suite runs as root). Returns the child's exit code, or nothing if it did not exit normally.
struct ChildLimits
{
    std::optional<off_t> maxFileSize; // RLIMIT_FSIZE, with SIGXFSZ ignored
    bool unprivileged = false;        // drop to the user "nobody"
};

std::optional<int> runInChild(const ChildLimits &limits, const std::function<int()> &work);
