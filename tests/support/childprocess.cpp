#include "childprocess.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;
constexpr int kSetupFailed = 125;

bool applyLimits(const ChildLimits &limits)
{
    if (limits.maxFileSize) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(*limits.maxFileSize),
                           static_cast<rlim_t>(*limits.maxFileSize)};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return false;
    }
    if (limits.unprivileged && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
        return false;
    return true;
}

} // namespace

std::optional<int> runInChild(const ChildLimits &limits, const std::function<int()> &work)
{
    const pid_t pid = ::fork();
    if (pid < 0)
        return std::nullopt;
    if (pid == 0)
        ::_exit(applyLimits(limits) ? work() : kSetupFailed);
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return std::nullopt;
    return WEXITSTATUS(status);
}
