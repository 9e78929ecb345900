#include "app/qt_text.hpp"

#include <QList>

#include "platform/codepage.hpp"

namespace plimo {

QString ToQString(const Text& text) {
  return QString::fromStdString(Cp949ToUtf8Lossy(text));
}

Text ToText(const QString& string) {
  if (auto whole = Utf8ToCp949(string.toStdString())) return *whole;
  Text text;
  for (const uint codePoint : string.toUcs4()) {
    const char32_t character = codePoint;
    const auto converted = Utf8ToCp949(QString::fromUcs4(&character, 1).toStdString());
    text += converted ? *converted : Text("?");
  }
  return text;
}

}  // namespace plimo
