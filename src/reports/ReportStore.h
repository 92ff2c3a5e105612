#pragma once

#include <functional>
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

    // The job record, filled around each job by the page that runs it.
    void SetAction(std::string text) { job_.action = std::move(text); }
    void SetBackupType(std::string text) { job_.backupType = std::move(text); }
    void SetState(std::string text) { job_.state = std::move(text); }
    void SetErrors(std::string text) { job_.errors = std::move(text); }
    void SetFileLocation(std::string text) { job_.fileLocation = std::move(text); }
    void SetInfoTitle(std::string text) { job_.infoTitle = std::move(text); }
    void SetObjectTitle(std::string text) { job_.objectTitle = std::move(text); }
    void MarkStarted();
    void MarkFinished();
    void ClearObjects() { job_.objects.clear(); }
    void AddObject(std::string text) { job_.objects.push_back(std::move(text)); }

    // Reads a template ("ReportTheme/iso-burner.html" and the others, exactly) into its
    // cache slot unless it is there already; any other path does nothing.
    void LoadTemplate(std::string_view relativePath);
    // Writes the report of the current job from the template of that short name
    // ("iso-burner.html"), lists it first and opens it. With a damaged template theme the
    // theme-failure handler is called and nothing is written.
    void WriteReport(std::string_view templateName);
    // What the user is shown when the templates fail their check at report time; the
    // program sets it to its Information box.
    void SetThemeFailureHandler(std::function<void()> handler) { themeFailure_ = std::move(handler); }

    // The "Used" marker in the application-data folder: the program has carried out a job.
    bool UsedMarkerExists() const;
    void CreateUsedMarker() const;

private:
    std::string programFolder_;
    std::vector<std::string> reportFiles_;
    std::string reportFolder_;
    std::string programVersion_;
    std::string computerName_;
    std::string userName_;
    JobReport job_;
    std::string templates_[4];
    std::string appDataFolder_;
    std::function<void()> themeFailure_;
};

// The text that stands for one placeholder: HTML special characters and braces become
// character references, so a value shows as it is and can never add markup or a
// placeholder of its own.
std::string EscapeReportValue(std::string_view value);

// Fills a template's placeholders from a job record, in their fixed order.
std::string FillReportTemplate(std::string text, const JobReport& job, const std::string& version,
                               const std::string& computer, const std::string& user);

// Compares the SHA-512 of a file, as 128 upper-case hexadecimal digits, with the expected
// text. 0 when equal; 87 when they differ or the file is missing, empty or unreadable.
ResultCode VerifyFileDigest(const std::string& path, std::string_view expectedDigest);

}  // namespace orvalis::reports
