#pragma once

#include <QString>

// Keeps a store file to one process: a kernel lock on "<store>.lock" beside
// it, held while the object lives and released by the kernel if the process
// dies. Unlike the per-session single-instance lock, it also holds between
// two sessions (or two machines) sharing one home folder.
class StoreLock
{
public:
    // How long the lock is waited for by default: long enough for a command
    // line that reads or adds a task to be done with the store.
    static constexpr int defaultWaitMs = 1000;

    // Throws StoreError when another process still holds the store after
    // `waitMs`.
    explicit StoreLock(const QString &storePath, int waitMs = defaultWaitMs);
    ~StoreLock();

    StoreLock(const StoreLock &) = delete;
    StoreLock &operator=(const StoreLock &) = delete;

private:
    int m_fd = -1;
};
