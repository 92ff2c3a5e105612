#include "platform/fsimage/FsiResults.h"

#include <cerrno>

namespace orvalis::fsimage {

namespace {
constexpr ResultCode FromWin32(uint32_t code) { return HResult(0x80070000u | (code & 0xFFFFu)); }
}  // namespace

ResultCode HResultFromErrno(int error) {
    switch (error) {
        case 0: return kOk;
        case ENOENT: return FromWin32(2);     // file not found
        case ENOTDIR: return FromWin32(3);    // path not found
        case EACCES:
        case EPERM:
        case EROFS: return FromWin32(5);      // access denied
        case EMFILE:
        case ENFILE: return FromWin32(4);     // too many open files
        case ENOMEM: return HResult(0x8007000E);
        case ENOSPC:
        case EDQUOT: return FromWin32(112);   // disk full
        case EISDIR: return FromWin32(5);
        case EBADF: return FromWin32(6);
        case EINVAL: return kInvalidArgument;
        case ENAMETOOLONG: return FromWin32(206);
        case EPIPE: return FromWin32(109);    // broken pipe
        default: return FromWin32(31);        // a device that does not function
    }
}

}  // namespace orvalis::fsimage
