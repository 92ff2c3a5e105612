// The report of a finished job: the record fills a template, the page is written as UTF-8
// into the report folder, listed first and opened in the user's browser.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "localization/LanguageCatalogue.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/ShellOpen.h"
#include "platform/UniqueFd.h"
#include "reports/ReportStore.h"

namespace orvalis::reports {
namespace {

std::string FormatStamp(const platform::LocalTime& t, const char* format) {
    char text[64];
    std::snprintf(text, sizeof text, format, t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

// Text mode on the way in: each CR LF becomes LF.
std::string WithoutCarriageReturns(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return text;
}

// Text mode on the way out: each LF is written as CR LF.
std::string WithCarriageReturns(const std::string& text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}

// A report written in the same second as an earlier one gets "_2", "_3", ... before its
// extension instead of replacing it; such names still sort newest first.
std::string FreeReportPath(const std::string& folder, const std::string& stamp) {
    std::string path = folder + stamp + ".html";
    for (int n = 2; platform::PathExists(path); ++n) {
        path = folder + stamp + "_" + std::to_string(n) + ".html";
    }
    return path;
}

}  // namespace

std::string EscapeReportValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            case '{': out += "&#123;"; break;
            case '}': out += "&#125;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string FillReportTemplate(std::string text, const JobReport& job, const std::string& version,
                               const std::string& computer, const std::string& user) {
    std::string objects;
    for (const std::string& object : job.objects) objects += EscapeReportValue(object) + "<br/>\n";
    const char* kStampFormat = "%04d-%02d-%02d %02d:%02d:%02d";
    const std::pair<std::string_view, std::string> fields[] = {
        {"{Program version}", EscapeReportValue(version)},
        {"{Computer}", EscapeReportValue(computer)},
        {"{User}", EscapeReportValue(user)},
        {"{Action}", EscapeReportValue(job.action)},
        {"{BackupType}", EscapeReportValue(job.backupType)},
        {"{Started}", FormatStamp(job.started, kStampFormat)},
        {"{Finished}", FormatStamp(job.finished, kStampFormat)},
        {"{State}", EscapeReportValue(job.state)},
        {"{Errors}", EscapeReportValue(job.errors)},
        {"{InfoTitle}", EscapeReportValue(job.infoTitle)},
        {"{ObjectTitle}", EscapeReportValue(job.objectTitle)},
        {"{Object}", objects},
        {"{FileLocation}", EscapeReportValue(job.fileLocation)},
    };
    // Each placeholder once, searched from where the previous one stood: a template holds
    // them in this order.
    size_t from = 0;
    for (const auto& [placeholder, value] : fields) {
        size_t at = text.find(placeholder, from);
        if (at == std::string::npos) continue;
        text.replace(at, placeholder.size(), value);
        from = at;
    }
    return text;
}

void ReportStore::MarkStarted() { job_.started = platform::Now(); }
void ReportStore::MarkFinished() { job_.finished = platform::Now(); }

void ReportStore::LoadTemplate(std::string_view relativePath) {
    for (size_t i = 0; i < std::size(kReportTemplates); ++i) {
        std::string expected = std::string("ReportTheme") + platform::kPathSeparator +
                               std::string(kReportTemplates[i]);
        if (relativePath != expected) continue;
        if (!templates_[i].empty()) return;
        if (auto bytes = platform::ReadWholeFile(programFolder_ + expected)) {
            templates_[i] = WithoutCarriageReturns(*bytes);
        }
        return;
    }
}

void ReportStore::WriteReport(std::string_view templateName) {
    std::string path = FreeReportPath(reportFolder_, FormatStamp(platform::Now(), "%04d-%02d-%02d %02d_%02d_%02d"));
    std::string text;
    for (size_t i = 0; i < std::size(kReportTemplates); ++i) {
        if (templateName == kReportTemplates[i]) text = templates_[i];
    }
    if (CheckReportTheme() != kOk) {
        if (themeFailure_) themeFailure_();
        return;
    }
    if (programVersion_.empty()) {
        programVersion_ = localization::LookUpText("MainWnd", "Version");
    }
    if (!UsedMarkerExists()) CreateUsedMarker();

    std::string filled = FillReportTemplate(std::move(text), job_, programVersion_, computerName_, userName_);
    // A report that cannot be written is still listed and handed to the browser, which
    // then says that the file is missing.
    platform::WriteWholeFile(path, WithCarriageReturns(filled));
    reportFiles_.insert(reportFiles_.begin(), path);
    platform::ShellOpen(path);
}

bool ReportStore::UsedMarkerExists() const {
    return !appDataFolder_.empty() && platform::PathExists(platform::JoinPath(appDataFolder_, "Used"));
}

void ReportStore::CreateUsedMarker() const {
    if (appDataFolder_.empty() || !platform::CreateFolderPath(appDataFolder_)) return;
    std::string path = platform::JoinPath(appDataFolder_, "Used");
    platform::UniqueFd fd(open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
}

}  // namespace orvalis::reports
