#pragma once
// Every window of the program answers the toolkit's resource questions the same way: the
// layouts and images come from the skin archive embedded in the program, and the folder
// "Skins/" beside the program is the resource folder for images outside it.

#include <stdexcept>
#include <string>

#include "toolkit/WindowImplBase.h"

namespace orvalis::shell {

inline constexpr const char* kSkinFolder = "Skins/";
inline constexpr const char* kSkinResourceType = "ZIPRES";
inline constexpr int kSkinResourceId = 101;

class SkinnedWindow : public DuiLib::WindowImplBase {
public:
    std::string GetSkinFolder() override { return kSkinFolder; }

protected:
    DuiLib::UILIB_RESOURCETYPE GetResourceType() const override { return DuiLib::UILIB_RESOURCETYPE::UILIB_ZIPRESOURCE; }
    std::string GetResourceTypeName() const override { return kSkinResourceType; }
    int GetResourceID() const override { return kSkinResourceId; }
};

// A failure inside one of a window's toolkit callbacks leaves as an exception whose text is
// "Class::Method"; nothing catches it.
class WindowCallFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <typename F>
decltype(auto) GuardWindowCall(const char* where, F&& body) {
    try {
        return body();
    } catch (...) {
        throw WindowCallFailure(where);
    }
}

}  // namespace orvalis::shell
