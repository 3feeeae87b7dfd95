#include "platform/document.h"
#include "platform/translation.h"

namespace trazel::platform {

const char* const CDocument::kUntitledName = TRAZEL_TR_NOOP("Document", "Sin título");

std::string CDocument::UntitledName() {
    return Translate("Document", kUntitledName);
}

bool CDocument::OnNewDocument() {
    pathName_.clear();
    title_ = UntitledName();
    modified_ = false;
    return true;
}

void CDocument::SetPathName(const std::string& path) {
    pathName_ = path;
    const auto slash = path.find_last_of('/');
    title_ = slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace trazel::platform
