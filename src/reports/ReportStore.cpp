#include "reports/ReportStore.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>

#include "platform/FileSystem.h"
#include "platform/MachineInfo.h"
#include "platform/Profile.h"
#include "platform/Paths.h"
#include "reports/ReportThemeDigests.h"

namespace orvalis::reports {
namespace {

constexpr size_t kMachineNameChars = 255;

std::string Sha512Hex(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE] = {};
    unsigned int length = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha512(), nullptr);
    std::string hex;
    for (unsigned int i = 0; i < 64; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", digest[i]);
        hex += pair;
    }
    return hex;
}

}  // namespace

ReportStore& ReportStore::Instance() {
    static ReportStore store(platform::ProgramFolder(), platform::UserDataRoot());
    return store;
}

ReportStore::ReportStore(std::string programFolder, const std::string& userDataRoot)
    : programFolder_(std::move(programFolder)) {
    // Without a data root there is nowhere to keep reports: the folder stays unmade.
    if (userDataRoot.empty()) return;
    appDataFolder_ = platform::JoinPath(userDataRoot, "Orvalis");
    reportFolder_ = platform::JoinPath(userDataRoot, "Orvalis/Report") + platform::kPathSeparator;
    if (!platform::IsFolder(reportFolder_) && !platform::CreateFolderPath(reportFolder_)) return;
    computerName_ = platform::TruncateCodePoints(platform::ComputerName(), kMachineNameChars);
    userName_ = platform::TruncateCodePoints(platform::UserName(), kMachineNameChars);
    RefreshReportList();
}

void ReportStore::RefreshReportList() {
    reportFiles_.clear();
    for (const platform::FolderEntry& entry : platform::ListFolder(reportFolder_)) {
        size_t dot = entry.name.rfind('.');
        if (dot == std::string::npos || entry.name.compare(dot, std::string::npos, ".html") != 0) {
            continue;
        }
        reportFiles_.push_back(reportFolder_ + entry.name);
    }
    // Report names begin with their date and time, so the newest sorts first.
    std::sort(reportFiles_.begin(), reportFiles_.end(), std::greater<>());
}

bool ReportStore::DeleteAllReports() {
    bool allDeleted = true;
    for (const std::string& path : reportFiles_) {
        if (path.empty() || !platform::PathExists(path)) continue;
        if (!platform::DeleteFile(path)) allDeleted = false;
    }
    reportFiles_.clear();
    return allDeleted;
}

ResultCode ReportStore::CheckReportTheme() const {
    for (const TemplateDigest& entry : kReportTemplateDigests) {
        std::string path = programFolder_ + "ReportTheme" + platform::kPathSeparator +
                           std::string(entry.name);
        if (ResultCode rc = VerifyFileDigest(path, entry.sha512)) return rc;
    }
    return kOk;
}

ResultCode VerifyFileDigest(const std::string& path, std::string_view expectedDigest) {
    std::optional<std::string> bytes = platform::ReadWholeFile(path);
    if (!bytes || bytes->empty()) return kCannotSetUp;
    return Sha512Hex(*bytes) == expectedDigest ? kOk : kCannotSetUp;
}

}  // namespace orvalis::reports
