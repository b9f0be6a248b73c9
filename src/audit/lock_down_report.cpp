#include "audit/lock_down_report.h"

#include <algorithm>

#include "language/messages.h"

namespace vallora {

int OpenCount(const std::vector<CheckRow>& rows) {
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const CheckRow& row) {
        return row.state == CheckState::Open;
    }));
}

std::string StateText(const CheckRow& row, const Language& language) {
    std::string text =
        language.Message(row.state == CheckState::Held ? kMsgCheckHeld : kMsgCheckOpen);
    if (!row.detail.empty()) text += " (" + row.detail + ")";
    return text;
}

std::string ReportSummary(const std::vector<CheckRow>& rows, const Language& language) {
    return FillPlaceholder(language.Message(kMsgCheckSummary), std::to_string(OpenCount(rows)));
}

std::string ReportText(const std::vector<CheckRow>& rows, const Language& language,
                       const std::string& when) {
    std::string text = ReportSummary(rows, language) + ", " + when + "\r\n\r\n";
    for (const CheckRow& row : rows) {
        text += "[" + StateText(row, language) + "] " + row.what + "\r\n";
        if (!row.remedy.empty()) text += "    " + row.remedy + "\r\n";
    }
    return text;
}

}  // namespace vallora
