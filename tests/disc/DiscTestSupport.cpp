#include "DiscTestSupport.h"

#include "platform/FileSystem.h"

namespace orvalis::disc::testing {

EmulatedRecorders::EmulatedRecorders() : dataHome_("XDG_DATA_HOME", dir_ / "data-home") { Apply(); }

std::string EmulatedRecorders::Add(const std::string& name, const std::string& product,
                                   const std::string& writes, int loaded, unsigned long long sectors) {
    entries_.push_back(Backing(name) + "|" + product + "|" + writes + "|" + std::to_string(loaded) + "|" +
                       std::to_string(sectors));
    Apply();
    return "emulated:" + Backing(name);
}

void EmulatedRecorders::Apply() {
    std::string value;
    for (const std::string& entry : entries_) value += (value.empty() ? "" : ";") + entry;
    recorders_.reset();
    // An empty list would mean "scan the real drives"; a list that names nothing keeps the
    // tests away from them.
    recorders_ = std::make_unique<orvalis::testing::ScopedEnv>("ORVALIS_RECORDERS", value.empty() ? ";" : value);
}

intptr_t RecordingWindow::SendBurnProgress(int32_t action, const BurnProgressRecord& record) {
    intptr_t answer = (stopWhenWriting && action == 4) ? kBurnStop : kBurnGoOn;
    messages.push_back({action, record, answer});
    return answer;
}

std::vector<int32_t> RecordingWindow::Actions() const {
    std::vector<int32_t> actions;
    for (const Message& m : messages) {
        if (actions.empty() || actions.back() != m.action) actions.push_back(m.action);
    }
    return actions;
}

std::string ExtractImage(const std::string& image, const std::string& into) {
    platform::CreateFolderPath(into);
    auto result = orvalis::testing::RunCommand("7z x -y -o'" + into + "' '" + image + "' >/dev/null 2>&1");
    return result.status == 0 ? into : std::string();
}

}  // namespace orvalis::disc::testing
