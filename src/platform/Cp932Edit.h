#pragma once
// A single-line edit of a text kept as code page 932 bytes. Filled from stored bytes, it
// remembers them, so that a text the user left as it was goes back byte for byte, even when
// the bytes do not decode (a hand edit, another program). Its byte limit stops typing and
// pasting at the limit, a double-byte character counting two.

#include <QLineEdit>
#include <QString>

#include <limits>
#include <optional>
#include <string>

class CCp932Edit : public QLineEdit
{
    Q_OBJECT

public:
    // The limit of an edit that was given none: nothing is cut.
    static constexpr int kNoByteLimit = std::numeric_limits<int>::max();

    explicit CCp932Edit(QWidget* parent = nullptr);

    // Shows the stored bytes and remembers them as the unchanged text.
    void SetCp932Text(const std::string& bytes);

    // Remembers the bytes just stored from the edit as its unchanged text, leaving what it shows.
    void RememberCp932Text(const std::string& bytes);

    // Whether the edit still shows the text that SetCp932Text put there.
    bool IsCp932TextUnchanged() const;

    // The text as code page 932 bytes: the remembered bytes while the text is unchanged, else
    // the converted text; nullopt when a changed text holds a character code page 932 cannot.
    std::optional<std::string> Cp932Text() const;

    // Limits what the user types or pastes to maxBytes bytes of code page 932: text that would
    // pass the limit is cut where it was inserted. A longer text set by the program stays whole
    // and can be shortened.
    void SetByteLimit(int maxBytes) { m_nMaxBytes = maxBytes; }
    int ByteLimit() const { return m_nMaxBytes; }

private:
    void OnTextEdited();

    std::optional<std::string> m_storedBytes; // as last filled or stored; none before
    int m_nMaxBytes = kNoByteLimit;
    QString m_strLast; // the text before the edit being handled
};
