#pragma once
// The restriction values a definition asks for, read back from the registry
// they were written to: which are in effect, and why one is not.
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_port.h"
#include "security/previous_values.h"
#include "storage/definition.h"

namespace vallora {

struct ExpectedValue {
    Hive hive = Hive::CurrentUser;
    std::string keyPath;
    RegistryValue value;
};

// Every value that applying the definition's restrictions writes, with the
// data it writes last, in the order of the first write; Vallora's own records
// (journal, backups) are left out, they are no restriction.
std::vector<ExpectedValue> ExpectedRestrictionValues(const Definition& definition);

struct ValueReadBack {
    ExpectedValue expected;
    bool inEffect = false;
    long readStatus = kStatusOk;
    std::optional<RegistryValue> found;  // what the registry holds now
    // The apply's failure for this value, when the apply could not make it.
    std::optional<WriteFailure> failure;
};

std::vector<ValueReadBack> ReadBackRestrictions(const Definition& definition,
                                                RegistryPort& registry,
                                                const std::vector<WriteFailure>& applyFailures);

// "NoRun = 1 (HKLM\Software\...\Explorer)": the value with its data and
// its key; "(default)" names the unnamed value.
std::string ValueTitle(const ExpectedValue& value);
// The data as a person reads it: a number, quoted text, or hex bytes.
std::string ValueDataText(const RegistryValue& value);

}  // namespace vallora
