#include "engine/runtimeclass.h"

#include <map>
#include <string>

namespace {

std::map<std::string, const RuntimeClass*, std::less<>>& Registry() {
    static std::map<std::string, const RuntimeClass*, std::less<>> registry;
    return registry;
}

}  // namespace

void CObject::Serialize(Archive&) {}

bool RegisterRuntimeClass(const RuntimeClass& runtimeClass) {
    Registry()[runtimeClass.className] = &runtimeClass;
    return true;
}

const RuntimeClass* FindRuntimeClass(std::string_view className) {
    auto found = Registry().find(className);
    return found == Registry().end() ? nullptr : found->second;
}

std::unique_ptr<CObject> CreateObject(std::string_view className) {
    const RuntimeClass* runtimeClass = FindRuntimeClass(className);
    return std::unique_ptr<CObject>(runtimeClass ? runtimeClass->createObject() : nullptr);
}
