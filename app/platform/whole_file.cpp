// Files written whole or not at all; see whole_file.h.
#include "platform/whole_file.h"

#include <QSaveFile>

bool writeWholeFile(const QString& path, const std::string& bytes, QString* why) {
    QSaveFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size &&
        file.commit()) {
        return true;
    }
    if (why != nullptr) {
        *why = file.errorString();
    }
    return false;
}
