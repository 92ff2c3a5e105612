#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace orvalis {

// The program's 32-bit result codes: 0 success, small codes of our own, OS errors and
// HRESULT-style values passed up unchanged.
using ResultCode = int32_t;

inline constexpr ResultCode kOk = 0;
inline constexpr ResultCode kJobCancelled = -9527;
inline constexpr ResultCode kInvalidInput = 1;
inline constexpr ResultCode kAuthoringError = 10;
inline constexpr ResultCode kInsertDiscRefused = 11;
inline constexpr ResultCode kDiskReadFailed = 30;
inline constexpr ResultCode kCannotSetUp = 87;
inline constexpr ResultCode kNoImageObject = 1150;

// An HRESULT-style value (0xC0AA0405 and the like) as a result code.
constexpr ResultCode HResult(uint32_t value) { return static_cast<ResultCode>(value); }

// A value or the reason it could not be made.
template <typename T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    static Result Failure(ResultCode code, std::string message = {}) {
        Result r;
        r.code_ = code;
        r.message_ = std::move(message);
        return r;
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return *value_; }
    T& value() & { return *value_; }
    T&& value() && { return std::move(*value_); }
    const T* operator->() const { return &*value_; }
    T* operator->() { return &*value_; }
    const T& operator*() const { return *value_; }
    ResultCode code() const { return code_; }
    const std::string& message() const { return message_; }

private:
    Result() = default;
    std::optional<T> value_;
    ResultCode code_ = kOk;
    std::string message_;
};

}  // namespace orvalis
