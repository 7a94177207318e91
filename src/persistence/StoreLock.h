#pragma once

#include <QString>

// Keeps a store file to one process: a kernel lock on "<store>.lock" beside
// it, held while the object lives and released by the kernel if the process
// dies. Unlike the per-session single-instance lock, it also holds between
// two sessions (or two machines) sharing one home folder.
class StoreLock
{
public:
    // Throws StoreError when another process holds the store.
    explicit StoreLock(const QString &storePath);
    ~StoreLock();

    StoreLock(const StoreLock &) = delete;
    StoreLock &operator=(const StoreLock &) = delete;

private:
    int m_fd = -1;
};
