#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/LocalTime.h"
#include "platform/Result.h"

namespace orvalis::reports {

// The record of the current job; one for the process, reused by every job. A field a job
// does not set keeps what the previous job put there.
struct JobReport {
    std::vector<std::string> objects;
    std::string action;
    std::string backupType;
    platform::LocalTime started;
    platform::LocalTime finished;
    std::string state;
    std::string errors;
    std::string fileLocation;
    std::string infoTitle;
    std::string objectTitle;
};

// The report templates beside the program, in the order they are checked.
inline constexpr std::string_view kReportTemplates[] = {"byte-backup.html", "iso-extractor.html",
                                                        "iso-creator.html", "iso-burner.html"};

// The process-wide report store: the report folder, the reports found in it (newest first),
// a few facts about the machine, the current job's record and the template cache.
// UI thread only.
class ReportStore {
public:
    // The one store; the first call creates the application-data and report folders and
    // lists the reports.
    static ReportStore& Instance();

    // A store for a program folder (ending in a separator) and a user data root (the folder
    // that holds "Orvalis"); Instance() uses the real ones.
    ReportStore(std::string programFolder, const std::string& userDataRoot);

    // 0 when all four templates exist and match the digests built into the program, else 87.
    ResultCode CheckReportTheme() const;

    // The folder of the reports, ending in a separator.
    std::string ReportFolder() const { return reportFolder_; }
    std::vector<std::string>& ReportFiles() { return reportFiles_; }
    const std::vector<std::string>& ReportFiles() const { return reportFiles_; }

    // Deletes every listed file and empties the list. True when no deletion failed.
    bool DeleteAllReports();
    // Lists the ".html" files of the report folder again, newest first.
    void RefreshReportList();

    const std::string& ProgramFolder() const { return programFolder_; }
    const std::string& ComputerName() const { return computerName_; }
    const std::string& UserName() const { return userName_; }
    std::string& ProgramVersion() { return programVersion_; }
    JobReport& Job() { return job_; }
    // The cached text of a template, by its index in kReportTemplates.
    std::string& TemplateText(size_t index) { return templates_[index]; }

private:
    std::string programFolder_;
    std::vector<std::string> reportFiles_;
    std::string reportFolder_;
    std::string programVersion_;
    std::string computerName_;
    std::string userName_;
    JobReport job_;
    std::string templates_[4];
};

// Compares the SHA-512 of a file, as 128 upper-case hexadecimal digits, with the expected
// text. 0 when equal; 87 when they differ or the file is missing, empty or unreadable.
ResultCode VerifyFileDigest(const std::string& path, std::string_view expectedDigest);

}  // namespace orvalis::reports
