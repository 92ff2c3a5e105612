#pragma once

#include <cstdint>

#include "platform/Result.h"

namespace orvalis::fsimage {

// The result values of the image service, in the numbers its callers compare against.

inline constexpr ResultCode kFsiInvalidParam = HResult(0xC0AAB101);
inline constexpr ResultCode kFsiInvalidVolumeName = HResult(0xC0AAB104);
inline constexpr ResultCode kFsiInvalidPath = HResult(0xC0AAB110);
inline constexpr ResultCode kFsiDupName = HResult(0xC0AAB112);
inline constexpr ResultCode kFsiNoUniqueName = HResult(0xC0AAB113);
inline constexpr ResultCode kFsiImageSizeLimit = HResult(0xC0AAB120);
inline constexpr ResultCode kFsiImageTooBig = HResult(0xC0AAB121);
inline constexpr ResultCode kFsiDataStreamInconsistency = HResult(0xC0AAB128);
inline constexpr ResultCode kFsiDataStreamReadFailure = HResult(0xC0AAB129);
inline constexpr ResultCode kFsiDataStreamCreateFailure = HResult(0xC0AAB12A);
inline constexpr ResultCode kFsiDirectoryReadFailure = HResult(0xC0AAB12B);
inline constexpr ResultCode kFsiTooManyDirs = HResult(0xC0AAB130);
inline constexpr ResultCode kFsiDataTooBig = HResult(0xC0AAB132);

inline constexpr ResultCode kPointerInvalid = HResult(0x80004003);     // a missing stream
inline constexpr ResultCode kInvalidArgument = HResult(0x80070057);
inline constexpr ResultCode kPathNotFound = HResult(0x80070003);
inline constexpr ResultCode kNotAFolder = HResult(0x8007010B);        // "the directory name is invalid"

// An OS error as the HRESULT that a file stream reports for it.
ResultCode HResultFromErrno(int error);

}  // namespace orvalis::fsimage
