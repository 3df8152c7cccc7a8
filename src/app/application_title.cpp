#include "app/application_title.h"

#include <QString>

namespace zorvane::app {

namespace {
constexpr qsizetype kMaxTitleCharacters = 255;
}

std::string ApplicationTitle(std::string_view executablePath, char separator)
{
    // Separator and period are ASCII, so in UTF-8 they never occur inside a
    // multi-byte character: searching the decoded text is the same as
    // scanning by characters.
    const QString path = QString::fromUtf8(executablePath.data(), static_cast<qsizetype>(executablePath.size()));
    QString name = path.mid(path.lastIndexOf(QChar::fromLatin1(separator)) + 1);
    const qsizetype period = name.indexOf(QLatin1Char('.'));
    if (period >= 0)
        name.truncate(period);

    // The first character may be a surrogate pair.
    const qsizetype firstLength = name.isEmpty() ? 0 : (name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1);
    QString title = name.left(firstLength) + name.mid(firstLength).toLower();

    qsizetype characters = 0;
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (!title.at(i).isLowSurrogate() && ++characters > kMaxTitleCharacters) {
            title.truncate(i);
            break;
        }
    }
    return title.toStdString();
}

}  // namespace zorvane::app
