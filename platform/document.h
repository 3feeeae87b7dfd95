#pragma once

#include <string>

namespace trazel::platform {

class CArchive;

// The document side of the document/view pair: a title, the path it was last
// read from or written to, and the modified flag that decides whether the user
// is asked to save before the document is replaced or the program ends.
class CDocument {
  public:
    virtual ~CDocument() = default;

    // The framework's part of making a new document: no path, the untitled
    // name, not modified. Derived documents call it first and then set up
    // their own content.
    virtual bool OnNewDocument();

    // Writes the content when the archive stores, reads it when it loads.
    virtual void Serialize(CArchive& ar) = 0;

    void SetModifiedFlag(bool modified = true) { modified_ = modified; }
    bool IsModified() const { return modified_; }

    const std::string& GetTitle() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    const std::string& GetPathName() const { return pathName_; }
    // Remembers the path and takes the file name (without folders) as title.
    void SetPathName(const std::string& path);

    // The title of a document never saved, as Spanish writes it; the title
    // shown is UntitledName(), in the language the program speaks.
    static const char* const kUntitledName;
    static std::string UntitledName();

  private:
    bool modified_ = false;
    std::string title_ = UntitledName();
    std::string pathName_;
};

}  // namespace trazel::platform
