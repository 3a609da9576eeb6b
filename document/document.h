#pragma once

#include <atomic>
#include <string>

class Archive;

// The outcome of reading or writing a file; message is the text to show the
// user when ok is false.
struct FileResult {
    bool ok;
    std::string message;
};

// What every document has: a file path, a title and an unsaved-changes flag.
class Document {
public:
    virtual ~Document() = default;

    void SetModifiedFlag(bool modified = true);
    bool IsModified() const;

    const std::string& GetPathName() const;
    void SetPathName(const std::string& path);
    // The file the game was read from is of another format (PGN): it names
    // the game, but Save must not write a saved game over it.
    void SetImportedPathName(const std::string& path);
    bool IsImported() const { return m_imported; }
    // "Untitled" for a game never saved, else the file's name.
    std::string GetTitle() const;

    virtual void Serialize(Archive& archive) = 0;

protected:
    // Clears the path and the unsaved-changes flag, as a new document does.
    void DeleteContents();

private:
    std::atomic<bool> m_modified{false};
    std::string m_pathName;
    bool m_imported = false;
};
