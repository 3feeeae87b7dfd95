#include "platform/file_errors.h"

#include <cerrno>
#include <cstring>

namespace trazel::platform {

std::string QuoteFileName(const std::string& path) {
    return "«" + path + "»";
}

std::string DescribeErrno(int error) {
    switch (error) {
        case ENOSPC:
            return "no queda espacio en el disco";
        case ENOENT:
            return "no existe el archivo o la carpeta";
        case EACCES:
        case EPERM:
            return "no hay permiso";
        case EISDIR:
            return "es una carpeta";
        case EROFS:
            return "el disco es de solo lectura";
        case ENOTDIR:
            return "una parte de la ruta no es una carpeta";
        case EDQUOT:
            return "se ha superado la cuota de disco";
        case EIO:
            return "error de entrada/salida";
        case EFBIG:
            return "el archivo superaría el tamaño máximo permitido";
        case ENAMETOOLONG:
            return "el nombre es demasiado largo";
        case ELOOP:
            return "la ruta da vueltas entre enlaces simbólicos";
        case ENXIO:
            return "es una tubería o un dispositivo que nadie atiende";
        case EPIPE:
            return "el programa que leía el archivo lo ha cerrado";
        default:
            return std::strerror(error);
    }
}

Status FileFailure(FileOperation operation, const std::string& path, const std::string& reason) {
    std::string doing;
    switch (operation) {
        case FileOperation::Open:
            doing = "abrir el archivo ";
            break;
        case FileOperation::Write:
            doing = "escribir el archivo ";
            break;
        case FileOperation::OpenDocument:
            doing = "abrir ";
            break;
        case FileOperation::Read:
            doing = "leer ";
            break;
    }
    return Status::Failure("No se pudo " + doing + QuoteFileName(path) + ": " + reason + ".");
}

Status FileFailure(FileOperation operation, const std::string& path, int error) {
    return FileFailure(operation, path, DescribeErrno(error));
}

}  // namespace trazel::platform
