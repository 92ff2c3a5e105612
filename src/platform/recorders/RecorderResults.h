#pragma once

#include <cstdint>

#include "platform/Result.h"

namespace orvalis::recorders {

// The result values of the recorder service, in the numbers its callers compare against
// (the published values of the disc-mastering interfaces for the same situations).

inline constexpr ResultCode kRequestCancelled = HResult(0xC0AA0002);
inline constexpr ResultCode kRecorderRequired = HResult(0xC0AA0003);
inline constexpr ResultCode kMediaNoMedia = HResult(0xC0AA0202);
inline constexpr ResultCode kMediaIncompatible = HResult(0xC0AA0203);
inline constexpr ResultCode kMediaBusy = HResult(0xC0AA0207);
inline constexpr ResultCode kRecorderLocked = HResult(0xC0AA0210);
inline constexpr ResultCode kRecorderClientNameInvalid = HResult(0xC0AA0211);
inline constexpr ResultCode kUnexpectedResponseFromDevice = HResult(0xC0AA0301);
inline constexpr ResultCode kWriteInProgress = HResult(0xC0AA0400);
inline constexpr ResultCode kWriteNotInProgress = HResult(0xC0AA0401);
inline constexpr ResultCode kStreamNotSupported = HResult(0xC0AA0403);
inline constexpr ResultCode kStreamTooLargeForMedia = HResult(0xC0AA0404);
inline constexpr ResultCode kMediaNotBlank = HResult(0xC0AA0405);
inline constexpr ResultCode kMediaNotSupported = HResult(0xC0AA0406);
inline constexpr ResultCode kRecorderNotSupported = HResult(0xC0AA0407);
inline constexpr ResultCode kClientNameInvalid = HResult(0xC0AA0408);
inline constexpr ResultCode kEraseMediaNotErasable = HResult(0x80AA0904);
inline constexpr ResultCode kEraseDriveFailed = HResult(0x80AA0905);
inline constexpr ResultCode kEraseMediaNotSupported = HResult(0xC0AA0909);
inline constexpr ResultCode kEraseClientNameInvalid = HResult(0xC0AA090B);

inline constexpr ResultCode kFail = HResult(0x80004005);
inline constexpr ResultCode kPointerInvalid = HResult(0x80004003);
inline constexpr ResultCode kInvalidArgument = HResult(0x80070057);
inline constexpr ResultCode kAccessDenied = HResult(0x80070005);

}  // namespace orvalis::recorders
