#include "csv/CsvFileSave.h"

#include <QSaveFile>

std::optional<QString> SaveCsvFile(const QString& path, const std::string& bytes)
{
    QSaveFile saved(path);
    if (saved.open(QIODevice::WriteOnly) &&
        saved.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
        saved.commit())
        return std::nullopt;
    return saved.errorString();
}
