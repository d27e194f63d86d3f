#include "platform/QtText.h"

#include "platform/Cp932.h"

QString FromCp932(std::string_view cp932)
{
    const std::string utf8 = Utf8FromCp932(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QStringList FromCp932Lines(const std::vector<std::string>& lines)
{
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        texts.append(FromCp932(line));
    return texts;
}

std::optional<std::string> ToCp932(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return TryCp932FromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
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
