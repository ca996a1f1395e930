#pragma once
// The permission tests need a port the process may not open. Tests and CI run as root,
// which file modes do not stop, so there the open runs as the user nobody: the test
// process switches its effective ids for a while (root gets them back, the saved ids stay
// root's), a child process drops them for good before it starts the program.
#include <QProcess>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/types.h>
#include <unistd.h>

struct UnprivilegedUser {
    uid_t uid;
    gid_t gid;
};

// nobody when running as root; nothing to switch to otherwise (a user's own mode 000
// device is closed to the user already).
inline std::optional<UnprivilegedUser> unprivilegedUser() {
    if (geteuid() != 0)
        return std::nullopt;
    const passwd* nobody = getpwnam("nobody");
    if (!nobody)
        return std::nullopt;
    return UnprivilegedUser{nobody->pw_uid, nobody->pw_gid};
}

// While it lives, the process acts as nobody (when it runs as root).
class ActAsUnprivileged {
public:
    ActAsUnprivileged() : user_(unprivilegedUser()) {
        if (user_) {
            switched_ = setegid(user_->gid) == 0 && seteuid(user_->uid) == 0;
        }
    }
    ~ActAsUnprivileged() {
        if (user_) {
            [[maybe_unused]] const int uid = seteuid(0);
            [[maybe_unused]] const int gid = setegid(0);
        }
    }
    ActAsUnprivileged(const ActAsUnprivileged&) = delete;
    ActAsUnprivileged& operator=(const ActAsUnprivileged&) = delete;
    // False when running as root and the switch failed: the test cannot stand.
    bool ok() const { return !user_ || switched_; }

private:
    std::optional<UnprivilegedUser> user_;
    bool switched_ = false;
};

// The child drops to nobody before it runs the program (when the test runs as root).
inline void runUnprivileged(QProcess& process) {
    const std::optional<UnprivilegedUser> user = unprivilegedUser();
    if (!user)
        return;
    process.setChildProcessModifier([user] {
        if (setgroups(0, nullptr) != 0 || setgid(user->gid) != 0 || setuid(user->uid) != 0)
            _exit(126);
    });
}
