#pragma once
// Edits that hold code page 932 text. An edit filled from stored bytes remembers them, so that
// a text the user left as it was goes back byte for byte, even when the bytes do not decode
// (a hand edit, another program). A byte limit stops typing and pasting at the limit, a
// double-byte character counting two.

#include <QString>

#include <optional>
#include <string>

class QLineEdit;

// Shows the stored bytes and remembers them as the edit's unchanged text.
void SetCp932Text(QLineEdit* edit, const std::string& bytes);

// Remembers the bytes just stored from the edit as its unchanged text, leaving what it shows.
void RememberCp932Text(QLineEdit* edit, const std::string& bytes);

// Whether the edit still shows the text that SetCp932Text put there.
bool IsCp932TextUnchanged(const QLineEdit* edit);

// The edit's text as code page 932 bytes: the remembered bytes while the text is unchanged,
// else the converted text; nullopt when a changed text holds a character code page 932 cannot.
std::optional<std::string> Cp932Text(const QLineEdit* edit);

// Limits what the user types or pastes to maxBytes bytes of code page 932: text that would pass
// the limit is cut where it was inserted. A longer text set by the program stays whole and can
// be shortened. Calling it again changes the limit.
void LimitCp932Bytes(QLineEdit* edit, int maxBytes);

// The bytes a text takes in code page 932; a character it cannot hold counts two.
int Cp932ByteCount(const QString& text);
