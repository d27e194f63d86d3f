#pragma once
// The widget boundary: code page 932 bytes to QString and back, and the bytes a text takes.
// The conversions without Qt are in platform/Cp932.h.

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

// The bytes a text takes in code page 932; a character it cannot hold counts two.
int Cp932ByteCount(const QString& text);
