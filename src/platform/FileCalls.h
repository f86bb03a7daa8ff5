#pragma once
// The system calls that write a work file, behind one door: the program
// goes through the system's own, a test puts calls of its own in their
// place to make a write fail, stop short or lose its rename whatever the
// rights of the user running it.

#include <sys/types.h>

namespace petari {

class FileCalls {
public:
    virtual ~FileCalls() = default;
    // As mkstemp, write, fchmod, fsync, close and rename: -1 and errno on
    // failure.
    virtual int makeTemporary(char* pattern);
    virtual ssize_t write(int fd, const void* data, size_t size);
    virtual int changeMode(int fd, mode_t mode);
    virtual int flush(int fd);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
};

// The calls in force: the system's unless a test set others.
FileCalls& fileCalls();
// Puts calls in force for every later write (nullptr: the system's again).
// Only while no write is under way; the caller keeps calls alive.
void setFileCalls(FileCalls* calls);

}  // namespace petari
