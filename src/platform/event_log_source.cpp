#include "platform/event_log_source.h"

namespace vallora {

namespace {

constexpr char kMessageFileValue[] = "EventMessageFile";
constexpr char kTypesValue[] = "TypesSupported";

RegistryValue MessageFileValue(std::string_view messageFile) {
    RegistryValue value{kMessageFileValue, kRegExpandSz, {messageFile.begin(), messageFile.end()}};
    value.data.push_back(0);
    return value;
}

RegistryValue TypesValue() {
    return {kTypesValue, kRegDword, {kEventLogTypesSupported, 0, 0, 0}};
}

// The name aside, which a read need not fill in.
bool SameValue(const RegistryValue& read, const RegistryValue& wanted) {
    return read.type == wanted.type && read.data == wanted.data;
}

}  // namespace

bool RegisterEventLogSource(RegistryPort& registry, std::string_view messageFile) {
    RegistryValue file;
    RegistryValue types;
    if (registry.ReadValue(Hive::LocalMachine, kEventLogSourceKey, kMessageFileValue, file) ==
            kStatusOk &&
        registry.ReadValue(Hive::LocalMachine, kEventLogSourceKey, kTypesValue, types) ==
            kStatusOk &&
        SameValue(file, MessageFileValue(messageFile)) && SameValue(types, TypesValue())) {
        return true;
    }
    return registry.WriteValue(Hive::LocalMachine, kEventLogSourceKey,
                               MessageFileValue(messageFile)) == kStatusOk &&
           registry.WriteValue(Hive::LocalMachine, kEventLogSourceKey, TypesValue()) == kStatusOk;
}

}  // namespace vallora
