#pragma once

#include <cerrno>

namespace SystemCalls {

// Runs a system call again while a signal interrupts it before it could do
// anything (EINTR): a signal handler installed without SA_RESTART, or a
// network or FUSE file system, makes even an open or a stat fail that way.
template <class Call>
auto retryInterrupted(Call call)
{
    for (;;) {
        const auto result = call();
        if (result != -1 || errno != EINTR)
            return result;
    }
}

}  // namespace SystemCalls
