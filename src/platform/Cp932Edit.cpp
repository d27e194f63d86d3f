#include "platform/Cp932Edit.h"

#include "platform/QtText.h"

#include <QByteArray>
#include <QLineEdit>
#include <QVariant>

#include <algorithm>

namespace {

constexpr const char* kStoredBytes = "velliqaCp932Bytes";
constexpr const char* kLimitName = "velliqaCp932ByteLimit";

// Cuts what the user inserts where it would pass the limit.
class CCp932ByteLimit : public QObject
{
public:
    CCp932ByteLimit(QLineEdit* edit, int maxBytes) : QObject(edit), m_edit(edit), m_nMaxBytes(maxBytes)
    {
        setObjectName(QString::fromLatin1(kLimitName));
        m_strLast = edit->text();
        // Only the user's edits are limited; every change, the program's too, is the base the
        // next edit is compared with.
        connect(edit, &QLineEdit::textEdited, this, [this] { OnTextEdited(); });
        connect(edit, &QLineEdit::textChanged, this, [this] { m_strLast = m_edit->text(); });
    }

    void SetLimit(int maxBytes) { m_nMaxBytes = maxBytes; }

private:
    void OnTextEdited()
    {
        const QString text = m_edit->text();
        const int bytes = Cp932ByteCount(text);
        // A text the program set beyond the limit may still be shortened.
        if (bytes <= m_nMaxBytes || bytes <= Cp932ByteCount(m_strLast))
            return;
        // The inserted part lies between what the old and new texts share at both ends.
        qsizetype prefix = 0;
        const qsizetype shorter = std::min(text.size(), m_strLast.size());
        while (prefix < shorter && text[prefix] == m_strLast[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < shorter - prefix &&
               text[text.size() - 1 - suffix] == m_strLast[m_strLast.size() - 1 - suffix])
            ++suffix;
        QString inserted = text.mid(prefix, text.size() - prefix - suffix);
        const QString before = text.left(prefix), after = text.right(suffix);
        while (!inserted.isEmpty() && Cp932ByteCount(before + inserted + after) > m_nMaxBytes) {
            // Whole characters: a surrogate pair goes as one.
            const qsizetype cut = inserted.size() >= 2 && inserted.back().isLowSurrogate() ? 2 : 1;
            inserted.chop(cut);
        }
        m_edit->setText(before + inserted + after);
        m_edit->setCursorPosition(static_cast<int>(prefix + inserted.size()));
    }

    QLineEdit* m_edit;
    int m_nMaxBytes;
    QString m_strLast;
};

} // namespace

void SetCp932Text(QLineEdit* edit, const std::string& bytes)
{
    edit->setText(FromCp932(bytes));
    RememberCp932Text(edit, bytes);
}

void RememberCp932Text(QLineEdit* edit, const std::string& bytes)
{
    edit->setProperty(kStoredBytes, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool IsCp932TextUnchanged(const QLineEdit* edit)
{
    const QVariant stored = edit->property(kStoredBytes);
    if (!stored.isValid())
        return false;
    const QByteArray bytes = stored.toByteArray();
    return edit->text() == FromCp932(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

std::optional<std::string> Cp932Text(const QLineEdit* edit)
{
    if (IsCp932TextUnchanged(edit)) {
        const QByteArray bytes = edit->property(kStoredBytes).toByteArray();
        return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    return ToCp932(edit->text());
}

void LimitCp932Bytes(QLineEdit* edit, int maxBytes)
{
    // Found by its name: without a meta-object of its own, a cast by type would match any child.
    if (auto* limit =
            edit->findChild<QObject*>(QString::fromLatin1(kLimitName), Qt::FindDirectChildrenOnly)) {
        static_cast<CCp932ByteLimit*>(limit)->SetLimit(maxBytes);
        return;
    }
    new CCp932ByteLimit(edit, maxBytes);
}

int Cp932ByteCount(const QString& text)
{
    if (const std::optional<std::string> bytes = ToCp932(text))
        return static_cast<int>(bytes->size());
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const std::optional<std::string> one = ToCp932(text.mid(i, length));
        count += one ? static_cast<int>(one->size()) : 2;
        i += length - 1;
    }
    return count;
}
