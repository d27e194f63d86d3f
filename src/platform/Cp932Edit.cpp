#include "platform/Cp932Edit.h"

#include "platform/QtText.h"

#include <algorithm>

CCp932Edit::CCp932Edit(QWidget* parent) : QLineEdit(parent)
{
    // Only the user's edits are limited; every change, the program's too, is the base the next
    // edit is compared with.
    connect(this, &QLineEdit::textEdited, this, [this] { OnTextEdited(); });
    connect(this, &QLineEdit::textChanged, this, [this] { m_strLast = text(); });
}

void CCp932Edit::SetCp932Text(const std::string& bytes)
{
    setText(FromCp932(bytes));
    RememberCp932Text(bytes);
}

void CCp932Edit::RememberCp932Text(const std::string& bytes)
{
    m_storedBytes = bytes;
}

bool CCp932Edit::IsCp932TextUnchanged() const
{
    return m_storedBytes && text() == FromCp932(*m_storedBytes);
}

std::optional<std::string> CCp932Edit::Cp932Text() const
{
    if (IsCp932TextUnchanged())
        return m_storedBytes;
    return ToCp932(text());
}

void CCp932Edit::OnTextEdited()
{
    const QString current = text();
    const int bytes = Cp932ByteCount(current);
    // A text the program set beyond the limit may still be shortened.
    if (bytes <= m_nMaxBytes || bytes <= Cp932ByteCount(m_strLast))
        return;
    // The inserted part lies between what the old and new texts share at both ends.
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(current.size(), m_strLast.size());
    while (prefix < shorter && current[prefix] == m_strLast[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           current[current.size() - 1 - suffix] == m_strLast[m_strLast.size() - 1 - suffix])
        ++suffix;
    QString inserted = current.mid(prefix, current.size() - prefix - suffix);
    const QString before = current.left(prefix), after = current.right(suffix);
    while (!inserted.isEmpty() && Cp932ByteCount(before + inserted + after) > m_nMaxBytes) {
        // Whole characters: a surrogate pair goes as one.
        const qsizetype cut = inserted.size() >= 2 && inserted.back().isLowSurrogate() ? 2 : 1;
        inserted.chop(cut);
    }
    setText(before + inserted + after);
    setCursorPosition(static_cast<int>(prefix + inserted.size()));
}
