// Text between the layer's UTF-8 strings and Qt's strings (for the layer's own sources).
#pragma once

#include <QString>
#include <string>

namespace kenvaron::plat {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

}  // namespace kenvaron::plat
