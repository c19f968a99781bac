#include "platform/ThreadPriority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

void LowerThisThreadPriority() {
    // On Linux a nice value belongs to the thread named by its id, not to the whole process.
    constexpr int kBackgroundNice = 10;
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kBackgroundNice);
}
