#include "large_stack.h"

#include <pthread.h>

namespace quorvix {
namespace {

struct Job {
    const std::function<int()>* work;
    int result = 0;
};

void* runJob(void* argument) {
    Job* job = static_cast<Job*>(argument);
    job->result = (*job->work)();
    return nullptr;
}

} // namespace

int runOnLargeStack(std::size_t bytes, const std::function<int()>& work) {
    Job job{&work};
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) {
        return work();
    }
    pthread_t thread;
    // The stack is reserved, not committed: only the pages a script reaches cost memory.
    const bool started = pthread_attr_setstacksize(&attributes, bytes) == 0 &&
                         pthread_create(&thread, &attributes, runJob, &job) == 0;
    pthread_attr_destroy(&attributes);
    if (!started) {
        return work();
    }
    pthread_join(thread, nullptr);
    return job.result;
}

} // namespace quorvix
