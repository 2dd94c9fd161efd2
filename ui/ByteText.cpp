#include "ui/ByteText.h"

namespace qmel {

QString memoDisplayText(const std::string& bytes)
{
    QString text = displayText(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

std::string memoBytes(const QString& text)
{
    QString withBreaks = text;
    withBreaks.replace(QChar(0x2029), QLatin1Char('\n'));
    withBreaks.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return withBreaks.toStdString();
}

}  // namespace qmel
