#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "disc/BurnNotifyTarget.h"

namespace orvalis::disc::testing {

// The emulated recorders of one test, on backing files in a folder of their own; the
// application-data folder points into it too.
class EmulatedRecorders {
public:
    EmulatedRecorders();
    // Adds "name.img" with the given product id, media types written, loaded medium and size;
    // returns its unique id.
    std::string Add(const std::string& name, const std::string& product, const std::string& writes,
                    int loaded, unsigned long long sectors);
    std::string Backing(const std::string& name) const { return dir_ / (name + ".img"); }
    const orvalis::testing::TempDir& dir() const { return dir_; }

private:
    void Apply();
    orvalis::testing::TempDir dir_;
    std::vector<std::string> entries_;
    std::unique_ptr<orvalis::testing::ScopedEnv> recorders_;
    orvalis::testing::ScopedEnv dataHome_;
};

// A burn window as a test sees it: every message recorded; the answer chosen per message.
class RecordingWindow : public BurnNotifyTarget {
public:
    struct Message {
        int32_t action;
        BurnProgressRecord record;
        intptr_t answer;
    };
    // Stop the write at the first writing message, and at every one after it.
    bool stopWhenWriting = false;

    intptr_t SendBurnProgress(int32_t action, const BurnProgressRecord& record) override;
    std::vector<Message> messages;
    std::vector<int32_t> Actions() const;
};

// Extracts an image with the archive tool; returns the folder (empty on failure).
std::string ExtractImage(const std::string& image, const std::string& into);

}  // namespace orvalis::disc::testing
