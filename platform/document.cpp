#include "platform/document.h"

namespace trazel::platform {

const char* const CDocument::kUntitledName = "Sin título";

bool CDocument::OnNewDocument() {
    pathName_.clear();
    title_ = kUntitledName;
    modified_ = false;
    return true;
}

void CDocument::SetPathName(const std::string& path) {
    pathName_ = path;
    const auto slash = path.find_last_of('/');
    title_ = slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace trazel::platform
