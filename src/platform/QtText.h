#pragma once
// The widget boundary: code page 932 bytes to QString and back.

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

QString FromCp932(std::string_view cp932);
// Each line as FromCp932 gives it, in order: the entries of a selector filled from a file.
QStringList FromCp932Lines(const std::vector<std::string>& lines);

// nullopt when the text holds a character that code page 932 cannot hold.
std::optional<std::string> ToCp932(const QString& text);

// Number of code page 932 bytes of a text that fits code page 932.
int Cp932Length(const QString& text);
