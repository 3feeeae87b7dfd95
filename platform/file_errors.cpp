#include "platform/file_errors.h"

#include <cerrno>
#include <cstring>

#include "platform/translation.h"

namespace trazel::platform {

std::string QuoteFileName(const std::string& path) {
    // A name with a line feed would forge a line of the message.
    return Fill(TRAZEL_TR("FileErrors", "«%1»"), {ShownText(path)});
}

std::string DescribeErrno(int error) {
    switch (error) {
        case ENOSPC:
            return TRAZEL_TR("FileErrors", "no queda espacio en el disco");
        case ENOENT:
            return TRAZEL_TR("FileErrors", "no existe el archivo o la carpeta");
        case EACCES:
        case EPERM:
            return TRAZEL_TR("FileErrors", "no hay permiso");
        case EISDIR:
            return TRAZEL_TR("FileErrors", "es una carpeta");
        case EROFS:
            return TRAZEL_TR("FileErrors", "el disco es de solo lectura");
        case ENOTDIR:
            return TRAZEL_TR("FileErrors", "una parte de la ruta no es una carpeta");
        case EDQUOT:
            return TRAZEL_TR("FileErrors", "se ha superado la cuota de disco");
        case EIO:
            return TRAZEL_TR("FileErrors", "error de entrada/salida");
        case EFBIG:
            return TRAZEL_TR("FileErrors", "el archivo superaría el tamaño máximo permitido");
        case ENAMETOOLONG:
            return TRAZEL_TR("FileErrors", "el nombre es demasiado largo");
        case ELOOP:
            return TRAZEL_TR("FileErrors", "la ruta da vueltas entre enlaces simbólicos");
        case ENXIO:
            return TRAZEL_TR("FileErrors", "es una tubería o un dispositivo que nadie atiende");
        case EPIPE:
            return TRAZEL_TR("FileErrors", "el programa que leía el archivo lo ha cerrado");
        default:
            return std::strerror(error);
    }
}

Status FileFailure(FileOperation operation, const std::string& path, const std::string& reason) {
    // Whole sentences, so that a translation can put the name and the reason
    // where its language wants them.
    std::string pattern;
    switch (operation) {
        case FileOperation::Open:
            pattern = TRAZEL_TR("FileErrors", "No se pudo abrir el archivo %1: %2.");
            break;
        case FileOperation::Write:
            pattern = TRAZEL_TR("FileErrors", "No se pudo escribir el archivo %1: %2.");
            break;
        case FileOperation::OpenDocument:
            pattern = TRAZEL_TR("FileErrors", "No se pudo abrir %1: %2.");
            break;
        case FileOperation::Read:
            pattern = TRAZEL_TR("FileErrors", "No se pudo leer %1: %2.");
            break;
    }
    return Status::Failure(Fill(pattern, {QuoteFileName(path), reason}));
}

Status FileFailure(FileOperation operation, const std::string& path, int error) {
    return FileFailure(operation, path, DescribeErrno(error));
}

}  // namespace trazel::platform
