#pragma once
// Folder and file rights as an ordinary user meets them, also when the tests
// run as root (as in CI): while an OrdinaryUser lives, the calling thread,
// and every thread it starts meanwhile, acts as uid and gid 65534 (nobody)
// with no supplementary group, so the kernel enforces permissions on it.
// Only this thread changes (raw system calls, not the libc wrappers that
// change every thread), and it becomes root again at the end: the saved
// user id stays 0.  Not root: nothing changes, the user already is ordinary.


#include <algorithm>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace petari::test {

class OrdinaryUser {
public:
    static constexpr int kId = 65534;

    OrdinaryUser()
    {
        if (::geteuid() != 0) {
            ordinary_ = true;
            return;
        }
        groups_.resize(size_t(std::max(0, ::getgroups(0, nullptr))));
        groups_.resize(size_t(std::max(0, ::getgroups(int(groups_.size()), groups_.data()))));
        dropped_ = ::syscall(SYS_setgroups, 0, nullptr) == 0 &&
                   ::syscall(SYS_setresgid, kId, kId, 0) == 0 && ::syscall(SYS_setresuid, kId, kId, 0) == 0;
        ordinary_ = dropped_;
        if (!dropped_)
            restore();
    }
    ~OrdinaryUser()
    {
        if (dropped_)
            restore();
    }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

    // False when root could not become an ordinary user here (say why in the skip).
    bool ordinary() const { return ordinary_; }

private:
    void restore()
    {
        ::syscall(SYS_setresuid, 0, 0, 0);
        ::syscall(SYS_setresgid, 0, 0, 0);
        ::syscall(SYS_setgroups, groups_.size(), groups_.data());
    }
    std::vector<gid_t> groups_;
    bool dropped_ = false;
    bool ordinary_ = false;
};

}  // namespace petari::test
