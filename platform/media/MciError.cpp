#include "MciError.h"

namespace MciError {

QString text(int code)
{
    switch (code) {
    case FileNotFound:
        return QStringLiteral("Cannot find the specified file. Make sure the path and filename are correct.");
    case InvalidFile:
        return QStringLiteral(
            "The specified file cannot be played on the specified MCI device. The file may be corrupt, "
            "not in the correct format, or no file handler available for this format.");
    default:
        return QString();
    }
}

}  // namespace MciError
