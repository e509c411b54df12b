#pragma once
// Names that lead to anything but a regular file, as an attacker or a confused user leaves them in
// the game's folder: a FIFO, a device node, a folder, a socket, a dangling link and links to a
// device and to a FIFO. Each case makes its node under a given name; Identity tells afterwards
// whether the node is still the very one that was made (same inode, kind, device numbers, link
// text), so a test sees a node that was replaced, written or turned into a regular file.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace TestSupport
{
struct SpecialFileCase
{
    const char* name;     // for test names: letters and digits only
    const char* kindText; // the kind as the game names it: "a FIFO", "a dangling symbolic link" ...
    bool needsRoot;       // mknod of a device
    // Makes the node at p_Path; further nodes it needs (a link's target) go beside it, named
    // "<name>.target". False when it could not be made.
    bool (*make)(const std::string& p_Path);
};

// The case's name in a failing test's parameter line.
inline void PrintTo(const SpecialFileCase& p_Case, std::ostream* p_Out)
{
    *p_Out << p_Case.name;
}

namespace SpecialFilesDetail
{
inline std::string TargetOf(const std::string& p_Path)
{
    return p_Path + ".target";
}

// A null device of our own: the same numbers as /dev/null, so writing into it would be harmless,
// but a test that replaced it would only break its own temporary folder.
inline bool MakeDevice(const std::string& p_Path)
{
    return mknod(p_Path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

inline bool MakeFifo(const std::string& p_Path)
{
    return mkfifo(p_Path.c_str(), 0666) == 0;
}

inline bool MakeFolder(const std::string& p_Path)
{
    return mkdir(p_Path.c_str(), 0777) == 0;
}

// The socket's node stays in the folder after its descriptor is closed.
inline bool MakeSocket(const std::string& p_Path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (p_Path.size() >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, p_Path.c_str(), p_Path.size() + 1);
    const int descriptor = socket(AF_UNIX, SOCK_STREAM, 0);
    if (descriptor < 0)
        return false;
    const bool bound = bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    close(descriptor);
    return bound;
}

inline bool MakeDanglingLink(const std::string& p_Path)
{
    return symlink(TargetOf(p_Path).c_str(), p_Path.c_str()) == 0;
}

inline bool MakeLinkToDevice(const std::string& p_Path)
{
    return MakeDevice(TargetOf(p_Path)) && symlink(TargetOf(p_Path).c_str(), p_Path.c_str()) == 0;
}

inline bool MakeLinkToFifo(const std::string& p_Path)
{
    return MakeFifo(TargetOf(p_Path)) && symlink(TargetOf(p_Path).c_str(), p_Path.c_str()) == 0;
}
} // namespace SpecialFilesDetail

inline const std::vector<SpecialFileCase>& SpecialFileCases()
{
    using namespace SpecialFilesDetail;
    static const std::vector<SpecialFileCase> s_Cases = {
        {"Fifo", "a FIFO", false, MakeFifo},
        {"Device", "a character device", true, MakeDevice},
        {"Directory", "a directory", false, MakeFolder},
        {"Socket", "a socket", false, MakeSocket},
        {"DanglingLink", "a dangling symbolic link", false, MakeDanglingLink},
        {"LinkToDevice", "a character device", true, MakeLinkToDevice},
        {"LinkToFifo", "a FIFO", false, MakeLinkToFifo},
    };
    return s_Cases;
}

inline bool IsRoot()
{
    return geteuid() == 0;
}

// What makes the node at a name (and the node a link there leads to) the one it was.
struct NodeIdentity
{
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    mode_t mode = 0;
    dev_t deviceNumbers = 0;
    std::string linkText;
    bool targetExists = false; // for a link: what it leads to
    ino_t targetInode = 0;
    mode_t targetMode = 0;
    dev_t targetDeviceNumbers = 0;

    bool operator==(const NodeIdentity&) const = default;
};

inline NodeIdentity Identity(const std::string& p_Path)
{
    NodeIdentity identity;
    struct stat info
    {
    };
    if (lstat(p_Path.c_str(), &info) != 0)
        return identity;
    identity.exists = true;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    identity.mode = info.st_mode;
    identity.deviceNumbers = info.st_rdev;
    if (S_ISLNK(info.st_mode))
    {
        char text[4096] = {};
        const ssize_t length = readlink(p_Path.c_str(), text, sizeof(text) - 1);
        identity.linkText = length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string();
        const std::string target = SpecialFilesDetail::TargetOf(p_Path);
        if (lstat(target.c_str(), &info) == 0)
        {
            identity.targetExists = true;
            identity.targetInode = info.st_ino;
            identity.targetMode = info.st_mode;
            identity.targetDeviceNumbers = info.st_rdev;
        }
    }
    return identity;
}

// Every name in the folder, sorted: a temporary file left behind or a created link target shows.
inline std::vector<std::string> NamesIn(const std::filesystem::path& p_Folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(p_Folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace TestSupport
