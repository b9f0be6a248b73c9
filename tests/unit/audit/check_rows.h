#pragma once
// Picking rows out of a lock-down report, for the tests of the check.
#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "audit/lock_down_check.h"
#include "language/messages.h"

namespace vallora::audit_test {

// The rows whose "what" begins as the built-in text of the key begins.
inline std::vector<CheckRow> Rows(const std::vector<CheckRow>& rows, std::string_view key) {
    const std::string prefix = std::string(BuiltInMessage(key)).substr(0, 12);
    std::vector<CheckRow> found;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(found),
                 [&](const CheckRow& row) { return row.what.starts_with(prefix); });
    return found;
}

// The "what" of every row in the state.
inline std::vector<std::string> Whats(const std::vector<CheckRow>& rows, CheckState state) {
    std::vector<std::string> whats;
    for (const CheckRow& row : rows) {
        if (row.state == state) whats.push_back(row.what);
    }
    return whats;
}

}  // namespace vallora::audit_test
