#pragma once

// File paths between Qt's strings and the file system's bytes.
#include <QFile>
#include <QString>
#include <filesystem>

namespace tarsil {

inline QString PathToQString(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

inline std::filesystem::path QStringToPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace tarsil
