#pragma once

#include <memory>
#include <string_view>

class Archive;
class CObject;

// A class that can be created by its name, with the schema number of its
// stored form.
struct RuntimeClass {
    const char* className;
    int schema;
    CObject* (*createObject)();
};

// Base of the named, creatable classes.
class CObject {
public:
    virtual const RuntimeClass* GetRuntimeClass() const = 0;
    virtual ~CObject() = default;
    virtual void Serialize(Archive& archive);
};

// Registers a class so that CreateObject can make it by name. Returns true so
// that it can initialise a static registration flag.
bool RegisterRuntimeClass(const RuntimeClass& runtimeClass);

// The registered class of this name, or nullptr.
const RuntimeClass* FindRuntimeClass(std::string_view className);

// A new object of the registered class of this name, or nullptr.
std::unique_ptr<CObject> CreateObject(std::string_view className);
