#pragma once
// A file to import, recognised by its content rather than its name: a zip archive is read as
// an Apple Health export.zip, an XML document whose root is <HealthData> as its export.xml,
// anything else as a CSV file. Each gives the table the CSV import plans.

#include "csv/CsvColumns.h"
#include "csv/HealthZip.h"

#include <string>

enum class ImportFileKind
{
    Csv,
    HealthXml,
    HealthZip,
};

struct ImportFileRead
{
    ImportFileKind kind = ImportFileKind::Csv;
    int openError = 0; // errno when the file cannot be opened or read
    HealthZipError zipError = HealthZipError::None;
    HealthReadError healthError = HealthReadError::None;
    int line = 0;       // of a health error
    std::string detail; // expat's message for a malformed XML file
    CsvTable table;

    bool Ok() const
    {
        return openError == 0 && zipError == HealthZipError::None && healthError == HealthReadError::None;
    }
};

// `path` in the file system's encoding.
ImportFileRead ReadImportFile(const std::string& path);

// Why the file cannot be imported, one sentence: "Apple Health の書き出しとして読めません（…）"
// / "cannot be read as an Apple Health export (…)". Empty when it was read.
std::string ImportFileErrorText(const ImportFileRead& read, Language language);
