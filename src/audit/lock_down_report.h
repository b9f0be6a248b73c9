#pragma once
// The lock-down check's report as text: a heading with the number of open
// rows, then each row with its state and, when open, what to do. Lines end
// in CR LF, as the administrator reads the file on Windows.
#include <string>
#include <vector>

#include "audit/lock_down_check.h"
#include "language/language.h"

namespace vallora {

inline constexpr const char* kLockDownReportFile = "LockDownCheck.txt";

int OpenCount(const std::vector<CheckRow>& rows);

// "held" or "open", followed by the row's detail in brackets when it has one.
std::string StateText(const CheckRow& row, const Language& language);

// The summary line of the log: "Lock-down check: 2 open".
std::string ReportSummary(const std::vector<CheckRow>& rows, const Language& language);

// `when` is the time of the check as the report shows it.
std::string ReportText(const std::vector<CheckRow>& rows, const Language& language,
                       const std::string& when);

}  // namespace vallora
