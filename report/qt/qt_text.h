// The one bridge between Windows-1252 engine text and Qt's Unicode strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace report {

QString ToQString(std::string_view cp1252);
std::string FromQString(const QString& text);  // characters without a Windows-1252 byte -> '?'

}  // namespace report
