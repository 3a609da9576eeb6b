#include "document/document.h"

#include <filesystem>

namespace {

constexpr char kUntitled[] = "Untitled";

}  // namespace

void Document::SetModifiedFlag(bool modified) { m_modified = modified; }

bool Document::IsModified() const { return m_modified; }

const std::string& Document::GetPathName() const { return m_pathName; }

void Document::SetPathName(const std::string& path) {
    m_pathName = path;
    m_imported = false;
}

void Document::SetImportedPathName(const std::string& path) {
    m_pathName = path;
    m_imported = true;
}

std::string Document::GetTitle() const {
    if (m_pathName.empty()) return kUntitled;
    return std::filesystem::path(m_pathName).filename().string();
}

void Document::DeleteContents() {
    m_pathName.clear();
    m_imported = false;
    m_modified = false;
}
