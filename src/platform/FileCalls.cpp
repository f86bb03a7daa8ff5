#include "platform/FileCalls.h"

#include <atomic>
#include <cstdio>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace petari {

namespace {
FileCalls systemCalls;
std::atomic<FileCalls*> current{&systemCalls};
}  // namespace

int FileCalls::makeTemporary(char* pattern) { return ::mkstemp(pattern); }
ssize_t FileCalls::write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int FileCalls::changeMode(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int FileCalls::flush(int fd) { return ::fsync(fd); }
int FileCalls::close(int fd) { return ::close(fd); }
int FileCalls::rename(const char* from, const char* to) { return std::rename(from, to); }

FileCalls& fileCalls() { return *current.load(); }

void setFileCalls(FileCalls* calls) { current.store(calls ? calls : &systemCalls); }

}  // namespace petari
